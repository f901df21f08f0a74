// The web page as a user meets it, in headless Chromium: served by a plain
// static server, driven by keyboard and pointer, its downloads compared with
// the export tool's files for the same parameters, kept for use offline.
//   node page.test.mjs SITE_FOLDER ZOREKS_RENDER [PART_OF_A_TEST_NAME]
import { execFileSync } from 'node:child_process';
import { appendFileSync, cpSync, mkdtempSync, readFileSync, utimesSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serveFolder, serveSite } from './served_site.mjs';

const [site, render, only = ''] = process.argv.slice(2);
const kGraphColour = [12, 0, 255];
const kAxisColour = [12, 0, 0];
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

const { address: site_, browser, close } = await serveSite(site);
const kViewport = { width: 800, height: 600, deviceScaleFactor: 1 };

// The export tool's file for the same parameters, in the given format.
function toolFile(args, extension) {
  const file = join(mkdtempSync(join(tmpdir(), 'zoreks-page-')), `out.${extension}`);
  execFileSync(render, [...args, '--output', file], { stdio: 'pipe' });
  return readFileSync(file);
}

// The export tool's options for the parameters of a link.
const kToolOptions = { R: '--radius', L: '--length', a: '--half-range', graph: '--graph', lines: '--lines',
  turns: '--turns', current: '--current', pair: '--pair', uniform: '--uniform' };
const kToolSwitches = { exact: '--exact-lines', flux: '--equal-flux', arrows: '--arrows', map: '--field-map',
  scales: '--scales', opposed: '--opposed', fit: '--fit', big: '--large-labels' };
const toolArgs = (query) => [...new URLSearchParams(query)].flatMap(([name, value]) =>
  (kToolSwitches[name] ? [kToolSwitches[name]] : [kToolOptions[name], value]));

// A page opened at the address in a window of the viewport, in a browser of
// the given languages, once its run (if any) has ended.
async function open(query = '', address = site_, viewport = kViewport, languages = 'ru-RU') {
  const page = await newPage(languages);
  await page.setViewport(viewport);
  await page.evaluateOnNewDocument(() => {
    // Keeps each download's bytes instead of saving them.
    window.downloads = [];
    HTMLAnchorElement.prototype.click = function () {
      window.downloads.push(fetch(this.href).then((r) => r.arrayBuffer()).then((b) => [...new Uint8Array(b)]));
    };
  });
  await page.goto(address + query);
  if (query) await ran(page);
  return page;
}

// A tab whose waits end only when the page has plainly failed: a loaded
// machine may be many times slower than a developer's.
async function newPage(languages = 'ru-RU') {
  const page = await browser.newPage();
  page.setDefaultTimeout(120000);
  await (await page.createCDPSession()).send('Emulation.setUserAgentOverride',
    { userAgent: await browser.userAgent(), acceptLanguage: languages });
  return page;
}

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const ran = (page) => page.waitForFunction(() => /время расчета|calculation time/i.test(document.title) || problem.textContent);
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

// Waits, polling, until the condition holds; fails if it has not in two minutes.
async function until(condition, what) {
  for (let waited = 0; !(await condition()); waited += 50) {
    check(waited < 120000, what);
    await sleep(50);
  }
}

// The page once its second worker has started: plain field lines are then traced in two shares.
async function bothWorkersUp(page) {
  const started = (worker) => worker.evaluate(() => { try { return core.then(() => true); } catch { return false; } });
  await until(async () => page.workers().length >= 2 && (await Promise.all(page.workers().map(started))).every(Boolean),
    'the second worker did not start');
  return page;
}

// The pixels of PNG bytes as the browser decodes them.
const decoded = (page, bytes) => page.evaluate(async (b) => {
  const image = await createImageBitmap(new Blob([new Uint8Array(b)], { type: 'image/png' }));
  const canvas = new OffscreenCanvas(image.width, image.height);
  canvas.getContext('2d').drawImage(image, 0, 0);
  return [...canvas.getContext('2d').getImageData(0, 0, image.width, image.height).data];
}, [...bytes]);

