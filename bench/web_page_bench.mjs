// The web page's speed in headless Chromium beside the native program's, in
// one run: the default field-line run and the short-coil run in the page's
// worker (round trip of a request, the picture's pixels included), the same
// runs natively on one core (zoreks_bench's RunRasterized, the same rasteriser, under taskset -c 0),
// the readout after a fitted run with a million measured points, the time
// from navigation to the first picture of a link, and live redraw
// as a dragged bar drives it: pictures shown per second, and the time from
// the last movement to the final picture, also in windows of a screen's size
// at pixel ratios 1 and 2. The page's tabs are 800 x 600 windows unless said.
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

const start = { graph: 'lines' };  // the rest of the lesson as the core starts it
const view = { width: 651, height: 320 };
const runs = {
  a_defaults: { lesson: start, view },
  c_short_coil: { lesson: { ...start, radius: 0.1, length: 0.1, halfRange: 10 }, view: { width: 1912, height: 1000 } },
  // The live runs below, alone: the bursts' run, and the heaviest (3 times only).
  lines_200: { lesson: { ...start, lineText: '200' }, view },
  heaviest: { lesson: { ...start, radius: 0.1, length: 0.1, halfRange: 9.9, lineText: '200', exactLines: true, fieldMap: true },
    view, repetitions: 3 },
  // The default coil as the page draws it in a 1920 x 1080 window, and in a
  // 960 x 540 one at pixel ratio 2: its lines, and with the map.
  screen_lines: { lesson: start, view: { width: 1908, height: 938 } },
  screen_map: { lesson: { ...start, fieldMap: true }, view: { width: 1908, height: 938 }, repetitions: 5 },
  screen_lines_ratio_2: { lesson: start, view: { width: 948, height: 466, pixelRatio: 2 } },
  screen_map_ratio_2: { lesson: { ...start, fieldMap: true }, view: { width: 948, height: 466, pixelRatio: 2 }, repetitions: 5 },
};

// Milliseconds of each run asked of the page's calculation (its workers of
// their own), the joined picture included, after one to warm up.
// (The core reads the fields of its lesson and view and nothing else; the
// calculation writes Russian.)
const page = await browser.newPage();
await page.goto(address, { waitUntil: 'networkidle0' });
await new Promise((done) => setTimeout(done, 1000));  // the page's own start settled
const web = {};
for (const [name, settings] of Object.entries(runs)) {
  web[name] = median(await page.evaluate(async (s, n) => {
    const { Calculation } = await import('./calculation.js');
    const calculation = new Calculation({ code: 'ru', t: (text) => text });
    await calculation.run(s);
    while (!calculation.helperReady) await new Promise((done) => setTimeout(done, 20));  // its second worker
    const times = [];
    for (let k = 0; k < n; ++k) {
      const t = performance.now();
      await calculation.run(s);
      times.push(performance.now() - t);
    }
    calculation.worker.end(null);
    calculation.helper?.end(null);
    return times;
  }, settings, settings.repetitions ?? kRepetitions));
}

// The values under the pointer on the axis graph after a fitted run with a
// million measured points (the class's coil, a point every 0.4 µm over 40 cm):
// a request of the page's readout at the picture's middle, answered from the
// run's record, and with the record made again (the comparison and its fit)
// for each position, as every readout was answered before: the lesson then
// alternates its line-count box's text, which the worker's record is kept for.
const readout = await page.evaluate(async (n) => {
  const { Calculation } = await import('./calculation.js');
  const calculation = new Calculation({ code: 'ru', t: (text) => text });
  const points = new Float64Array(2e6);
  const [R, L, c] = [0.021, 0.16, (4e-7 * Math.PI * 320) / 0.16 * 1.8 / 2];
  for (let k = 0; k < 1e6; ++k) {
    const z = -0.2 + 0.4 * k / 1e6;
    points.set([z, c * ((z + L / 2) / Math.hypot(R, z + L / 2) - (z - L / 2) / Math.hypot(R, z - L / 2))], 2 * k);
  }
  const s = {
    lesson: { graph: 'axis', radius: R, length: L, halfRange: 0.2, turns: 320, amperes: 1.8, fit: true,
      measured: { id: 1, points, units: 'cm:mT', name: 'bench.csv' } },
    view: { width: 651, height: 320, decimalSeparator: ',' },
  };
  await calculation.run(s);
  const times = { kept: [], madeAgain: [] };
  for (const name of ['kept', 'madeAgain']) {
    for (let k = 0; k < n; ++k) {
      const t = performance.now();
      await calculation.ask('readout', { ...s, lesson: { ...s.lesson, lineText: name === 'kept' || k % 2 ? '7' : '8' } },
        [325, 160, ',']);
      times[name].push(performance.now() - t);
    }
  }
  calculation.worker.end(null);
  return times;
}, 7);

