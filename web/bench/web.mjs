// Benchmarks of the web page (figures, not pass or fail):
//   size    the critical path (every file whose fetch started before the
//           page's mark "tarvik-interactive") and every served file but the
//           icons, each gzip -9, summed
//   load    "interactive" (the later of the first contentful paint and the
//           module's mark) against a script-less copy's first paint:
//           three runs, each the median of alternating loads in fresh
//           contexts; the goal is on the median of the three ratios, and
//           the machine's load average is printed beside each run
//   estimate «Смета» pressed at once on a cold load (empty cache, an
//           estimate of 30 lines stored) until its section is drawn with
//           its lines
//   actions choosing "Труба бесшовная Г/К" and "Расчитать", timed in the page
//   lighthouse accessibility and best-practices scores
// Usage: node web/bench/web.mjs [loads=20] [runs=3]  (after scripts/web or the web build;
// Lighthouse needs `npm ci` in web/bench).
import {execFile, execFileSync} from 'node:child_process';
import {promisify} from 'node:util';
import {cp, mkdtemp, readFile, readdir, rm, writeFile} from 'node:fs/promises';
import {cpus, loadavg, tmpdir} from 'node:os';
import {join} from 'node:path';
import {chromiumArgs, chromiumPath, launch, openPage, pickItem, siteFolder, startServer, chooseKind,
        typeNumber} from '../tests/browser.mjs';

const loads = Number(process.argv[2] ?? 20);
const runs = Number(process.argv[3] ?? 3);
const median = (values) => {
    const s = [...values].sort((a, b) => a - b);
    return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};

const gzipped = (name) => execFileSync('gzip', ['-9', '-c', join(siteFolder, name)]).length;

async function measureSize(url, browser) {
    const context = await browser.newContext({locale: 'ru-RU', serviceWorkers: 'block'});
    const page = await context.newPage();
    await page.goto(url + 'index.html');
    await page.waitForFunction(() => performance.getEntriesByName('tarvik-estimate').length > 0);
    const critical = await page.evaluate(() => {
        const mark = performance.getEntriesByName('tarvik-interactive')[0].startTime;
        return ['index.html', ...performance.getEntriesByType('resource')
            .filter((entry) => entry.startTime < mark && !entry.name.endsWith('.png'))
            .map((entry) => new URL(entry.name).pathname.slice(1))];
    });
    await context.close();
    const rows = [];
    let total = 0, before = 0;
    for (const name of (await readdir(siteFolder)).sort()) {
        if (name.endsWith('.png') || name === 'baseline.html')
            continue;
        const bytes = gzipped(name);
        const early = critical.includes(name);
        rows.push(`  ${name}: ${bytes}${early ? ' (before the mark)' : ''}`);
        total += bytes;
        before += early ? bytes : 0;
    }
    console.log(`Size, gzip -9 each, icons aside: critical path ${before} bytes (goal <= 57344),` +
                ` everything served ${total} bytes (goal <= 102400)\n${rows.join('\n')}`);
}

async function measureLoad(url, browser) {
    const paint = async (page) =>
        page.evaluate(() => new Promise((resolve) => {
            const fcp = performance.getEntriesByName('first-contentful-paint')[0];
            if (fcp)
                return resolve(fcp.startTime);
            new PerformanceObserver((list) => resolve(list.getEntries()[0].startTime)).observe({type: 'paint'});
        }));
    const page = [], baseline = [];
    for (let i = 0; i < loads; ++i) {
        for (const withScripts of i % 2 ? [false, true] : [true, false]) {
            const context = await browser.newContext({serviceWorkers: 'block', locale: 'ru-RU'});
            const tab = await context.newPage();
            await tab.goto(url + (withScripts ? 'index.html' : 'baseline.html'));
            const fcp = await paint(tab);
            if (withScripts) {
                await tab.waitForFunction(() => performance.getEntriesByName('tarvik-interactive').length > 0);
                const mark = await tab.evaluate(() => performance.getEntriesByName('tarvik-interactive')[0].startTime);
                page.push(Math.max(fcp, mark));
            } else {
                baseline.push(fcp);
            }
            await context.close();
        }
    }
    const p = median(page), b = median(baseline);
    const load = loadavg().map((l) => l.toFixed(2)).join(' ');
    console.log(`  run: interactive ${p.toFixed(1)} ms, script-less first paint ${b.toFixed(1)} ms,` +
                ` ${(p / b).toFixed(2)} x; load average ${load}`);
    return p / b;
}

async function measureActions(url, browser) {
    const context = await browser.newContext({locale: 'ru-RU'});
    const page = await openPage(context, url);
    await chooseKind(page, 9, 'Труба бесшовная Г/К');
    // The page's clock is coarse (0.1 ms without cross-origin isolation):
    // single choices are averaged over many, the calculation is timed in bulk.
    const choose = await page.evaluate(() => {
        const times = [];
        const kinds = document.getElementById('sListBox9').children;
        for (let i = 0; i < 200; ++i) {
            kinds[3].click(); // another kind between two runs
            const t0 = performance.now();
            kinds[2].click();
            times.push(performance.now() - t0);
        }
        return times;
    });
    await pickItem(page, 'sComboBoxE1', '57');
    await pickItem(page, 'sComboBoxE2', '4');
    await page.check('#sRadioGroupItem0');
    await typeNumber(page, '12,5');
    const calc = await page.evaluate(() => {
        const button = document.getElementById('sButtonCalc');
        const rounds = 5000;
        performance.mark('calc-start');
        for (let i = 0; i < rounds; ++i)
            button.click();
        return performance.measure('calc', 'calc-start').duration / rounds;
    });
    const result = await page.textContent('#sLabelResult');
    const times = {choose, calc};
    const mean = times.choose.reduce((a, b) => a + b, 0) / times.choose.length;
    console.log(`Choosing "Труба бесшовная Г/К": mean ${mean.toFixed(3)} ms, slowest ${Math.max(...times.choose).toFixed(1)} ms` +
                ` of ${times.choose.length} (goal <= 5 ms)`);
    console.log(`"Расчитать": ${(times.calc * 1000).toFixed(1)} µs, showing "${result}" (goal <= 1 ms)`);
    await context.close();
}

