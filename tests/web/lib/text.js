// Reads the frame-rate text and the cursor read-out off the canvas. The overlay font is
// monospaced, 11 pixels a character, and texts stand at whole pixels, so one character looks the
// same wherever it is drawn on the same background: the program's own cursor read-out,
// "x = <i>", shows each digit at a known place and gives the templates both are matched against.
'use strict';

const {isTextYellow} = require('./program');

const advance = 11;
const linePitch = 20;
const cellHeight = 22;  // the next line's glyphs start lower still
const margin = 20;      // between the window's edges and the texts

// A character cell's pixels, its first and last columns left out: neighbouring glyphs may
// reach into them.
function cell(picture, left, top) {
    const pixels = [];
    for (let y = top; y < top + cellHeight; ++y) {
        for (let x = left + 1; x < left + advance - 1; ++x)
            pixels.push(picture.pixel(x, y).join(','));
    }
    return pixels.join(' ');
}

function blank(picture, left, top) {
    return picture.count(isTextYellow, {left, top, width: advance, height: cellHeight}) === 0;
}

// Digit templates from the read-out of nodes 0 ... 9 of row 100 (at scale 1), each on a canvas
// whose texts are hidden, over uncharged black. The read-out a frame draws beside the pointer is
// the text the frame before set, so the first frame with the pointer at a new node may still
// name the old one: the pointer first stops at node d of row 200, which makes the text
// "x = d", and only then moves to row 100, where any frame shows "x = d".
async function digitTemplates(program) {
    const templates = [];
    const y = 100;
    const detour = 200;
    for (let d = 0; d <= 9; ++d) {
        const left = d + margin + 4 * advance;
        await program.moveTo(d, detour);
        const away = await program.watch(
            (p) => blank(p, left, y + margin) && !blank(p, left, detour + margin));
        await program.moveTo(d, y);
        // "x = d": the digit is the fifth character.
        const seen = await program.watch((p) => !blank(p, left, y + margin));
        if (!away.met || !seen.met) throw new Error(`no read-out of node ${d}`);
        templates.push(cell(seen.last, left, y + margin));
    }
    await program.park();
    // Ten different digits; two alike would read one digit as the other.
    if (new Set(templates).size !== templates.length) throw new Error('digit templates alike');
    return templates;
}

// The frame-rate text "<n> FPS", right-aligned at the top right of a canvas `width` pixels
// wide: null while it reads otherwise.
function frameRateIn(picture, width, templates) {
    for (let length = 5; length <= 10; ++length) {
        const left = width - margin - advance * length;
        let digits = '';
        for (let k = 0; k < length - 4; ++k) {
            const d = templates.indexOf(cell(picture, left + k * advance, margin));
            if (d < 0) break;
            digits += d;
        }
        if (digits.length !== length - 4) continue;
        const spaceThenLetters = blank(picture, left + (length - 4) * advance, margin) &&
            [3, 2, 1].every((k) => !blank(picture, left + (length - k) * advance, margin)) &&
            blank(picture, left - advance, margin);
        if (spaceThenLetters) return {value: Number(digits), text: `${digits} FPS`};
    }
    return null;
}

// The number a line of the cursor read-out shows from its fifth character on ("x = 123"), the
// line's text starting at (left, top); null unless its first cell shows a letter and digits
// follow "x = " up to a blank cell.
function readoutNumber(picture, left, top, templates) {
    if (blank(picture, left, top)) return null;
    let digits = '';
    for (;;) {
        const d = templates.indexOf(cell(picture, left + (4 + digits.length) * advance, top));
        if (d < 0) break;
        digits += d;
    }
    const ended = blank(picture, left + (4 + digits.length) * advance, top);
    return digits !== '' && ended ? Number(digits) : null;
}

// The node the cursor read-out beside a pointer at a window pixel names, {x, y} as its lines
// "x = <i>" and "y = <j>" read; null while they do not read so there.
function cursorReadoutIn(picture, pointer, templates) {
    const left = pointer.x + margin;
    const x = readoutNumber(picture, left, pointer.y + margin, templates);
    const y = readoutNumber(picture, left, pointer.y + margin + linePitch, templates);
    return x === null || y === null ? null : {x, y};
}

// Once the first frames show the help, hides it, the field and the outline; learns the digits,
// then waits for the frame-rate text to read as "<n> FPS"; resolves to { value, text }.
async function readFrameRate(program, width) {
    // Left of the top-right texts on a canvas at least 300 pixels wide.
    const help = {left: margin, top: margin, width: 150, height: 100};
    const started = await program.watch((p) => p.count(isTextYellow, help) > 300);
    if (!started.met) throw new Error('no help text seen');
    await program.keys(['h', 'v', 'o']);
    if (!(await program.watch((p) => p.count(isTextYellow, help) === 0)).met) {
        throw new Error('the help is still shown');
    }
    const templates = await digitTemplates(program);
    let read = null;
    const watch = await program.watch((p) => (read = frameRateIn(p, width, templates)) !== null);
    if (!watch.met) throw new Error('the frame-rate text does not read "<n> FPS"');
    return read;
}

module.exports = {cursorReadoutIn, digitTemplates, readFrameRate};
