// Pictures of the page's estimate for the README: four lines, one of them
// priced and in whole bars, one priced per metre, a stainless bar, at
// 1024 × 768 and on a 360 × 640 phone:
// `node web/estimate_screenshots.mjs` after the web build.
import {calculate, chooseKind, launch, openPage, pickItem, startServer} from './tests/browser.mjs';
import {addLine, channel, rebar, sheet, typeInCell} from './tests/estimate_page.mjs';

const out = new URL('../docs/screenshots/', import.meta.url).pathname;
const {server, url} = await startServer();
const browser = await launch();
const screens = {'web-estimate': {width: 1024, height: 768}, 'web-estimate-phone': {width: 360, height: 640}};
for (const [name, viewport] of Object.entries(screens)) {
    const phone = viewport.width < 644;
    const context = await browser.newContext({locale: 'ru-RU', viewport, deviceScaleFactor: 1, isMobile: phone,
                                              hasTouch: phone});
    const page = await openPage(context, url);
    await addLine(page, rebar, 0, '100');
    await typeInCell(page, 'Кол-во, шт', 1, '9');
    await typeInCell(page, 'Цена, руб', 1, '56000');
    await addLine(page, channel, 0, '12');
    await typeInCell(page, 'Цена, руб', 2, '61500,50');
    await page.getByRole('combobox', {name: 'за, строка 2', exact: true}).selectOption('м');
    await addLine(page, sheet, 1, '31,4');
    // A stainless bar: the line names its grade.
    await chooseKind(page, 4, 'Круг ГОСТ 2590');
    await pickItem(page, 'sComboBoxElement', '20');
    await page.selectOption('#sComboBoxMetal', 'Нержавеющая сталь');
    await calculate(page, 0, '6');
    await page.click('#estimateAdd');
    await page.focus('#estimateTitle');
    // The table from its first column; the phone's picture starts at the
    // estimate, which stands below the calculator there.
    await page.evaluate((phone) => {
        document.getElementById('estimateBox').scrollLeft = 0;
        if (phone)
            document.getElementById('estimate').scrollIntoView();
    }, phone);
    await page.screenshot({path: `${out}${name}.png`, fullPage: !phone});
    await context.close();
}
await browser.close();
server.close();
