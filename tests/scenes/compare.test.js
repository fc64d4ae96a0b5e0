// The web layer held to Debian's SFML: each scene of the scene program (scenes.cpp), drawn by the
// desktop build under the test's X display and by the web build in headless Chromium, compared
// pixel by pixel.
//
//   QUELVANE_NATIVE_SCENES     the desktop scene program
//   QUELVANE_SCENES_FONT_DIR   a folder with courier.ttf, the desktop program's working directory
//   QUELVANE_WEB_DIR           the folder of the web scene program's page (served, as tests/web)
//   QUELVANE_SCENES_OUT        where each scene's desktop, web and difference pictures are written
//
// A tolerance counts the pixels lit (not black) in one picture only (`apart`: a pixel of a line
// or an edge placed a row or column away shows as two), the pixels lit in both whose colours
// differ, and the largest difference of a channel (0 .. 255) among those; zero where the two draw
// the same pixels. Each scene's differing pixels are written as pictures (QUELVANE_SCENES_OUT) and
// listed in the test's output.
'use strict';

const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const {after, before, test} = require('node:test');
const {Picture, WebTarget} = require('../web/lib/program');

const exact = {
    apart: 0,
    pixels: 0,
    channel: 0
};
// Glyphs: the same FreeType 2.12.1 from Debian's source, built for the web with SSE2 so that its
// rasteriser flattens curves the desktop's way (scripts/web.sh), gives the same pixels.
const glyphs = exact;
// Triangle edges. Outline vertices are the same floats on both sides, but each GL rasteriser
// snaps them to its own subpixel grid: every pixel of the brush scene in one picture only has
// its centre within 0.025 pixel of an edge of the outline's triangles (20 of 1096 measured).
const edges = {
    apart: 24,
    pixels: 0,
    channel: 0
};

// Each scene's name in scenes.cpp and its tolerance.
const scenes = [
    {name: 'charge', tolerance: exact},
    {name: 'potential', tolerance: exact},
    // Arrows of a quadrupole, measured: 8 of 4202 pixels one level apart, as many up as down: the
    // rounding of a colour mixed along a line and blended, which each GL implementation does its
    // own way (at (524, 289) the mix is exactly 216.5 levels; the desktop gives 216, the web 217).
    {name: 'arrows', tolerance: {apart: 0, pixels: 16, channel: 1}},
    // Equal-length arrows of a monopole, measured: 26 of 19629 pixels lit in one picture only,
    // every one where a line crosses the centre line of its row or column within 0.0013 pixel of
    // the boundary between two pixels. The layer takes the pixel the unrounded ends give; the
    // desktop's driver rounds the ends to its subpixel grid first and may take the other: 16
    // pixels of 8 sloping lines, and 10 at the top and bottom of the centre column, whose lines
    // lie within 0.0003 pixel of x = 400 and overlap there, so that the desktop lights column 399
    // too. Pixels lit in both: 55 of that column take another overlapping line's colour (1 to 6
    // levels apart), and 17 elsewhere are one level apart, colours mixed as in 'arrows'.
    {name: 'arrows-equal', tolerance: {apart: 32, pixels: 80, channel: 6}},
    {name: 'brush', tolerance: edges},
    {name: 'help', tolerance: glyphs},
    {name: 'scenario-help', tolerance: glyphs},
    {name: 'selected-preset', tolerance: glyphs},
    {name: 'loaded-preset', tolerance: glyphs},
    {name: 'fps', tolerance: exact},
    {name: 'cursor', tolerance: exact},
    {name: 'brush-line', tolerance: glyphs},
    {name: 'layer', tolerance: glyphs},
    {name: 'panel', tolerance: glyphs},
];

const out = process.env.QUELVANE_SCENES_OUT;
// The window of every scene: a 200 x 150 grid at scale 4.
const windowSize = {
    width: 800,
    height: 600
};

function desktopScene(name) {
    const file = path.join(out, `${name}.desktop.ppm`);
    const stdout = execFileSync(
        process.env.QUELVANE_NATIVE_SCENES, [name, file],
        {cwd: process.env.QUELVANE_SCENES_FONT_DIR, encoding: 'utf8'});
    assert.match(stdout, new RegExp(`^scene drawn: ${name}$`, 'm'));
    return readPpm(fs.readFileSync(file));
}

