// Pictures of the page for the README, as a user leaves it after one
// calculation: `node web/screenshots.mjs` after the web build.
import {calculate, chooseKind, launch, openPage, pickItem, startServer} from './tests/browser.mjs';

const out = new URL('../docs/screenshots/', import.meta.url).pathname;
const {server, url} = await startServer();
const browser = await launch();
const sizes = {'web.png': {width: 800, height: 480}, 'web-phone.png': {width: 360, height: 640}};
for (const [name, viewport] of Object.entries(sizes)) {
    const context = await browser.newContext({locale: 'ru-RU', viewport, deviceScaleFactor: 1,
                                              isMobile: viewport.width < 644, hasTouch: viewport.width < 644});
    const page = await openPage(context, url);
    await chooseKind(page, 9, 'Труба электросварная');
    await pickItem(page, 'sComboBoxE1', '57');
    await pickItem(page, 'sComboBoxE2', '3');
    await calculate(page, 0, '6');
    await page.screenshot({path: out + name, fullPage: true});
    await context.close();
}
await browser.close();
server.close();
