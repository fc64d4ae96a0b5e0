// The page on touch screens, with touch emulated through the DevTools protocol: a finger paints
// under it, on a tablet's viewport and on a phone's, where the canvas is shown scaled down; the
// touch control makes it paint negative charge, or measure, moving the pointer and painting
// nothing; a drag on the canvas does not scroll the page; with the bar's keys it paints metal
// and erases it; every on-screen key does what its key does, and Tab reaches them all.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {after, before, test} = require('node:test');
const {ChargeModel, hatchGrey} = require('./lib/charge');
const {WebTarget, area, defaultWait, isTextYellow, sameColour, sleep} = require('./lib/program');
const {cursorReadoutIn, digitTemplates} = require('./lib/text');

const tablet = Object.freeze({width: 1024, height: 768, hasTouch: true, isMobile: true});
const phone = Object.freeze({width: 390, height: 844, hasTouch: true, isMobile: true});
const help = area(20, 80, 160, 190);  // filled by the help text of a 400 x 400 canvas
const radius = 25;                    // the brush's at start

let target;
before(async () => {
    target = await WebTarget.start();
});
after(async () => {
    await target.stop();
});

// The centre of an element of the page, in CSS pixels of the viewport.
async function centreOf(program, selector) {
    const box = await program.page.$eval(selector, (e) => {
        const r = e.getBoundingClientRect();
        return {x: r.left + r.width / 2, y: r.top + r.height / 2};
    });
    return box;
}

// A tap on the bar's button of a key, by its DOM code ('KeyF').
async function tapKey(program, code) {
    const at = await centreOf(program, `button[data-input="key:${code}"]`);
    await program.page.touchscreen.tap(at.x, at.y);
}

// A tap on one of the touch control's choices, by its id.
async function choose(program, id) {
    const at = await centreOf(program, `#${id}`);
    await program.page.touchscreen.tap(at.x, at.y);
    assert.ok(await program.evaluate((i) => document.getElementById(i).checked, id),
              `the tap did not choose ${id}`);
}

async function waitForHelp(program) {
    const shown = await program.watch((p) => p.count(isTextYellow, help) > 300);
    assert.ok(shown.met, 'no help text seen');
}

// The first pixel of an area that differs from the model, the read-out beside the finger at
// node n left out; null when none does.
function chargeMismatch(picture, model, within, n) {
    const readout = area(n.x + 18, n.y + 18, 100, 50);
    const inside = (a, x, y) =>
        x >= a.left && y >= a.top && x < a.left + a.width && y < a.top + a.height;
    for (let y = within.top; y < within.top + within.height; ++y) {
        for (let x = within.left; x < within.left + within.width; ++x) {
            if (inside(readout, x, y)) continue;
            const want = model.pixel(x, y);
            const got = picture.pixel(x, y);
            if (!sameColour(got, want)) return `pixel (${x},${y}) is ${got}, expected ${want}`;
        }
    }
    return null;
}

// The area a disc of the brush at node n may cover, and a margin.
function discArea(n) {
    const r = radius + 3;
    return area(n.x - r, n.y - r, 2 * r + 1, 2 * r + 1);
}

// The window pixel under a point of the viewport, on the 400 x 400 canvas as it is shown.
function nodeUnder(box, at) {
    return {
        x: Math.floor((at.x - box.x) * 400 / box.width),
        y: Math.floor((at.y - box.y) * 400 / box.height),
    };
}

// A finger held at a point of the viewport until the disc under it shows, then lifted. The
// window pixel under the finger is its place on the canvas as shown, taken back through the
// scale the canvas is shown at. stamp(node) paints the disc into the model; resolves to the
// node.
async function touchAndHold(program, model, at, stamp, what) {
    const box = await program.canvasBox();
    // Whole CSS pixels, as a finger's position is reported.
    at = {x: Math.round(at.x), y: Math.round(at.y)};
    const n = nodeUnder(box, at);
    stamp(n);
    await program.page.touchscreen.touchStart(at.x, at.y);
    const mismatch = (p) => chargeMismatch(p, model, discArea(n), n);
    const watch = await program.watch((p) => mismatch(p) === null);
    await program.page.touchscreen.touchEnd();
    assert.ok(watch.met, `${what}: ${mismatch(watch.last)}`);
    return n;
}

