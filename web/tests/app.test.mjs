// The page as an application: keyboard-only use, the kinds lists, a phone's
// screen, working offline and being installable.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {cp, mkdtemp, readFile, rm, writeFile} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {calculate, chooseKind, launchPersistent, openPage, pickItem, sharedBrowser, siteFolder, startServer} from './browser.mjs';

const site = sharedBrowser();

const focusedId = (page) => page.evaluate(() => document.activeElement?.id ?? '');

async function tabUntil(page, id, limit = 40) {
    const visited = [];
    for (let i = 0; i < limit; ++i) {
        await page.keyboard.press('Tab');
        visited.push(await focusedId(page));
        if (visited.at(-1) === id)
            return visited;
    }
    assert.fail(`Tab never reached ${id}: ${visited.join(' ')}`);
}

test('one calculation with the keyboard alone, the headers one Tab stop', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    // Before the first kind choice the first header is the only stop of the
    // headers; the arrows, Home and End move between them.
    assert.deepEqual(await tabUntil(page, 'sButton1'), ['sButton1']);
    await page.keyboard.press('Tab');
    assert.ok(!(await focusedId(page)).startsWith('s'), 'nothing after the headers');
    await page.focus('#sButton1');
    for (const [key, id] of [['ArrowDown', 'sButton2'], ['End', 'sButton13'], ['ArrowDown', 'sButton1'],
                             ['ArrowUp', 'sButton13'], ['Home', 'sButton1'], ['ArrowDown', 'sButton2'],
                             ['ArrowDown', 'sButton3']]) {
        await page.keyboard.press(key);
        assert.equal(await focusedId(page), id, key);
    }
    await page.keyboard.press('Enter');
    assert.equal(await page.getAttribute('#sButton3', 'aria-expanded'), 'true');
    await page.keyboard.press('Tab');
    assert.equal(await focusedId(page), 'sListBox3');
    // The first arrow selects the first kind; one Tab reaches the mode.
    await page.keyboard.press('ArrowDown');
    assert.equal(await page.getAttribute('#sListBox3-0', 'aria-selected'), 'true');
    await page.keyboard.press('Tab');
    assert.equal(await focusedId(page), 'sRadioGroupItem0');
    // Back: the open section's list, then its header.
    await page.keyboard.press('Shift+Tab');
    assert.equal(await focusedId(page), 'sListBox3');
    await page.keyboard.press('Shift+Tab');
    assert.equal(await focusedId(page), 'sButton3');
    assert.deepEqual(await tabUntil(page, 'sRadioGroupItem0'), ['sListBox3', 'sRadioGroupItem0']);
    await page.keyboard.press('Space');
    await page.keyboard.press('Tab');
    assert.equal(await focusedId(page), 'sComboBoxElement');
    await page.keyboard.press('Alt+ArrowDown');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await page.keyboard.press('Tab');
    assert.equal(await focusedId(page), 'sEditParam');
    await page.keyboard.press('Control+A');
    await page.keyboard.type('2');
    await page.keyboard.press('Tab');
    assert.equal(await focusedId(page), 'sButtonCalc');
    await page.keyboard.press('Enter');
    assert.match(await page.textContent('#sLabelResult'), /^\d+,\d{3} кг$/);
    await context.close();
});

test('after a kind chosen with the mouse, Tab goes to the calculation and back', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await chooseKind(page, 5, 'Лист горячекатаный');
    await page.keyboard.press('Tab');
    assert.equal(await focusedId(page), 'sRadioGroupItem0');
    await page.keyboard.press('Shift+Tab');
    assert.equal(await focusedId(page), 'sListBox5');
    await page.keyboard.press('Shift+Tab');
    assert.equal(await focusedId(page), 'sButton5');
    // Moved to another header and left, the stop goes back to the open one.
    await page.keyboard.press('ArrowUp');
    assert.equal(await focusedId(page), 'sButton4');
    await page.click('#sRadioGroupItem0');
    await page.keyboard.press('Shift+Tab');
    assert.equal(await focusedId(page), 'sListBox5');
    await page.keyboard.press('Shift+Tab');
    assert.equal(await focusedId(page), 'sButton5');
    await context.close();
});

