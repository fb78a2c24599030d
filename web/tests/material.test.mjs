// The metal, its grade, a density of one's own and «Свой размер» through the page: the
// core decides, the page shows, and the choice is kept between visits.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {calculate, chooseKind, openPage, pickItem, sharedBrowser} from './browser.mjs';
import {tableRows, waitForRows} from './estimate_page.mjs';

const site = sharedBrowser();

test('a grade scales the catalogue mass, says its basis and is kept for the next visit', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await chooseKind(page, 4, 'Круг ГОСТ 2590');
    assert.equal(await page.inputValue('#sComboBoxMetal'), 'Сталь');
    assert.equal(await page.inputValue('#sComboBoxGrade'), 'Ст3');
    await pickItem(page, 'sComboBoxElement', '20');
    assert.equal(await calculate(page, 0, '1000'), '2470,000 кг');
    assert.equal(await page.textContent('#sLabelBasis'), 'Масса 1 м: 2,47 кг · Ст3, 7850 кг/м³');

    await page.selectOption('#sComboBoxMetal', 'Нержавеющая сталь');
    assert.equal(await page.inputValue('#sComboBoxGrade'), '12Х18Н10Т');
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelResult'), '2485,732 кг');
    assert.equal(await page.textContent('#sLabelBasis'), 'Масса 1 м: 2,485732 кг · 12Х18Н10Т, 7900 кг/м³');
    // The estimate takes any grade, and its line says which.
    await page.click('#estimateAdd');
    await waitForRows(page, 1);
    assert.deepEqual((await tableRows(page))[0], ['1', 'Круг ГОСТ 2590 20, 12Х18Н10Т', '20', '12Х18Н10Т', '2,485732',
                                                  '', '', '1000,000', '2485,732', '', 'т', '']);

    // The density field takes digits only, and says why it refused a key.
    await page.click('#sEditDensity');
    await page.keyboard.type('8x9');
    assert.equal(await page.inputValue('#sEditDensity'), '89');
    assert.equal(await page.textContent('#densityHint'), 'Плотность — целое число: только цифры');
    await page.keyboard.type('40');
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelBasis'), 'Масса 1 м: 2,812968 кг · своя плотность, 8940 кг/м³');
    await page.click('#estimateAdd');
    await waitForRows(page, 2);
    assert.equal((await tableRows(page))[1][3], 'своя плотность 8940 кг/м³');

    // Rebar is steel only: the lists show «Сталь», out of use.
    await chooseKind(page, 1, 'Арматура А1');
    assert.ok(await page.isDisabled('#sComboBoxMetal'));
    assert.equal(await page.inputValue('#sComboBoxGrade'), 'Сталь');

    await page.reload();
    await page.waitForFunction(() => performance.getEntriesByName('tarvik-estimate').length > 0);
    assert.equal(await page.inputValue('#sComboBoxMetal'), 'Нержавеющая сталь');
    assert.equal(await page.inputValue('#sComboBoxGrade'), '12Х18Н10Т');
    assert.equal(await page.inputValue('#sEditDensity'), '8940');
    await context.close();
});

test('an own size: one field per dimension, the radii filled in, a reason beside a bad one', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await chooseKind(page, 13, 'Труба профильная');
    assert.equal(await page.textContent('#kindInUse'), 'Труба профильная');
    assert.ok(await page.isHidden('#sComboBoxE1Box'));
    assert.ok(await page.isHidden('#sComboBoxElementBox'));
    assert.ok(await page.isVisible('#sComboBoxRadiusStandard'));
    assert.ok(await page.isHidden('#dimension5'));
    const field = (i) => page.getByRole('textbox', {name: ['Ширина, мм', 'Высота, мм', 'Толщина стенки, мм',
                                                           'Радиус закругления R, мм'][i], exact: true});
    await field(0).fill('');
    for (const [i, text] of [[0, '180'], [1, '60'], [2, '7']]) {
        await field(i).click();
        await page.keyboard.type(text);
    }
    assert.equal(await field(3).inputValue(), '17,5');
    assert.equal(await calculate(page, 0, '1000'), '23516,654 кг');
    await page.click('#estimateAdd');
    await waitForRows(page, 1);
    assert.deepEqual((await tableRows(page))[0].slice(1, 4),
                     ['Труба профильная 180х60х7х17,5, Ст3', '180х60х7х17,5', 'Ст3']);
    assert.equal(await page.locator('#estimateRows .note').count(), 0, 'not flagged as gone from the catalogue');
    await page.selectOption('#sComboBoxRadiusStandard', 'ГОСТ 8639/8645');
    assert.equal(await field(3).inputValue(), '10,5');

    await field(2).click();
    await page.keyboard.press('Control+A');
    await page.keyboard.type('30');
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelResult'), '');
    assert.equal(await page.textContent('#dimensionHint'), 'Стенка должна быть меньше половины меньшей стороны');
    assert.ok(await page.isVisible('#dimensionHint'));
    assert.equal(await page.evaluate(() => document.activeElement.id), 'sEditDimension3');
    await context.close();
});