for (const [name, viewport, shownWidth] of [['tablet', tablet, 400], ['phone', phone, 374]]) {
    test(`${name}: a finger paints under it, the touch control makes it negative, a drag on the ` +
             'canvas does not scroll the page',
         async () => {
             const program = await target.open([], viewport);
             try {
                 await waitForHelp(program);
                 const box = await program.canvasBox();
                 assert.deepEqual([box.width, box.height], [shownWidth, shownWidth],
                                  'the canvas as shown');
                 await program.keys(['b', 'o', 'v', 'h']);
                 const model = new ChargeModel(400, 400);
                 const hard = (value) => (n) => model.hardStamp(n.x, n.y, radius, value);
                 const point = (fx, fy) => ({x: box.x + fx * box.width, y: box.y + fy * box.height});
                 await touchAndHold(program, model, point(0.3, 0.55), hard(1), 'positive');
                 await choose(program, 'touch-negative');
                 await touchAndHold(program, model, point(0.7, 0.55), hard(-1), 'negative');

                 // Room below the page, so that a scroll would show.
                 await program.evaluate(() => { document.body.style.paddingBottom = '2000px'; });
                 const from = point(0.5, 0.8);
                 await program.page.touchscreen.touchStart(from.x, from.y);
                 for (let k = 1; k <= 10; ++k)
                     await program.page.touchscreen.touchMove(from.x - 5 * k, from.y - 30 * k);
                 await program.page.touchscreen.touchEnd();
                 await sleep(300);
                 const view = await program.evaluate(
                     () => [window.scrollX, window.scrollY, window.visualViewport.scale]);
                 assert.deepEqual(view, [0, 0, 1], 'scrolled or zoomed: x, y, scale');
                 assert.deepEqual(program.errors, []);
                 if (name === 'tablet') await saveScreenshot(program);
             } finally {
                 await program.close();
             }
         });
}

test('tablet: a finger that measures takes the pointer and its read-out along and paints nothing',
     async () => {
         const program = await target.open([], tablet);
         try {
             await waitForHelp(program);
             // The hard brush: a button held by mistake would paint a whole disc at once.
             await program.keys(['b', 'o', 'v', 'h']);
             assert.ok((await program.watch((p) => p.count(isTextYellow, help) === 0)).met,
                       'the help is still shown');
             const templates = await digitTemplates(program);
             await choose(program, 'touch-measures');
             const box = await program.canvasBox();
             const at = (x, y) => ({x: Math.round(box.x + x), y: Math.round(box.y + y)});
             const from = at(120, 160);
             const to = at(230, 240);
             await program.page.touchscreen.touchStart(from.x, from.y);
             for (let k = 1; k <= 10; ++k) {
                 const x = from.x + ((to.x - from.x) * k) / 10;
                 const y = from.y + ((to.y - from.y) * k) / 10;
                 await program.page.touchscreen.touchMove(Math.round(x), Math.round(y));
             }
             const n = nodeUnder(box, to);
             const readout = (p) => cursorReadoutIn(p, n, templates);
             const watch =
                 await program.watch((p) => readout(p)?.x === n.x && readout(p)?.y === n.y);
             // The finger still held: the whole stroke, a brush's radius around it, uncharged.
             const start = nodeUnder(box, from);
             const stroke = area(start.x - radius - 3, start.y - radius - 3,
                                 n.x - start.x + 2 * radius + 7, n.y - start.y + 2 * radius + 7);
             assert.equal(chargeMismatch(watch.last, new ChargeModel(400, 400), stroke, n), null,
                          'the measuring finger painted');
             assert.ok(watch.met, `the read-out beside node ${n.x}, ${n.y} reads ` +
                                      JSON.stringify(readout(watch.last)));
             // The probe's read-out follows the finger too, below the pointer's own (too wide
             // for the finger's right, it stands at the canvas's left edge).
             await program.keys(['m']);
             const probe =
                 await program.watch((p) => p.count(isTextYellow, area(0, 312, 400, 45)) > 300);
             assert.ok(probe.met, 'no probe read-out below the measuring finger');
             await program.page.touchscreen.touchEnd();
             assert.deepEqual(program.errors, []);
         } finally {
             await program.close();
         }
     });

