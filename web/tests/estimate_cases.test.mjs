// The table of estimate cases every face runs (tests/estimate/estimate_cases.tsv),
// done on the page as a user does it: the page shows what the core decides.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {readFile} from 'node:fs/promises';
import {chooseKind, openPage, sharedBrowser} from './browser.mjs';
import {addLine, rebar, rowCount} from './estimate_page.mjs';

const site = sharedBrowser();

const table = readFileSync(new URL('../../tests/estimate/estimate_cases.tsv', import.meta.url), 'utf8');
const cases = new Map();
for (const line of table.split('\n')) {
    if (!line || line.startsWith('#'))
        continue;
    const [name, action, ...args] = line.split('\t');
    if (!cases.has(name))
        cases.set(name, []);
    cases.get(name).push([action, ...args.map((a) => (a === '-' ? '' : a))]);
}

// A cell's input or text, its column found by the header's caption.
const cellOf = (page, line, caption) => page.evaluate(([line, caption]) => {
    const column = [...document.querySelectorAll('#estimateHead th')].findIndex((th) => th.textContent === caption);
    const td = document.querySelectorAll('#estimateRows tr:not(.spacer)')[line - 1]?.cells[column];
    const input = td?.querySelector('input, select');
    return {text: input ? input.value : td?.textContent ?? null, reason: input?.reason ?? '',
            label: input?.getAttribute('aria-label') ?? ''};
}, [line, caption]);

async function run(page, [action, ...a]) {
    const click = (id) => page.click(`#${id}`);
    const input = async (line, caption) => page.getByRole('textbox', {
        name: (await cellOf(page, line, caption)).label, exact: true});
    switch (action) {
    case 'add':
        return addLine(page, rebar, 0, a[0]);
    case 'edit':
    case 'empty': {
        // Pasted over the cell's text, as a price copied from a seller's
        // list is; an empty text by clearing the cell.
        const field = await input(Number(a[0]), a[1]);
        await field.fill('');
        if (action === 'edit' && a[2])
            await field.evaluate((element, text) => {
                const clipboardData = new DataTransfer();
                clipboardData.setData('text/plain', text);
                element.dispatchEvent(new ClipboardEvent('paste', {clipboardData, bubbles: true, cancelable: true}));
            }, a[2]);
        return field.press('Enter');
    }
    case 'unit':
    case 'choices': {
        // «за» through its list, as a user takes a unit.
        const list = page.getByRole('combobox', {name: `за, строка ${a[0]}`, exact: true});
        if (action === 'unit')
            return list.selectOption(a[1]);
        return assert.equal((await list.locator('option').allTextContents()).join('|'), a[1]);
    }
    case 'delete':
        return page.getByRole('button', {name: `Удалить строку ${a[0]}`, exact: true}).click();
    case 'clear': return click('estimateClear');
    case 'undo': return click('estimateUndo');
    case 'redo': return click('estimateRedo');
    case 'new': return click('estimateNew');
    case 'deleteEstimate': return click('estimateDelete');
    case 'reimport': {
        // The download saved, then chosen with «Импорт сметы»; the file is
        // read before it is imported, which the status then tells.
        const [download] = await Promise.all([page.waitForEvent('download'), click('estimateExport')]);
        const buffer = await readFile(await download.path());
        await page.$eval('#estimateStatus', (status) => { status.textContent = ''; });
        const [chooser] = await Promise.all([page.waitForEvent('filechooser'), click('estimateImport')]);
        await chooser.setFiles({name: download.suggestedFilename(), mimeType: 'application/json', buffer});
        return page.waitForFunction(() => document.getElementById('estimateStatus').textContent !== '');
    }
    case 'vat':
        await page.fill('#vatRate', a[0]);
        return page.press('#vatRate', 'Enter');
    case 'rename':
        await click('estimateRename');
        await page.fill('#renameName', a[0]);
        return click('renameOk');
    case 'open':
        return page.selectOption('#estimateList', {label: a[0]});
    case 'cell':
        return assert.equal((await cellOf(page, Number(a[0]), a[1])).text, a[2]);
    case 'reason':
        return assert.equal((await cellOf(page, Number(a[0]), a[1])).reason, a[2]);
    case 'lines':
        return assert.equal(await rowCount(page), Number(a[0]));
    case 'name':
        return assert.equal(await page.$eval('#estimateList', (s) => s.selectedOptions[0]?.textContent), a[0]);
    case 'estimates':
        return assert.equal(await page.$eval('#estimateList', (s) => [...s.querySelectorAll(':scope > option')]
                                                                        .map((o) => o.textContent).join('|')), a[0]);
    case 'vatRate':
        return assert.equal(await page.inputValue('#vatRate'), a[0]);
    case 'message':
        return assert.equal(await page.textContent('#estimateStatus'), a[0]);
    case 'undoText':
    case 'redoText': {
        const id = action === 'undoText' ? '#estimateUndo' : '#estimateRedo';
        assert.equal(await page.isEnabled(id), a[0] !== '');
        return assert.equal(await page.getAttribute(id, 'aria-description'), a[0]);
    }
    }
    throw new Error(`unknown action ${action}`);
}

test('every case of the estimate\'s table holds on the page', async () => {
    assert.ok(cases.size > 0);
    for (const [name, steps] of cases) {
        const context = await site.browser.newContext({locale: 'ru-RU'});
        const page = await openPage(context, site.url);
        await chooseKind(page, rebar.section, rebar.kind);
        await page.click('#estimateShow');
        await page.waitForSelector('#estimate:not([hidden])');
        for (const [i, step] of steps.entries()) {
            try {
                await run(page, step);
            } catch (error) {
                error.message = `${name}, step ${i + 1} (${step.join(' ')}): ${error.message}`;
                throw error;
            }
        }
        await context.close();
    }
});
