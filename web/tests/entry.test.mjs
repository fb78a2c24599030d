// The input field's key rules, its click and leave rules, the decimal
// separator of the browser's language, and the error box.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {calculate, chooseKind, openPage, pickItem, sharedBrowser, typeNumber} from './browser.mjs';

const site = sharedBrowser();

async function rebarPage(locale = 'ru-RU') {
    const context = await site.browser.newContext({locale});
    const page = await openPage(context, site.url);
    await chooseKind(page, 1, 'Арматура А3 А500с');
    await pickItem(page, 'sComboBoxElement', '12');
    return page;
}

const field = (page) => page.inputValue('#sEditParam');
// Pastes as the field's context menu would: the text reaches it unfiltered.
const paste = (page, text) => page.evaluate((t) => {
    const edit = document.getElementById('sEditParam');
    edit.value = t;
    edit.dispatchEvent(new InputEvent('input', {inputType: 'insertFromPaste', data: t}));
}, text);

test('typed characters pass the key rules', async () => {
    const page = await rebarPage();
    const cases = [
        // typed keys, the field afterwards
        ['12.5', '12,5'],
        ['12,,5.', '12,5'],
        [',5', '0,5'],
        ['1,1234567', '1,123456'],
        ['a-+ 1e5', '15'],
    ];
    for (const [keys, expected] of cases) {
        await typeNumber(page, keys);
        assert.equal(await field(page), expected, keys);
    }
    // Before the separator digits are never limited.
    await page.keyboard.press('Home');
    await page.keyboard.type('99');
    assert.equal(await field(page), '9915');
    await typeNumber(page, '1,123456');
    await page.keyboard.press('Home');
    await page.keyboard.type('7');
    assert.equal(await field(page), '71,123456');
    // Enter, the clipboard, undo and word-deletion keys do nothing in the field.
    for (const key of ['Control+V', 'Control+X', 'Control+Z', 'Control+Backspace', 'Enter'])
        await page.keyboard.press(key);
    assert.equal(await field(page), '71,123456');
    await page.context().close();
});

test('a click on a zero empties the field, leaving it empty writes "0"', async () => {
    const page = await rebarPage();
    for (const zero of ['0', '0,0', ',']) {
        await paste(page, zero);
        await page.click('#sComboBoxElement');
        await page.click('#sEditParam');
        assert.equal(await field(page), '', zero);
    }
    await page.click('#sButtonCalc');
    assert.equal(await field(page), '0');
    await paste(page, ',');
    await page.click('#sComboBoxElement');
    assert.equal(await field(page), ',', 'an odd text stays when left');
    await page.click('#sEditParam');
    await paste(page, '5');
    await page.click('#sComboBoxElement');
    await page.click('#sEditParam');
    assert.equal(await field(page), '5');
    await page.context().close();
});

test('the separator follows the browser language', async () => {
    const ru = await rebarPage('ru-RU');
    assert.equal(await calculate(ru, 0, '12.5'), '11,125 кг');
    await ru.context().close();

    const en = await rebarPage('en-US');
    await typeNumber(en, '12,5');
    assert.equal(await field(en), '12.5', 'a typed comma becomes the point');
    assert.equal(await calculate(en, 0, '12.5'), '11.125 кг');
    await paste(en, '1,5');
    await en.click('#sButtonCalc');
    assert.equal(await en.textContent('#errorText'), "'1,5' is not a valid floating point value.");
    await en.context().close();
});

test('a refused text and an overflow end in the error box, with no result', async () => {
    const page = await rebarPage();
    await page.check('#sRadioGroupItem1');
    const cases = [
        ['<b>12</b>', "'<b>12</b>' is not a valid floating point value."],
        // 1.1e4932 kg of 0.89 kg/m is beyond the extended format's range.
        ['1,1e4932', 'Floating point overflow.'],
    ];
    for (const [text, message] of cases) {
        await paste(page, text);
        await page.click('#sButtonCalc');
        assert.ok(await page.isVisible('#errorBox'), text);
        assert.equal(await page.textContent('#errorText'), message);
        assert.equal(await page.locator('#errorText b').count(), 0, 'shown as text, never as markup');
        assert.equal(await page.textContent('#sLabelResult'), '');
        await page.click('#errorOk');
        assert.ok(await page.isHidden('#errorBox'));
        assert.equal(await field(page), text, 'the input stays');
    }
    // The box is modal: the page takes no click while it is open.
    await paste(page, 'x');
    await page.click('#sButtonCalc');
    await assert.rejects(page.click('#sButton2', {timeout: 500}));
    await page.keyboard.press('Enter');
    assert.ok(await page.isHidden('#errorBox'));
    await page.context().close();
});
