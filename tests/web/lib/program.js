// The program in a page of headless Chromium, as a user meets it: opened at an address whose
// query is the command line, its console, its canvas read back through the DevTools protocol,
// and the keyboard and mouse as real input events.
//
// Where the page comes from is set by the environment, so every test file runs on both forms
// the program is shipped in:
//   QUELVANE_WEB_TARGET=served  QUELVANE_WEB_DIR (the folder, served on the loopback address)
//   QUELVANE_WEB_TARGET=file    QUELVANE_WEB_FILE (the single file, opened from file://)
'use strict';

const assert = require('node:assert/strict');
const path = require('node:path');
const {pathToFileURL} = require('node:url');
const {launchChromium} = require('./chromium');
const {serveFolder} = require('./server');

// Every wait for the program is multiplied by this, for slow or busy machines.
const timeScale = Number(process.env.QUELVANE_E2E_TIME_SCALE || 1);
const defaultWait = 20000 * timeScale;

// The page's elements that show the program's standard output and error (page/index.html).
const outputSelector = '#stdout';
const errorSelector = '#stderr';

function sleep(ms) { return new Promise((resolve) => setTimeout(resolve, ms)); }

// The command line as the address's query: each word URL-encoded, the words joined by '&'.
function query(args) {
    return args.length === 0 ? '' : '?' + args.map(encodeURIComponent).join('&');
}

// The canvas's pixels, RGBA row by row.
class Picture {
    constructor(width, height, rgba) {
        this.width = width;
        this.height = height;
        this.data = rgba;
    }

    pixel(x, y) {
        const k = 4 * (y * this.width + x);
        return [this.data[k], this.data[k + 1], this.data[k + 2]];
    }

    contains(x, y) { return x >= 0 && y >= 0 && x < this.width && y < this.height; }

    // Pixels of the area { left, top, width, height } (all of the picture when none) for which
    // test(rgb) holds.
    count(test, within = area(0, 0, this.width, this.height)) {
        let n = 0;
        for (let y = within.top; y < within.top + within.height; ++y) {
            for (let x = within.left; x < within.left + within.width; ++x) {
                if (this.contains(x, y) && test(this.pixel(x, y))) ++n;
            }
        }
        return n;
    }
}

function area(left, top, width, height) { return {left, top, width, height}; }

function sameColour(a, b) { return a[0] === b[0] && a[1] === b[1] && a[2] === b[2]; }

// Overlay texts are yellow; black, white and yellow keep red and green equal.
function isTextYellow(c) { return c[0] > 128 && c[1] > 128 && c[2] < 64; }

// One program in one page. Console messages, page errors and failed requests are recorded
// from before the page loads.
class ProgramPage {
    constructor(page, address, origin) {
        this.page = page;
        this.address = address;
        this.origin = origin;
        this.messages = [];
        this.errors = [];
        this.requests = [];
        page.on('console', (m) => {
            this.messages.push({type: m.type(), text: m.text()});
            if (m.type() === 'error') this.errors.push(`console error: ${m.text()}`);
        });
        page.on('pageerror', (e) => this.errors.push(`page error: ${e.message}`));
        page.on('requestfailed', (r) => this.errors.push(`request failed: ${r.url()}`));
        page.on('request', (r) => this.requests.push(r.url()));
    }

    // The lines the program wrote to the console, each with its line feed: its standard output.
    consoleOutput() {
        return this.messages.filter((m) => m.type === 'log' || m.type === 'info')
            .map((m) => m.text + '\n')
            .join('');
    }

    // The program's standard output as the page shows it.
    async shownOutput() { return this.page.$eval(outputSelector, (e) => e.textContent); }

    // Its standard error.
    async shownErrors() { return this.page.$eval(errorSelector, (e) => e.textContent); }

    // The page fetches nothing but its own files: from its server, or, opened from disk, its
    // own file and what it holds.
    expectNoForeignRequests() {
        const own = (url) =>
            this.origin ? url.startsWith(this.origin) : /^(file|data|blob):/.test(url);
        assert.deepEqual(this.requests.filter((url) => !own(url)), [], 'requests beyond the page');
    }

    // Resolves once the console shows a line starting with the given text.
    async waitForLine(start, wait = defaultWait) {
        const end = Date.now() + wait;
        while (!this.messages.some((m) => m.text.startsWith(start))) {
            if (Date.now() > end) throw new Error(`no console line '${start}...' in ${wait} ms`);
            await sleep(20);
        }
    }