// The export tool's --size (and --scale, but for a table) of the picture on
// show: its canvas's pixels over the screen's ratio, a whole one.
async function shownSize(page, extension = 'png') {
  const [width, height, ratio] = await page.$eval('#Picture1', (c) => [c.width, c.height, devicePixelRatio]);
  return ['--size', `${width / ratio}x${height / ratio}`, ...(ratio === 1 || extension === 'csv' ? [] : ['--scale', String(ratio)])];
}

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
  ['everything on', 'graph=lines&lines=12&flux=1&arrows=1&map=1&turns=50&current=2'],
  ['scales on the axis graph', 'graph=axis&scales=1'],
  ["a lab coil's typed dimensions, scales in mT", 'R=0.021&L=0.16&a=0.2&graph=axis&scales=1&turns=320&current=1.8'],
  ['typed dimensions, field lines with scales in cm', 'R=0.021&L=0.16&a=0.125&graph=lines&lines=5&scales=1'],
  ["a lab sheet's radius, finer than a millimetre", 'R=0.02524&L=0.16&a=0.2&graph=axis'],
  ['a Helmholtz pair', 'graph=lines&pair=0.2'],
  ["a pair's axis graph with its uniform stretch", 'graph=axis&pair=0.2&uniform=1'],
  ['an opposed pair with arrows and the map', 'R=0.3&a=1.5&graph=lines&pair=0.5&opposed=1&arrows=1&map=1'],
  ['coinciding opposed coils: the note', 'graph=lines&pair=0&opposed=1&uniform=1'],
  ['the uniform region of one coil', 'graph=lines&uniform=5&exact=1'],
  ['a pair, typed, with scales, map, uniform region in mT', 'R=0.3&L=0.2&a=0.6&graph=lines&lines=5&scales=1&map=1' +
    '&pair=0.315&uniform=2.5&turns=100&current=1'],
  ['large labels with scales', 'graph=lines&big=1&scales=1'],
  ['the map at pixel ratio 2 in a 1200 × 900 window', 'graph=lines&map=1&turns=200&current=1.5',
    { width: 1200, height: 900, deviceScaleFactor: 2 }],
  ['a phone at pixel ratio 3', 'graph=lines&arrows=1', { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true }],
];

// The dialogs of «Вид» by keyboard: Alt+В and the command's letter open one
// (a Latin layout's keys, as the Russian letters on them), a wrong value is
// refused with the core's reason and selected while the dialog stays, good
// values are taken. Keys: "+Code" is Alt with it, Enter and Space are
// pressed, anything else typed.
const dialogs = [
  ['«Ток и витки»', 'KeyD', ['0', 'Enter'], 'turnsEdit', /витков/, ['200', '+KeyN', '1,5', 'Enter'],
    { turns: '200', current: '1.5' }],
  ['«Размеры катушки»', 'KeyR', ['10,5', 'Enter'], 'radiusEdit', /^Радиус R: .*от 0 до 10/, ['0,02524', '+KeyL', '0.16', 'Enter'],
    { R: '0.02524', L: '0.16' }],
  ['«Пара катушек»', 'KeyG', ['Space', '+KeyH', '21', 'Enter'], 'distanceEdit', /от 0 до 20/, ['+KeyU', '+KeyC', '+KeyH', 'Enter'],
    { pair: '0.2', opposed: '1' }],
  ['«Однородная область»', 'KeyJ', ['Space', '+KeyL', '0', 'Enter'], 'percentEdit', /больше 0/, ['2,5', 'Enter'], { uniform: '2.5' }],
];
async function keys(page, list) {
  for (const k of list) {
    if (k.startsWith('+')) await altKey(page, k.slice(1));
    else if (k === 'Enter' || k === 'Space') await page.keyboard.press(k);
    else await page.keyboard.type(k);
  }
}

