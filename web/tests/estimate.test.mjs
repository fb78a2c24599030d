// The estimate on the page: lines taken from the calculator's own result,
// cells under the key rule with their refusals in place, totals that follow,
// undo, and the exports (clipboard, CSV, print) as the core writes them.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {readFile} from 'node:fs/promises';
import {calculate, chooseKind, openPage, pickItem, sharedBrowser, typeNumber} from './browser.mjs';
import {addLine, cell, channel, headerTexts, rebar, rowCount, sheet, tableRows, totalsRows, typeInCell,
        waitForRows} from './estimate_page.mjs';

const site = sharedBrowser();

async function estimatePage(options = {}) {
    const context = await site.browser.newContext({locale: 'ru-RU', ...options});
    return openPage(context, site.url);
}

// The numbers of the lines shown selected, joined.
const selectedLines = (page) => page.evaluate(() =>
    [...document.querySelectorAll('#estimateRows tr.selected')].map((tr) => tr.cells[0].textContent).join());

test('«В смету» takes the result the core computed, enabled only while it stands', async () => {
    const page = await estimatePage();
    assert.ok(await page.isDisabled('#estimateAdd'), 'no result yet');
    await addLine(page, rebar, 0, '100');
    assert.ok(await page.isVisible('#estimate'), 'adding shows the estimate');
    assert.equal(await selectedLines(page), '1', 'with the new line selected');
    // The length typed is written as the calculator writes it.
    await addLine(page, channel, 1, '9,68');
    assert.deepEqual(await tableRows(page), [
        ['1', 'Арматура А3 А500с', '12', 'Сталь', '0,89', '', '', '100,000', '89,000', '', 'т', ''],
        ['2', 'Швеллер горячекатаный', '5', 'Сталь', '4,84', '', '', '2,000', '9,680', '', 'т', ''],
    ]);
    assert.equal(await selectedLines(page), '2');

    // A number changed after «Расчитать» leaves the shown result out of
    // date: it is not taken.
    await typeNumber(page, '5');
    assert.ok(await page.isDisabled('#estimateAdd'), 'an out-of-date result');
    await calculate(page, 1, '0');
    assert.ok(await page.isDisabled('#estimateAdd'), 'a zero result');
    await page.context().close();
});

// The first line is added while the section is still hidden; on the phone
// the calculator then stands half a page down, and the table right below it.
test('«В смету» leaves the focus and the page where they were and says beside itself which line it added', async () => {
    for (const viewport of [{width: 360, height: 640}, {width: 1366, height: 768}]) {
        const where = `${viewport.width}×${viewport.height}`;
        const page = await estimatePage({viewport});
        const place = () => page.evaluate(() => ({focus: document.activeElement.id, scrollY}));
        const confirmation = () => page.getByRole('status').filter({hasText: /^Добавлено/}).textContent();
        await chooseKind(page, rebar.section, rebar.kind);
        await pickItem(page, 'sComboBoxElement', '12');
        await calculate(page, 0, '100');
        const {scrollY} = await place();

        await page.click('#estimateAdd');
        assert.deepEqual(await place(), {focus: 'estimateAdd', scrollY}, `${where}: the pointer`);
        assert.equal(await confirmation(), 'Добавлено: строка 1', where);
        assert.equal(await selectedLines(page), '1', where);
        for (const [key, line] of [['Enter', '2'], ['Space', '3']]) {
            await page.keyboard.press(key);
            assert.deepEqual(await place(), {focus: 'estimateAdd', scrollY}, `${where}: ${key}`);
            assert.equal(await confirmation(), `Добавлено: строка ${line}`, `${where}: ${key}`);
            assert.equal(await selectedLines(page), line, `${where}: ${key}`);
        }
        await waitForRows(page, 3);
        // The number is two steps back, past «Расчитать».
        await page.keyboard.press('Shift+Tab');
        await page.keyboard.press('Shift+Tab');
        assert.equal((await place()).focus, 'sEditParam', where);
        // The confirmation goes with the result it took.
        await page.keyboard.type('5');
        assert.equal(await page.textContent('#estimateAdded'), '', where);
        await page.context().close();
    }
});

