// The keyboard in the browser: every scenario loaded through J, K and L, its charge layer
// checked pixel by pixel; the potential of the infinite capacitor (Q); the help (H); the
// parameter list (P, the arrows and keypad plus); the frame-rate text.
'use strict';

const assert = require('node:assert/strict');
const {after, before, test} = require('node:test');
const {ChargeModel, scenarios} = require('./lib/charge');
const {WebTarget, area, isTextYellow, sameColour} = require('./lib/program');
const {readFrameRate} = require('./lib/text');

// A 50 x 100 grid at scale 4: a 200 x 400 canvas. Its rows between the top-right texts and the
// bottom lines are free of overlay texts once the help is hidden.
const tallGrid = ['4', '50', '100'];
const scale = 4;
const nx = 50;
const ny = 100;
const band = area(0, 80, 200, 276);
const help = area(20, 80, 160, 190);      // filled by the help text
const panel = area(20, 135, 160, 55);     // the parameter list
const leftEdge = area(0, 0, scale, 356);  // clear of texts down to the bottom lines

const red = [255, 0, 0];

function showsColour(c) { return c[0] !== c[1] || (c[2] !== 0 && c[2] !== c[0]); }

// The first pixel of the band that differs from the model, or null.
function chargeMismatch(picture, model) {
    for (let y = band.top; y < band.top + band.height; ++y) {
        for (let x = band.left; x < band.left + band.width; ++x) {
            const want = model.colour(Math.trunc(x / scale), Math.trunc(y / scale));
            const got = picture.pixel(x, y);
            if (!sameColour(got, want)) return `pixel (${x},${y}) is ${got}, expected ${want}`;
        }
    }
    return null;
}

async function expectCharge(program, model, what) {
    const watch = await program.watch((p) => chargeMismatch(p, model) === null);
    assert.ok(watch.met, `${what}: ${chargeMismatch(watch.last, model)}`);
}

// Opens the tall grid, waits for the help, then presses the keys and 'h': the help vanishing
// shows that every key before it has been taken.
async function start(keys) {
    const program = await target.open(tallGrid, {width: 400, height: 600});
    const shown = await program.watch((p) => p.count(isTextYellow, help) > 300);
    assert.ok(shown.met, 'no help text seen');
    await program.park();
    await program.keys([...keys, 'h']);
    const hidden = await program.watch((p) => p.count(isTextYellow, help) === 0);
    assert.ok(hidden.met, 'the help is still shown');
    return program;
}

let target;
before(async () => {
    target = await WebTarget.start();
});
after(async () => {
    await target.stop();
});

test('L loads the selected scenario; J and K step through all seven, wrapping around', async () => {
    const program = await start(['o', 'v']);
    try {
        await expectCharge(program, new ChargeModel(nx, ny), 'empty');
        // The selection starts at the first scenario.
        const steps = [
            [['l'], 0], ...[1, 2, 3, 4, 5, 6].map((k) => [['k', 'l'], k]), [['k', 'l'], 0],
            [['j', 'l'], 6]
        ];
        for (const [keys, k] of steps) {
            await program.keys(keys);
            await expectCharge(
                program, scenarios[k][1](nx, ny), `${keys.join('')}: ${scenarios[k][0]}`);
        }
        assert.deepEqual(program.errors, []);
    } finally {
        await program.close();
    }
});

// What is wrong with a picture of the infinite capacitor's potential: it must be the same along
// every row (one colour level apart at most: the columns of a relaxed potential may differ in
// the last bits), and fall from red below the top plate to blue above the bottom plate.
function capacitorPotentialFault(p) {
    for (let y = band.top; y < band.top + band.height; ++y) {
        const first = p.pixel(0, y);
        for (let x = 1; x < band.width; ++x) {
            const c = p.pixel(x, y);
            if (Math.abs(c[0] - first[0]) > 1 || c[1] !== first[1] ||
                Math.abs(c[2] - first[2]) > 1) {
                return `row ${y} is not uniform: ${first} at x = 0, ${c} at x = ${x}`;
            }
        }
    }
    // Node rows strictly between the plates, 30 ... 74 on this grid.
    const level = [];
    for (let j = 30; j <= 74; ++j) {
        const c = p.pixel(100, j * scale);
        level.push(c[0] - c[2]);
    }
    if (level[0] <= 0 || level[level.length - 1] >= 0) return `not red to blue: ${level}`;
    const rise = level.findIndex((v, k) => k > 0 && v > level[k - 1]);
    return rise > 0 ? `rises at node row ${30 + rise}: ${level}` : null;
}

test('Q shows the settled potential of the infinite capacitor, and the charge again', async () => {
    const program = await start(['o', 'v', 'l']);
    try {
        const plates = scenarios[0][1](nx, ny);
        await expectCharge(program, plates, 'charge');
        await program.keys(['q']);
        const settled = await program.watch((p) => capacitorPotentialFault(p) === null, 60000);
        assert.ok(settled.met, capacitorPotentialFault(settled.last));
        await program.keys(['q']);
        await expectCharge(program, plates, 'charge again');
    } finally {
        await program.close();
    }
});

test(
    'the parameter list: hidden it takes no keys; keypad plus raises the left boundary',
    async () => {
        const program = await start(['o', 'v', 'q']);
        try {
            await program.keys(['ArrowDown', 'ArrowDown', 'ArrowDown', 'NumpadAdd', 'p']);
            const listed = await program.watch((p) => p.count(isTextYellow, panel) > 500);
            assert.ok(listed.met, 'no parameter list');
            assert.equal(
                listed.last.count(showsColour), 0, 'keys of the hidden list changed the potential');

            // The fourth line, "Left boundary value", from 0 to 1: the left column holds the
            // largest potential, full red; the interior stays below it.
            await program.keys(['ArrowDown', 'ArrowDown', 'ArrowDown', 'NumpadAdd']);
            const area = leftEdge.width * leftEdge.height;
            const raised =
                await program.watch((p) => p.count((c) => sameColour(c, red), leftEdge) === area);
            assert.ok(raised.met, `left edge at ${raised.last.pixel(0, 200)}`);
            const next = raised.last.pixel(scale, 200);
            assert.ok(
                next[0] > 0 && next[0] < 255 && next[1] === 0 && next[2] === 0,
                `next column at ${next}`);
            assert.deepEqual(raised.last.pixel(199, 200), [0, 0, 0], 'right edge');
            assert.deepEqual(program.errors, []);
        } finally {
            await program.close();
        }
    });

test('the frame-rate text at the top right reads "<n> FPS"', async () => {
    const program = await target.open(['1', '300', '300'], {width: 600, height: 600});
    try {
        const fps = await readFrameRate(program, 300);
        assert.ok(fps.value > 0, `read ${fps.text}`);
        console.log(`frame rate read on a 300 x 300 grid: ${fps.text}`);
    } finally {
        await program.close();
    }
});
