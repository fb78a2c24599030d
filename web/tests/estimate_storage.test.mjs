// The estimates in the browser's storage: kept over a reload, merged line by
// line between two tabs, a refused quota reported with the estimate kept,
// named estimates made, opened and deleted, and a 10,000-line estimate
// drawn a window of rows at a time.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {calculate, chooseKind, openPage, pickItem, sharedBrowser} from './browser.mjs';
import {addLine, cell, channel, rebar, rowCount, sheet, tableRows, totalsRows, typeInCell,
        waitForRows} from './estimate_page.mjs';

const site = sharedBrowser();

const names = async (page) => (await tableRows(page)).map((row) => row[1]);
// The section comes back by itself once the page is idle.
const waitForEstimate = (page) => page.waitForSelector('#estimate:not([hidden])');

test('a reload opens the last estimate as it was left', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await addLine(page, rebar, 0, '100');
    await typeInCell(page, 'Цена, руб', 1, '50000');
    await page.waitForFunction(() => Object.values(localStorage).some((v) => v.includes('"50000.00"')));
    await page.reload();
    await waitForEstimate(page);
    assert.deepEqual(await tableRows(page),
                     [['1', 'Арматура А3 А500с', '12', 'Сталь', '0,89', '', '', '100,000', '89,000', '50\u2009000,00',
                       'т', '4\u2009450,00']]);
    await context.close();
});

test('two tabs on one estimate merge by line', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const a = await openPage(context, site.url);
    await addLine(a, rebar, 0, '100');
    const b = await openPage(context, site.url);
    await waitForEstimate(b);
    assert.deepEqual(await names(b), ['Арматура А3 А500с']);

    // Each tab changes the estimate; each sees the other's change.
    await addLine(a, channel, 0, '2');
    await typeInCell(b, 'Цена, руб', 1, '1000');
    await a.waitForFunction(() => document.querySelectorAll('#estimateRows tr:not(.spacer)').length === 2 &&
                                  document.querySelector('#estimateRows input[aria-label^="Цена"]').value !== '');
    await b.waitForFunction(() => document.querySelectorAll('#estimateRows tr:not(.spacer)').length === 2);
    // What is stored holds both changes too: a third tab opens with them.
    await b.waitForTimeout(500);
    const c = await openPage(context, site.url);
    await waitForEstimate(c);
    for (const page of [a, b, c])
        assert.deepEqual((await tableRows(page)).map((row) => [row[1], row[9]]),
                         [['Арматура А3 А500с', '1\u2009000,00'], ['Швеллер горячекатаный', '']]);
    await c.close();

    // A deletion in one tab holds in the other.
    await b.getByRole('button', {name: 'Удалить строку 2', exact: true}).click();
    await waitForRows(a, 1);
    assert.deepEqual(await names(a), ['Арматура А3 А500с']);
    await context.close();
});

// Two tabs adding lines at once, each save a read, a merge and a write of
// the one stored estimate: under the browser's Web Locks, and without them
// (a page served insecurely), where a tab finding its lines written over
// saves them again.
for (const withLocks of [true, false]) {
    test(`two tabs each adding 50 lines at once both have 100 after a reload${withLocks ? '' : ', without Web Locks'}`,
         async () => {
        const context = await site.browser.newContext({locale: 'ru-RU'});
        if (!withLocks)
            await context.addInitScript(() => delete Navigator.prototype.locks);
        const a = await openPage(context, site.url);
        const b = await openPage(context, site.url);
        for (const page of [a, b]) {
            await chooseKind(page, rebar.section, rebar.kind);
            await pickItem(page, 'sComboBoxElement', '12');
            await calculate(page, 0, '1');
        }
        const lines = (page) => page.evaluate(() => document.getElementById('estimateTotals').textContent);
        const addFifty = (page) => page.evaluate(async () => {
            for (let i = 0; i < 50; ++i) {
                document.getElementById('estimateAdd').click();
                await new Promise((done) => setTimeout(done, Math.random() * 8));
            }
        });
        await Promise.all([addFifty(a), addFifty(b)]);
        for (const page of [a, b]) {
            await page.waitForFunction(() => /Итого: 100 поз/.test(
                document.getElementById('estimateTotals').textContent), null, {timeout: 10000});
        }
        await a.waitForTimeout(300);
        for (const page of [a, b]) {
            await page.reload();
            await waitForEstimate(page);
            assert.match(await lines(page), /Итого: 100 поз/);
        }
        await context.close();
    });
}

