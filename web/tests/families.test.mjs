// Every family end to end through the page: kind, size, mode, number,
// "Расчитать". Expected texts are the catalogue's unit masses worked by hand.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {calculate, chooseKind, openPage, pickItem, sharedBrowser} from './browser.mjs';

const site = sharedBrowser();

const cases = [
    // section, kind, sizes (list: item), mode, number, result
    [1, 'Арматура А3 А500с', {sComboBoxElement: '12'}, 0, '12,5', '11,125 кг'],
    [1, 'Арматура А3 А500с', {sComboBoxElement: '12'}, 1, '100', '112,360 м'],
    [2, 'Балка широкополочная', {sComboBoxElement: '20Ш1'}, 1, '61,2', '2,000 м'],
    [3, 'Квадрат ГОСТ 2591', {sComboBoxElement: '10'}, 0, '3', '2,370 кг'],
    [4, 'Круг ГОСТ 2590', {sComboBoxElement: '6,5'}, 0, '10', '2,600 кг'],
    [5, 'Лист горячекатаный', {sComboBoxElement: '2'}, 0, '2', '31,400 кг'],
    [5, 'Лист горячекатаный', {sComboBoxElement: '2'}, 1, '31,4', '2,000 кв.м'],
    [6, 'Полоса ГОСТ 103-76', {sComboBoxE1: '6', sComboBoxE2: '25'}, 1, '11,8', '10,000 м'],
    [7, 'Профнастил оцинкованный', {sComboBoxElement: 'С10-1100-0,5'}, 0, '2', '9,818 кг'],
    [8, 'Сетка сварная', {sComboBoxElement: '1x20x20'}, 1, '6,2', '10,000 кв.м'],
    [9, 'Труба водогазопроводная', {sComboBoxE1: '15', sComboBoxE2: '2.5'}, 0, '10', '11,600 кг'],
    [10, 'Труба квадратного сечения', {sComboBoxE1: '20x20', sComboBoxE2: '1.5'}, 0, '10', '8,400 кг'],
    [11, 'Уголок неравнополочный', {sComboBoxElement: '56х36х4'}, 1, '28,1', '10,000 м'],
    [12, 'Швеллер горячекатаный', {sComboBoxElement: '5'}, 0, '2', '9,680 кг'],
];

test('every family computes through the page', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    for (const [section, kind, sizes, mode, number, expected] of cases) {
        await chooseKind(page, section, kind);
        assert.equal(await page.textContent('#sLabelResult'), '', `${kind}: a kind choice clears the result`);
        for (const [list, item] of Object.entries(sizes))
            await pickItem(page, list, item);
        assert.equal(await calculate(page, mode, number), expected, `${kind} ${Object.values(sizes).join('x')}`);
    }
    await context.close();
});

test('the input caption and units follow the text set of the family', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await chooseKind(page, 5, 'Лист холоднокатаный');
    await page.check('#sRadioGroupItem0');
    assert.equal(await page.textContent('#sRadioGroupItem0 + span'), 'Массу по площади');
    assert.equal(await page.textContent('#sEditParamLabel'), 'Площадь, кв.м');
    assert.equal(await page.getAttribute('#sEditParam', 'aria-label'), 'Площадь, кв.м');
    assert.equal(await page.textContent('#sComboBoxElementLabel'), 'Толщина листа, мм');
    await chooseKind(page, 1, 'Арматура А1');
    assert.equal(await page.textContent('#sRadioGroupItem1 + span'), 'Длину по массе');
    assert.equal(await page.textContent('#sEditParamLabel'), 'Длина, м');
    await context.close();
});
