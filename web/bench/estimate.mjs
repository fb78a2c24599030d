// Benchmarks of the page's estimate with 10,000 lines (figures, not pass or
// fail), each the median of several runs:
//   open    the library reading the stored estimate (goal 200 ms)
//   edit    a price committed in the core (goal 1 ms)
//   shown   Enter in a cell to its line and totals drawn (goal one frame, 16 ms)
//   save    the estimate written to the browser's storage (goal 50 ms)
//   csv     the CSV file's bytes (goal 100 ms)
// Usage: node web/bench/estimate.mjs [runs=5]  (after the web build).
import {launch, openPage, startServer} from '../tests/browser.mjs';
import {addLine, rebar, typeInCell} from '../tests/estimate_page.mjs';

const runs = Number(process.argv[2] ?? 5);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const {server, url} = await startServer();
const browser = await launch();
const context = await browser.newContext({locale: 'ru-RU', viewport: {width: 1366, height: 768},
                                          acceptDownloads: true});
const page = await openPage(context, url);
await addLine(page, rebar, 0, '1');
await page.waitForFunction(() => Object.keys(localStorage).some((k) => k.startsWith('tarvik.estimate.')));
await page.evaluate(() => {
    const key = Object.keys(localStorage).find((k) => k.startsWith('tarvik.estimate.'));
    const file = JSON.parse(localStorage.getItem(key));
    file.lines = Array.from({length: 10000}, (_, i) => ({...file.lines[0], id: String(1000 + i)}));
    localStorage.setItem(key, JSON.stringify(file));
});
const measured = (name) => page.evaluate((name) => performance.getEntriesByName(`tarvik-estimate-${name}`)
    .map((e) => e.duration), name);
const figures = {open: [], edit: [], shown: [], save: [], csv: []};
for (let run = 0; run < runs; ++run) {
    await page.reload();
    await page.waitForSelector('#estimate:not([hidden])');
    figures.open.push(...await measured('open'));
    await typeInCell(page, 'Цена, руб', 1, String(1000 + run), null);
    figures.shown.push(await page.evaluate(() => new Promise((resolve) => {
        const start = performance.now();
        document.activeElement.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true}));
        requestAnimationFrame(() => resolve(performance.now() - start));
    })));
    await page.waitForFunction(() => performance.getEntriesByName('tarvik-estimate-save').length > 0);
    await Promise.all([page.waitForEvent('download'), page.click('#estimateCsv')]);
    for (const name of ['edit', 'save', 'csv'])
        figures[name].push(...await measured(name));
}
for (const [name, values] of Object.entries(figures))
    console.log(`${name}: ${median(values).toFixed(1)} ms (median of ${values.length})`);
await browser.close();
server.close();