// Measured values on the axis of a lab coil (R 2.1 cm, L 16 cm, 320 turns,
// 1.8 A), its middle at 200 mm on the ruler, the field 3 % weaker and a little
// noisy, in gauss and millimetres, as a spreadsheet writes them.
const kLabCoil = 'R=0.021&L=0.16&a=0.2&graph=axis&scales=1&turns=320&current=1.8';
function labReadings() {
  const [R, L, nI] = [0.021, 0.16, (320 / 0.16) * 1.8];
  const B = (z) => 4e-7 * Math.PI * nI / 2 * ((z + L / 2) / Math.hypot(z + L / 2, R) - (z - L / 2) / Math.hypot(z - L / 2, R));
  return Array.from({ length: 41 }, (_, k) => [10 * k, (0.97e4 * B((10 * k - 200) / 1000) + 0.3 * Math.sin(7 * k)).toFixed(3)]);
}
function labFile() {
  const rows = labReadings().map(([mm, gauss]) => `${mm};${gauss.replace('.', ',')}`);
  return written('lab.csv', ['z, мм;B, Гс', ...rows].join('\r\n'));
}
// The same readings in a lesson file, in metres and tesla, with the lab's coil; `changed` overrides its values.
const lessonFile = (name, changed = {}) => written(name, JSON.stringify({
  format: 'zoreks-lesson', version: 1, coil: { radius: 0.021, length: 0.16 }, halfRange: 0.2, graph: 'axis', lines: '7',
  switches: { scales: true, fit: true }, winding: { turns: 320, current: 1.8 },
  measurements: { file: 'lab.csv', units: 'mm:G', points: labReadings().map(([mm, gauss]) => [mm / 1000, gauss / 1e4]) },
  ...changed,
}));
// Links with measured values: n points, z in metres and B in tesla written as the page writes numbers.
const linkWithPoints = (n) => `R=0.021&L=0.16&a=0.2&graph=axis&scales=1&fit=1&turns=320&current=1.8&m=${
  Array.from({ length: n }, (_, k) => `${(k - n / 2) / 1000},${(45 + (k % 50)) / 10000}`).join(',')}&mu=mm:G&mf=${
  encodeURIComponent('лаб 1.csv')}`;
function written(name, text) {
  const file = join(mkdtempSync(join(tmpdir(), 'zoreks-measured-')), name);
  writeFileSync(file, text);
  return file;
}

// Chooses a file in the control «Измерения» and its units in the dialog that follows.
async function upload(page, file, [z, b]) {
  await (await page.$('#measurementsFile')).uploadFile(file);
  await page.waitForFunction(() => measurementUnitsDialog.open);
  await page.select('#lengthUnitBox', z);
  await page.select('#fluxUnitBox', b);
  await page.click('#measurementUnitsDialog button[value=ok]');
}
const measurementLine = (page) => page.$eval('#measurementLine', (e) => e.textContent);

// The page's states that axe-core checks against WCAG 2.1 A and AA.
const openDialog = (id) => (p) => p.evaluate((command) => document.getElementById(command).click(), id);
const axeStates = [
  ['the start state', '', async () => {}],
  ['in English, lines with the map, the menu «Вид» open', '?graph=lines&map=1&lang=en', (p) => p.click('#viewMenu summary')],
  ['in English, the dialog «Пара катушек» open', '?graph=lines&pair=0.2&lang=en', openDialog('coilPairAction')],
  ['lines, map and arrows on, the menu «Вид» open', '?graph=lines&map=1&arrows=1', (p) => p.click('#viewMenu summary')],
  ['the menu «Файл» open', '', (p) => p.click('#menu summary')],
  ['the dialog «Ток и витки» open', '?graph=lines', openDialog('coilCurrentAction')],
  ['the dialog «Размеры катушки» open', '?graph=lines', openDialog('coilSizeAction')],
  ['the dialog «Пара катушек» open', '?graph=lines&pair=0.2', openDialog('coilPairAction')],
  ['the dialog «Однородная область» open', '?graph=lines', openDialog('uniformRegionAction')],
  ['the dialog «Единицы измерений» open', '?' + kLabCoil, async (p) => {
    await (await p.$('#measurementsFile')).uploadFile(labFile());
    await p.waitForFunction(() => measurementUnitsDialog.open);
  }],
  ['measurements fitted, with scales', `?${kLabCoil}&fit=1`, async (p) => {
    await upload(p, labFile(), ['mm', 'G']);
    await p.waitForFunction(() => /нажмите/.test(measurementLine.textContent));
    await rerun(p);
  }],
];

