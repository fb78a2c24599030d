// The size lists: the two-level pickers and the completion of typed text,
// which the page takes from the core's rules.
import {beforeEach, test} from 'node:test';
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {calculate, chooseKind, openPage, pickItem, sharedBrowser} from './browser.mjs';

const site = sharedBrowser();
let context, page;
beforeEach(async () => {
    await context?.close();
    context = await site.browser.newContext({locale: 'ru-RU'});
    page = await openPage(context, site.url);
});

async function popupItems(list) {
    await page.click(`#${list} + .drop`);
    const items = await page.locator(`#${list}List [role=option]`).allTextContents();
    await page.keyboard.press('Escape');
    return items;
}

test('the strip is picked by thickness, then by the widths of that thickness', async () => {
    await chooseKind(page, 6, 'Полоса ГОСТ 103-76');
    assert.ok(await page.isHidden('#sComboBoxElement'));
    assert.ok(await page.isDisabled('#sComboBoxE2'));
    assert.deepEqual(await popupItems('sComboBoxE1'), ['4', '5', '6', '8', '10', '12', '20']);
    // Nothing is selected until both levels are chosen.
    assert.equal(await calculate(page, 0, '1'), '');

    await pickItem(page, 'sComboBoxE1', '6');
    assert.ok(await page.isEnabled('#sComboBoxE2'));
    assert.deepEqual(await popupItems('sComboBoxE2'), ['100', '25', '30', '40', '50', '60', '80']);
    await pickItem(page, 'sComboBoxE2', '25');
    assert.equal(await calculate(page, 0, '1'), '1,180 кг');

    // Another first level drops the size.
    await pickItem(page, 'sComboBoxE1', '8');
    assert.equal(await page.inputValue('#sComboBoxE2'), '');
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelResult'), '');
});

test('a first level never matches a longer number that begins with it', async () => {
    await chooseKind(page, 9, 'Труба бесшовная Г/К');
    await pickItem(page, 'sComboBoxE1', '32');
    assert.deepEqual(await popupItems('sComboBoxE2'), ['2.8', '3', '4']);
    await chooseKind(page, 10, 'Труба квадратного сечения');
    await pickItem(page, 'sComboBoxE1', '20x20');
    assert.deepEqual(await popupItems('sComboBoxE2'), ['1.5', '2']);
});

test('typing completes to the first item that begins with the text; the shown text is the size used', async () => {
    await chooseKind(page, 1, 'Арматура А3 А500с');
    await page.check('#sRadioGroupItem0');
    await page.click('#sComboBoxElement');
    await page.keyboard.type('4');
    assert.equal(await page.inputValue('#sComboBoxElement'), '40');
    // The completed part is selected, so the next key replaces it.
    assert.equal(await page.evaluate(() => document.getElementById('sComboBoxElement').selectionStart), 1);
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelResult'), '0,000 кг', '0 m of 40 mm');

    // Deleting the completion leaves "4", which is no item: nothing is selected.
    await page.click('#sComboBoxElement');
    await page.keyboard.press('End');
    await page.keyboard.press('Backspace');
    assert.equal(await page.inputValue('#sComboBoxElement'), '4');
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelResult'), '');

    // A text that begins no item selects nothing and completes to nothing.
    await page.fill('#sComboBoxElement', '');
    await page.keyboard.type('zz');
    assert.equal(await page.inputValue('#sComboBoxElement'), 'zz');
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelResult'), '');
});

test('typing into the first picker fills the second; letter case aside', async () => {
    await chooseKind(page, 2, 'Балка колонная');
    await page.click('#sComboBoxElement');
    await page.keyboard.type('25к');
    assert.equal(await page.inputValue('#sComboBoxElement'), '25К1');
    await chooseKind(page, 9, 'Труба электросварная');
    await page.click('#sComboBoxE1');
    await page.keyboard.type('57');
    assert.equal(await page.inputValue('#sComboBoxE1'), '57');
    assert.ok((await popupItems('sComboBoxE2')).length > 0);
    await page.click('#sComboBoxE1');
    await page.keyboard.type('9');
    assert.equal(await page.inputValue('#sComboBoxE2'), '');
    assert.deepEqual(await popupItems('sComboBoxE2'), []);
    assert.ok(await page.isEnabled('#sComboBoxE2'));
});

test('arrow keys in a size list step through its items', async () => {
    await chooseKind(page, 3, 'Квадрат ГОСТ 2591');
    await page.click('#sComboBoxElement');
    await page.keyboard.press('ArrowDown');
    assert.equal(await page.inputValue('#sComboBoxElement'), '10');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowUp');
    assert.equal(await page.inputValue('#sComboBoxElement'), '12');
    assert.equal(await calculate(page, 0, '1'), '1,130 кг');
});

// The table the desktop's widget test reads too: both faces complete alike.
test('typed text completes as in every face', async () => {
    const table = readFileSync(new URL('../../tests/calculator/completion_cases.tsv', import.meta.url), 'utf8');
    const rows = table.split('\n').filter((line) => line && !line.startsWith('#')).map((line) => line.split('\t'));
    assert.ok(rows.length > 0);
    for (const [section, kind, how, text, shown, size] of rows) {
        const kindText = await page.textContent(`#sListBox${section}-${kind}`);
        await chooseKind(page, Number(section), kindText);
        await page.fill('#sComboBoxElement', '');
        await page.click('#sComboBoxElement');
        await page.keyboard.type(text);
        if (how === 'deleted')
            await page.keyboard.press('Backspace');
        const label = `${how} "${text}"`;
        assert.equal(await page.inputValue('#sComboBoxElement'), shown, label);
        // The popup marks the selected size.
        await page.click('#sComboBoxElement + .drop');
        const selected = await page.locator('#sComboBoxElementList [aria-selected=true]').allTextContents();
        await page.keyboard.press('Escape');
        assert.deepEqual(selected, size === '-' ? [] : [size], label);
    }
});