test('edits of pieces, price and VAT move the line and the totals; mixed kinds name both units', async () => {
    const page = await estimatePage();
    await addLine(page, rebar, 0, '100');
    await addLine(page, sheet, 1, '31,4');
    assert.deepEqual((await headerTexts(page)).slice(3, 8),
                     ['Марка', 'Масса 1 м / 1 кв.м, кг', 'Длина 1 шт, м / Площадь 1 шт, кв.м', 'Кол-во, шт',
                      'Длина, м / Площадь, кв.м']);
    await typeInCell(page, 'Цена, руб', 1, '50000');
    // Nine bars of the family's 11,7 m: 105,3 m, 93,717 kg.
    await typeInCell(page, 'Кол-во, шт', 1, '9', 'Tab');
    assert.deepEqual((await tableRows(page))[0],
                     ['1', 'Арматура А3 А500с', '12', 'Сталь', '0,89', '11,7', '9', '105,300', '93,717', '50\u2009000,00',
                      'т', '4\u2009685,85']);
    assert.deepEqual(await totalsRows(page), [
        ['', 'Масса, кг', 'Стоимость, руб'],
        ['Итого: 2 поз.', '125,117', '4\u2009685,85'],
        ['Итого, т', '0,125', ''],
        ['без цены: 1 поз.', '', ''],
        ['в т.ч. НДС 22 %', '', '844,99'],
    ]);
    // Leaving a cell commits it as Enter does.
    await typeInCell(page, 'Длина 1 шт, м / Площадь 1 шт, кв.м', 2, '3,125', null);
    await page.click('#estimateTitle');
    assert.deepEqual((await tableRows(page))[1].slice(5, 9), ['3,125', '1', '3,125', '49,062']);

    await page.click('#vatIncluded');
    await page.fill('#vatRate', '20');
    await page.press('#vatRate', 'Enter');
    assert.deepEqual((await totalsRows(page)).slice(-2),
                     [['НДС 20 %', '', '937,17'], ['Всего с НДС', '', '5\u2009623,02']]);
    await page.context().close();
});

test('a cell refuses a key with its reason and an edit with the core\'s words, in place', async () => {
    const page = await estimatePage();
    await addLine(page, rebar, 0, '100');
    const cases = [
        // caption, typed, what stays, the reason shown
        ['Цена, руб', '12,345', '12,34', 'Не больше двух знаков после запятой'],
        ['Кол-во, шт', '2,', '2', 'Здесь только целое число'],
        ['Масса, кг', '1,2345', '1,234', 'Не больше трёх знаков после запятой'],
        ['Длина, м', '5x', '5', 'Только цифры и запятая'],
    ];
    for (const [caption, typed, kept, reason] of cases) {
        const before = await cell(page, caption, 1).inputValue();
        const input = await typeInCell(page, caption, 1, typed, null);
        assert.equal(await input.inputValue(), kept, caption);
        assert.equal(await page.textContent('td:has(> input:focus) > .cellHint'), reason, caption);
        // Escape abandons the typing.
        await page.keyboard.press('Escape');
        assert.equal(await input.inputValue(), before, caption);
    }
    // An edit the core refuses keeps the text and says why in the cell; no
    // box opens, and the line keeps its numbers.
    const pieces = await typeInCell(page, 'Кол-во, шт', 1, '0');
    assert.equal(await pieces.getAttribute('aria-invalid'), 'true');
    const why = page.locator('#' + await pieces.getAttribute('aria-describedby'));
    assert.equal(await why.textContent(), 'Число штук — целое от 1');
    assert.equal(await pieces.inputValue(), '0');
    assert.equal(await page.evaluate(() => document.getElementById('errorBox').open), false);
    assert.equal((await tableRows(page))[0][7], '100,000');
    // Corrected, the refusal goes.
    await typeInCell(page, 'Кол-во, шт', 1, '2');
    assert.equal(await pieces.getAttribute('aria-invalid'), null);
    assert.equal((await tableRows(page))[0][7], '23,400');
    await page.context().close();
});