test('a refused quota is reported and the estimate stays in the page', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    await context.addInitScript(() => {
        Storage.prototype.setItem = () => {
            throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
        };
    });
    const page = await openPage(context, site.url);
    await addLine(page, rebar, 0, '100');
    await page.waitForSelector('#estimateStatus:has-text("не сохранена")');
    assert.match(await page.textContent('#estimateStatus'), /хранилище браузера заполнено/);
    await typeInCell(page, 'Цена, руб', 1, '100');
    assert.deepEqual((await tableRows(page))[0].slice(8), ['89,000', '100,00', 'т', '8,90']);
    await context.close();
});

// The storage fills while lines are added: the lines it did not take are
// marked by their numbers, leaving asks first, and every line shown as
// saved is there after a reload.
test('a full storage marks the lines it did not take, and no line shown as saved is lost', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    await context.addInitScript(() => {
        const setItem = Storage.prototype.setItem;
        Storage.prototype.setItem = function (key, value) {
            let used = value.length;
            for (let i = 0; i < this.length; ++i)
                used += this.key(i) === key ? 0 : this.getItem(this.key(i)).length;
            if (used > (self.storageLimit ?? Infinity))
                throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
            setItem.call(this, key, value);
        };
    });
    const page = await openPage(context, site.url);
    await addLine(page, rebar, 0, '1');
    await page.waitForTimeout(100);
    await page.evaluate(() => {
        const entry = Object.keys(localStorage).find((key) => key.startsWith('tarvik.estimate.'));
        self.storageLimit = localStorage.getItem(entry).length * 3;
    });
    const marked = () => page.$$eval('#estimateRows tr:not(.spacer) td:first-child',
                                     (cells) => cells.map((td) => td.title === 'Строка не сохранена'));
    for (let i = 0; i < 12 && !(await marked()).includes(true); ++i) {
        await page.click('#estimateAdd');
        await page.waitForTimeout(50);
    }
    const shown = await marked();
    assert.ok(shown.includes(true), 'some line was refused');
    assert.match(await page.textContent('#estimateStatus'), /хранилище браузера заполнено.*CSV/);
    const status = await page.$eval('#estimateStatus', (p) => p.getBoundingClientRect().top);
    const table = await page.$eval('#estimateBox', (box) => box.getBoundingClientRect().top);
    assert.ok(status < table, 'the message stands above the table');

    const saved = shown.filter((isMarked) => !isMarked).length;
    let asked = false;
    page.on('dialog', (dialog) => {
        asked ||= dialog.type() === 'beforeunload';
        dialog.accept();
    });
    await page.reload();
    assert.ok(asked, 'leaving asked first');
    await waitForEstimate(page);
    assert.equal(await rowCount(page), saved);
    await context.close();
});

// Two tabs of one estimate: a focused cell not typed into follows the
// other tab and writes nothing back; a rename is followed; a deletion is
// said, not undone by an edit, and «Отменить» keeps the estimate.
test('a price, a rename and a deletion in one tab reach the other', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const a = await openPage(context, site.url);
    await addLine(a, rebar, 0, '10');
    const b = await openPage(context, site.url);
    await waitForEstimate(b);
    const price = (page) => cell(page, 'Цена, руб', 1);

    await price(a).click(); // focused, not typed into
    await typeInCell(b, 'Цена, руб', 1, '72000');
    await a.waitForFunction(() => document.querySelector('#estimateRows input[aria-label^="Цена"]').value !== '');
    assert.equal(await price(a).inputValue(), '72\u2009000,00');
    await a.keyboard.press('Tab');
    await a.waitForTimeout(300);
    await b.reload();
    await waitForEstimate(b);
    assert.equal(await price(b).inputValue(), '72\u2009000,00');

    await a.click('#estimateRename');
    await a.fill('#renameName', 'Объект');
    await a.click('#renameOk');
    await b.waitForFunction(() => document.getElementById('estimateTitle').textContent.includes('Объект'));
    await typeInCell(b, 'Цена, руб', 1, '73000');
    await b.waitForTimeout(300);
    const estimates = () => a.evaluate(() => Object.keys(localStorage).filter((k) => k.startsWith('tarvik.estimate.')));
    assert.deepEqual(await estimates(), ['tarvik.estimate.Объект']);

    await a.click('#estimateDelete');
    await b.waitForSelector('#estimateStatus:has-text("удалена в другом окне")');
    await typeInCell(b, 'Цена, руб', 1, '74000');
    await b.waitForTimeout(300);
    assert.ok(!(await estimates()).includes('tarvik.estimate.Объект'), 'an edit re-created it');
    assert.equal(await b.getAttribute('#estimateUndo', 'aria-description'), 'Отменить удаление сметы «Объект»');
    await b.click('#estimateUndo');
    await b.waitForTimeout(300);
    assert.ok((await estimates()).includes('tarvik.estimate.Объект'));
    await context.close();
});

