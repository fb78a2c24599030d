// What the page tells the user beside the numbers, from the core's rules:
// an out-of-date result, a refused key, a missing mode or size, the kind in
// use; and what it takes from the user as meant: a pasted number cleaned,
// sizes typed as people write them, the error box quoting exactly.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {calculate, chooseKind, openPage, pickItem, sharedBrowser, typeNumber} from './browser.mjs';

const site = sharedBrowser();

async function freshPage() {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    return openPage(context, site.url);
}

// A paste as the browser gives it: a clipboard event with the copied text.
const paste = (page, text) => page.evaluate((t) => {
    const edit = document.getElementById('sEditParam');
    edit.focus();
    const data = new DataTransfer();
    data.setData('text/plain', t);
    edit.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true}));
}, text);

// Rebar 12 mm, mass from length.
async function rebar12(page) {
    await chooseKind(page, 1, 'Арматура А3 А500с');
    await pickItem(page, 'sComboBoxElement', '12');
    await page.check('#sRadioGroupItem0');
}

const stale = (page) => page.evaluate(() => {
    const result = document.getElementById('sLabelResult');
    return {dimmed: result.classList.contains('stale'), description: result.getAttribute('aria-description')};
});

test('a result beside changed inputs is shown out of date until «Расчитать»', async () => {
    const page = await freshPage();
    await chooseKind(page, 1, 'Арматура А3 А500с');
    const changes = [
        ['size', () => pickItem(page, 'sComboBoxElement', '40')],
        ['mode', () => page.check('#sRadioGroupItem1')],
        ['number', async () => {
            await page.click('#sEditParam');
            await page.keyboard.press('End');
            await page.keyboard.type('5');
        }],
        ['number pasted', () => paste(page, '7')],
        ['number deleted', async () => {
            await page.click('#sEditParam');
            await page.keyboard.press('End');
            await page.keyboard.press('Backspace');
        }],
    ];
    for (const [what, change] of changes) {
        await pickItem(page, 'sComboBoxElement', '12');
        assert.equal(await calculate(page, 0, '12,5'), '11,125 кг', what);
        assert.deepEqual(await stale(page), {dimmed: false, description: null}, what);
        await change();
        const after = await stale(page);
        assert.ok(after.dimmed, what);
        assert.match(after.description, /Расчитать/, what);
        assert.equal(await page.textContent('#sLabelResult'), '11,125 кг', `${what}: the text stays`);
    }
    await page.click('#sButtonCalc');
    assert.equal((await stale(page)).dimmed, false);
    await page.context().close();
});

test('a refused key says why, naming the separator; a separator typed first gives 0', async () => {
    const page = await freshPage();
    await chooseKind(page, 1, 'Арматура А3 А500с');
    const cases = [
        [',5', '0,5', null],
        ['1,5,', '1,5', 'В числе уже есть запятая'],
        ['-5', '5', 'Только цифры и запятая'],
        ['0,1234567', '0,123456', 'Не больше шести знаков после запятой'],
    ];
    for (const [keys, field, reason] of cases) {
        await page.evaluate(() => { document.getElementById('inputHint').hidden = true; });
        await typeNumber(page, keys);
        assert.equal(await page.inputValue('#sEditParam'), field, keys);
        if (reason === null) {
            assert.ok(await page.isHidden('#inputHint'), keys);
        } else {
            assert.ok(await page.isVisible('#inputHint'), keys);
            assert.equal(await page.textContent('#inputHint'), reason, keys);
        }
    }
    // The field names the hint to screen readers, and the hint is a status.
    assert.equal(await page.getAttribute('#sEditParam', 'aria-describedby'), 'inputHint');
    assert.equal(await page.getAttribute('#inputHint', 'role'), 'status');
    await page.context().close();
});

test('«Расчитать» that cannot compute says what is missing and goes there', async () => {
    const page = await freshPage();
    await chooseKind(page, 3, 'Квадрат ГОСТ 2591');
    assert.equal(await page.textContent('#kindInUse'), 'Квадрат ГОСТ 2591');
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#missingInput'), 'Выберите, что рассчитать');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'sRadioGroupItem0');
    await page.check('#sRadioGroupItem0');
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#missingInput'), 'Выберите размер');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'sComboBoxElement');
    await pickItem(page, 'sComboBoxElement', '10');
    await page.click('#sButtonCalc');
    assert.ok(await page.isHidden('#missingInput'));
    assert.notEqual(await page.textContent('#sLabelResult'), '');

    // Another family's open list shows no kind: the name says which is in use.
    await page.click('#sButton4');
    assert.equal(await page.textContent('#kindInUse'), 'Квадрат ГОСТ 2591');
    await page.context().close();
});

test('a pasted number is the number the user copied', async () => {
    const page = await freshPage();
    await rebar12(page);
    for (const [pasted, field] of [['12,5\r\n', '12,5'], [' 1 250,50 ', '1250,50'], ['1\u00A0250', '1250']]) {
        await page.fill('#sEditParam', '');
        await paste(page, pasted);
        assert.equal(await page.inputValue('#sEditParam'), field, JSON.stringify(pasted));
    }
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelResult'), '1112,500 кг');
    await page.context().close();
});

test('sizes typed as people write them select the size and show its own text on leaving', async () => {
    const page = await freshPage();
    const cases = [
        [9, 'Труба бесшовная Г/К', 'sComboBoxE1', '32', 'sComboBoxE2', '2,8', '2.8'],
        [10, 'Труба прямоугольного сечения', 'sComboBoxE1', '40х20', 'sComboBoxE2', '2', '2'],
        [11, 'Уголок равнополочный', 'sComboBoxElement', '40x4', null, null, null],
        [2, 'Балка колонная', 'sComboBoxElement', '20K1', null, null, null],
    ];
    for (const [section, kind, list, text, second, secondText, secondShown] of cases) {
        await chooseKind(page, section, kind);
        await page.check('#sRadioGroupItem0');
        await page.fill(`#${list}`, text);
        if (second !== null) {
            await page.fill(`#${second}`, secondText);
            await page.focus('#sEditParam');
            assert.equal(await page.inputValue(`#${second}`), secondShown, `${kind} ${secondText}`);
        }
        await page.fill('#sEditParam', '1');
        await page.click('#sButtonCalc');
        assert.notEqual(await page.textContent('#sLabelResult'), '', `${kind}: ${text}`);
    }
    await page.context().close();
});

test('the error box quotes the user\'s text exactly, isolated from the sentence', async () => {
    const page = await freshPage();
    await rebar12(page);
    const text = '\u202E12   5';
    await page.evaluate((t) => {
        const edit = document.getElementById('sEditParam');
        edit.value = t;
        edit.dispatchEvent(new InputEvent('input', {inputType: 'insertFromPaste', data: t}));
    }, text);
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#errorText'), `'${text}' is not a valid floating point value.`);
    assert.equal(await page.textContent('#errorText bdi'), text);
    assert.equal(await page.getAttribute('#errorText', 'lang'), 'en');
    assert.equal(await page.$eval('#errorText', (p) => getComputedStyle(p).whiteSpace), 'pre-wrap');
    await page.keyboard.press('Escape');
    await page.context().close();
});
