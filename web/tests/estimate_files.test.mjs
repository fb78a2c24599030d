// An estimate as a file of its own on the page: the desktop's export
// imported, chosen with «Импорт сметы» or dropped on the section, and
// exported again byte for byte; files that must not be taken in refused
// with their reason.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {readFile} from 'node:fs/promises';
import {chooseKind, openPage, sharedBrowser} from './browser.mjs';
import {rebar, rowCount, tableRows} from './estimate_page.mjs';

const site = sharedBrowser();

const desktopExport = await readFile(new URL('../../tests/estimate/files/desktop-export.tarvik-smeta.json',
                                             import.meta.url));

const shownName = (page) => page.$eval('#estimateList', (s) => s.selectedOptions[0]?.textContent);
const names = (page) => page.$eval('#estimateList', (s) => [...s.options].map((o) => o.textContent));
const status = (page) => page.textContent('#estimateStatus');

// Each import is read before the core takes it; the status tells when it has.
async function imported(page, action) {
    await page.$eval('#estimateStatus', (s) => { s.textContent = ''; });
    await action();
    await page.waitForFunction(() => document.getElementById('estimateStatus').textContent !== '');
}

const choose = (page, name, buffer) => imported(page, async () => {
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.click('#estimateImport')]);
    await chooser.setFiles({name, mimeType: 'application/json', buffer});
});

// Files dropped on the table, as from a file manager.
const drop = (page, files) => imported(page, () => page.$eval('#estimateRows', (rows, files) => {
    const dataTransfer = new DataTransfer();
    for (const {name, bytes} of files)
        dataTransfer.items.add(new File([new Uint8Array(bytes)], name));
    for (const type of ['dragover', 'drop'])
        rows.dispatchEvent(new DragEvent(type, {dataTransfer, bubbles: true, cancelable: true}));
}, files.map(({name, bytes}) => ({name, bytes: [...bytes]}))));

async function openEstimate() {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await chooseKind(page, rebar.section, rebar.kind);
    await page.click('#estimateShow');
    await page.waitForSelector('#estimate:not([hidden])');
    return {context, page};
}

test('the desktop\'s file imports as a new estimate each time and exports byte for byte', async () => {
    const {context, page} = await openEstimate();
    await choose(page, 'Склад_2.tarvik-smeta.json', desktopExport);
    assert.equal(await status(page), 'Смета «Склад/2» импортирована');
    assert.equal(await shownName(page), 'Склад/2');
    assert.deepEqual((await tableRows(page)).map((row) => [row[7], row[9], row[11]]),
                     [['100,000', '54\u2009000,00', '4\u2009806,00'], ['25,000', '', ''],
                      ['7,500', '61\u2009250,50', '408,85']]);

    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#estimateExport')]);
    assert.equal(download.suggestedFilename(), 'Склад_2.tarvik-smeta.json');
    assert.ok((await readFile(await download.path())).equals(desktopExport));

    // The same file dropped on the table: another estimate beside the first.
    await drop(page, [{name: 'Склад_2.tarvik-smeta.json', bytes: desktopExport}]);
    assert.equal(await shownName(page), 'Склад/2 (2)');
    assert.equal(await rowCount(page), 3);
    assert.deepEqual(await names(page), ['Склад/2', 'Склад/2 (2)', 'Смета 1']);
    await context.close();
});

test('a file of a newer version, cut short or of another kind is refused with its reason', async () => {
    const {context, page} = await openEstimate();
    const text = desktopExport.toString('utf8');
    const refused = [
        [choose, 'новее.json', Buffer.from(text.replace('"version": "3"', '"version": "99"')),
         'он записан более новой версией программы'],
        [choose, 'обрезан.json', desktopExport.subarray(0, desktopExport.length / 2),
         'он повреждён или записан не полностью'],
        [(page, name, bytes) => drop(page, [{name, bytes}]), 'фото.png', Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a]),
         'это не файл сметы'],
    ];
    for (const [how, name, bytes, reason] of refused) {
        await how(page, name, bytes);
        assert.equal(await status(page), `Файл «${name}» не импортирован: ${reason}`);
        assert.equal(await page.$eval('#estimateStatus', (s) => s.classList.contains('error')), true);
        assert.deepEqual(await names(page), ['Смета 1']);
    }
    await context.close();
});