const tests = {
  ...Object.fromEntries([['axis', 'graph=axis'], ['lines', 'graph=lines']].map(([name, query]) => [
    `the ${name} graph is drawn in its colour over the axes`, async () => {
      const rgba = await pixels(await open('?' + query));
      check(countColour(rgba, kGraphColour) > 300 && countColour(rgba, kAxisColour) > 300, 'colours missing');
    }])),
  // The picture as wide as the page, in device pixels: the tool's at its size and scale.
  ...Object.fromEntries(links.map(([name, query, viewport = kViewport]) => [`downloads equal the export tool's files: ${name}`, async () => {
    const page = await open('?' + query, site_, viewport);
    await rerun(await bothWorkersUp(page));
    const width = await page.$eval('#Picture1', (c) => c.getBoundingClientRect().width);
    check(width >= (viewport.width * 5) / 6 && width <= viewport.width, `the picture is ${width} px wide`);
    const args = toolArgs(query);
    const csv = await download(page, '#saveCsv');
    check(csv.equals(toolFile([...args, ...(await shownSize(page, 'csv'))], 'csv')), 'CSV differs');
    const png = await decoded(page, await download(page, '#savePng'));
    check(same(png, await decoded(page, toolFile([...args, ...(await shownSize(page))], 'png'))), 'PNG pixels differ');
    const svg = await download(page, '#saveSvg');
    check(svg.equals(toolFile([...args, ...(await shownSize(page))], 'svg')), 'SVG differs');
    if (viewport === kViewport) return;
    // The pointer three quarters across the field lines' region from -2 m to 2 m reads z = 1 m, at any ratio.
    const at = await page.$eval('#Picture1', (c) => [c.getBoundingClientRect().left + c.clientLeft + 0.75 * c.clientWidth,
      c.getBoundingClientRect().top + c.clientTop + c.clientHeight / 4]);
    await page.mouse.move(...at);
    await page.waitForFunction(() => !readout.hidden);
    const z = Number((await page.$eval('#readout', (e) => e.textContent)).match(/z = (-?[\d.,]+)/)[1].replace(',', '.'));
    check(Math.abs(z - 1) < 0.02, `the readout three quarters across says z = ${z} m`);
  }])),
  // The box's text is read by the core's own reader, which its decimal numbers
  // take through the WebAssembly build's stand-in of from_chars.
  // The address written after the run reopens the same run, without a notice.
  ...Object.fromEntries(['1E1', ' 1 2', '3.5', '&H0A', '2.5e-0x', '-3', '1e-7'].map((text) => [
    `the line-count box reads "${text}" as the export tool does`, async () => {
      const page = await open('?graph=lines');
      await page.$eval('#Text1', (box, t) => { box.value = t; }, text);
      await page.focus('#Text1');
      await page.keyboard.press('Enter');
      await page.waitForFunction(() => new URLSearchParams(location.search).get('lines') !== '7');  // ran
      const csv = await download(page, '#saveCsv');
      check(csv.equals(toolFile(['--graph', 'lines', '--lines', text], 'csv')), 'CSV differs');
      const reopened = await open(await page.evaluate(() => location.search));
      check(await reopened.$eval('#notice', (e) => e.hidden), 'a notice on reopening');
      check((await download(reopened, '#saveCsv')).equals(csv), 'the reopened run differs');
    }])),
  // The page's language: lang= in the address, else the browser's first
  // language the page has, else English. In English no Russian is left in
  // the document, hidden dialogs too, but the program's name and the
  // switch's own names; the bars' values have a decimal point.
  ...Object.fromEntries([['lang=en', 'lang=en', 'ru-RU', 'en'], ['a browser in en-US', '', 'en-US', 'en'],
    ['lang=ru in a browser in en-US', 'lang=ru', 'en-US', 'ru'], ['a browser in de, then ru', '', 'de-DE,ru', 'ru']]
    .map(([name, query, languages, lang]) => [`the page's language: ${name}`, async () => {
      const page = await open(['?graph=lines&map=1', query].filter(Boolean).join('&'), site_, kViewport, languages);
      const [shown, html, radius] = await page.evaluate(() => [document.documentElement.lang,
        document.documentElement.outerHTML, Label4.value]);
      const russian = html.replace(/Зорекс|Язык \/ Language|Русский/g, '').match(/[\u0400-\u04ff]+/g) ?? [];
      check(shown === lang && (lang === 'ru') === (russian.length > 0), `${shown}, Russian: ${russian.slice(0, 9)}`);
      check(radius === (lang === 'en' || languages.startsWith('en') ? '0.20' : '0,20'), `the radius shows ${radius}`);
      // The help in the page's language, which the site has.
      const help = await page.$$eval('#menu a', (links) => Promise.all(links.map(async (a) =>
        [a.getAttribute('href'), (await fetch(a.href)).ok])));
      const folder = lang === 'ru' ? /^help\/\w+\.html$/ : new RegExp(`^help/${lang}/`);
      check(help.length === 3 && help.every(([href, ok]) => ok && folder.test(href)), `help ${help.join('; ')}`);
    }])),
  'the language switch changes the texts and <html lang> at once, the address keeps it, and back': async () => {
    const page = await open('?graph=lines');
    const texts = () => page.evaluate(() => [document.documentElement.lang,
      ...[...document.querySelectorAll('nav, dialog, #Form1 :is(label, option, button, [title], [type=range])')].map((e) => e.outerHTML)]);
    const russian = await texts();
    await page.evaluate(() => { window.notReloaded = true; });
    await page.select('#languageBox', 'en');
    const english = await texts();
    const left = english.join('').replace(/Зорекс|Язык \/ Language|Русский/g, '').match(/[\u0400-\u04ff]+/g);
    check(english[0] === 'en' && !left && (await addressValue(page, 'lang')) === 'en', `English: ${english[0]} ${left}`);
    await page.$eval('#Label4', (box) => { box.value = '0,5'; });  // a comma in English too
    await page.focus('#Label4');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => new URLSearchParams(location.search).get('R') === '0.5' && Label4.value === '0.50');
    await page.evaluate(() => { Label4.value = '0,20'; Label4.dispatchEvent(new Event('change')); });
    await page.evaluate(() => { document.title = ''; });
    await page.select('#languageBox', 'ru');
    await ran(page);  // the picture's texts again in Russian
    const back = await texts();
    check(JSON.stringify(back) === JSON.stringify(russian), 'the Russian texts differ after switching back');
    check(await page.evaluate(() => window.notReloaded) && (await addressValue(page, 'lang')) === 'ru', 'reloaded');
  },
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
    const page = await open('?R=11&L=abc&a=-0.001&graph=spiral&lines=201&map=yes&arrows=2&turns=0&current=5&pair=-1' +
      '&uniform=0&fit=on');
    const notice = await page.$eval('#notice', (e) => (e.hidden ? '' : e.textContent));
    for (const name of ['R', 'L', 'a', 'graph', 'lines', 'map', 'arrows', 'turns', 'pair', 'uniform', 'fit']) {
      check(notice.includes(name), `${name} not named`);
    }
    check(!notice.includes('current'), 'a good value named');
    const start = await page.evaluate(() => [VScroll1.value, VScroll2.value, VScroll3.value, List1.selectedIndex]);
    check(JSON.stringify(start) === JSON.stringify(['2', '10', '20', 0]), `not the start values: ${start}`);
    for (const name of ['turns', 'pair', 'uniform']) check((await addressValue(page, name)) === null, `${name} taken`);
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
    const move = (position) => page.evaluate((p) => {
      VScroll1.value = p;
      VScroll1.dispatchEvent(new Event('input'));
    }, position);
    for (let position = 3; position <= 5; ++position) {  // slowly: each position's picture comes
      await move(position);
      await page.waitForFunction((r) => new URLSearchParams(location.search).get('R') === r, {}, String(position * 0.1));
    }
    for (let position = 6; position <= 17; ++position) await move(position);  // quickly: the newest wins
    await page.waitForFunction(() => new URLSearchParams(location.search).get('R') === String(17 * 0.1));
    await sleep(500);  // nothing older may land afterwards
    const fresh = await pixels(await open(`?R=${17 * 0.1}&graph=lines&lines=20`));
    check(same(await pixels(page), fresh), 'the picture is not that of the last values');
  },
  ...Object.fromEntries(dialogs.map(([name, letter, wrong, box, refusal, good, values]) => [
    `${name} by keyboard: a wrong value is refused, the dialog stays, good values are taken`, async () => {
      const page = await open('?graph=lines');
      await altKey(page, 'KeyD');  // «Вид»
      await page.keyboard.press(letter);
      await keys(page, wrong);
      await page.waitForFunction(() => document.querySelector('dialog[open] .problem')?.textContent);
      const state = await page.evaluate(() => [document.activeElement.id, document.querySelector('dialog[open] .problem').textContent]);
      check(state[0] === box && refusal.test(state[1]), `after a wrong value: ${state}`);
      await keys(page, good);
      await page.waitForFunction(() => !document.querySelector('dialog[open]'));
      await rerun(page);
      for (const [name_, value] of Object.entries(values)) check((await addressValue(page, name_)) === value, `${name_} not taken`);
    }])),
  "measurements uploaded with their units and fitted give the export tool's files and the fit's line": async () => {
    const page = await open(`?${kLabCoil}&fit=1`);
    const file = labFile();
    await upload(page, file, ['mm', 'G']);
    await page.waitForFunction(() => /41 точка — нажмите «расчет»/.test(measurementLine.textContent));
    await rerun(page);
    const line = await measurementLine(page);
    check(/^Измерения: 41 точка: z0 = 20[.,]\d+ см, k = 0[.,]9\d+, СКО = .* мТл$/.test(line), `line ${line}`);
    const description = await page.$eval('#Picture1', (c) => c.getAttribute('aria-label'));
    check(description.includes('со шкалами, с измерениями: 41 точка, подогнанными'), description);
    const args = [...toolArgs(kLabCoil), '--measured', file, '--measured-units', 'mm:G', '--fit', ...(await shownSize(page))];
    check((await download(page, '#saveCsv')).equals(toolFile(args, 'csv')), 'CSV differs');
    check(same(await decoded(page, await download(page, '#savePng')), await decoded(page, toolFile(args, 'png'))), 'PNG differs');
    check((await download(page, '#saveSvg')).equals(toolFile(args, 'svg')), 'SVG differs');
    // The pointer on a dot, where the dot's colour reaches 2 px every way: the readout names one of the file's readings.
    const rgba = await pixels(page);
    const width = await page.$eval('#Picture1', (c) => c.width);
    const dot = (i) => rgba[4 * i] === 230 && rgba[4 * i + 1] === 90 && rgba[4 * i + 2] === 0;
    const middle = rgba.findIndex((v, i) => i % 4 === 0 && [0, 2, -2, 2 * width, -2 * width].every((d) => dot(i / 4 + d))) / 4;
    const box = await page.$eval('#Picture1', (c) => [c.getBoundingClientRect().left + c.clientLeft, c.getBoundingClientRect().top + c.clientTop]);
    await page.mouse.move(box[0] + (middle % width) + 0.5, box[1] + Math.floor(middle / width) + 0.5);
    await page.waitForFunction(() => /измерено/.test(readout.textContent));
    const millitesla = Number((await page.$eval('#readout', (e) => e.textContent)).match(/измерено: B = ([\d,.]+) мТл/)[1].replace(',', '.'));
    const readings = readFileSync(file, 'utf8').split('\r\n').slice(1).map((row) => Number(row.split(';')[1].replace(',', '.')) / 10);
    check(middle >= 0 && readings.some((b) => Math.abs(b - millitesla) <= 5e-4 * b), `${millitesla} mT is no reading`);
  },
  "a measurement file that cannot be read gives the core's sentence and changes nothing": async () => {
    const page = await open('?' + kLabCoil);
    await upload(page, labFile(), ['mm', 'G']);
    await page.waitForFunction(() => /41 точка/.test(measurementLine.textContent));
    const bad = written('bad.csv', 'z;B\n1;2\n3;xy\n5;6\n');
    await upload(page, bad, ['cm', 'mT']);
    await page.waitForFunction(() => problem.textContent);
    let sentence = '';
    try { toolFile([...toolArgs(kLabCoil), '--measured', bad], 'csv'); } catch (e) { sentence = e.stderr.toString().trim(); }
    const shown = await page.$eval('#problem', (e) => e.textContent);
    check(/строка 3/.test(sentence) && shown === `Измерения не открыты. ${sentence}`, `${shown} / ${sentence}`);
    check(/^Измерения: 41 точка/.test(await measurementLine(page)), 'the measurements read before are gone');
  },
  'a lesson file opened on the page gives the CSV of the export tool given the same file': async () => {
    const file = lessonFile('lab.zoreks');
    const csv = toolFile(['--lesson', file], 'csv');
    const page = await open('?graph=lines');
    await page.evaluate(() => { document.title = ''; });
    await (await page.$('#measurementsFile')).uploadFile(file);
    await ran(page);
    check((await download(page, '#saveCsv')).equals(csv), 'CSV differs');
  },
  ...Object.fromEntries([['12 points: it is written back whole', 12], ['201 points: written back without them, said so', 201]]
    .map(([name, n]) => [`a link with measured values, ${name}`, async () => {
      const query = linkWithPoints(n);
      const page = await open('?' + query);
      const written_ = await page.evaluate(() => location.search);
      const shown = await page.evaluate(() => [measurementLine.textContent, measurementLine.title, notice.hidden ? '' : notice.textContent]);
      check(written_ === '?' + (n <= 200 ? query : query.replace(/&m=.*/, '')), `written back ${written_}`);
      check(new RegExp(`^Измерения: ${n} точ`).test(shown[0]) && shown[1].includes('«лаб 1.csv», z в мм, B в Гс'), `${shown}`);
      check((n > 200) === /не больше 200 точек/.test(shown[2]), `notice ${shown[2]}`);
    }])),
  ...Object.fromEntries([['of a newer version', { version: 99 }, /более новой версией/],
    ['with a radius of 11 m', { coil: { radius: 11, length: 0.16 } }, /«coil\.radius».*от 0 до 10/]].map(([name, changed, why]) => [
    `a lesson file ${name} is refused with the reason and changes nothing`, async () => {
      const page = await open('?' + kLabCoil);
      const before = [await page.evaluate(() => location.search), await pixels(page)];
      await (await page.$('#measurementsFile')).uploadFile(lessonFile('bad.zoreks', changed));
      await page.waitForFunction(() => problem.textContent);
      const refusal = await page.$eval('#problem', (e) => e.textContent);
      check(refusal.startsWith('Файл «bad.zoreks» не открыт.') && why.test(refusal), refusal);
      check(before[0] === (await page.evaluate(() => location.search)) && same(before[1], await pixels(page)), 'the page changed');
      check(await page.$eval('#measurementBar', (e) => e.hidden), 'measurements taken');
    }])),
  // A second file chosen while a large one is read: its units cancelled leave the first read, given they replace it.
  ...Object.fromEntries([['cancelled', 'big.csv'], ['given', 'lab.csv']].map(([units, read]) => [
    `a file chosen while another is read, its units ${units}: «${read}» is read`, async () => {
      const page = await open('?' + kLabCoil);
      const rows = Array.from({ length: 2e6 }, (_, k) => `${(k / 1e4).toFixed(4)};1`);
      await upload(page, written('big.csv', rows.join('\n')), ['mm', 'mT']);
      await page.waitForFunction(() => /^Чтение измерений «big.csv»/.test(measurementLine.textContent));
      await (await page.$('#measurementsFile')).uploadFile(labFile());
      await page.waitForFunction(() => measurementUnitsDialog.open);
      await page.select('#lengthUnitBox', 'mm');
      await page.select('#fluxUnitBox', 'G');
      await page.click(`#measurementUnitsDialog button[value=${units === 'given' ? 'ok' : 'cancel'}]`);
      await page.waitForFunction(() => /нажмите «расчет»/.test(measurementLine.textContent));
      const title = await page.$eval('#measurementLine', (e) => e.title);
      check(title.includes(`«${read}»`) && !(await page.$eval('#problem', (e) => e.textContent)), `${title} read`);
    }])),
  "a bar's box takes a value typed with any decimals; the bar goes near it, a wrong one is refused": async () => {
    const page = await open('?graph=lines');
    const type = async (text) => {
      await page.$eval('#Label4', (box, t) => { box.value = t; }, text);
      await page.focus('#Label4');
      await page.keyboard.press('Enter');
    };
    await type('10,5');
    await page.waitForFunction(() => problem.textContent);
    const refused = await page.evaluate(() => [problem.textContent, document.activeElement.id, Label4.ariaInvalid]);
    check(/^Радиус R: .*от 0 до 10/.test(refused[0]) && refused[1] === 'Label4' && refused[2] === 'true', `${refused}`);
    await type('0,02524');
    await page.waitForFunction(() => new URLSearchParams(location.search).get('R') === '0.02524');
    const taken = await page.evaluate(() => [VScroll1.value, Label4.ariaInvalid, problem.textContent, Label4.value.replace(',', '.')]);
    check(JSON.stringify(taken) === JSON.stringify(['0', null, '', '0.02524']), `after a good value: ${taken}`);
  },
  'Esc abandons the run going: the picture and the caption stay, the next run is drawn': async () => {
    const page = await open('?graph=lines');
    const before = [await caption(page), await pixels(page)];
    await page.evaluate(() => { VScroll3.value = 99; VScroll3.dispatchEvent(new Event('input')); });
    await page.$eval('#Text1', (box) => { box.value = '200'; });
    await page.evaluate(async () => {
      exactLinesAction.checked = fieldMapAction.checked = arrowsAction.checked = true;
      CmdOK.click();
      await new Promise((done) => setTimeout(done, 50));  // the run is going
    });
    const ended = new Promise((done) => page.once('workerdestroyed', done));
    await page.keyboard.press('Escape');
    await Promise.race([ended, sleep(60000).then(() => check(false, 'the run was not abandoned'))]);  // nor can its picture come
    check(await page.$eval('#progress', (p) => p.hidden), 'the progress still shows');
    check((await caption(page)) === before[0] && same(await pixels(page), before[1]), 'the picture changed');
    await page.$eval('#Text1', (box) => { box.value = '3'; });
    await rerun(page);
    check((await addressValue(page, 'lines')) === '3', 'no run after Esc');
  },
  'keyboard alone: Tab order like the window, Enter runs': async () => {
    const page = await open();
    const order = [];
    for (let k = 0; k < 9; ++k) {
      await page.keyboard.press('Tab');
      order.push(await page.evaluate(() => document.activeElement.id));
    }
    check(order.join() === 'CmdOK,VScroll1,Label4,VScroll2,Label5,VScroll3,Label6,Picture1,List1', `order ${order}`);
    await page.keyboard.press('ArrowDown');  // the field lines
    await page.keyboard.press('Enter');
    await ran(page);
    check(/время расчета/.test(await caption(page)), 'no run');
    check(countColour(await pixels(page), kGraphColour) > 300, 'no field lines');
  },
  'a first visit loads cleanly and the page is installable': async () => {
    const server = await serveFolder(site);  // an origin the browser has not seen
    const page = await newPage();
    const problems = [];
    page.on('console', (m) => { if (m.type() === 'error') problems.push(m.text()); });
    page.on('pageerror', (e) => problems.push(e.message));
    page.on('response', (r) => { if (r.status() >= 400) problems.push(`${r.status()} ${r.url()}`); });
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
    // The kept build is an older one: a server answers the browser's check with
    // "not modified" while the file's time is no later than the kept copy's,
    // to the second.
    const anHourAgo = Date.now() / 1000 - 3600;
    utimesSync(join(copy, 'service-worker.js'), anHourAgo, anHourAgo);
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
    await second.waitForFunction(async () => (await navigator.serviceWorker.getRegistration()).waiting, { polling: 100 });
    check(!(await second.evaluate(() => window.newBuild)), 'the new script came with the old build');
    // Its last tab closed, the new build takes over: the browser tells when.
    const versions = new Map();  // status by id
    const watcher = await (await newPage()).createCDPSession();
    watcher.on('ServiceWorker.workerVersionUpdated', (event) => {
      for (const v of event.versions) if (v.scriptURL.startsWith(new URL(server.address).origin)) versions.set(v.versionId, v.status);
    });
    await watcher.send('ServiceWorker.enable');
    await until(() => [...versions.values()].includes('installed'), 'the browser names no waiting build');
    const waiting = [...versions].find(([, status]) => status === 'installed')[0];
    await second.close();
    await until(() => versions.get(waiting) === 'activated', 'the new build did not take over');
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
for (const [name, test] of Object.entries(tests).filter(([name]) => name.includes(only))) {
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
