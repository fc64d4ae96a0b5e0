// Painting with the mouse in the browser: both buttons with the hard brush and the eraser, the
// soft brush held still, the wheel, and the focus rule; every check compares the charge layer
// pixel by pixel with what the strokes must leave. No context menu opens over the canvas and
// the wheel does not scroll the page.
'use strict';

const assert = require('node:assert/strict');
const {after, before, test} = require('node:test');
const {ChargeModel} = require('./lib/charge');
const {WebTarget, area, isTextYellow, sameColour} = require('./lib/program');

// A 300 x 300 canvas at scale 1 and 2. With the help hidden, only these bands are free of
// overlay texts: above the top-right texts, and between them and the bottom lines.
const side = 300;
const startRadius = 25;
const bands = [
    area(0, 0, side, 18),
    area(0, 80, side, 176),
];
const help = area(0, 80, 180, 170);
// A viewport lower than the page, so that a wheel which scrolled the page would show.
const viewport = Object.freeze({width: 700, height: 340});

// The read-out of the node under the pointer stands 20 pixels right of and below it.
function readoutArea(pointer) { return area(pointer.x + 18, pointer.y + 18, 100, 50); }

function inside(a, x, y) {
    return x >= a.left && y >= a.top && x < a.left + a.width && y < a.top + a.height;
}


class Canvas {
    constructor(program, scale) {
        this.program = program;
        this.scale = scale;
        this.model = new ChargeModel(side / scale, side / scale);
    }

    node(p) { return {x: Math.trunc(p.x / this.scale), y: Math.trunc(p.y / this.scale)}; }

    // The first pixel of the text-free bands that differs from the model, the read-out beside
    // a pointer over the canvas left out; null when none does.
    mismatch(picture, pointer) {
        for (const b of bands) {
            for (let y = b.top; y < b.top + b.height; ++y) {
                for (let x = b.left; x < b.left + b.width; ++x) {
                    if (pointer && inside(readoutArea(pointer), x, y)) continue;
                    const want =
                        this.model.colour(Math.trunc(x / this.scale), Math.trunc(y / this.scale));
                    const got = picture.pixel(x, y);
                    if (!sameColour(got, want))
                        return `pixel (${x},${y}) is ${got}, expected ${want}`;
                }
            }
        }
        return null;
    }

    async expectCharge(what, pointer = null) {
        const watch = await this.program.watch((p) => this.mismatch(p, pointer) === null);
        assert.ok(watch.met, `${what}: ${this.mismatch(watch.last, pointer)}`);
    }

    // One hard-brush or eraser stroke held still at a point until the disc shows.
    async stroke(p, button, radius, value, what) {
        const n = this.node(p);
        this.model.hardStamp(n.x, n.y, radius, value);
        await this.program.moveTo(p.x, p.y);
        await this.program.press(button);
        await this.expectCharge(what, p);
        await this.program.release(button);
        await this.program.park();
    }
}

// Opens the canvas, waits for the help, then hides what would cover the charge (outline,
// field, help) after the given keys.
async function open(scale, keys) {
    const n = side / scale;
    const program = await target.open([String(scale), String(n), String(n)], viewport);
    const shown = await program.watch((p) => p.count(isTextYellow, help) > 300);
    assert.ok(shown.met, 'no help text seen');
    await program.park();
    await program.keys([...keys, 'o', 'v', 'h']);
    const hidden = await program.watch((p) => p.count(isTextYellow, help) === 0);
    assert.ok(hidden.met, 'the help is still shown');
    // Whether the page let a context menu open: the event's default left undone.
    await program.evaluate(() => {
        window.quelvaneTestMenus = 0;
        window.addEventListener('contextmenu', (e) => {
            if (!e.defaultPrevented) ++window.quelvaneTestMenus;
        });
    });
    return {program, canvas: new Canvas(program, scale)};
}

let target;
before(async () => {
    target = await WebTarget.start();
});
after(async () => {
    await target.stop();
});

