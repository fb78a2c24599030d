// Copying the result: the result box's menu, by pointer and by keyboard, and
// Ctrl+C, under both decimal separators.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {calculate, chooseKind, openPage, pickItem, sharedBrowser} from './browser.mjs';

const site = sharedBrowser();

async function rebarPage(locale) {
    const context = await site.browser.newContext({locale, permissions: ['clipboard-read', 'clipboard-write']});
    const page = await openPage(context, site.url);
    await chooseKind(page, 1, 'Арматура А3 А500с');
    await pickItem(page, 'sComboBoxElement', '12');
    return page;
}

const clipboard = (page) => page.evaluate(() => navigator.clipboard.readText());
const menu = (page) => page.locator('#resultMenu');
const entry = (page, name) => menu(page).getByRole('menuitem', {name, exact: true});
const focusedId = (page) => page.evaluate(() => document.activeElement?.id ?? '');

for (const [locale, number] of [['ru-RU', '11,125'], ['en-US', '11.125']]) {
    test(`both menu entries and Ctrl+C copy the result under ${locale}`, async () => {
        const page = await rebarPage(locale);
        assert.equal(await calculate(page, 0, '12.5'), `${number} кг`);
        await page.click('#sLabelResult', {button: 'right'});
        assert.ok(await menu(page).isVisible());
        await entry(page, 'Копировать').click();
        assert.equal(await clipboard(page), number);
        assert.ok(await menu(page).isHidden(), 'an entry closes the menu');

        await page.click('#sGroupBox1', {button: 'right'});
        await entry(page, 'Копировать с единицей').click();
        assert.equal(await clipboard(page), `${number} кг`);

        await page.evaluate(() => navigator.clipboard.writeText('-'));
        await page.focus('#sButtonCalc');
        await page.keyboard.press('Control+C');
        assert.equal(await clipboard(page), number, 'Ctrl+C on a button');
        await page.context().close();
    });
}

test('with no result both entries are disabled, and Escape closes the menu', async () => {
    const page = await rebarPage('ru-RU');
    await page.evaluate(() => navigator.clipboard.writeText('-'));
    await page.click('#sGroupBox1', {button: 'right'});
    for (const name of ['Копировать', 'Копировать с единицей']) {
        assert.ok(await entry(page, name).isDisabled(), name);
        await entry(page, name).click({force: true});
    }
    assert.equal(await clipboard(page), '-');
    assert.ok(await menu(page).isVisible(), 'a disabled entry leaves the menu open');
    await page.keyboard.press('Escape');
    assert.ok(await menu(page).isHidden());
    assert.equal(await focusedId(page), 'sGroupBox1', 'the focus is back where the menu was opened');

    // A result enables them; a new kind clears the result and disables them again.
    await calculate(page, 0, '2');
    await page.click('#sGroupBox1', {button: 'right'});
    assert.ok(await entry(page, 'Копировать').isEnabled());
    await page.keyboard.press('Escape');
    await chooseKind(page, 1, 'Арматура А1');
    await page.click('#sGroupBox1', {button: 'right'});
    assert.ok(await entry(page, 'Копировать').isDisabled());
    await page.context().close();
});

test('the menu works from the keyboard once the result box has the focus', async () => {
    const page = await rebarPage('ru-RU');
    await calculate(page, 0, '12,5');
    await page.click('#sLabelResult');
    for (const key of ['Shift+F10', 'ContextMenu']) {
        await page.keyboard.press(key);
        assert.ok(await menu(page).isVisible(), key);
        assert.equal(await focusedId(page), 'copyResultNumber', key);
        await page.keyboard.press('Escape');
        assert.ok(await menu(page).isHidden(), key);
        assert.equal(await focusedId(page), 'sGroupBox1', key);
    }
    await page.keyboard.press('Shift+F10');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focusedId(page), 'copyResultWithUnit');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focusedId(page), 'copyResultNumber', 'the arrows wrap round');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('Enter');
    assert.equal(await clipboard(page), '11,125 кг');
    assert.ok(await menu(page).isHidden());
    assert.equal(await focusedId(page), 'sGroupBox1');
    await page.context().close();
});
