// A static server for the web build's folder on the loopback address, as a user's web host
// would serve it. Only GET of files inside the folder; the query is the program's command line
// and takes no part in finding the file.
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const types = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.ttf': 'font/ttf',
    '.txt': 'text/plain; charset=utf-8',
};

function fileFor(root, url) {
    const name = decodeURIComponent(new URL(url, 'http://localhost').pathname);
    const file = path.resolve(root, '.' + (name.endsWith('/') ? name + 'index.html' : name));
    return file.startsWith(path.resolve(root) + path.sep) ? file : null;
}

// Resolves to { url, requests, close }: url is the folder's address with a trailing slash;
// requests lists every path asked for, for checks that nothing else is fetched.
function serveFolder(root) {
    const requests = [];
    const server = http.createServer((req, res) => {
        requests.push(req.url);
        const file = fileFor(root, req.url);
        if (req.method !== 'GET' || !file || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            res.writeHead(404).end();
            return;
        }
        const type = types[path.extname(file)] || 'application/octet-stream';
        res.writeHead(200, {'Content-Type': type, 'Cache-Control': 'no-store'});
        fs.createReadStream(file).pipe(res);
    });
    return new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(0, '127.0.0.1', () => {
            resolve({
                url: `http://127.0.0.1:${server.address().port}/`,
                requests,
                close: () => new Promise((done) => server.close(done)),
            });
        });
    });
}

module.exports = {serveFolder};
