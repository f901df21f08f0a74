// The web page as a user meets it, in headless Chromium: served by a plain
// static server, driven by keyboard and pointer, its downloads compared with
// the export tool's files for the same parameters, kept for use offline.
//   node page.test.mjs SITE_FOLDER ZOREKS_RENDER
import { execFileSync } from 'node:child_process';
import { appendFileSync, cpSync, mkdtempSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serveFolder, serveSite } from './served_site.mjs';

const [site, render] = process.argv.slice(2);
const kGraphColour = [12, 0, 255];
const kAxisColour = [12, 0, 0];
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

const { address: site_, browser, close } = await serveSite(site);

// The export tool's file for the same parameters, in the given format.
function toolFile(args, extension) {
  const file = join(mkdtempSync(join(tmpdir(), 'zoreks-page-')), `out.${extension}`);
  execFileSync(render, [...args, '--output', file], { stdio: 'pipe' });
  return readFileSync(file);
}

// The export tool's options for the parameters of a link.
const kToolOptions = { R: '--radius', L: '--length', a: '--half-range', graph: '--graph', lines: '--lines',
  turns: '--turns', current: '--current' };
const kToolSwitches = { exact: '--exact-lines', flux: '--equal-flux', arrows: '--arrows', map: '--field-map' };
const toolArgs = (query) => [...new URLSearchParams(query)].flatMap(([name, value]) =>
  (kToolSwitches[name] ? [kToolSwitches[name]] : [kToolOptions[name], value]));

// A page opened at the address, once its run (if any) has ended.
async function open(query = '', address = site_) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    // Keeps each download's bytes instead of saving them.
    window.downloads = [];
    HTMLAnchorElement.prototype.click = function () {
      window.downloads.push(fetch(this.href).then((r) => r.arrayBuffer()).then((b) => [...new Uint8Array(b)]));
    };
  });
  for (let tries = 0; ; ++tries) {  // the server may still be starting
    try { await page.goto(address + query); break; } catch (e) { if (tries > 50) throw e; await sleep(100); }
  }
  if (query) await ran(page);
  return page;
}

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const ran = (page) => page.waitForFunction(() => /время расчета/.test(document.title) || problem.textContent);
const caption = (page) => page.$eval('#caption', (e) => e.textContent);
const pixels = (page) => page.$eval('#Picture1', (c) => [...c.getContext('2d').getImageData(0, 0, c.width, c.height).data]);
const countColour = (rgba, [r, g, b]) => rgba.filter((v, i) => i % 4 === 0 && v === r && rgba[i + 1] === g && rgba[i + 2] === b).length;
const same = (a, b) => a.length === b.length && a.every((v, i) => v === b[i]);
const addressValue = (page, name) => page.evaluate((n) => new URLSearchParams(location.search).get(n), name);
const rerun = async (page) => {
  await page.evaluate(() => { document.title = ''; });
  await page.click('#CmdOK');
  await ran(page);
};
// Alt with the key of an access letter: a Latin layout's key, as the Russian letter on it.
const altKey = async (page, code) => {
  await page.keyboard.down('Alt');
  await page.keyboard.press(code);
  await page.keyboard.up('Alt');
};
// A page whose service worker has taken it over: its files come from the cache.
const controlled = async (address) => {
  const page = await open('', address);
  await page.waitForFunction(() => navigator.serviceWorker.controller);
  return page;
};

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

const links = [
  ['start values, axis', 'R=0.2&L=1&a=2&graph=axis'],
  ['seven lines, short region', 'R=0.5&L=2&a=3&graph=lines&lines=7'],
  ['a long thin coil, 12 lines', 'R=0.1&L=9.9&a=6&graph=lines&lines=12'],
  ['arrows', 'graph=lines&arrows=1'],
  ['equal flux', 'graph=lines&flux=1'],
  ['exact lines with arrows', 'R=0.5&L=2&a=3&graph=lines&exact=1&arrows=1'],
  ['the map in mT', 'graph=lines&map=1&turns=200&current=1.5'],
  ['the map, a million turns, current reversed', 'R=0.3&L=0.5&a=1&graph=lines&map=1&turns=1000000&current=-0.001'],
  ['everything on', 'graph=lines&lines=12&exact=1&flux=1&arrows=1&map=1&turns=50&current=2'],
];