for (const scale of [1, 2]) {
    test(`scale ${scale}: hard brush and eraser with either button`, async () => {
        const {program, canvas} = await open(scale, ['b']);
        try {
            await canvas.expectCharge('empty');
            await canvas.stroke({x: 120, y: 150}, 'left', startRadius, 1, 'positive');
            // The second disc overlaps the first: the later stroke wins where they meet.
            await canvas.stroke({x: 185, y: 185}, 'right', startRadius, -1, 'negative');
            await program.keys(['e']);
            await canvas.stroke(
                {x: 130, y: 155}, 'left', startRadius, 0, 'erased with the left button');
            await canvas.stroke(
                {x: 180, y: 195}, 'right', startRadius, 0, 'erased with the right button');
            await canvas.expectCharge('erased');
            assert.equal(
                await program.evaluate(() => window.quelvaneTestMenus), 0, 'a context menu opened');
            assert.deepEqual(program.errors, []);
        } finally {
            await program.close();
        }
    });

    test(
        `scale ${scale}: the wheel changes the brush radius and leaves the page unscrolled`,
        async () => {
            const {program, canvas} = await open(scale, ['b']);
            try {
                await program.moveTo(60, 200);
                await program.wheel(-10);
                await canvas.stroke({x: 80, y: 130}, 'left', startRadius - 10, 1, 'smaller');
                await program.moveTo(60, 200);
                await program.wheel(20);
                await canvas.stroke({x: 190, y: 170}, 'right', startRadius + 10, -1, 'larger');
                const scrolled = await program.evaluate(() => [window.scrollX, window.scrollY]);
                assert.deepEqual(scrolled, [0, 0], 'the page scrolled');
                assert.ok(
                    await program.evaluate(
                        () => document.documentElement.scrollHeight > window.innerHeight),
                    'the page is higher than the viewport, so a scroll would show');
            } finally {
                await program.close();
            }
        });
}

test('the soft brush held still fills its disc up to full charge', async () => {
    const {program, canvas} = await open(2, []);
    try {
        const p = {x: 150, y: 165};
        const n = canvas.node(p);
        canvas.model.hardStamp(n.x, n.y, startRadius, 1);
        await program.moveTo(p.x, p.y);
        await program.press('left');
        // The centre fills first; a frame seen with a partly filled centre shows a soft brush.
        const centre = await program.watch((pic) => pic.pixel(p.x, p.y)[0] > 0);
        assert.ok(centre.met, 'nothing painted');
        await canvas.expectCharge('saturated', p);
        await program.release('left');
    } finally {
        await program.close();
    }
});

test(
    'a click on the canvas gives it the focus; a held button paints only while it has it',
    async () => {
        const {program, canvas} = await open(2, ['b']);
        const focused = () =>
            program.evaluate(() => document.activeElement === document.querySelector('canvas'));
        try {
            // A click on the page below the canvas takes the focus off it; one on the canvas gives
            // it back, and the press paints.
            await program.moveTo(150, side + 20);
            await program.press('left');
            await program.release('left');
            assert.ok(!(await focused()), 'the canvas kept the focus');
            const first = {x: 100, y: 165};
            const n = canvas.node(first);
            canvas.model.hardStamp(n.x, n.y, startRadius, 1);
            await program.moveTo(first.x, first.y);
            await program.press('left');
            await canvas.expectCharge('painted on the click', first);
            assert.ok(await focused(), 'the click did not give the canvas the focus');

            // The button held while the canvas loses the focus: the read-out follows the pointer,
            // so frames run, but nothing more is painted until the focus is back.
            await program.evaluate(() => document.querySelector('canvas').blur());
            const heldAt = {x: 200, y: 120};
            await program.moveTo(heldAt.x, heldAt.y);
            const held =
                await program.watch((p) => p.count(isTextYellow, readoutArea(heldAt)) > 20);
            assert.ok(held.met, 'no frame seen with the pointer moved');
            assert.equal(canvas.mismatch(held.last, heldAt), null, 'painted without the focus');
            await program.evaluate(() => document.querySelector('canvas').focus());
            const h = canvas.node(heldAt);
            canvas.model.hardStamp(h.x, h.y, startRadius, 1);
            await canvas.expectCharge('painted with the focus back', heldAt);
            await program.release('left');
            assert.deepEqual(program.errors, []);
        } finally {
            await program.close();
        }
    });
