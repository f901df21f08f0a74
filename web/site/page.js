// The page: the window's controls, its run and its menus, in a browser.
import { addressOf, readAddress, switches } from './address.js';
import { Calculation, patience } from './calculation.js';
import { connectMenus } from './menus.js';

const $ = (id) => document.getElementById(id);
const kAxisEntry = 'поле на оси Hz(z)';
const kStartWidth = 651;
const kStartHeight = 320;

const calculation = new Calculation();
const bars = [
  { bar: $('VScroll1'), label: $('Label4'), field: 'radius' },
  { bar: $('VScroll2'), label: $('Label5'), field: 'length' },
  { bar: $('VScroll3'), label: $('Label6'), field: 'halfRange' },
];
const picture = $('Picture1');
const list = $('List1');
const lineText = $('Text1');
const live = $('liveAction');
const valueFormat = new Intl.NumberFormat(navigator.language, {
  minimumFractionDigits: 2, maximumFractionDigits: 2, useGrouping: false,
});
const decimalSeparator = valueFormat.format(0.5).replace(/\d/g, '');

let shown = null;  // the settings of the picture on show
let coil = null;   // {turns, amperes} of the dialog «Ток и витки»; null: the unit n·I/2

// A bar's value: its position times 0.1 m, as the window's scroll bars give
// it, or the number a link gave; shown as "0.00" with the reader's decimal
// separator, as the window's value labels.
function setValue(b, metres = b.bar.valueAsNumber * 0.1) {
  b.metres = metres;
  b.bar.value = Math.round(metres * 10);
  b.label.value = valueFormat.format(metres);
  b.bar.setAttribute('aria-valuetext', b.label.value + ' м');
}

function isLines() { return list.value !== kAxisEntry; }

// The additions of the field lines keep their state with the axis graph but
// cannot be changed there.
function showGraphChoice() {
  $('lineCountGroup').hidden = !isLines();
  for (const s of switches) $(s.control).disabled = s.lines && !isLines();
}

// The picture at the window's start size when there is room, else as wide as
// the page allows, in the same proportions.
function pictureSize() {
  const room = Math.floor($('pictureArea').clientWidth) - 4;  // the sunken frame
  const width = Math.max(1, Math.min(kStartWidth, room));
  return { width, height: Math.max(1, Math.round((width * kStartHeight) / kStartWidth)) };
}

function settings() {
  const s = {
    graphEntry: list.value, graph: isLines() ? 'lines' : 'axis', lineText: lineText.value,
    turns: coil?.turns ?? 0, amperes: coil?.amperes ?? 0, ...pictureSize(),
  };
  for (const b of bars) s[b.field] = b.metres;
  for (const { control, field } of switches) s[field] = $(control).checked;
  return s;
}

function show(s, result) {
  picture.width = result.width;
  picture.height = result.height;
  const image = new ImageData(result.width, result.height);
  const rgba = new DataView(image.data.buffer);
  result.pixels.forEach((argb, i) => rgba.setUint32(4 * i, ((argb << 8) | 0xff) >>> 0));
  picture.getContext('2d').putImageData(image, 0, 0);
  $('caption').textContent = document.title = result.caption;
  picture.setAttribute('aria-label', describe(s));
  shown = s;
  for (const b of ['savePng', 'saveCsv', 'saveSvg']) $(b).disabled = false;
  history.replaceState(null, '', addressOf(s));
}

// What the picture shows, in words, for a screen reader.
function describe(s) {
  const m = (v) => valueFormat.format(v);
  let text = `${s.graphEntry}: R = ${m(s.radius)} м, L = ${m(s.length)} м, полуразмер области ${m(s.halfRange)} м`;
  if (s.graph === 'lines') text += `, число линий ${s.lineText}`;
  for (const { field, words, lines } of switches) if (s[field] && (!lines || s.graph === 'lines')) text += `, ${words}`;
  if (s.turns) text += `, N = ${s.turns} витков, I = ${String(s.amperes).replace('.', decimalSeparator)} А`;
  return text;
}

// Runs are answered in the order asked: each answer is newer than the
// picture on show, and the last is that of the newest values.
let runs = 0;
async function run() {
  const s = settings();
  const mine = ++runs;
  const progress = $('progress');
  const started = performance.now();
  const tick = setInterval(() => {
    if (mine !== runs) return clearInterval(tick);
    progress.hidden = false;
    progress.lastElementChild.textContent = `расчет… ${Math.floor((performance.now() - started) / 1000)} с`;
  }, patience);
  const result = await calculation.run(s);
  if (mine === runs) {
    clearInterval(tick);
    progress.hidden = true;
  }
  if (!result) return;  // a newer run took its place
  $('problem').textContent = result.done ? '' : result.refusal;
  if (result.done) show({ ...s, lineCount: result.lineCount }, result);
}

function runIfLive() { if (live.checked) run(); }

