// What the estimate's browser tests share: lines added through the
// calculator as a user adds them, and the section read back as texts.
import {calculate, chooseKind, pickItem} from './browser.mjs';

export const rebar = {section: 1, kind: 'Арматура А3 А500с', sizes: {sComboBoxElement: '12'}};
export const sheet = {section: 5, kind: 'Лист горячекатаный', sizes: {sComboBoxElement: '2'}};
export const channel = {section: 12, kind: 'Швеллер горячекатаный', sizes: {sComboBoxElement: '5'}};

// Computes as a user does and presses «В смету»; returns the result shown.
export async function addLine(page, {section, kind, sizes}, mode, number) {
    await chooseKind(page, section, kind);
    for (const [list, item] of Object.entries(sizes))
        await pickItem(page, list, item);
    const shown = await calculate(page, mode, number);
    await page.click('#estimateAdd');
    return shown;
}

// The rendered lines, each as its cells' texts (an input's value), the
// delete button's cell left out.
export const tableRows = (page) => page.evaluate(() =>
    [...document.querySelectorAll('#estimateRows tr:not(.spacer)')].map((tr) =>
        [...tr.cells].slice(0, -1).map((td) => td.querySelector('input, select')?.value ?? td.textContent)));

export const headerTexts = (page) =>
    page.evaluate(() => [...document.querySelectorAll('#estimateHead th')].map((th) => th.textContent));

// The totals under the table: [label, mass, cost] per row, the captions first.
export const totalsRows = (page) => page.evaluate(() =>
    [...document.querySelectorAll('#estimateTotals p')].map((p) => [...p.children].map((s) => s.textContent)));

export const rowCount = (page) => page.evaluate(() =>
    document.querySelectorAll('#estimateRows tr:not(.spacer)').length);

// Waits until the table shows `n` lines (a deletion redraws in the next frame).
export const waitForRows = (page, n) => page.waitForFunction(
    (n) => document.querySelectorAll('#estimateRows tr:not(.spacer)').length === n, n);

// An editable cell by its accessible name, e.g. «Цена, руб, строка 2».
export const cell = (page, caption, line) =>
    page.getByRole('textbox', {name: `${caption}, строка ${line}`, exact: true});

// Types into a cell with the keys, as a user does, and commits with Enter.
export async function typeInCell(page, caption, line, text, commit = 'Enter') {
    const input = cell(page, caption, line);
    await input.click();
    await page.keyboard.press('Control+A');
    await page.keyboard.press('Backspace');
    await page.keyboard.type(text);
    if (commit)
        await page.keyboard.press(commit);
    return input;
}