// An estimate of 30 lines as the page stores it, made by the page itself.
async function storedEstimate(url, browser) {
    const context = await browser.newContext({locale: 'ru-RU', serviceWorkers: 'block'});
    const page = await openPage(context, url);
    await chooseKind(page, 1, 'Арматура А3 А500с');
    await pickItem(page, 'sComboBoxElement', '12');
    await page.check('#sRadioGroupItem0');
    await typeNumber(page, '10');
    await page.click('#sButtonCalc');
    await page.click('#estimateAdd');
    await page.waitForFunction(() => Object.keys(localStorage).some((k) => k.startsWith('tarvik.estimate.')));
    await page.evaluate(() => {
        for (const key of Object.keys(localStorage).filter((k) => k.startsWith('tarvik.estimate.'))) {
            const file = JSON.parse(localStorage.getItem(key));
            file.lines = Array.from({length: 30}, (_, i) => ({...file.lines[0], id: String(1000 + i)}));
            localStorage.setItem(key, JSON.stringify(file));
        }
        localStorage.removeItem(Object.keys(localStorage).find((k) => k.includes('window')) ?? '');
    });
    const state = await context.storageState();
    await context.close();
    return state;
}

async function measureEstimateOpen(url, browser, storageState) {
    const times = [];
    for (let i = 0; i < loads; ++i) {
        const context = await browser.newContext({locale: 'ru-RU', serviceWorkers: 'block', storageState});
        const page = await context.newPage();
        await page.goto(url + 'index.html');
        await page.waitForFunction(() => performance.getEntriesByName('tarvik-interactive').length > 0);
        // The buttons stand beside the mode, shown once a kind is chosen:
        // chosen and «Смета» pressed within the same task.
        times.push(await page.evaluate(() => new Promise((resolve) => {
            document.getElementById('sButton1').click();
            document.querySelector('#sListBox1 [role=option]').click();
            const start = performance.now();
            document.getElementById('estimateShow').click();
            const drawn = () => {
                const section = document.getElementById('estimate');
                if (!section.hidden && document.querySelectorAll('#estimateRows tr').length > 0)
                    requestAnimationFrame(() => resolve(performance.now() - start));
                else
                    requestAnimationFrame(drawn);
            };
            drawn();
        })));
        await context.close();
    }
    console.log(`«Смета» on a cold load to its 30 lines drawn: median ${median(times).toFixed(1)} ms,` +
                ` slowest ${Math.max(...times).toFixed(1)} ms of ${times.length} (goal <= 300 ms)`);
}

async function measureLighthouse(url) {
    const cli = new URL('./node_modules/lighthouse/cli/index.js', import.meta.url).pathname;
    const out = join(await mkdtemp(join(tmpdir(), 'tarvik-lh-')), 'report.json');
    try {
        // Not a synchronous child: this process serves the page meanwhile.
        await promisify(execFile)(process.execPath,
                                  [cli, url, '--quiet', '--output=json', `--output-path=${out}`,
                                   '--only-categories=accessibility,best-practices,performance',
                                   `--chrome-flags=${chromiumArgs.join(' ')}`],
                                  {env: {...process.env, CHROME_PATH: chromiumPath}});
    } catch (e) {
        console.log(`Lighthouse did not run (npm ci in web/bench?): ${e.message.split('\n')[0]}`);
        return;
    }
    const report = JSON.parse(await readFile(out, 'utf8'));
    const score = (c) => Math.round(report.categories[c].score * 100);
    console.log(`Lighthouse ${report.lighthouseVersion}: accessibility ${score('accessibility')},` +
                ` best practices ${score('best-practices')}, performance ${score('performance')} (goal >= 95, 95)`);
    for (const [id, audit] of Object.entries(report.audits)) {
        if (audit.score !== null && audit.score < 1 && audit.scoreDisplayMode === 'binary')
            console.log(`  failed: ${id}`);
    }
}

// The served copy carries a script-less twin of the page.
const folder = await mkdtemp(join(tmpdir(), 'tarvik-bench-'));
await cp(siteFolder, folder, {recursive: true});
const html = await readFile(join(folder, 'index.html'), 'utf8');
await writeFile(join(folder, 'baseline.html'),
                html.split('\n').filter((line) => !/<script|modulepreload|rel="preload"/.test(line)).join('\n'));
const {server, url} = await startServer(folder);
const browser = await launch();
await measureSize(url, browser);
console.log(`Load, ${runs} runs of ${loads} loads each, on ${cpus().length} cores:`);
const ratios = [];
// Each run starts on a machine otherwise idle: the last run's browsers
// leave the load average high for a minute or two.
async function whenIdle() {
    for (let waited = 0; loadavg()[0] >= 1 && waited < 300; waited += 5)
        await new Promise((resolve) => setTimeout(resolve, 5000));
    console.log(`  starting at load average ${loadavg()[0].toFixed(2)}`);
}
for (let run = 0; run < runs; ++run) {
    await whenIdle();
    ratios.push(await measureLoad(url, browser));
}
console.log(`Load: median ratio ${median(ratios).toFixed(2)} x (goal <= 1.20 x)`);
await measureEstimateOpen(url, browser, await storedEstimate(url, browser));
await measureActions(url, browser);
await browser.close();
await measureLighthouse(url);
server.close();
await rm(folder, {recursive: true});