// From navigation to the first picture of a link, a fresh browser context each time.
const firstPicture = [];
for (let k = 0; k < 5; ++k) {
  const context = await browser.createBrowserContext();
  const fresh = await context.newPage();
  await fresh.goto(address + '?graph=lines&lang=ru');
  await fresh.waitForFunction(() => /время расчета/.test(document.title));
  firstPicture.push(await fresh.evaluate(() => performance.now()));
  await context.close();
}
// Live redraw: the page with «Сразу пересчитывать» on, its pictures counted
// as it puts them on its canvas, and the addresses it writes (the address of
// the last picture always comes, others at most four times a second), a bar
// moved by input events alone as a pointer's drag gives them.
async function livePage(query, viewport = { width: 800, height: 600, deviceScaleFactor: 1 }) {
  const live = await browser.newPage();
  await live.setViewport(viewport);
  await live.evaluateOnNewDocument(() => {
    window.shows = [];
    window.addresses = [];
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (...image) {
      window.shows.push(performance.now());
      return put.apply(this, image);
    };
    const replace = history.replaceState.bind(history);
    history.replaceState = (state, title, url) => {
      window.addresses.push([performance.now(), url]);
      replace(state, title, url);
    };
  });
  await live.goto(`${address}${query}&lang=ru`);  // the page in Russian whatever the browser's language
  await live.waitForFunction(() => /время расчета/.test(document.title));
  await new Promise((done) => setTimeout(done, 1500));  // the second worker up
  await live.evaluate(() => { liveAction.checked = true; });
  return live;
}

// Moves the bar by one position every `every` ms, `events` times, back and
// forth between two positions; the pictures shown meanwhile, and the time
// from the last movement to the picture of the last position (the last one
// put on the canvas before its address was written).
const drag = (live, bar, from, to, events, every) => live.evaluate(async (id, a, b, n, ms) => {
  const control = document.getElementById(id);
  const name = { VScroll1: 'R', VScroll3: 'a' }[id];
  const [shown, written] = [window.shows.length, window.addresses.length];
  const start = performance.now();
  let position = a;
  let step = Math.sign(b - a);
  let last = start;
  for (let k = 0; k < n; ++k) {
    if (position === b || (k > 0 && position === a)) step = -step;
    position += step;
    control.value = position;
    last = performance.now();
    control.dispatchEvent(new Event('input'));
    await new Promise((done) => setTimeout(done, ms));
  }
  const isFinal = ([t, url]) => t >= last && new URLSearchParams(url).get(name) === String(position * 0.1);
  while (!window.addresses.slice(written).some(isFinal)) await new Promise((done) => setTimeout(done, 5));
  const [finalAddress] = window.addresses.slice(written).find(isFinal);
  const during = window.shows.slice(shown).filter((t) => t <= last).length;
  const finalPicture = window.shows.slice(shown).filter((t) => t <= finalAddress).at(-1);
  return { perSecond: during / ((last - start) / 1000), toFinal: finalPicture - last };
}, bar, from, to, events, every);

const steady = [];
const live = await livePage('?graph=lines');
for (let k = 0; k < 3; ++k) steady.push((await drag(live, 'VScroll1', 1, 30, 300, 16)).perSecond);  // about 5 s at 60 events a second
// The same on a screen: a 1920 x 1080 window at ratio 1 and a 960 x 540 one at
// ratio 2 (some 1900 x 930 device pixels both); with the map, single steps.
const screens = {};
for (const [name, viewport] of Object.entries({ ratio_1: { width: 1920, height: 1080, deviceScaleFactor: 1 },
  ratio_2: { width: 960, height: 540, deviceScaleFactor: 2 } })) {
  const lines = await livePage('?graph=lines', viewport);
  const drags = [];
  for (let k = 0; k < 3; ++k) drags.push((await drag(lines, 'VScroll1', 1, 30, 300, 16)).perSecond);
  const size = await lines.$eval('#Picture1', (c) => `${c.width} x ${c.height}`);
  await lines.close();
  const map = await livePage('?graph=lines&map=1', viewport);
  const finals = [];
  for (let k = 0; k < 5; ++k) finals.push((await drag(map, 'VScroll1', 2, 3, 2, 40)).toFinal);
  const mapped = [];
  for (let k = 0; k < 3; ++k) mapped.push((await drag(map, 'VScroll1', 1, 30, 150, 16)).perSecond);
  await map.close();
  screens[name] = { size, perSecond: median(drags), toFinal: median(finals), mapPerSecond: median(mapped) };
}
const bursts = [];
const live200 = await livePage('?graph=lines&lines=200');
for (let k = 0; k < 5; ++k) bursts.push((await drag(live200, 'VScroll3', 20, 32, 12, 40)).toFinal);
const heaviest = [];
const liveHeavy = await livePage('?R=0.1&L=0.1&a=9.9&graph=lines&lines=200&exact=1&map=1');
for (let k = 0; k < 3; ++k) heaviest.push((await drag(liveHeavy, 'VScroll3', 99, 100, 2, 40)).toFinal);
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
console.log(`readout after a fitted run with 10^6 points: ${median(readout.kept).toFixed(1)} ms from the run's record, ` +
  `${median(readout.madeAgain).toFixed(0)} ms with the comparison and fit made again (medians of 7)`);
console.log(`navigation to the first picture (lines, an 800 x 600 window): ${median(firstPicture).toFixed(0)} ms (median of 5)`);
console.log(`steady drag of the radius bar, 60 events/s, default coil: ${median(steady).toFixed(1)} pictures/s (median of 3 drags of 5 s)`);
for (const [name, s] of Object.entries(screens)) {
  console.log(`screen ${name} (${s.size} device pixels): steady drag ${s.perSecond.toFixed(1)} pictures/s; with the map ` +
    `${s.mapPerSecond.toFixed(1)} pictures/s, one step to its picture ${s.toFinal.toFixed(0)} ms (median of 5)`);
}
console.log(`last step to final picture, 12 steps 40 ms apart, 200 lines: ${median(bursts).toFixed(0)} ms (median of 5)`);
console.log(`last step to final picture, the heaviest run (R 0.1, L 0.1, a 9.9-10, 200 lines, exact, map): ${median(heaviest).toFixed(0)} ms (median of 3)`);
