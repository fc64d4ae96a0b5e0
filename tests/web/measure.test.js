// The measuring tools in the browser, one page per tool, as the desktop's end-to-end tests check
// them: the equipotentials of the infinite capacitor (C), the probe's read-out and the marker of
// its reference (M, R), the cross-section graph through the row and then the column (G).
'use strict';

const assert = require('node:assert/strict');
const {after, before, test} = require('node:test');
const {WebTarget, area, isTextYellow} = require('./lib/program');

// 200 x 150 nodes at two pixels a node: a 400 x 300 canvas, room enough for the graph. The
// capacitor's plates lie across rows 38 to 42 and 112 to 116.
const grid = ['2', '200', '150'];
const scale = 2;
const help = area(20, 20, 150, 200);
const between = area(0, 43 * scale, 400, 69 * scale);

const isMarker = (c) => c[0] > 200 && c[1] < 120 && c[2] > 200;
const isPhiCurve = (c) => c[0] > 200 && c[1] > 80 && c[1] < 140 && c[2] < 90;
const isFieldCurve = (c) => c[0] < 150 && c[1] > 170 && c[2] > 220;
const isLevelLine = (c) => c[1] > 200 && c[0] < 150 && c[2] < 150;
const isZeroLine = (c) => c[0] < 60 && c[1] > 200 && c[2] > 220;

function rowsWith(picture, within, kind) {
    const rows = new Set();
    for (let y = within.top; y < within.top + within.height; ++y) {
        for (let x = within.left; x < within.left + within.width; ++x) {
            if (kind(picture.pixel(x, y))) rows.add(y);
        }
    }
    return rows;
}

// The infinite capacitor loaded; the help, the brush outline and the arrows off.
async function start(pointer) {
    const program = await target.open(grid, {width: 800, height: 600});
    const shown = await program.watch((p) => p.count(isTextYellow, help) > 300);
    assert.ok(shown.met, 'no help text seen');
    await program.keys(['o', 'v', 'l', 'h']);
    const hidden = await program.watch((p) => p.count(isTextYellow, help) === 0);
    assert.ok(hidden.met, 'the help is still shown');
    await program.moveTo(pointer.x, pointer.y);
    return program;
}

let target;
before(async () => {
    target = await WebTarget.start();
});
after(async () => {
    await target.stop();
});

test('C draws the capacitor\'s levels as evenly spaced rows and hides them again', async () => {
    const program = await start({x: 390, y: 10});
    await program.keys(['c']);
    // Rows crossed from side to side by a line, the middle one the zero level.
    const levels = (p) => [...rowsWith(p, between, (c) => isLevelLine(c) || isZeroLine(c))]
        .filter((y) => {
            let n = 0;
            for (let x = 0; x < 400; ++x) n += isLevelLine(p.pixel(x, y)) || isZeroLine(p.pixel(x, y));
            return n > 380;
        });
    const evenlySpaced = (p) => {
        const rows = levels(p);
        if (rows.length < 4) return false;
        const gap = rows[1] - rows[0];
        return rows.every((y, k) => k < 2 || Math.abs(y - rows[k - 1] - gap) <= 1) &&
            isZeroLine(p.pixel(200, rows[Math.trunc(rows.length / 2)]));
    };
    const shown = await program.watch((p) => evenlySpaced(p) &&
        p.count(isTextYellow, area(100, 220, 300, 30)) > 200);
    assert.ok(shown.met, `levels at rows ${levels(shown.last)}`);
    await program.keys(['c']);
    const hidden = await program.watch((p) => p.count(isLevelLine) === 0 && p.count(isZeroLine) === 0);
    assert.ok(hidden.met, 'lines still shown');
});

test('M shows the probe\'s read-out, R pins its reference, M hides both', async () => {
    const program = await start({x: 100, y: 60});
    const readout = area(0, 132, 400, 100);
    await program.keys(['m']);
    const shown = await program.watch((p) => p.count(isTextYellow, readout) > 400);
    assert.ok(shown.met, 'no read-out beside the pointer');
    await program.keys(['r']);
    await program.moveTo(60, 20);
    // The ring about node (50, 30), whose pixel's centre is (101, 61).
    const pinned = await program.watch((p) => p.count(isMarker, area(90, 50, 22, 22)) > 20);
    assert.ok(pinned.met, 'no marker at the reference');
    assert.ok(isMarker(pinned.last.pixel(106, 61)) && !isMarker(pinned.last.pixel(101, 61)));
    await program.keys(['m']);
    const off = await program.watch((p) => p.count(isMarker) === 0 &&
        p.count(isTextYellow, area(40, 92, 340, 150)) === 0);
    assert.ok(off.met, 'read-out or marker still shown');
});

test('G plots the row under the pointer, then its column, then nothing', async () => {
    const program = await start({x: 200, y: 150});
    const curves = area(0, 172, 400, 78);
    await program.keys(['g']);
    // Along a row the capacitor's potential is constant: one level line.
    const row = await program.watch((p) =>
        p.count(isPhiCurve, curves) > 300 && rowsWith(p, curves, isPhiCurve).size <= 3);
    assert.ok(row.met, `phi curve over ${rowsWith(row.last, curves, isPhiCurve).size} rows`);
    await program.keys(['g']);
    const column = await program.watch((p) => rowsWith(p, curves, isPhiCurve).size > 40 &&
        rowsWith(p, curves, isFieldCurve).size > 40);
    assert.ok(column.met, 'the column\'s curves do not span the graph');
    await program.keys(['g']);
    const off = await program.watch((p) => p.count(isPhiCurve, curves) === 0 &&
        p.count(isFieldCurve, curves) === 0);
    assert.ok(off.met, 'the graph is still shown');
});
