#!/usr/bin/env node
// Writes the web build as one self-contained page that runs when opened from disk (file://),
// where a page can fetch nothing: the program's JavaScript, its WebAssembly and the font go into
// the page, in the elements its loader looks for before it would fetch them (page/index.html):
//   <script type="text/plain" id="quelvane-js">        the JavaScript, as text
//   <script type="text/plain" id="quelvane-wasm">      quelvane.wasm in base64
//   <script type="text/plain" id="quelvane-font">      courier.ttf in base64
//
//   node packaging/web/single-file.js FOLDER OUTPUT.html
//
// FOLDER holds index.html, quelvane.js, quelvane.wasm and courier.ttf.
'use strict';

const fs = require('node:fs');
const path = require('node:path');

function fail(message) {
    process.stderr.write(`single-file: ${message}\n`);
    process.exit(1);
}

// A script element's text ends at the first "</script", and "<!--" in it changes how the parser
// looks for that end. In JavaScript's strings, regular expressions and comments, where alone
// these can stand, "<\/script" and "<\!--" mean the same.
function scriptText(text) {
    return text.replace(/<\/script/gi, '<\\/script').replace(/<!--/g, '<\\!--');
}

function element(id, text) { return `<script type="text/plain" id="${id}">${text}</script>\n`; }

function build(folder) {
    const read = (name) => {
        const file = path.join(folder, name);
        if (!fs.existsSync(file)) fail(`${file} is missing`);
        return fs.readFileSync(file);
    };
    const page = read('index.html').toString('utf8');
    // The loader is the page's first script; the elements it reads must stand before it.
    const loader = page.search(/<script[\s>]/);
    if (loader < 0) fail('index.html has no script');
    const held = element('quelvane-js', scriptText(read('quelvane.js').toString('utf8'))) +
        element('quelvane-wasm', read('quelvane.wasm').toString('base64')) +
        element('quelvane-font', read('courier.ttf').toString('base64'));
    return page.slice(0, loader) + held + page.slice(loader);
}

if (process.argv.length !== 4) fail('usage: single-file.js FOLDER OUTPUT.html');
fs.writeFileSync(process.argv[3], build(process.argv[2]));
