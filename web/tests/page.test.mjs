// The web page as a user meets it, in headless Chromium: served by a plain
// static server, driven by keyboard and pointer, its downloads compared with
// the export tool's files for the same parameters.
//   node page.test.mjs SITE_FOLDER ZOREKS_RENDER
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serveSite } from './served_site.mjs';

const [site, render] = process.argv.slice(2);
const kGraphColour = [12, 0, 255];
const kAxisColour = [12, 0, 0];

const { address: site_, browser, close } = await serveSite(site);

// The export tool's file for the same parameters, in the given format.
function toolFile(args, extension) {
  const file = join(mkdtempSync(join(tmpdir(), 'zoreks-page-')), `out.${extension}`);
  execFileSync(render, [...args, '--output', file], { stdio: 'pipe' });
  return readFileSync(file);
}

// A page opened at the address, once its run (if any) has ended.
async function open(query = '') {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    // Keeps each download's bytes instead of saving them.
    window.downloads = [];
    HTMLAnchorElement.prototype.click = function () {
      window.downloads.push(fetch(this.href).then((r) => r.arrayBuffer()).then((b) => [...new Uint8Array(b)]));
    };
  });
  for (let tries = 0; ; ++tries) {  // the server may still be starting
    try { await page.goto(site_ + query); break; } catch (e) { if (tries > 50) throw e; await sleep(100); }
  }
  if (query) await ran(page);
  return page;
}

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const ran = (page) => page.waitForFunction(() => /время расчета/.test(document.title) || problem.textContent);
const caption = (page) => page.$eval('#caption', (e) => e.textContent);
const pixels = (page) => page.$eval('#Picture1', (c) => [...c.getContext('2d').getImageData(0, 0, c.width, c.height).data]);
const countColour = (rgba, [r, g, b]) => rgba.filter((v, i) => i % 4 === 0 && v === r && rgba[i + 1] === g && rgba[i + 2] === b).length;

// The pixels of PNG bytes as the browser decodes them.
const decoded = (page, bytes) => page.evaluate(async (b) => {
  const image = await createImageBitmap(new Blob([new Uint8Array(b)], { type: 'image/png' }));
  const canvas = new OffscreenCanvas(image.width, image.height);
  canvas.getContext('2d').drawImage(image, 0, 0);
  return [...canvas.getContext('2d').getImageData(0, 0, image.width, image.height).data];
}, [...bytes]);

async function download(page, control) {
  await page.click(control);
  await page.waitForFunction(() => window.downloads.length > 0);
  const bytes = await page.evaluate(() => window.downloads.pop());
  return Buffer.from(bytes);
}

