#!/usr/bin/env node
// Writes the web build as one self-contained page that runs when opened from disk (file://),
// where a page may fetch nothing: every script the page loads is written into it, and the
// files the program fetches (the .wasm and the font) go in as base64, handed to the page
// through its embedded-files hook (web/README.md).
//
//   node packaging/web/single-file.js FOLDER OUTPUT.html
//
// FOLDER holds index.html, the .js and the files the page fetches.
'use strict';

const fs = require('node:fs');
const path = require('node:path');

// The files the page fetches at start-up; in the single file they come from the hook instead.
const embedded = ['quelvane.wasm', 'courier.ttf'];
const hook = 'quelvaneEmbeddedFiles';

function fail(message) {
    process.stderr.write(`single-file: ${message}\n`);
    process.exit(1);
}

// Inside a <script> element only "</script" ends it; within the script's strings, regular
// expressions and comments "<\/script" means the same.
function inlineScript(code) {
    return `<script>${code.replace(/<\/script/gi, '<\\/script')}</script>`;
}

function build(folder) {
    const read = (name) => {
        const file = path.join(folder, name);
        if (!fs.existsSync(file)) fail(`${file} is missing`);
        return fs.readFileSync(file);
    };
    let page = read('index.html').toString('utf8');
    let inlined = 0;
    page = page.replace(/<script\s+src="([^"]+)"\s*><\/script>/g, (_, src) => {
        ++inlined;
        return inlineScript(read(src).toString('utf8'));
    });
    if (inlined === 0) fail('index.html loads no script by <script src="...">');
    const files = Object.fromEntries(embedded.map((name) => [name, read(name).toString('base64')]));
    const data = inlineScript(`var ${hook} = ${JSON.stringify(files)};`);
    const first = page.search(/<script\b/);
    return page.slice(0, first) + data + '\n' + page.slice(first);
}

if (process.argv.length !== 4) fail('usage: single-file.js FOLDER OUTPUT.html');
fs.writeFileSync(process.argv[3], build(process.argv[2]));
