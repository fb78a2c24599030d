// The estimate's section on screens: below the calculator on a phone with no
// sideways scroll but its table's own, beside it on a wide screen, and its
// texts at AA contrast in both colour schemes.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {openPage, sharedBrowser} from './browser.mjs';
import {addLine, channel, rebar, sheet, typeInCell} from './estimate_page.mjs';

const site = sharedBrowser();

async function threeLines(options) {
    const context = await site.browser.newContext({locale: 'ru-RU', ...options});
    const page = await openPage(context, site.url);
    await addLine(page, rebar, 0, '100');
    await addLine(page, channel, 0, '12');
    await addLine(page, sheet, 1, '31,4');
    return page;
}

const boxes = (page) => page.evaluate(() => {
    const rect = (id) => document.getElementById(id).getBoundingClientRect().toJSON();
    const box = document.getElementById('estimateBox');
    return {calculator: rect('sPanel4'), estimate: rect('estimate'), pageWidth: document.documentElement.scrollWidth,
            innerWidth, tableScrolls: box.scrollWidth > box.clientWidth};
});

test('on a phone the estimate stands below the calculator and only its table scrolls sideways', async () => {
    const page = await threeLines({viewport: {width: 360, height: 640}, isMobile: true, hasTouch: true});
    const at = await boxes(page);
    assert.ok(at.pageWidth <= at.innerWidth, `the page is ${at.pageWidth} px wide`);
    assert.ok(at.estimate.top >= at.calculator.bottom, 'below the calculator');
    assert.ok(at.estimate.right <= at.innerWidth + 0.5);
    assert.ok(at.tableScrolls, 'the table scrolls in its box');
    await page.context().close();
});

test('a wide screen shows the estimate beside the calculator', async () => {
    const page = await threeLines({viewport: {width: 1366, height: 768}});
    const at = await boxes(page);
    assert.ok(at.estimate.left >= at.calculator.right, 'to the right of the calculator');
    assert.ok(at.estimate.top < at.calculator.bottom, 'level with it');
    assert.ok(at.pageWidth <= at.innerWidth);
    await page.context().close();
});

// WCAG's relative luminance and contrast ratio.
function luminance([r, g, b]) {
    const linear = (c) => (c /= 255) <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}
const contrast = (a, b) => {
    const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
    return (hi + 0.05) / (lo + 0.05);
};

// Each visible text of the section, and each input's value, with its colour
// and the first solid background up the tree (a gradient's stops).
const sectionColours = (page) => page.evaluate(() => {
    const rgb = (text) => (text.match(/[\d.]+/g) ?? []).map(Number);
    const background = (el) => {
        for (let at = el; at; at = at.parentElement) {
            const s = getComputedStyle(at);
            if (s.backgroundImage !== 'none')
                return (s.backgroundImage.match(/rgba?\([^)]*\)/g) ?? []).map(rgb);
            if (rgb(s.backgroundColor)[3] !== 0)
                return [rgb(s.backgroundColor)];
        }
        return [[255, 255, 255]];
    };
    const out = [];
    const walker = document.createTreeWalker(document.getElementById('estimate'), NodeFilter.SHOW_TEXT);
    const elements = [];
    for (let node; (node = walker.nextNode());)
        if (node.textContent.trim())
            elements.push([node.parentElement, node.textContent.trim()]);
    for (const input of document.querySelectorAll('#estimate input:not([type=checkbox])'))
        if (input.value)
            elements.push([input, input.value]);
    for (const [el, text] of elements) {
        if (el.getClientRects().length === 0 || el.closest('[hidden], :disabled'))
            continue;
        const style = getComputedStyle(el);
        out.push({text: text.slice(0, 40), colour: rgb(style.color), behind: background(el),
                  large: parseFloat(style.fontSize) >= 24});
    }
    return out;
});

test('the estimate\'s texts keep AA contrast in the light and the dark scheme', async () => {
    for (const colorScheme of ['light', 'dark']) {
        const page = await threeLines({colorScheme, viewport: {width: 1366, height: 768}});
        // A selected line, a refusal in a cell and a status line among them.
        await typeInCell(page, 'Кол-во, шт', 1, '0');
        await page.getByRole('button', {name: 'Удалить строку 3', exact: true}).click();
        await page.waitForSelector('#estimateUndo:not([hidden])');
        const texts = await sectionColours(page);
        assert.ok(texts.some((t) => t.text === 'Число штук — целое от 1'), 'the refusal is among the texts');
        for (const t of texts)
            for (const back of t.behind) {
                const ratio = contrast(t.colour.slice(0, 3), back);
                assert.ok(ratio >= (t.large ? 3 : 4.5), `${colorScheme}: "${t.text}" at ${ratio.toFixed(2)}:1`);
            }
        await page.context().close();
    }
});
