// The estimate's section on a phone and on a wide screen: the page never
// scrolls sideways (the table scrolls in its own box), the section stands
// beside the calculator where the width allows, and its texts, cells and
// refusals keep AA contrast in both colour schemes.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {openPage, sharedBrowser} from './browser.mjs';
import {contrastFaults} from './contrast.mjs';
import {addLine, channel, rebar, sheet, typeInCell} from './estimate_page.mjs';

const site = sharedBrowser();

async function threeLines(options) {
    const context = await site.browser.newContext({locale: 'ru-RU', ...options});
    const page = await openPage(context, site.url);
    await addLine(page, rebar, 0, '100');
    await addLine(page, channel, 0, '2');
    await addLine(page, sheet, 0, '1');
    await typeInCell(page, 'Цена, руб', 1, '56900');
    return page;
}

const widths = (page) => page.evaluate(() => {
    const box = document.getElementById('estimateBox');
    return {page: document.documentElement.scrollWidth, view: innerWidth, box: box.clientWidth,
            table: box.scrollWidth};
});

test('a 360 × 640 phone: the page keeps its width, the table scrolls in its box', async () => {
    const page = await threeLines({viewport: {width: 360, height: 640}, isMobile: true, hasTouch: true});
    const w = await widths(page);
    assert.ok(w.page <= w.view, `the page is ${w.page} px wide in ${w.view}`);
    assert.ok(w.table > w.box, 'the table is wider than its box and scrolls there');
    // Below the calculator, not beside it.
    const [form, section] = await page.evaluate(() =>
        ['sButtonCalc', 'estimate'].map((id) => document.getElementById(id).getBoundingClientRect().toJSON()));
    assert.ok(section.top >= form.bottom, 'the estimate under the calculator');
    // Every control of the section outside the table is reachable without
    // a sideways scroll; those in the table, by scrolling the table's box.
    const outside = await page.evaluate(() =>
        [...document.querySelectorAll('#estimate button:not([hidden]), #estimate select, #estimate label')]
            .filter((el) => !el.closest('#estimateBox') && el.getBoundingClientRect().right > innerWidth + 1)
            .map((el) => el.id || el.textContent));
    assert.deepEqual(outside, []);
    await page.context().close();
});

test('a wide screen puts the estimate beside the calculator', async () => {
    const page = await threeLines({viewport: {width: 1366, height: 768}});
    const [form, section] = await page.evaluate(() =>
        ['sButtonCalc', 'estimate'].map((id) => document.getElementById(id).getBoundingClientRect().toJSON()));
    assert.ok(section.left >= form.right, 'beside it');
    const w = await widths(page);
    assert.ok(w.page <= w.view);
    await page.context().close();
});

test('the estimate keeps AA contrast in the light and the dark scheme', async () => {
    for (const colorScheme of ['light', 'dark']) {
        const page = await threeLines({colorScheme, viewport: {width: 1366, height: 768}});
        // A refusal in a cell and a status line: every kind of text the
        // section shows.
        await page.getByRole('button', {name: 'Копировать таблицу', exact: true}).click();
        await typeInCell(page, 'Кол-во, шт', 2, '0');
        await typeInCell(page, 'Цена, руб', 3, '1,234', null);
        const {texts, faults} = await contrastFaults(page);
        for (const shown of ['Итого: 3 поз.', 'Число штук — целое от 1', '56\u2009900,00', 'Удалить строку'])
            assert.ok(texts.includes(shown), `${colorScheme}: «${shown}» is among the texts measured`);
        assert.deepEqual(faults, [], colorScheme);
        await page.context().close();
    }
});
