// Debian's Chromium, headless, with WebGL through its software renderer, driven by
// puppeteer-core. No browser is downloaded: the executable is the system's.
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const executable = process.env.QUELVANE_CHROMIUM || '/usr/bin/chromium';

// puppeteer adds its own switches (headless, no background networking or throttling, the sRGB
// colour profile, which keeps the read-back colours those drawn); these are named here all the
// same, since without them Chromium keeps trying to reach its update, sync and component
// servers, which a closed network answers with floods of errors.
const switches = [
    '--headless=new',
    '--use-angle=swiftshader',
    '--enable-unsafe-swiftshader',
    '--no-sandbox',
    '--no-first-run',
    '--disable-background-networking',
    '--disable-component-update',
    '--disable-sync',
    // A page in a hidden or background tab would get its timers slowed down; the tests' page is
    // the only one and must run at full speed.
    '--disable-background-timer-throttling',
    '--disable-renderer-backgrounding',
    '--disable-backgrounding-occluded-windows',
];

// Resolves to { browser, close }; every launch has a fresh profile of its own, removed on
// close.
async function launchChromium() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quelvane-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: executable,
        headless: true,
        args: switches,
        userDataDir: profile,
        defaultViewport: null,
    });
    return {
        browser,
        close: async () => {
            await browser.close();
            fs.rmSync(profile, {recursive: true, force: true});
        },
    };
}

module.exports = {launchChromium};
