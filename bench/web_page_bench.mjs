// The web page's speed in headless Chromium beside the native program's, in
// one run: the default field-line run and the short-coil run in the page's
// worker (round trip of a request, the picture's pixels included), the same
// runs natively on one core (zoreks_bench's RunRasterized, the same rasteriser, under taskset -c 0),
// and the time from navigation to the first picture of a link.
//   node bench/web_page_bench.mjs SITE_FOLDER [ZOREKS_BENCH]
// puppeteer-core comes from web/tests (npm ci there first).
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { serveSite } from '../web/tests/served_site.mjs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const [site, nativeBench] = process.argv.slice(2);
const kRepetitions = 15;
const { address, browser, close } = await serveSite(site);
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
await new Promise((done) => setTimeout(done, 500));  // the server starting

const start = { radius: 0.2, length: 1, halfRange: 2, graphEntry: 'линии напряженности', graph: 'lines', lineText: '7',
  exactLines: false, fieldMap: false };
const runs = {
  a_defaults: { ...start, width: 651, height: 320 },
  c_short_coil: { ...start, radius: 0.1, length: 0.1, halfRange: 10, width: 1912, height: 1000 },
};

// Milliseconds of each run asked of the page's calculation (its workers of
// their own), the joined picture included, after one to warm up.
const page = await browser.newPage();
await page.goto(address, { waitUntil: 'networkidle0' });
await new Promise((done) => setTimeout(done, 1000));  // the page's own start settled
const web = {};
for (const [name, settings] of Object.entries(runs)) {
  web[name] = median(await page.evaluate(async (s, n) => {
    const { Calculation } = await import('./calculation.js');
    const calculation = new Calculation();
    await calculation.run(s);
    while (!calculation.helperReady) await new Promise((done) => setTimeout(done, 20));  // its second worker
    const times = [];
    for (let k = 0; k < n; ++k) {
      const t = performance.now();
      await calculation.run(s);
      times.push(performance.now() - t);
    }
    calculation.worker.terminate();
    calculation.helper?.terminate();
    return times;
  }, settings, kRepetitions));
}

// From navigation to the first picture of a link, a fresh browser context each time.
const firstPicture = [];
for (let k = 0; k < 5; ++k) {
  const context = await browser.createBrowserContext();
  const fresh = await context.newPage();
  await fresh.goto(address + '?graph=lines');
  await fresh.waitForFunction(() => /время расчета/.test(document.title));
  firstPicture.push(await fresh.evaluate(() => performance.now()));
  await context.close();
}
await close();

const native = {};
if (nativeBench) {
  const out = join(mkdtempSync(join(tmpdir(), 'zoreks-bench-')), 'native.json');
  execFileSync('taskset', ['-c', '0', nativeBench, '--benchmark_filter=^RunRasterized/(a_defaults|c_short_coil)/',
    `--benchmark_repetitions=${kRepetitions}`, `--benchmark_out=${out}`, '--benchmark_out_format=json'],
  { stdio: 'ignore' });
  const report = JSON.parse(readFileSync(out, 'utf8').replace(/: (-?NaN|-?Infinity)/g, ': null'));  // counters that did not apply
  for (const b of report.benchmarks.filter((b) => b.aggregate_name === 'median'))
    native[b.run_name.split('/')[1]] = b.real_time;
}

console.log('run                      page, ms   native on one core, ms   page / native');
for (const name of Object.keys(runs)) {
  const ratio = native[name] ? (web[name] / native[name]).toFixed(2) : '-';
  console.log(`${name.padEnd(24)} ${web[name].toFixed(1).padStart(8)}   ${(native[name]?.toFixed(1) ?? '-').padStart(22)}   ${ratio.padStart(13)}`);
}
console.log(`navigation to the first picture (lines, 651x320): ${median(firstPicture).toFixed(0)} ms (median of 5)`);