    async canvasBox() {
        const box = await this.page.$eval('canvas', (c) => {
            const r = c.getBoundingClientRect();
            return {x: r.left, y: r.top, width: r.width, height: r.height};
        });
        return box;
    }

    // The canvas's pixels, copied in the page through a 2-D canvas. The program's drawing
    // buffer is preserved between frames, and a frame is drawn within one task of the page, so
    // the copy holds one whole frame, the last drawn.
    async picture() {
        const rgba = await this.page.evaluate(() => {
            const canvas = document.querySelector('canvas');
            const copy = document.createElement('canvas');
            copy.width = canvas.width;
            copy.height = canvas.height;
            if (copy.width === 0 || copy.height === 0) return {width: 0, height: 0, base64: ''};
            const context = copy.getContext('2d');
            context.drawImage(canvas, 0, 0);
            const bytes = context.getImageData(0, 0, copy.width, copy.height).data;
            let binary = '';
            for (let k = 0; k < bytes.length; k += 8192) {
                binary += String.fromCharCode.apply(null, bytes.subarray(k, k + 8192));
            }
            return {width: copy.width, height: copy.height, base64: btoa(binary)};
        });
        return new Picture(rgba.width, rgba.height, Buffer.from(rgba.base64, 'base64'));
    }

    // Takes pictures until test(picture) holds or the wait is over; resolves to { met, last }.
    async watch(test, wait = defaultWait) {
        const end = Date.now() + wait;
        for (;;) {
            const last = await this.picture();
            if (test(last)) return {met: true, last};
            if (Date.now() > end) return {met: false, last};
            await sleep(20);
        }
    }

    // Keys by their DOM names ('l', 'ArrowDown', 'NumpadAdd', 'Escape'), each pressed and
    // released.
    async keys(names) {
        for (const name of names)
            await this.page.keyboard.press(name);
    }

    // The pointer at a pixel of the canvas; positions beside it are allowed.
    async moveTo(x, y) {
        const box = await this.canvasBox();
        await this.page.mouse.move(box.x + x, box.y + y);
    }

    // The pointer at the viewport's far corner, beyond the canvas, where neither the cursor
    // read-out nor the brush outline reaches the canvas.
    async park() {
        const view = this.page.viewport();
        await this.page.mouse.move(view.width - 1, view.height - 1);
    }

    async press(button) { await this.page.mouse.down({button}); }

    async release(button) { await this.page.mouse.up({button}); }

    // Wheel notches at the pointer: positive turns the wheel up, away from the user.
    async wheel(notches) {
        for (let k = 0; k < Math.abs(notches); ++k) {
            await this.page.mouse.wheel({deltaY: notches > 0 ? -100 : 100});
        }
    }

    async evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }

    async close() { await this.page.close(); }
}

// One browser and, for the served form, one server for all the tests of a file.
class WebTarget {
    static async start() {
        const target = new WebTarget();
        target.kind = process.env.QUELVANE_WEB_TARGET || 'served';
        if (target.kind === 'served') {
            target.server = await serveFolder(process.env.QUELVANE_WEB_DIR);
            target.base = target.server.url + 'index.html';
        } else {
            target.base = pathToFileURL(path.resolve(process.env.QUELVANE_WEB_FILE)).href;
        }
        target.chromium = await launchChromium();
        return target;
    }

    // Opens the program with a command line in a viewport of the given size, which stands for
    // the desktop's video mode; resolves once the start-up report has been written. A page in a
    // window of its own runs on while another page is shown (a background tab gets no frames).
    async open(args, viewport = {width: 960, height: 720}, {ownWindow = false} = {}) {
        const page = await this.chromium.browser.newPage(ownWindow ? {type: 'window'} : undefined);
        await page.setViewport({...viewport, deviceScaleFactor: 1});
        const program = new ProgramPage(page, this.base + query(args), this.server?.url);
        await page.goto(program.address, {waitUntil: 'load'});
        await page.bringToFront();
        return program;
    }

    async stop() {
        await this.chromium.close();
        if (this.server) await this.server.close();
    }
}

module.exports = {
    Picture,
    area,
    WebTarget,
    defaultWait,
    isTextYellow,
    query,
    sameColour,
    sleep,
};
