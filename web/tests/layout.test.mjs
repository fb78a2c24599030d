// The page under the user's own settings: the browser's font size scales
// it, a large minimum font size or a 200 % zoom overlaps nothing, large
// screens get it centred and larger, and both colour schemes keep text at
// AA contrast.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {mkdir, mkdtemp, rm, writeFile} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {calculate, chooseKind, launchPersistent, openPage, pickItem, sharedBrowser} from './browser.mjs';
import {contrastFaults} from './contrast.mjs';

const site = sharedBrowser();

// A browser profile whose font settings a user changed.
async function withFontSettings(webprefs, viewport, run) {
    const profile = await mkdtemp(join(tmpdir(), 'tarvik-fonts-'));
    await mkdir(join(profile, 'Default'));
    await writeFile(join(profile, 'Default', 'Preferences'), JSON.stringify({webkit: {webprefs}}));
    const context = await launchPersistent(profile, {locale: 'ru-RU', viewport});
    try {
        await run(await openPage(context, site.url));
    } finally {
        await context.close();
        await rm(profile, {recursive: true});
    }
}

// A welded pipe computed, with the notices a user meets on the way shown:
// every kind of text the column has.
async function fillTheColumn(page) {
    await chooseKind(page, 9, 'Труба электросварная');
    await page.click('#sButtonCalc'); // no mode yet: the missing-mode notice
    await pickItem(page, 'sComboBoxE1', '57');
    await pickItem(page, 'sComboBoxE2', '3');
    assert.match(await calculate(page, 0, '6'), /кг$/);
    await page.focus('#sEditParam');
    await page.keyboard.press('End');
    await page.keyboard.type('-'); // a refused key: its reason beside the field
    await page.waitForSelector('#inputHint:not([hidden])');
}

// Every visible run of text and every control of the form, and what of them
// overlaps or spills out of the box that holds it.
const layoutFaults = (page) => page.evaluate(() => {
    const shown = (el) => el.getClientRects().length > 0 && !el.closest('[hidden], .visually-hidden');
    const meets = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 1 &&
                            Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 1;
    const inside = (a, b) => a.left >= b.left - 1 && a.right <= b.right + 1 && a.top >= b.top - 1 &&
                             a.bottom <= b.bottom + 1;
    const name = (el) => el.id || el.textContent.trim().slice(0, 30);
    const runs = [];
    const walker = document.createTreeWalker(document.getElementById('Form1'), NodeFilter.SHOW_TEXT);
    for (let node; (node = walker.nextNode());) {
        if (!node.textContent.trim() || !shown(node.parentElement))
            continue;
        const range = document.createRange();
        range.selectNodeContents(node);
        for (const rect of range.getClientRects())
            if (rect.width > 0 && rect.height > 0)
                runs.push({node, box: node.parentElement.closest('button, li, label, legend, output, p'), rect});
    }
    const controls = [...document.querySelectorAll('#Form1 input, #Form1 button')].filter(shown)
                         .map((el) => ({el, rect: el.getBoundingClientRect()}));
    const faults = [];
    for (const run of runs)
        if (run.box && !inside(run.rect, run.box.getBoundingClientRect()))
            faults.push(`"${run.node.textContent.trim()}" spills out of ${name(run.box)}`);
    for (const [i, a] of runs.entries())
        for (const b of runs.slice(i + 1))
            if (a.node !== b.node && meets(a.rect, b.rect))
                faults.push(`"${a.node.textContent.trim()}" overlaps "${b.node.textContent.trim()}"`);
    for (const run of runs)
        for (const c of controls)
            if (!c.el.contains(run.node) && meets(run.rect, c.rect))
                faults.push(`"${run.node.textContent.trim()}" overlaps ${name(c.el)}`);
    for (const [i, a] of controls.entries())
        for (const b of controls.slice(i + 1))
            if (meets(a.rect, b.rect))
                faults.push(`${name(a.el)} overlaps ${name(b.el)}`);
    return faults;
});

test('the browser\'s font size scales the whole page', async () => {
    const measure = (page) => page.evaluate(() => ({
        text: parseFloat(getComputedStyle(document.getElementById('sLabelResult')).fontSize),
        header: document.getElementById('sButton1').getBoundingClientRect().height,
        column: document.getElementById('sPanel2').getBoundingClientRect().width,
    }));
    const sizes = [];
    for (const size of [16, 32])
        await withFontSettings({default_font_size: size}, {width: 1366, height: 768},
                               async (page) => sizes.push(await measure(page)));
    assert.equal(sizes[1].text, 2 * sizes[0].text);
    assert.ok(Math.abs(sizes[1].header - 2 * sizes[0].header) <= 2, JSON.stringify(sizes));
    assert.ok(Math.abs(sizes[1].column - 2 * sizes[0].column) <= 2, JSON.stringify(sizes));
});

test('nothing overlaps or spills at a large minimum font size, a large font or 200 % zoom', async () => {
    const setups = [
        ['minimum font 24 px', {minimum_font_size: 24}, {width: 1366, height: 768}],
        ['minimum font 24 px, phone', {minimum_font_size: 24}, {width: 360, height: 640}],
        ['font 32 px', {default_font_size: 32}, {width: 1366, height: 768}],
        // 200 % of a 1366 × 768 screen: half as many CSS pixels.
        ['200 % zoom', {}, {width: 683, height: 384}],
    ];
    for (const [what, prefs, viewport] of setups)
        await withFontSettings(prefs, viewport, async (page) => {
            await fillTheColumn(page);
            assert.deepEqual(await layoutFaults(page), [], what);
            // The page scrolls down, never sideways.
            assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), what);
        });
});

test('a large screen shows the page centred and larger', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU', viewport: {width: 1920, height: 1080}});
    const page = await openPage(context, site.url);
    await chooseKind(page, 1, 'Арматура А1');
    const {rootFont, left, right} = await page.evaluate(() => {
        const columns = [document.getElementById('sPanel2'), document.getElementById('sPanel4')]
                            .map((el) => el.getBoundingClientRect());
        return {rootFont: parseFloat(getComputedStyle(document.documentElement).fontSize),
                left: columns[0].left, right: innerWidth - columns[1].right};
    });
    assert.ok(rootFont > 16, `root font ${rootFont}`);
    assert.ok(Math.abs(left - right) <= 2, `margins ${left} and ${right}`);
    await context.close();
});

test('text keeps AA contrast in the light and the dark scheme', async () => {
    for (const colorScheme of ['light', 'dark']) {
        const context = await site.browser.newContext({locale: 'ru-RU', colorScheme});
        const page = await openPage(context, site.url);
        await fillTheColumn(page);
        // An out-of-date result is dimmed, still readable.
        await page.keyboard.type('5');
        const {texts, faults} = await contrastFaults(page);
        assert.ok(texts.some((t) => t.endsWith('кг')), 'the result is among the texts');
        assert.deepEqual(faults, [], colorScheme);
        await context.close();
    }
});
