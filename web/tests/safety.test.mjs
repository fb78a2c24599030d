// The page runs only its own code, every control works for assistive
// technology, and the number field stays usable after the error box.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {chooseKind, openPage, pickItem, sharedBrowser} from './browser.mjs';

const site = sharedBrowser();

test('the page and its server allow only the page\'s own code', async () => {
    const response = await fetch(site.url);
    const header = response.headers.get('content-security-policy');
    assert.match(header, /script-src 'self' 'wasm-unsafe-eval'/);
    assert.equal(response.headers.get('x-content-type-options'), 'nosniff');

    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    const meta = await page.getAttribute('meta[http-equiv=Content-Security-Policy]', 'content');
    assert.equal(meta, header, 'the markup carries the same policy');
    // The page works under it: a calculation, with the service worker.
    await chooseKind(page, 1, 'Арматура А3 А500с');
    await pickItem(page, 'sComboBoxElement', '12');
    await page.check('#sRadioGroupItem0');
    await page.fill('#sEditParam', '1');
    await page.click('#sButtonCalc');
    assert.equal(await page.textContent('#sLabelResult'), '0,890 кг');
    await page.evaluate(() => navigator.serviceWorker.ready);
    // An inline script someone slips in is refused.
    const refused = await page.evaluate(() => new Promise((resolve) => {
        document.addEventListener('securitypolicyviolation', (e) => resolve(e.violatedDirective), {once: true});
        const script = document.createElement('script');
        script.textContent = 'window.injected = true';
        document.body.append(script);
    }));
    assert.match(refused, /^script-src/);
    assert.equal(await page.evaluate(() => window.injected), undefined);
    await context.close();
});

test('every control activates by click and has its own name containing its text', async () => {
    const context = await site.browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, site.url);
    await chooseKind(page, 9, 'Труба электросварная');
    // A screen reader's or voice control's activation is a plain click.
    await page.evaluate(() => document.querySelector('#sComboBoxE1 + .drop').click());
    assert.ok(await page.isVisible('#sComboBoxE1List'));
    await page.keyboard.press('Escape');

    const names = await page.evaluate(() => {
        const nameOf = (el) => el.getAttribute('aria-label') ?? el.textContent.trim();
        return [...document.querySelectorAll('#sComboBoxE1 + .drop, #sComboBoxE2 + .drop, #sButtonCalc')]
            .map((el) => ({name: nameOf(el), text: el.textContent.trim()}));
    });
    assert.deepEqual(names.map((n) => n.name),
                     ['Список размеров: Диаметр трубы, мм', 'Список размеров: Толщина стенки, мм',
                      'Расчитать результат']);
    for (const {name, text} of names)
        assert.ok(name.includes(text), `${name} holds ${text}`);
    const group = await page.getByRole('group', {name: 'Расчитать', exact: true}).count();
    assert.equal(group, 1, 'the mode group keeps its legend as its name');
    await context.close();
});