// The list of estimates holds, below them, the deleted ones to bring back
// and the damaged ones whose lines that read open as a new estimate.
test('the list brings back a deleted estimate and recovers what reads of a damaged one', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    for (const metres of ['1', '2', '3'])
        await addLine(page, rebar, 0, metres);
    await page.waitForTimeout(300);
    const stored = await page.evaluate(() => localStorage.getItem('tarvik.estimate.Смета 1'));
    await page.click('#estimateDelete');
    const groups = () => page.$$eval('#estimateList optgroup',
                                     (list) => list.map((g) => [g.label, ...[...g.children].map((o) => o.textContent)]));
    const [[label, deleted]] = await groups();
    assert.equal(label, 'Удалённые');
    assert.match(deleted, /^Смета 1 — удалена \d\d\.\d\d\.\d{4}$/);
    await page.selectOption('#estimateList', {label: deleted});
    assert.equal(await page.textContent('#estimateTitle'), 'Смета «Смета 1»');
    assert.equal(await rowCount(page), 3);

    // A copy cut inside its last line, as a full disk or a killed tab leaves it.
    const cut = stored.slice(0, stored.lastIndexOf('"requested"'));
    await page.evaluate((cut) => localStorage.setItem('tarvik.estimate.Сарай', cut), cut);
    await page.reload();
    await waitForEstimate(page);
    // Opening it keeps it aside, and says how much of it reads.
    await page.selectOption('#estimateList', {label: 'Сарай'});
    assert.match(await page.textContent('#estimateStatus'), /2 из 3/);
    assert.equal(await rowCount(page), 3, 'the open estimate stays open');
    const damaged = (await groups()).find(([label]) => label === 'Повреждённые');
    // Named by the name inside the file, where that much reads.
    assert.deepEqual(damaged, ['Повреждённые', 'Смета 1 — читаются строки: 2 из 3']);
    await page.selectOption('#estimateList', {label: damaged[1]});
    assert.equal(await rowCount(page), 2);
    await context.close();
});

test('an entry the browser refuses to read is reported, and this tab writes nothing over it', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const a = await openPage(context, site.url);
    await addLine(a, rebar, 0, '100');
    const b = await openPage(context, site.url);
    await waitForEstimate(b);
    await b.evaluate(() => {
        Storage.prototype.getItem = () => {
            throw new DOMException('Access is denied.', 'SecurityError');
        };
    });
    await addLine(a, channel, 0, '2'); // B must read the entry again
    await b.waitForSelector('#estimateStatus:has-text("не прочитана")');
    assert.match(await b.textContent('#estimateStatus'), /браузер не даёт хранить данные/);
    await typeInCell(b, 'Цена, руб', 1, '100');
    await b.waitForTimeout(300);
    const stored = await a.evaluate(() => JSON.parse(localStorage.getItem(
        Object.keys(localStorage).find((key) => key.startsWith('tarvik.estimate.')))));
    assert.deepEqual(stored.lines.map((line) => line.price), ['', '']);
    await context.close();
});

test('a tab being hidden saves the edit it has just committed', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await addLine(page, rebar, 0, '100');
    await page.waitForFunction(() => Object.keys(localStorage).some((k) => k.startsWith('tarvik.estimate.')));
    await typeInCell(page, 'Цена, руб', 1, '100', null);
    // The user switches away: the cell loses the focus, the page is hidden,
    // and a hidden page draws no frame to save after.
    const saved = await page.evaluate(() => {
        Object.defineProperty(document, 'hidden', {configurable: true, get: () => true});
        Object.defineProperty(document, 'visibilityState', {configurable: true, get: () => 'hidden'});
        document.activeElement.blur();
        document.dispatchEvent(new Event('visibilitychange', {bubbles: true}));
        const key = Object.keys(localStorage).find((k) => k.startsWith('tarvik.estimate.'));
        return JSON.parse(localStorage.getItem(key)).lines[0].price;
    });
    assert.equal(saved, '100.00');
    await context.close();
});