// The scene program's binary PPM ("P6", width, height, 255, then RGB bytes) as a picture.
function readPpm(bytes) {
    const header = bytes.toString('latin1', 0, 32).match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
    assert.ok(header, 'not a binary PPM of 8-bit channels');
    const [width, height] = [Number(header[1]), Number(header[2])];
    const rgb = bytes.subarray(header[0].length);
    const rgba = Buffer.alloc(4 * width * height, 255);
    for (let k = 0; k < width * height; ++k)
        rgb.copy(rgba, 4 * k, 3 * k, 3 * k + 3);
    return new Picture(width, height, rgba);
}

function ppmOf(picture) {
    const rgb = Buffer.alloc(3 * picture.width * picture.height);
    for (let k = 0; k < picture.width * picture.height; ++k)
        picture.data.copy(rgb, 3 * k, 4 * k, 4 * k + 3);
    return Buffer.concat([Buffer.from(`P6\n${picture.width} ${picture.height}\n255\n`), rgb]);
}

async function webScene(target, name) {
    const page = await target.open([name], {width: 1000, height: 800});
    try {
        await page.waitForLine(`scene drawn: ${name}`);
        assert.deepEqual(page.errors, []);
        const picture = await page.picture();
        fs.writeFileSync(path.join(out, `${name}.web.ppm`), ppmOf(picture));
        return picture;
    } finally {
        await page.close();
    }
}

// The differing pixels. Those lit (not black) in one picture only, a line's or an edge's pixel
// placed a row or column apart, are counted apart from those lit in both, whose colours differ
// (by up to `channel`). A picture is written where the differing pixels are bright (magenta where
// lit in one only, green where the colour differs) on the desktop's picture dimmed to a quarter.
function compare(desktop, web) {
    const diff = new Picture(
        desktop.width, desktop.height, Buffer.alloc(4 * desktop.width * desktop.height));
    const found = {drawn: 0, apart: 0, pixels: 0, channel: 0, first: [], diff};
    const lit = (c) => c[0] > 0 || c[1] > 0 || c[2] > 0;
    for (let y = 0; y < desktop.height; ++y) {
        for (let x = 0; x < desktop.width; ++x) {
            const a = desktop.pixel(x, y);
            const b = web.pixel(x, y);
            const d = Math.max(...a.map((v, k) => Math.abs(v - b[k])));
            const k = 4 * (y * desktop.width + x);
            diff.data.set([a[0] >> 2, a[1] >> 2, a[2] >> 2], k);
            if (lit(a)) ++found.drawn;
            if (d === 0) continue;
            if (found.first.length < 12) found.first.push(`(${x}, ${y}) desktop ${a} web ${b}`);
            if (lit(a) !== lit(b)) {
                ++found.apart;
                diff.data.set([255, 0, 255], k);
            } else {
                ++found.pixels;
                found.channel = Math.max(found.channel, d);
                diff.data.set([0, 255, 0], k);
            }
        }
    }
    return found;
}

let target;
before(async () => {
    fs.mkdirSync(out, {recursive: true});
    target = await WebTarget.start();
});
after(async () => {
    await target?.stop();
});

for (const {name, tolerance} of scenes) {
    test(`scene ${name}: the web layer draws the desktop's pixels`, async () => {
        const desktop = desktopScene(name);
        const web = await webScene(target, name);
        assert.deepEqual([desktop.width, desktop.height], [windowSize.width, windowSize.height]);
        assert.deepEqual([web.width, web.height], [windowSize.width, windowSize.height]);
        const found = compare(desktop, web);
        fs.writeFileSync(path.join(out, `${name}.diff.ppm`), ppmOf(found.diff));
        const report = `${found.apart} pixels lit in one only, ${found.pixels} lit in both ` +
            `differ by up to ${found.channel}:\n  ${found.first.join('\n  ')}`;
        console.log(`${name}: ${report}`);
        // Two black pictures would agree: a font that neither side can read, say.
        assert.ok(found.drawn > 0, `${name}: the desktop drew nothing`);
        assert.ok(
            found.apart <= tolerance.apart && found.pixels <= tolerance.pixels &&
                found.channel <= tolerance.channel,
            `${name}: ${report}`);
    });
}