// The text arrives as a paste event with the clipboard's text (the field's
// paste rule cleans it) or as an input event alone (a drop, the context
// menu's paste as some browsers send it); the box closes by a click, a tap,
// Enter or Escape. Whichever way, the keys that follow edit the field.
test('after the error box closes, however it closes, the field takes keys', async () => {
    const cases = [
        {arrives: 'paste', close: 'pointer'},
        {arrives: 'paste', close: 'touch'},
        {arrives: 'paste', close: 'Enter'},
        {arrives: 'paste', close: 'Escape'},
        {arrives: 'input', close: 'pointer'},
        {arrives: 'input', close: 'touch'},
    ];
    for (const {arrives, close} of cases) {
        const name = `${arrives}, closed by ${close}`;
        const touch = close === 'touch';
        const context = await site.browser.newContext({locale: 'ru-RU', hasTouch: touch});
        const page = await openPage(context, site.url);
        // Aimed at the middle, on the button's word: a press there moves the
        // document's selection into the box.
        const press = async (selector) => {
            const box = await page.locator(selector).boundingBox();
            const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
            await (touch ? page.touchscreen.tap(x, y) : page.mouse.click(x, y));
        };
        const closeBox = () => (close === 'pointer' || touch ? press('#errorOk') : page.keyboard.press(close));
        await chooseKind(page, 1, 'Арматура А1');
        await pickItem(page, 'sComboBoxElement', '12');
        await page.check('#sRadioGroupItem0');
        await press('#sEditParam'); // the click rule empties the "0"
        await page.evaluate((arrives) => {
            const edit = document.getElementById('sEditParam');
            if (arrives === 'paste') {
                const data = new DataTransfer();
                data.setData('text/plain', '12.5');
                edit.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true}));
            } else {
                edit.value = '12.5';
                edit.dispatchEvent(new InputEvent('input', {inputType: 'insertFromPaste', data: '12.5'}));
            }
        }, arrives);
        assert.equal(await page.inputValue('#sEditParam'), '12.5', name);
        await press('#sButtonCalc');
        assert.ok(await page.isVisible('#errorBox'), name);
        await closeBox();
        await press('#sEditParam'); // the click rule judges the text again
        assert.ok(await page.isVisible('#errorBox'), name);
        await closeBox();
        assert.ok(await page.isHidden('#errorBox'), name);
        await page.keyboard.press('End');
        await page.keyboard.press('Backspace');
        await page.keyboard.type('7');
        assert.equal(await page.inputValue('#sEditParam'), '12.7', name);
        await context.close();
    }
});

test('a page whose core cannot load says so; a slow one takes no click it would lose', async () => {
    for (const refused of ['tarvik-core.wasm', 'tarvik-core.js']) {
        const context = await site.browser.newContext({locale: 'ru-RU'});
        await context.route(`**/${refused}`, (route) => route.abort());
        const page = await context.newPage();
        await page.goto(site.url);
        await page.waitForSelector('#loadRetry:not([hidden])');
        assert.match(await page.textContent('#loadText'), /не загрузился/, refused);
        assert.ok(await page.$eval('#Form1', (f) => f.inert), `${refused}: the controls are out of use`);
        await context.close();
    }

    const context = await site.browser.newContext({locale: 'ru-RU'});
    await context.route('**/tarvik-core.wasm', async (route) => {
        await new Promise((resolve) => setTimeout(resolve, 3000));
        await route.continue();
    });
    const page = await context.newPage();
    await page.goto(site.url);
    await page.waitForSelector('#sButton1');
    assert.match(await page.textContent('#loadText'), /загружается/);
    assert.ok(await page.$eval('#Form1', (f) => f.inert), 'out of use while loading');
    await page.waitForFunction(() => performance.getEntriesByName('tarvik-interactive').length > 0);
    assert.ok(await page.isHidden('#loadState'));
    await page.click('#sButton1');
    assert.equal(await page.getAttribute('#sButton1', 'aria-expanded'), 'true');
    await context.close();
});

test('a phone user finds the next step, and every target takes a finger', async () => {
    const context = await site.browser.newContext(
        {locale: 'ru-RU', viewport: {width: 360, height: 640}, hasTouch: true, isMobile: true});
    const page = await openPage(context, site.url);
    await page.tap('#sButton9');
    await page.tap('#sListBox9-2'); // "Труба бесшовная Г/К"
    const column = await page.$eval('#sPanel4', (c) => c.getBoundingClientRect().top);
    assert.ok(column >= 0 && column < 640 * 0.6, `the column comes into view (top ${column})`);

    await page.tap('#sComboBoxE1 + .drop');
    const popup = await page.$eval('#sComboBoxE1List', (p) => p.getBoundingClientRect().toJSON());
    assert.ok(popup.top >= 0 && popup.bottom <= 640, `the popup fits the screen: ${popup.top}-${popup.bottom}`);
    const small = await page.evaluate(() => [...document.querySelectorAll(
        'button:not([hidden]), [role=option], label.mode')]
        .filter((el) => el.offsetParent !== null && !el.closest('#errorBox, #resultMenu'))
        .map((el) => ({id: el.id || el.textContent.trim(), r: el.getBoundingClientRect()}))
        .filter(({r}) => r.height < 44 || r.width < 44)
        .map(({id, r}) => `${id} ${Math.round(r.width)}x${Math.round(r.height)}`));
    assert.deepEqual(small, []);
    await context.close();
});
