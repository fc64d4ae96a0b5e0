// Start-up in the browser as a user meets it: the address's query as the command line, the
// viewport as the desktop's video mode, the report on the console and on the page, the canvas's
// size, the title and the focus; a grid the browser cannot show.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {after, before, test} = require('node:test');
const {WebTarget} = require('./lib/program');

// The usage text of a rejected command line, read from the one copy every test compares with.
function usageText() {
    const header = fs.readFileSync(path.join(__dirname, '../support/UsageText.hpp'), 'utf8');
    const body = header.slice(
        header.indexOf('usageText ='), header.indexOf(';', header.indexOf('usageText =')));
    return [...body.matchAll(/"((?:[^"\\]|\\.)*)"/g)]
        .map((m) => m[1].replace(/\\n/g, '\n'))
        .join('');
}

function report(c) {
    const mode = `${c.viewport.width}x${c.viewport.height}`;
    return `Domain size: ${c.nx}x${c.ny}\nDetected video mode: ${mode}\nScale set to ${
               c.scale}.\n` +
        `Render area size: ${c.nx * c.scale}x${c.ny * c.scale}\n`;
}

// The automatic scale comes from the viewport as on the desktop: 105 pixels of its height are
// kept free. A canvas the viewport cannot hold is shown at `shown` CSS pixels: scaled down to fit
// within the page's margins of 8 pixels.
function row(name, args, [width, height], nx, ny, scale, rejected = false, shown = undefined) {
    return {name, args, viewport: {width, height}, nx, ny, scale, rejected, shown};
}
const view960 = [960, 720];
const cases = [
    row('no arguments', [], view960, 400, 400, 1),
    row('scale alone, scaled down to fit', ['3'], view960, 400, 400, 3, false, [704, 704]),
    row('scale and grid', ['2', '300', '200'], view960, 300, 200, 2),
    row('automatic scale from the viewport', ['0', '800', '400'], [1600, 1000], 800, 400, 2),
    row('height one pixel short of scale two', [], [800, 904], 400, 400, 1),
    // Each word is URL-decoded: " 5" reads as 5, as on the desktop.
    row('URL-encoded leading blank', [' 5', '40', '30'], view960, 40, 30, 5),
    row('rejected scale', ['abc'], view960, 400, 400, 1, true),
    // What was read before the rejected word holds: the scale.
    row('rejected grid width after a good scale', ['2', 'abc', '600'], view960, 400, 400, 2, true,
        [704, 704]),
];

let target;
before(async () => {
    target = await WebTarget.start();
});
after(async () => {
    await target.stop();
});

for (const c of cases) {
    test(`start-up report, canvas and title: ${c.name}`, async () => {
        const program = await target.open(c.args, c.viewport);
        try {
            await program.waitForLine('Render area size:');
            const expected = '\n' + (c.rejected ? usageText() : '') + report(c);
            assert.equal(program.consoleOutput(), expected);
            assert.equal(await program.shownOutput(), expected);
            const page = await program.evaluate(() => {
                const canvas = document.querySelector('canvas');
                const r = canvas.getBoundingClientRect();
                return {
                    title: document.title,
                    size: [canvas.width, canvas.height, r.width, r.height],
                    focused: document.activeElement === canvas,
                    storage: document.cookie + localStorage.length + sessionStorage.length,
                };
            });
            const w = c.nx * c.scale;
            const h = c.ny * c.scale;
            assert.deepEqual(page.size, [w, h, ...(c.shown || [w, h])], 'canvas pixels and CSS pixels');
            assert.equal(page.title, `Quelvane ${process.env.QUELVANE_VERSION}`);
            assert.ok(page.focused, 'the canvas has the keyboard focus');
            assert.equal(page.storage, '00', 'no cookies, nothing stored');
            assert.deepEqual(program.errors, []);
            program.expectNoForeignRequests();
        } finally {
            await program.close();
        }
    });
}

test('a grid wider than WebGL can show ends with one line on the page and no frame', async () => {
    const program = await target.open(['1', '10000', '100']);
    try {
        const largest = await program.evaluate(
            () => document.createElement('canvas').getContext('webgl').getParameter(0x0d33));
        const line =
            'quelvane: cannot start: a grid of 10000x100 nodes is larger than the graphics driver can ' +
            `show (at most ${largest} nodes per side)`;
        await program.waitForLine(line);
        assert.equal(await program.shownErrors(), line + '\n', 'the message on the page');
        assert.deepEqual(program.errors, [`console error: ${line}`]);
        const drawn = await program.evaluate(() => document.querySelector('canvas').width);
        assert.equal(drawn, 0, 'the canvas was given a size');
    } finally {
        await program.close();
    }
});