test('tablet: after F and ] on the bar a finger paints metal at +0.005, the control\'s right ' +
         'at -0.005; the potential layer shows both; the eraser removes metal',
     async () => {
         const program = await target.open([], tablet);
         try {
             await waitForHelp(program);
             // The outline, the arrows and the help hidden; metal, three steps up from 0.
             for (const key of ['KeyO', 'KeyV', 'KeyH', 'KeyF', ...Array(3).fill('BracketRight')])
                 await tapKey(program, key);
             const box = await program.canvasBox();
             const point = (fx, fy) => ({x: box.x + fx * box.width, y: box.y + fy * box.height});
             const model = new ChargeModel(400, 400);
             const metal = (sign) => (n) => model.metalStamp(n.x, n.y, radius, sign);
             // The hatch's grey on every sixth diagonal of the disc, red on its rim, black inside.
             const plusAt = point(0.3, 0.55);
             const plus = await touchAndHold(program, model, plusAt, metal(1), 'metal at +V');
             await choose(program, 'touch-negative');
             const minus =
                 await touchAndHold(program, model, point(0.7, 0.55), metal(-1), 'metal at -V');
             // Both held at the symmetric range's ends: full red and full blue between the lines.
             await tapKey(program, 'KeyQ');
             await program.park();
             const potentialMismatch = (p) => {
                 for (const [n, colour] of [[plus, [255, 0, 0]], [minus, [0, 0, 255]]]) {
                     let found = null;
                     model.disc(n.x, n.y, radius, (x, y) => {
                         const want = (x + y) % 6 === 0 ? hatchGrey : colour;
                         if (!found && !sameColour(p.pixel(x, y), want))
                             found = `pixel (${x},${y}) is ${p.pixel(x, y)}, expected ${want}`;
                     });
                     if (found) return found;
                 }
                 return null;
             };
             const potential = await program.watch((p) => potentialMismatch(p) === null);
             assert.ok(potential.met, `potential: ${potentialMismatch(potential.last)}`);
             await tapKey(program, 'KeyQ');
             await tapKey(program, 'KeyE');
             // Erased with the right button: the hatch and the induced charge gone.
             await touchAndHold(program, model, plusAt, metal(0), 'erased');
             assert.deepEqual(program.errors, []);
         } finally {
             await program.close();
         }
     });

// The README's picture of the page on a tablet, redrawn on every run (in the build folder, and
// where QUELVANE_WEB_SCREENSHOTS names a folder, there too): the dipole, loaded with the
// on-screen keys, its potential and field, after a stroke of each sign.
async function saveScreenshot(program) {
    await program.keys(['v', 'h', 'o']);
    for (const key of ['KeyK', 'KeyK', 'KeyK', 'KeyL', 'KeyQ'])
        await tapKey(program, key);
    await program.park();
    await sleep(3000);
    const folders = [path.join(process.env.QUELVANE_WEB_DIR, 'tests', 'web', 'out'),
                     process.env.QUELVANE_WEB_SCREENSHOTS].filter(Boolean);
    for (const folder of folders) {
        fs.mkdirSync(folder, {recursive: true});
        await program.page.screenshot({path: path.join(folder, 'web-tablet.png')});
    }
}

// One row per on-screen key, by its accessible name, with how the keyboard or the mouse does
// the same, in an order where each shows in the picture: the outline first, with the pointers
// over the canvas, where both pages keep them (the keyboard's for the wheel), the preset keys before the help hides their text, the arrows hidden before
// a scenario makes the field relax, the metal brush on before its potential steps, which the
// brush's text then shows. The parameter list's Left and Right change nothing seen,
// since no parameter has elements: their rows still show that the button does nothing else.
const overCanvas = {x: 60, y: 150};
function key(name, domKey) { return {name, domKey}; }
function wheel(name, notches) { return {name, notches}; }
const keyRows = [
    key('O: show/hide brush outline', 'o'),
    key('J: select previous preset', 'j'),
    key('K: select next preset', 'k'),
    key('V: show/hide electric field', 'v'),
    key('L: load selected preset', 'l'),
    key('N: normalize electric vectors on/off', 'n'),
    key('H: show/hide help', 'h'),
    key('Q: switch between charges and potential', 'q'),
    key('B: hardbrush on/off', 'b'),
    key('E: eraser on/off', 'e'),
    key('F: metal brush on/off', 'f'),
    key('Right bracket: metal potential up', ']'),
    key('Left bracket: metal potential down', '['),
    wheel('Wheel up: brush larger', 1),
    wheel('Wheel down: brush smaller', -1),
    key('P: show/hide parameter list', 'p'),
    key('Down arrow: select next parameter', 'ArrowDown'),
    key('Keypad plus: increase value', 'NumpadAdd'),
    key('Keypad minus: decrease value', 'NumpadSubtract'),
    key('Page up: step times 10', 'PageUp'),
    key('Page down: step divided by 10', 'PageDown'),
    key('Up arrow: select previous parameter', 'ArrowUp'),
    key('Right arrow: next element', 'ArrowRight'),
    key('Left arrow: previous element', 'ArrowLeft'),
];

// The rows above, then each row of the module's key table that they do not name (a key added to
// a table since), pressed as the table says.
function rowsToPress(table) {
    const known = new Set(keyRows.map((r) => r.name));
    const added = table.map((r) => ({...r, label: `${r.name}: ${r.effect}`}))
                      .filter((r) => !known.has(r.label))
                      .map((r) => (r.wheel !== undefined ? wheel(r.label, r.wheel)
                                                         : key(r.label, r.code)));
    return [...keyRows, ...added];
}