test('a kind choice clears the highlight in the other sections', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await chooseKind(page, 3, 'Квадрат ГОСТ 2591');
    await chooseKind(page, 4, 'Круг ГОСТ 2590');
    await page.click('#sButton3');
    assert.equal(await page.locator('#sListBox3 [aria-selected=true]').count(), 0);
    assert.equal(await page.locator('#sListBox4 [aria-selected=true]').count(), 1);
    // Opening a section chooses nothing: the round bar's sizes stay.
    assert.equal(await page.textContent('#sComboBoxElementLabel'), 'Диаметр, мм');
    await context.close();
});

test('on a phone every control is reachable without scrolling sideways', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU', viewport: {width: 360, height: 640}, isMobile: true,
                                              hasTouch: true});
    const page = await openPage(context, site.url);
    await page.tap('#sButton9');
    await page.locator('#sListBox9').getByRole('option', {name: 'Труба бесшовная Г/К'}).tap();
    const controls = ['#sButton1', '#sButton12', '#sListBox9', '#sRadioGroupItem1', '#sComboBoxE1', '#sComboBoxE2',
                      '#sEditParam', '#sButtonCalc', '#sLabelResult'];
    for (const selector of controls) {
        const box = await page.locator(selector).boundingBox();
        assert.ok(box && box.x >= 0 && box.x + box.width <= 360, `${selector} lies inside the width: ${JSON.stringify(box)}`);
    }
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 360));
    await page.tap('#sRadioGroupItem1');
    await pickItem(page, 'sComboBoxE1', '57');
    await pickItem(page, 'sComboBoxE2', '4');
    await page.tap('#sEditParam');
    await page.keyboard.type('523');
    await page.tap('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelResult'), '100,000 м');
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 360));
    await context.close();
});

test('after the first visit the page works offline, and a new build replaces the cache', async () => {
    // A copy of the site, so that a "new build" can be written into it.
    const folder = await mkdtemp(join(tmpdir(), 'tarvik-site-'));
    await cp(siteFolder, folder, {recursive: true});
    let own = await startServer(folder);
    const context = await site.browser.newContext({locale: 'ru-RU'});
    let page = await openPage(context, own.url);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const firstCaches = await page.evaluate(() => caches.keys());
    assert.equal(firstCaches.length, 1);

    const port = own.server.address().port;
    own.server.closeAllConnections();
    own.server.close();
    await page.reload();
    await page.waitForFunction(() => performance.getEntriesByName('tarvik-interactive').length > 0);
    await chooseKind(page, 1, 'Арматура А3 А500с');
    await pickItem(page, 'sComboBoxElement', '12');
    assert.equal(await calculate(page, 0, '12,5'), '11,125 кг', 'offline');
    // The estimate's code, fetched after the calculator's, is cached as well.
    await page.waitForFunction(() => performance.getEntriesByName('tarvik-estimate').length > 0);

    const sw = join(folder, 'sw.js');
    await writeFile(sw, (await readFile(sw, 'utf8')).replace(/tarvik-[0-9a-f]+/, 'tarvik-0123456789abcdef'));
    own = await startServer(folder, port);
    await page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => r.update()));
    await page.waitForFunction(() => caches.keys().then((k) => k.length === 1 && k[0] === 'tarvik-0123456789abcdef'));
    await context.close();
    own.server.close();
    await rm(folder, {recursive: true});
});

test('the browser finds the page installable', async () => {
    const profile = await mkdtemp(join(tmpdir(), 'tarvik-profile-'));
    const context = await launchPersistent(profile, {locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const cdp = await context.newCDPSession(page);
    const {installabilityErrors} = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    const manifest = await cdp.send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    await context.close();
    await rm(profile, {recursive: true});
});