test('estimates are made, duplicated, opened and deleted by name; a deletion can be undone', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    const list = () => page.evaluate(() => [...document.getElementById('estimateList').options].map(
        (o) => (o.selected ? '*' : '') + o.textContent));
    const click = (name) => page.getByRole('button', {name, exact: true}).click();
    await addLine(page, rebar, 0, '100');
    await click('Дублировать');
    assert.deepEqual(await list(), ['Смета 1', '*Смета 1 — копия']);
    assert.deepEqual(await names(page), ['Арматура А3 А500с']);
    await click('Новая смета');
    assert.equal(await rowCount(page), 0);
    await addLine(page, sheet, 0, '1');
    assert.equal((await list()).length, 3);

    await page.selectOption('#estimateList', {label: 'Смета 1'});
    assert.deepEqual(await names(page), ['Арматура А3 А500с']);
    await click('Удалить смету');
    assert.match(await page.textContent('#estimateStatus'), /Смета «Смета 1» удалена/);
    assert.ok(!(await list()).some((name) => name.endsWith('Смета 1')));
    // Kept in an entry of its own, for 30 days, until the deletion is undone.
    const deleted = () => page.evaluate(() => Object.keys(localStorage).filter((k) => k.startsWith('tarvik.deleted.'))
        .map((k) => JSON.parse(localStorage.getItem(k)).name));
    assert.deepEqual(await deleted(), ['Смета 1']);
    await click('Отменить');
    assert.ok((await list()).includes('*Смета 1'));
    assert.deepEqual(await names(page), ['Арматура А3 А500с']);
    assert.deepEqual(await deleted(), []);
    await context.close();
});

// Names outside the Basic Multilingual Plane, which once all shared one
// entry of the storage: two cars, two estimates, each with its line after
// a reload.
test('two names that differ in an emoji are two estimates, kept over a reload', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    const list = () => page.evaluate(() => [...document.getElementById('estimateList').options].map(
        (o) => (o.selected ? '*' : '') + o.textContent));
    const rename = async (name) => {
        await page.click('#estimateRename');
        await page.fill('#renameName', name);
        await page.click('#renameOk');
    };
    await addLine(page, rebar, 0, '10');
    await rename('🚗 x');
    await page.getByRole('button', {name: 'Новая смета', exact: true}).click();
    await addLine(page, {...rebar, sizes: {sComboBoxElement: '16'}}, 0, '20');
    await rename('🚙 x');
    assert.deepEqual(await list(), ['🚗 x', '*🚙 x']);
    const stored = await page.evaluate(() => Object.keys(localStorage).filter((k) => k.startsWith('tarvik.estimate.')));
    assert.deepEqual(stored.sort(), ['tarvik.estimate.🚗 x', 'tarvik.estimate.🚙 x']);

    await page.reload();
    await waitForEstimate(page);
    assert.deepEqual(await list(), ['🚗 x', '*🚙 x']);
    assert.deepEqual((await tableRows(page)).map((row) => [row[2], row[7]]), [['16', '20,000']]);
    await page.selectOption('#estimateList', {label: '🚗 x'});
    assert.deepEqual((await tableRows(page)).map((row) => [row[2], row[7]]), [['12', '10,000']]);
    await context.close();
});

test('10,000 lines: a window of rows on screen, every row on paper, an edit shown at once', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU', viewport: {width: 1366, height: 768}});
    const page = await openPage(context, site.url);
    await addLine(page, rebar, 0, '1');
    // The stored estimate grown to 10,000 copies of its line, each with an id
    // of its own, then opened as a user would open it: by reloading.
    await page.waitForFunction(() => Object.keys(localStorage).some((k) => k.startsWith('tarvik.estimate.')));
    await page.evaluate(() => {
        const key = Object.keys(localStorage).find((k) => k.startsWith('tarvik.estimate.'));
        const file = JSON.parse(localStorage.getItem(key));
        const line = file.lines[0];
        file.lines = Array.from({length: 10000}, (_, i) => ({...line, id: String(1000 + i)}));
        localStorage.setItem(key, JSON.stringify(file));
    });
    await page.reload();
    await waitForEstimate(page);
    assert.equal((await totalsRows(page))[1][0], 'Итого: 10000 поз.');
    const rendered = await rowCount(page);
    assert.ok(rendered > 5 && rendered < 100, `${rendered} rows in the document`);

    // The last line, scrolled to.
    await page.evaluate(() => {
        const box = document.getElementById('estimateBox');
        box.scrollTop = box.scrollHeight;
    });
    await page.waitForFunction(() => [...document.querySelectorAll('#estimateRows td:first-child')].some(
        (td) => td.textContent === '10000'));

    // An edit commits, and its totals are drawn, before the next frame.
    await typeInCell(page, 'Цена, руб', 10000, '1000', null);
    const sameFrame = await page.evaluate(() => new Promise((resolve) => {
        requestAnimationFrame(() => {
            const input = document.activeElement;
            input.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true}));
            resolve(document.querySelector('#estimateTotals p:nth-child(2)').textContent);
        });
    }));
    assert.equal(sameFrame, 'Итого: 10000 поз.8900,0000,89');

    await page.emulateMedia({media: 'print'});
    // Every row drawn for paper: what is checked is that all come, not how
    // fast, so a machine busy with builds beside it gets its time.
    await page.waitForFunction(() => document.querySelectorAll('#estimateRows tr:not(.spacer)').length === 10000,
                               null, {timeout: 120000});
    await context.close();
});
