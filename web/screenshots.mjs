// Pictures of the page for the README, as a user leaves it after one
// calculation, at three screen sizes in both colour schemes:
// `node web/screenshots.mjs` after the web build.
import {calculate, chooseKind, launch, openPage, pickItem, startServer} from './tests/browser.mjs';

const out = new URL('../docs/screenshots/', import.meta.url).pathname;
const {server, url} = await startServer();
const browser = await launch();
const screens = {'1366x768': {width: 1366, height: 768}, '1920x1080': {width: 1920, height: 1080},
                 'phone': {width: 360, height: 640}};
for (const [screen, viewport] of Object.entries(screens))
    for (const colorScheme of ['light', 'dark']) {
        const phone = viewport.width < 644;
        const context = await browser.newContext({locale: 'ru-RU', viewport, colorScheme, deviceScaleFactor: 1,
                                                  isMobile: phone, hasTouch: phone});
        const page = await openPage(context, url);
        await chooseKind(page, 9, 'Труба электросварная');
        await pickItem(page, 'sComboBoxE1', '57');
        await pickItem(page, 'sComboBoxE2', '3');
        await calculate(page, 0, '6');
        await page.screenshot({path: `${out}web-${screen}-${colorScheme}.png`, fullPage: !phone});
        await context.close();
    }
// An own size in a stainless grade, at 1366 x 768 and on a phone.
for (const [screen, viewport] of [['1366x768', screens['1366x768']], ['phone', screens.phone]]) {
    const phone = viewport.width < 644;
    const context = await browser.newContext({locale: 'ru-RU', viewport, deviceScaleFactor: 1, isMobile: phone,
                                              hasTouch: phone});
    const page = await openPage(context, url);
    await chooseKind(page, 13, 'Труба круглая');
    await page.selectOption('#sComboBoxMetal', 'Нержавеющая сталь');
    await page.fill('#sEditDimension1', '57');
    await page.dispatchEvent('#sEditDimension1', 'input');
    await page.fill('#sEditDimension2', '4');
    await page.dispatchEvent('#sEditDimension2', 'input');
    await calculate(page, 0, '6');
    await page.screenshot({path: `${out}web-own-size-${screen}.png`, fullPage: !phone});
    await context.close();
}
await browser.close();
server.close();