// The page's states that axe-core checks against WCAG 2.1 A and AA.
const axeStates = [
  ['the start state', '', async () => {}],
  ['lines, map and arrows on, the menu «Вид» open', '?graph=lines&map=1&arrows=1', (p) => p.click('#viewMenu summary')],
  ['the dialog «Ток и витки» open', '?graph=lines', (p) => p.evaluate(() => coilCurrentAction.click())],
];

const tests = {
  ...Object.fromEntries([['axis', 'graph=axis'], ['lines', 'graph=lines']].map(([name, query]) => [
    `the ${name} graph is drawn in its colour over the axes`, async () => {
      const rgba = await pixels(await open('?' + query));
      check(countColour(rgba, kGraphColour) > 300 && countColour(rgba, kAxisColour) > 300, 'colours missing');
    }])),
  ...Object.fromEntries(links.map(([name, query]) => [`downloads equal the export tool's files: ${name}`, async () => {
    const page = await open('?' + query);
    // Once more when the page's second worker is up: plain field lines are then traced in two shares.
    await sleep(1500);
    await rerun(page);
    const args = [...toolArgs(query), '--size', '651x320'];
    const csv = await download(page, '#saveCsv');
    check(csv.equals(toolFile(args, 'csv')), 'CSV differs');
    const png = await decoded(page, await download(page, '#savePng'));
    check(same(png, await decoded(page, toolFile(args, 'png'))), 'PNG pixels differ');
    const svg = await download(page, '#saveSvg');
    check(svg.equals(toolFile(args, 'svg')), 'SVG differs');
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
    const page = await open('?R=0.5&L=2&a=3&graph=lines&lines=5&exact=1&turns=20&current=3');
    const shown = await page.evaluate(() => [VScroll1.value, VScroll2.value, VScroll3.value, List1.selectedIndex,
      Text1.value, exactLinesAction.checked, notice.hidden, Picture1.getAttribute('aria-label')]);
    check(JSON.stringify(shown.slice(0, -1)) === JSON.stringify(['5', '20', '30', 1, '5', true, true]), `controls ${shown}`);
    check(/точными линиями.*N = 20 витков, I = 3 А/.test(shown.at(-1)), `description ${shown.at(-1)}`);
    check(countColour(await pixels(page), [0, 160, 0]) > 100, 'no exact lines drawn');
    await page.hover('#Picture1');
    await page.waitForFunction(() => !readout.hidden);
    check(/А\/м[^]*мТ/.test(await page.$eval('#readout', (e) => e.textContent)), 'the readout has no SI units');
  },
  'a bad link opens the start values with a one-line notice': async () => {
    const page = await open('?R=11&L=abc&a=0.25&graph=spiral&lines=-1&map=yes&arrows=2&turns=0&current=5');
    const notice = await page.$eval('#notice', (e) => (e.hidden ? '' : e.textContent));
    for (const name of ['R', 'L', 'a', 'graph', 'lines', 'map', 'arrows', 'turns']) check(notice.includes(name), `${name} not named`);
    check(!notice.includes('current'), 'a good value named');
    const start = await page.evaluate(() => [VScroll1.value, VScroll2.value, VScroll3.value, List1.selectedIndex]);
    check(JSON.stringify(start) === JSON.stringify(['2', '10', '20', 0]), `not the start values: ${start}`);
    check((await addressValue(page, 'turns')) === null, 'the coil taken');
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
    check(same(await pixels(page), before), 'picture changed');
  },
  'live redraw follows a bar dragged with input events alone, and ends on the last values': async () => {
    const page = await open('?graph=lines&lines=20');
    await altKey(page, 'KeyD');  // «Вид»
    await page.keyboard.press('KeyC');  // «Сразу пересчитывать»
    const seen = await page.evaluate(async () => {
      const radii = new Set();
      for (let position = 3; position <= 17; ++position) {
        VScroll1.value = position;
        VScroll1.dispatchEvent(new Event('input'));
        await new Promise((done) => setTimeout(done, 60));
        radii.add(new URLSearchParams(location.search).get('R'));
      }
      return radii.size;
    });
    check(seen > 4, `the picture followed the bar ${seen} times`);
    await page.waitForFunction(() => new URLSearchParams(location.search).get('R') === String(17 * 0.1));
    await sleep(500);  // nothing older may land afterwards
    const fresh = await pixels(await open(`?R=${17 * 0.1}&graph=lines&lines=20`));
    check(same(await pixels(page), fresh), 'the picture is not that of the last values');
  },
  '«Ток и витки» by keyboard: a wrong value is refused, the dialog stays, good values are taken': async () => {
    const page = await open('?graph=lines&map=1');
    await altKey(page, 'KeyD');  // «Вид»
    await page.keyboard.press('KeyD');  // «Ток и витки…»
    await page.keyboard.type('0');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => coilProblem.textContent);
    const state = await page.evaluate(() => [coilCurrentDialog.open, document.activeElement.id, coilProblem.textContent]);
    check(state[0] && state[1] === 'turnsEdit' && /витков/.test(state[2]), `after a wrong value: ${state}`);
    await page.keyboard.type('200');  // over the selected wrong text
    await altKey(page, 'KeyN');  // «Ток I, А»
    await page.keyboard.type('1,5');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => !coilCurrentDialog.open);
    await rerun(page);
    check((await addressValue(page, 'turns')) === '200' && (await addressValue(page, 'current')) === '1.5', 'not taken');
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
  'a first visit loads cleanly and the page is installable': async () => {
    const server = await serveFolder(site);  // an origin the browser has not seen
    const page = await browser.newPage();
    const problems = [];
    page.on('console', (m) => { if (m.type() === 'error') problems.push(m.text()); });
    page.on('pageerror', (e) => problems.push(e.message));
    page.on('response', (r) => { if (r.status() >= 400) problems.push(`${r.status()} ${r.url()}`); });
    await sleep(300);  // the server starting
    await page.goto(server.address + '?graph=lines');
    await ran(page);
    await page.waitForFunction(() => navigator.serviceWorker.controller);
    const { installabilityErrors } = await (await page.createCDPSession()).send('Page.getInstallabilityErrors');
    problems.push(...installabilityErrors.map((e) => e.errorId));
    await page.close();
    await server.stop();
    check(problems.length === 0, problems.join('; '));
  },
  'once opened, the page loads, calculates and saves with the server stopped': async () => {
    const server = await serveFolder(site);
    const page = await controlled(server.address);
    await server.stop();
    await page.goto(server.address + '?graph=lines&arrows=1');
    await ran(page);
    const csv = await download(page, '#saveCsv');
    check(csv.equals(toolFile(['--graph', 'lines', '--arrows'], 'csv')), 'CSV differs');
  },
  'a new build on the server replaces the kept one whole, and the old one is deleted': async () => {
    const copy = mkdtempSync(join(tmpdir(), 'zoreks-site-'));
    cpSync(site, copy, { recursive: true });
    const server = await serveFolder(copy);
    const cachesOf = (page) => page.evaluate(() => caches.keys());
    const first = await controlled(server.address);
    const before = await cachesOf(first);
    appendFileSync(join(copy, 'page.js'), '\nwindow.newBuild = true;\n');
    const web = new URL('..', import.meta.url).pathname;
    execFileSync('node', [join(web, 'precache_list.js'), join(web, 'service_worker.js'), copy]);
    await first.close();
    // The next visit is still served whole by the kept build while the new one is fetched.
    const second = await controlled(server.address);
    await second.evaluate(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      while (!registration.waiting) await new Promise((done) => setTimeout(done, 100));
    });
    check(!(await second.evaluate(() => window.newBuild)), 'the new script came with the old build');
    await second.close();
    const third = await controlled(server.address);
    const after = await cachesOf(third);
    check(await third.evaluate(() => window.newBuild), 'the new build is not used');
    check(before.length === 1 && after.length === 1 && after[0] !== before[0], `caches ${before} then ${after}`);
    await third.close();
    await server.stop();
  },
  ...Object.fromEntries(axeStates.map(([name, query, act]) => [`no WCAG 2.1 A or AA violation: ${name}`, async () => {
    const page = await open(query);
    await act(page);
    await page.evaluate(axeSource);
    const violations = await page.evaluate(async () => (await axe.run(document, {
      runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] },
    })).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
    check(violations.length === 0, violations.join('; '));
  }])),
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