async function download(kind, type, name) {
  const contents = kind === 'png' ? null : await calculation.ask(kind, shown);
  if (kind !== 'png' && typeof contents !== 'string') return;  // the worker failed and was replaced
  const blob = kind === 'png' ? await new Promise((done) => picture.toBlob(done, 'image/png'))
    : new Blob([contents], { type });
  const link = Object.assign(document.createElement('a'), { href: URL.createObjectURL(blob), download: name });
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

// The values under the pointer, or under a tap.
let readoutAsked = 0;
async function showReadout(event) {
  const box = $('readout');
  if (!shown) return;
  const bounds = picture.getBoundingClientRect();
  const scale = picture.width / picture.clientWidth;
  const x = (event.clientX - bounds.left - picture.clientLeft) * scale;
  const y = (event.clientY - bounds.top - picture.clientTop) * scale;
  const mine = ++readoutAsked;
  const text = await calculation.ask('readout', shown, [x, y, decimalSeparator]);
  if (mine !== readoutAsked || typeof text !== 'string') return;
  box.hidden = !text;
  box.textContent = text || '';
  box.style.left = `${event.offsetX + 12}px`;
  box.style.top = `${event.offsetY + 16}px`;
}

async function showInfo(title, key) {
  const texts = await calculation.ask('texts');
  if (!texts?.about) return;
  $('infoTitle').textContent = title;
  $('infoText').textContent = texts[key].replace(/\r\n?/g, '\n');
  showFromMenu($('infoBox'), $('mnuHelpAbout'));
}

// The turns and the current as the window's dialog reads them: both boxes
// empty give the unit n·I/2; else both must be usable.
async function readCoil(turnsText, currentText) {
  if (!turnsText.trim() && !currentText.trim()) return { coil: null };
  const read = await calculation.ask('coil', undefined, [turnsText.trim(), currentText.trim()]);
  if (!read) return { wrong: [] };  // the worker failed and was replaced
  if (read.turns) return { coil: { turns: read.turns, amperes: read.amperes } };
  const wrong = ['turns', 'current'].filter((name) => read[`${name}Refusal`]);
  return { wrong, refusal: read[`${wrong[0]}Refusal`] };
}

// «Ток и витки…»: OK takes the values only when they are usable, and
// otherwise says why and stays open; the values show at the next run.
function askCoilCurrent() {
  const dialog = $('coilCurrentDialog');
  $('turnsEdit').value = coil ? coil.turns : '';
  $('currentEdit').value = coil ? coil.amperes : '';
  $('coilProblem').textContent = '';
  showFromMenu(dialog, $('coilCurrentAction'));
}

// A dialog of a menu's command; closed, it gives the focus back to that
// menu's title, the command itself being hidden with its menu.
function showFromMenu(dialog, command) {
  dialog.showModal();
  dialog.addEventListener('close', () => setTimeout(() => {  // once the browser has moved the focus
    if (document.activeElement === document.body) command.closest('details').querySelector('summary').focus();
  }), { once: true });
}

async function acceptCoilCurrent(event) {
  if (event.submitter?.value !== 'ok') return;  // Отмена, or Esc: nothing changes
  event.preventDefault();
  const read = await readCoil($('turnsEdit').value, $('currentEdit').value);
  if (read.wrong) {
    $('coilProblem').textContent = read.refusal ?? '';
    const box = $(read.wrong[0] === 'current' ? 'currentEdit' : 'turnsEdit');
    box.focus();
    box.select();
    return;
  }
  coil = read.coil;
  $('coilCurrentDialog').close();
  runIfLive();
}

async function applyAddress() {
  const { values, wrong, named } = readAddress(location.search);
  for (const b of bars) setValue(b, values[b.field] ?? b.bar.valueAsNumber * 0.1);
  if (values.graph) list.selectedIndex = values.graph === 'lines' ? 1 : 0;
  if (values.lineText !== undefined) lineText.value = values.lineText;
  for (const { control, field } of switches) if (values[field] !== undefined) $(control).checked = values[field];
  if (values.turnsText !== undefined || values.currentText !== undefined) {
    const read = await readCoil(values.turnsText ?? '', values.currentText ?? '');
    if (read.wrong) wrong.push(...read.wrong);
    else coil = read.coil;
  }
  if (wrong.length) {
    $('notice').hidden = false;
    $('notice').textContent = `В адресе неверные значения (${wrong.join(', ')}): взяты начальные.`;
  }
  return named;
}

function connectControls() {
  // With «Сразу пересчитывать» a bar's picture follows it as it moves.
  for (const b of bars) b.bar.addEventListener('input', () => { setValue(b); runIfLive(); });
  list.addEventListener('change', () => { showGraphChoice(); runIfLive(); });
  lineText.addEventListener('change', runIfLive);
  for (const { control } of switches) $(control).addEventListener('change', runIfLive);
  $('Form1').addEventListener('submit', (event) => { event.preventDefault(); run(); });
  $('Form1').addEventListener('keydown', (event) => {
    // Enter runs from every control, as with the window's default button; a
    // button does what it says itself.
    if (event.key === 'Enter' && event.target.tagName !== 'BUTTON') {
      event.preventDefault();
      run();
    }
  });
  $('savePng').addEventListener('click', () => download('png', 'image/png', 'zoreks.png'));
  $('saveCsv').addEventListener('click', () => download('table', 'text/csv', 'zoreks.csv'));
  $('saveSvg').addEventListener('click', () => download('svg', 'image/svg+xml', 'zoreks.svg'));
  $('mnuHelpAvtors').addEventListener('click', () => showInfo('ОБ АВТОРАХ', 'authors'));
  $('mnuHelpAbout').addEventListener('click', () => showInfo('О ПРОГРАММЕ', 'about'));
  $('coilCurrentAction').addEventListener('click', askCoilCurrent);
  $('coilCurrentForm').addEventListener('submit', acceptCoilCurrent);
  picture.addEventListener('pointermove', showReadout);
  picture.addEventListener('pointerdown', showReadout);
  picture.addEventListener('pointerleave', () => { readoutAsked++; $('readout').hidden = true; });
  connectMenus([...document.querySelectorAll('#menu details')]);
}

// The site's files kept for use without a network, where the browser allows
// it (not from a file on disk, nor in some private windows).
function keepOffline() {
  if (!('serviceWorker' in navigator)) return;
  navigator.serviceWorker.register('service-worker.js').catch(() => {});
}

connectControls();
const runOnLoad = await applyAddress();
showGraphChoice();
if (runOnLoad) run();
keepOffline();
