// What the browser tests and benchmarks share: Debian's chromium driven by
// Playwright, and the built page served on 127.0.0.1.
import {chromium} from 'playwright-core';
import {after, before} from 'node:test';
import {fileURLToPath} from 'node:url';
import {resolve} from 'node:path';
import {serve} from '../serve.mjs';

export const chromiumPath = process.env.TARVIK_CHROMIUM ?? '/usr/bin/chromium';
export const chromiumArgs = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
                             '--disable-component-update', '--disable-sync', '--no-first-run'];

export const siteFolder = resolve(process.env.TARVIK_SITE ??
                                  fileURLToPath(new URL('../../build-web/site', import.meta.url)));

export function launch(options = {}) {
    return chromium.launch({executablePath: chromiumPath, args: chromiumArgs, ...options});
}

export function launchPersistent(userDataDir, options = {}) {
    return chromium.launchPersistentContext(userDataDir,
                                            {executablePath: chromiumPath, args: chromiumArgs, ...options});
}

export async function startServer(folder = siteFolder, port = 0) {
    const server = await serve(folder, port);
    return {server, url: `http://127.0.0.1:${server.address().port}/`};
}

// Opens the page and waits until the modules have attached their handlers,
// the estimate's last.
export async function openPage(context, url) {
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForFunction(() => performance.getEntriesByName('tarvik-estimate').length > 0);
    return page;
}

// Opens the section when it is closed and clicks the kind.
export async function chooseKind(page, section, kind) {
    if ((await page.getAttribute(`#sButton${section}`, 'aria-expanded')) !== 'true')
        await page.click(`#sButton${section}`);
    await page.locator(`#sListBox${section}`).getByRole('option', {name: kind, exact: true}).click();
}

// Picks an item from a drop-down list's popup with the pointer.
export async function pickItem(page, list, text) {
    await page.click(`#${list} + .drop`);
    await page.locator(`#${list}List`).getByRole('option', {name: text, exact: true}).click();
}

// Types a number into the emptied field, as a user would, with the keys.
export async function typeNumber(page, text) {
    await page.click('#sEditParam');
    await page.keyboard.press('Control+A');
    await page.keyboard.press('Backspace');
    await page.keyboard.type(text);
}

export async function calculate(page, mode, input) {
    await page.check(`#sRadioGroupItem${mode}`);
    await typeNumber(page, input);
    await page.click('#sButtonCalc');
    return page.textContent('#sLabelResult');
}

// One server and one browser for all the tests of a file: started before the
// first, closed after the last. Read `browser` and `url` inside the tests.
export function sharedBrowser() {
    const site = {};
    before(async () => {
        ({server: site.server, url: site.url} = await startServer());
        site.browser = await launch();
    });
    after(async () => {
        await site.browser.close();
        site.server.close();
    });
    return site;
}