// The frame rate, in the top right corner, differs between two pages.
const frameRate = {width: 150, height: 48};

// A relaxed potential never stops changing in its last bits: over-relaxation keeps stepping
// between neighbouring values, so its colours flicker by a unit. Texts, layers and the outline
// differ by far more.
function near(a, b) { return a.every((c, k) => Math.abs(c - b[k]) <= 2); }

function difference(a, b) {
    if (a.width !== b.width || a.height !== b.height) return `sizes ${a.width}, ${b.width}`;
    for (let y = 0; y < a.height; ++y) {
        for (let x = 0; x < a.width; ++x) {
            if (x >= a.width - frameRate.width && y < frameRate.height) continue;
            if (!near(a.pixel(x, y), b.pixel(x, y)))
                return `pixel (${x},${y}) is ${a.pixel(x, y)} by key, ${b.pixel(x, y)} by button`;
        }
    }
    return null;
}

// Resolves to null once both pages show the same picture (their potentials relax at their own
// pace to the same values), or to the last difference.
async function sameScreens(byKeys, byButtons) {
    const end = Date.now() + defaultWait;
    for (;;) {
        const d = difference(await byKeys.picture(), await byButtons.picture());
        if (d === null || Date.now() > end) return d;
        await sleep(50);
    }
}

async function pressBoth(byKeys, byButtons, row, buttons) {
    if (row.notches !== undefined) {
        await byKeys.wheel(row.notches);
    } else {
        await byKeys.keys([row.domKey]);
    }
    const at = buttons.get(row.name);
    assert.ok(at, `no button named '${row.name}'`);
    await byButtons.page.touchscreen.tap(at.x, at.y);
    // The tap took the mouse pointer to the button, and the read-out beside the pointer with it.
    await byButtons.moveTo(overCanvas.x, overCanvas.y);
}

// The centre of each row's button of the bar, by its accessible name, found in the page's
// accessibility tree.
async function buttonsOf(program, rows) {
    const buttons = new Map();
    for (const row of rows) {
        const button = await program.page.$(`aria/${row.name}`);
        if (!button) continue;
        const box = await button.boundingBox();
        buttons.set(row.name, {x: box.x + box.width / 2, y: box.y + box.height / 2});
    }
    return buttons;
}

// The bar is built in the page from the module's table, the same in both forms the page ships in;
// two pages side by side are slow to drive, so this runs on the served folder only.
const onePageForm = {skip: process.env.QUELVANE_WEB_TARGET === 'file' && 'run on the served folder'};
test('tablet: every on-screen key does what its key does; Tab reaches them all', onePageForm,
     async () => {
    // A small grid, whose potential settles within moments, at ten pixels a node: a canvas of
    // 200 x 200 pixels, quick to draw and to read back while two pages run side by side.
    const grid = ['10', '20', '20'];
    const byKeys = await target.open(grid, tablet, {ownWindow: true});
    const byButtons = await target.open(grid, tablet, {ownWindow: true});
    try {
        for (const program of [byKeys, byButtons]) {
            await waitForHelp(program);
            await program.moveTo(overCanvas.x, overCanvas.y);
        }
        const names = await byButtons.page.$$eval(
            '#keys button', (buttons) => buttons.map((b) => b.getAttribute('aria-label')));
        const table = await byButtons.evaluate(
            () => JSON.parse(Module.UTF8ToString(Module._quelvane_key_table())));
        assert.deepEqual(names, table.map((r) => `${r.name}: ${r.effect}`), 'the bar, by the table');
        const rows = rowsToPress(table);
        assert.deepEqual([...names].sort(), rows.map((r) => r.name).sort(), 'the bar');

        const buttons = await buttonsOf(byButtons, rows);
        for (const row of rows) {
            await pressBoth(byKeys, byButtons, row, buttons);
            assert.equal(await sameScreens(byKeys, byButtons), null, row.name);
        }

        // From the canvas, Tab goes to the touch control, then through the bar in its order.
        await byButtons.evaluate(() => document.getElementById('canvas').focus());
        const visited = [];
        for (let k = 0; k <= names.length; ++k) {
            await byButtons.page.keyboard.press('Tab');
            visited.push(await byButtons.evaluate(
                () => document.activeElement.getAttribute('aria-label') ||
                      document.activeElement.id));
        }
        assert.deepEqual(visited, ['touch-positive', ...names], 'the Tab order');
        assert.deepEqual([...byKeys.errors, ...byButtons.errors], []);
    } finally {
        await byKeys.close();
        await byButtons.close();
    }
});