test('prices pasted as sellers write them are read, slips are refused with what is wrong', async () => {
    const page = await estimatePage();
    await addLine(page, rebar, 0, '100');
    const paste = async (caption, text) => {
        const input = cell(page, caption, 1);
        await input.click();
        await page.keyboard.press('Control+A');
        await input.evaluate((field, text) => {
            const data = new DataTransfer();
            data.setData('text/plain', text);
            field.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true}));
        }, text);
        await page.keyboard.press('Enter');
        return input;
    };
    const why = async (input) => page.locator('#' + await input.getAttribute('aria-describedby')).textContent();
    const totals = await totalsRows(page);
    for (const [caption, text, reason] of [
        ['Цена, руб', '65.000', '«65.000» — это 65000 или 65,000? Напишите число без точки'],
        ['Цена, руб', 'NaN', '«N» — не часть числа'],
        ['Длина, м', '1e309', 'Число пишется цифрами, без «e»'],
    ]) {
        const input = await paste(caption, text);
        assert.equal(await input.getAttribute('aria-invalid'), 'true', text);
        assert.equal(await why(input), reason, text);
        assert.deepEqual(await totalsRows(page), totals, text);
        await page.keyboard.press('Escape');
    }
    await paste('Цена, руб', '65.000,50 ₽');
    assert.equal((await tableRows(page))[0][9], '65\u2009000,50');
    assert.equal((await tableRows(page))[0][11], '5\u2009785,04');
    // Typed, a space parts thousands.
    await typeInCell(page, 'Цена, руб', 1, '71 000');
    assert.equal((await tableRows(page))[0][9], '71\u2009000,00');
    await page.context().close();
});

test('«Отменить» and «Вернуть» go step by step, by button and by Ctrl+Z / Ctrl+Y, and say what they do', async () => {
    const page = await estimatePage();
    const describes = (id) => page.getAttribute(id, 'aria-description');
    await addLine(page, rebar, 0, '100');
    await addLine(page, channel, 0, '2');
    await addLine(page, sheet, 0, '1');
    const all = await tableRows(page);
    assert.equal(await describes('#estimateUndo'), 'Отменить добавление строки 3');
    assert.ok(await page.isDisabled('#estimateRedo'));

    await page.getByRole('button', {name: 'Удалить строку 2', exact: true}).click();
    await waitForRows(page, 2);
    assert.deepEqual((await tableRows(page)).map((r) => r[1]), ['Арматура А3 А500с', 'Лист горячекатаный']);
    assert.equal((await totalsRows(page))[1][0], 'Итого: 2 поз.');
    await page.getByRole('button', {name: 'Отменить', exact: true}).click();
    await waitForRows(page, 3);
    assert.deepEqual(await tableRows(page), all, 'back in its place');
    assert.equal(await selectedLines(page), '2', 'and chosen');
    assert.equal(await describes('#estimateRedo'), 'Вернуть удаление строки 2');

    await page.getByRole('button', {name: 'Очистить смету', exact: true}).click();
    await waitForRows(page, 0);
    assert.ok(await page.isDisabled('#estimateRedo'), 'a new step: nothing to redo');
    assert.equal((await totalsRows(page))[1][0], 'Итого: 0 поз.');
    await page.focus('#estimateBox');
    await page.keyboard.press('Control+Z');
    await waitForRows(page, 3);
    assert.deepEqual(await tableRows(page), all);
    await page.keyboard.press('Control+Y');
    await waitForRows(page, 0);
    await page.keyboard.press('Control+Z');
    await waitForRows(page, 3);

    // In a cell Ctrl+Z undoes the typing, not a step of the estimate.
    await typeInCell(page, 'Цена, руб', 1, '5', null);
    await page.keyboard.press('Control+Z');
    assert.equal(await rowCount(page), 3);
    await page.context().close();
});