const tests = {
  ...Object.fromEntries([['axis', 'graph=axis'], ['lines', 'graph=lines']].map(([name, query]) => [
    `the ${name} graph is drawn in its colour over the axes`, async () => {
      const rgba = await pixels(await open('?' + query));
      check(countColour(rgba, kGraphColour) > 300 && countColour(rgba, kAxisColour) > 300, 'colours missing');
    }])),
  ...Object.fromEntries([
    ['start values, axis', 'R=0.2&L=1&a=2&graph=axis', ['--graph', 'axis']],
    ['seven lines, short region', 'R=0.5&L=2&a=3&graph=lines&lines=7', ['--radius', '0.5', '--length', '2', '--half-range', '3', '--graph', 'lines']],
    ['a long thin coil, 12 lines', 'R=0.1&L=9.9&a=6&graph=lines&lines=12', ['--radius', '0.1', '--length', '9.9', '--half-range', '6', '--graph', 'lines', '--lines', '12']],
  ].map(([name, query, args]) => [`downloads equal the export tool's files: ${name}`, async () => {
    const page = await open('?' + query);
    // Once more when the page's second worker is up: plain field lines are then traced in two shares.
    await sleep(1500);
    await page.evaluate(() => { document.title = ''; });
    await page.click('#CmdOK');
    await ran(page);
    const csv = await download(page, '#saveCsv');
    check(csv.equals(toolFile([...args, '--size', '651x320'], 'csv')), 'CSV differs');
    const png = await decoded(page, await download(page, '#savePng'));
    const tool = await decoded(page, toolFile([...args, '--size', '651x320'], 'png'));
    check(png.length === tool.length && png.every((v, i) => v === tool[i]), 'PNG pixels differ');
    const svg = await download(page, '#saveSvg');
    check(svg.equals(toolFile([...args, '--size', '651x320'], 'svg')), 'SVG differs');
  }])),
  // The box's text is read by the core's own reader, which its decimal numbers
  // take through the WebAssembly build's stand-in of from_chars.
  ...Object.fromEntries(['1E1', ' 1 2', '3.5', '&H0A', '2.5e-0x'].map((text) => [
    `the line-count box reads "${text}" as the export tool does`, async () => {
      const page = await open('?graph=lines');
      await page.$eval('#Text1', (box, t) => { box.value = t; }, text);
      await page.focus('#Text1');
      await page.keyboard.press('Enter');
      await page.waitForFunction(() => new URLSearchParams(location.search).get('lines') !== '7');  // ran
      const csv = await download(page, '#saveCsv');
      check(csv.equals(toolFile(['--graph', 'lines', '--lines', text], 'csv')), 'CSV differs');
    }])),
  'a link opens its calculation and its values': async () => {
    const page = await open('?R=0.5&L=2&a=3&graph=lines&lines=5&exact=1');
    const shown = await page.evaluate(() => [VScroll1.value, VScroll2.value, VScroll3.value, List1.selectedIndex,
      Text1.value, exactLinesAction.checked, notice.hidden]);
    check(JSON.stringify(shown) === JSON.stringify(['5', '20', '30', 1, '5', true, true]), `controls ${shown}`);
    check(countColour(await pixels(page), [0, 160, 0]) > 100, 'no exact lines drawn');
  },
  'a bad link opens the start values with a one-line notice': async () => {
    const page = await open('?R=11&L=abc&a=0.25&graph=spiral&lines=-1&map=yes');
    const notice = await page.$eval('#notice', (e) => (e.hidden ? '' : e.textContent));
    for (const name of ['R', 'L', 'a', 'graph', 'lines', 'map']) check(notice.includes(name), `${name} not named`);
    const start = await page.evaluate(() => [VScroll1.value, VScroll2.value, VScroll3.value, List1.selectedIndex]);
    check(JSON.stringify(start) === JSON.stringify(['2', '10', '20', 0]), `not the start values: ${start}`);
  },
  "a refused run shows the tool's sentence and keeps the picture": async () => {
    const page = await open('?graph=lines');
    const before = await pixels(page);
    await page.evaluate(() => { VScroll3.value = 0; VScroll3.dispatchEvent(new Event('input')); });
    await page.click('#CmdOK');
    await page.waitForFunction(() => problem.textContent);
    let sentence = '';
    try { toolFile(['--half-range', '0'], 'csv'); } catch (e) { sentence = e.stderr.toString().trim(); }
    check(sentence && (await page.$eval('#problem', (e) => e.textContent)) === sentence, 'sentence differs');
    check((await pixels(page)).every((v, i) => v === before[i]), 'picture changed');
  },
  'live redraw after rapid changes shows the last values': async () => {
    const page = await open('?graph=lines&lines=20');
    await page.click('#menu details:last-child summary');  // the View menu
    await page.click('#liveAction');
    await page.focus('#VScroll1');
    for (let k = 0; k < 15; ++k) await page.keyboard.press('ArrowRight');
    await page.waitForFunction(() => new URLSearchParams(location.search).get('R') === String(17 * 0.1));
    await sleep(500);  // nothing older may land afterwards
    const last = await pixels(page);
    const fresh = await pixels(await open(`?R=${17 * 0.1}&graph=lines&lines=20`));
    check(last.every((v, i) => v === fresh[i]), 'the picture is not that of the last values');
  },
  'keyboard alone: Tab order like the window, Enter runs': async () => {
    const page = await open();
    const order = [];
    for (let k = 0; k < 6; ++k) {
      await page.keyboard.press('Tab');
      order.push(await page.evaluate(() => document.activeElement.id));
    }
    check(order.join() === 'CmdOK,VScroll1,VScroll2,VScroll3,Picture1,List1', `order ${order}`);
    await page.keyboard.press('ArrowDown');  // the field lines
    await page.keyboard.press('Enter');
    await ran(page);
    check(/время расчета/.test(await caption(page)), 'no run');
    check(countColour(await pixels(page), kGraphColour) > 300, 'no field lines');
  },
};

function check(condition, message) { if (!condition) throw new Error(message); }

let passed = 0;
let failed = 0;
for (const [name, test] of Object.entries(tests)) {
  try {
    await test();
    ++passed;
    console.log(`ok   ${name}`);
  } catch (e) {
    ++failed;
    console.log(`FAIL ${name}: ${e.message}`);
  }
}
await close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