test('the CSV download and the copied table are the core\'s texts', async () => {
    const page = await estimatePage({acceptDownloads: true, permissions: ['clipboard-read', 'clipboard-write']});
    await addLine(page, rebar, 0, '100');
    await addLine(page, sheet, 0, '2');
    await typeInCell(page, 'Цена, руб', 1, '65000,5');
    await page.getByRole('button', {name: 'Копировать таблицу', exact: true}).click();
    await page.waitForSelector('#estimateStatus:text("Таблица скопирована")');
    const copied = await page.evaluate(() => navigator.clipboard.readText());

    const [download] = await Promise.all([page.waitForEvent('download'),
                                          page.getByRole('button', {name: 'Скачать CSV', exact: true}).click()]);
    const now = new Date();
    const date = [now.getFullYear(), now.getMonth() + 1, now.getDate()].map((n) => String(n).padStart(2, '0'));
    assert.equal(download.suggestedFilename(), `смета_Смета 1_${date.join('-')}.csv`);
    const bytes = await readFile(await download.path());
    assert.deepEqual([...bytes.subarray(0, 3)], [0xef, 0xbb, 0xbf], 'UTF-8 with BOM');
    const text = bytes.subarray(3).toString('utf8');
    assert.ok(!/[^\r]\n/.test(text) && text.endsWith('\r\n'), 'CRLF line ends');
    const lines = text.split('\r\n');
    assert.equal(lines[1], '1;Арматура А3 А500с;12;Сталь;0,89;;;100,000;89,000;65000,50;т;5785,04');
    assert.equal(lines[3], '', 'a blank row between the lines and the totals');
    assert.equal(lines[4], ';Итого: 2 поз.;;;;;;;120,400;;;5785,04');
    // No field here needs quoting: the copied text is the same table.
    assert.equal(text, copied.replaceAll('\t', ';').replaceAll('\n', '\r\n'));
    assert.deepEqual(copied.split('\n')[0].split('\t'), await headerTexts(page));
    await page.context().close();
});

test('printing shows the estimate alone: its name, the date, every line and the totals', async () => {
    const page = await estimatePage({viewport: {width: 1024, height: 768}});
    for (const number of ['1', '2', '3'])
        await addLine(page, rebar, 0, number);
    await page.emulateMedia({media: 'print'});
    const shown = await page.evaluate(() => {
        const visible = (id) => document.getElementById(id).getClientRects().length > 0;
        return {
            calculator: ['sPanel2', 'sPanel4', 'calcButtons'].filter(visible),
            controls: [...document.querySelectorAll('#estimate button, #estimate select')].filter(
                (el) => el.getClientRects().length > 0).map((el) => el.textContent),
            title: document.getElementById('estimateTitle').textContent,
            date: visible('estimateDate') ? document.getElementById('estimateDate').textContent : '',
            totals: visible('estimateTotals'),
            // «за» on paper: the choice as text, its list hidden.
            unit: (() => {
                const column = [...document.querySelectorAll('#estimateHead th')].findIndex((th) => th.textContent === 'за');
                return document.querySelector('#estimateRows tr:not(.spacer)').cells[column].innerText.trim();
            })(),
        };
    });
    assert.deepEqual(shown.calculator, []);
    assert.deepEqual(shown.controls, []);
    assert.equal(shown.title, 'Смета «Смета 1»');
    assert.match(shown.date, /^Дата: \d\d\.\d\d\.\d{4}$/);
    assert.ok(shown.totals);
    assert.equal(shown.unit, 'т');
    assert.equal(await rowCount(page), 3);
    await page.context().close();
});

test('an estimate\'s name with markup in it is shown as text', async () => {
    const page = await estimatePage();
    const name = '<img src=x onerror="document.title=1"><b>Склад</b> & "цех"';
    await chooseKind(page, rebar.section, rebar.kind);
    await page.getByRole('button', {name: 'Смета', exact: true}).click();
    await page.getByRole('button', {name: 'Переименовать', exact: true}).click();
    await page.fill('#renameName', name);
    await page.press('#renameName', 'Enter');
    assert.equal(await page.textContent('#estimateTitle'), `Смета «${name}»`);
    assert.equal(await page.locator('#estimateList option:checked').textContent(), name);
    assert.equal(await page.locator('#estimate img, #estimate b, #estimateList b').count(), 0);
    assert.equal(await page.title(), 'Тарвик');

    // A name of spaces is refused, saying why, as on the desktop.
    await page.getByRole('button', {name: 'Переименовать', exact: true}).click();
    await page.fill('#renameName', '   ');
    await page.press('#renameName', 'Enter');
    assert.equal(await page.textContent('#estimateStatus'), 'У сметы должно быть имя');
    assert.equal(await page.textContent('#estimateTitle'), `Смета «${name}»`);
    assert.equal(await page.locator('#estimateList option').count(), 1);
    await page.context().close();
});
