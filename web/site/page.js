// The page: the window's controls, its run and its menus, in a browser.
import { addressOf, inForce, readAddress, switches } from './address.js';
import { Calculation, fileReader, patience } from './calculation.js';
import { connectDialog, enterPressesOk, showFromMenu } from './dialogs.js';
import { connectMenus } from './menus.js';

const $ = (id) => document.getElementById(id);
const kAxisEntry = 'поле на оси Hz(z)';
const kStartWidth = 651;
const kStartHeight = 320;
const kHeadBytes = 2048;  // of a measurement file, shown with its units
const kHeadLines = 6;

const calculation = new Calculation();
const bars = [
  { bar: $('VScroll1'), box: $('Label4'), edit: $('radiusEdit'), field: 'radius', name: 'Радиус R' },
  { bar: $('VScroll2'), box: $('Label5'), edit: $('lengthEdit'), field: 'length', name: 'Длина L' },
  { bar: $('VScroll3'), box: $('Label6'), edit: $('halfRangeEdit'), field: 'halfRange', name: 'Полуразмер области a' },
];
const picture = $('Picture1');
const list = $('List1');
const lineText = $('Text1');
const live = $('liveAction');
const numberFormat = (digits) => new Intl.NumberFormat(navigator.language, {
  minimumFractionDigits: digits, maximumFractionDigits: digits, useGrouping: false,
});
const [twoDecimals, threeDecimals] = [numberFormat(2), numberFormat(3)];
const decimalSeparator = twoDecimals.format(0.5).replace(/\d/g, '');
const localNumber = (v) => String(v).replace('.', decimalSeparator);

let shown = null;  // the settings of the picture on show, with its comparison's line
let coil = null;   // {turns, amperes} of the dialog «Ток и витки»; null: the unit n·I/2
let pair = { on: false, distance: null, opposed: false };  // the dialog «Пара катушек»; D null: never set
let uniform = { on: false, percent: 1 };  // the dialog «Однородная область»
let measured = null;  // {id, points, units, count, name, unitNames} as read; null: none
let reading = null;   // {name, reader} of the file being read
let chosen = 0;       // how many files have been chosen: an older one's units are no longer asked
let measuredSets = 0;  // how many have been read: the id of the newest

// A parameter's value as the window's value labels show it: two decimals, or
// three for a value typed to the millimetre that needs them (0,021 but 0,20),
// or as many as a value typed finer needs to show exactly (0,02524), with the
// reader's decimal separator.
function valueText(metres) {
  const millimetres = Math.round(metres * 1000);
  const barTenth = Math.round(metres * 10) * 0.1 === metres;  // a scroll position times 0.1 m
  if (barTenth || millimetres / 1000 === metres) return (millimetres % 10 === 0 ? twoDecimals : threeDecimals).format(metres);
  return metresText(metres);
}

// A length in metres that may have been typed: three decimals, or as many as
// it needs to show exactly (0,350 but 0,2005).
function metresText(metres) {
  let digits = 3;
  while (digits < 100 && Number(metres.toFixed(digits)) !== metres) ++digits;
  return numberFormat(digits).format(metres);
}

// A bar's value: its position times 0.1 m, as the window's scroll bars give
// it, or a value typed or given by a link, to which the bar moves as near as
// it can without changing it.
function setValue(b, metres = b.bar.valueAsNumber * 0.1) {
  b.metres = metres;
  b.bar.value = Math.round(metres * 10);
  b.box.value = b.shown = valueText(metres);
  b.box.removeAttribute('aria-invalid');
  b.bar.setAttribute('aria-valuetext', b.shown + ' м');
}

// A number typed into a box, read by the core as the window's dialog reads
// it: {value}, or {refusal}; a worker that failed gives an empty refusal.
async function readNumber(kind, text) {
  return (await calculation.ask('number', undefined, [kind, text])) ?? { refusal: '' };
}

// The value typed into a bar's box, or why it is refused, named as the dialog
// «Размеры катушки» names it; a text left as shown keeps the value to the bit.
async function typedMetres(b, text, shownText) {
  if (text === shownText) return { value: b.metres };
  const read = await readNumber('metres', text);
  if (read.refusal === undefined) return read;
  return { refusal: read.refusal && `${b.name}: ${read.refusal[0].toLowerCase()}${read.refusal.slice(1)}` };
}

// A bar's box once typed into: a usable value is taken, else the reason shows
// in the problem line and the value stays (with the focus when asked for).
async function takeTyped(b, focus) {
  if (b.box.value === b.shown) return true;
  const read = await typedMetres(b, b.box.value, b.shown);
  if (read.refusal === undefined) {
    if (b.box.getAttribute('aria-invalid')) $('problem').textContent = '';
    setValue(b, read.value);
    return true;
  }
  $('problem').textContent = read.refusal;
  b.box.setAttribute('aria-invalid', 'true');
  if (focus) {
    b.box.focus();
    b.box.select();
  }
  return false;
}

function isLines() { return list.value !== kAxisEntry; }

// The additions that do not act on the graph chosen keep their state but
// cannot be changed: those of the field lines, the program's exact lines and
// lines of equal flux while a pair is on (its lines are its own), the fit
// without measured values.
function showAdditionsChoice() {
  $('lineCountGroup').hidden = !isLines();
  const now = { graph: isLines() ? 'lines' : 'axis', pair: pair.on, measured };
  for (const s of switches) $(s.control).disabled = !inForce(s, now);
  $('fitBox').disabled = !measured;
  showMeasurementLine();
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
    turns: coil?.turns ?? 0, amperes: coil?.amperes ?? 0, ...pictureSize(), decimalSeparator,
    pair: pair.on, pairDistance: pair.distance ?? 0, opposed: pair.opposed,
    uniformPercent: uniform.on ? uniform.percent : 0,
    measured: !isLines() && coil ? measured : null,  // compared with the axis graph in SI units
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
  shown = { ...s, comparison: result.comparison };
  picture.setAttribute('aria-label', describe(shown, result.notes));
  for (const b of ['savePng', 'saveCsv', 'saveSvg']) $(b).disabled = false;
  history.replaceState(null, '', addressOf(s));
  showMeasurementLine();
}

// What the picture shows, in words, for a screen reader.
function describe(s, notes) {
  let text = `${s.graphEntry}: R = ${valueText(s.radius)} м, L = ${valueText(s.length)} м, ` +
    `полуразмер области ${valueText(s.halfRange)} м`;
  if (s.graph === 'lines') text += `, число линий ${s.lineText}`;
  for (const sw of switches) if (s[sw.field] && sw.words && inForce(sw, s)) text += `, ${sw.words}`;
  if (s.comparison) text += `, измерения: ${s.comparison}`;
  if (s.turns) text += `, N = ${s.turns} витков, I = ${localNumber(s.amperes)} А`;
  if (s.pair) text += `, пара катушек: D = ${metresText(s.pairDistance)} м${s.opposed ? ', встречное включение' : ''}`;
  if (s.uniformPercent) text += `, однородная область ${localNumber(s.uniformPercent)} %`;
  return notes ? `${text}. ${notes}` : text;
}

// Runs are answered in the order asked: each answer is newer than the
// picture on show, and the last is that of the newest values. A value typed
// into a bar's box is taken first; a refused one stops the run, and takes the
// focus unless the run is a live one, which leaves the focus where the user is.
let runs = 0;
async function run(followed = false) {
  for (const b of bars) if (!(await takeTyped(b, !followed))) return;
  const s = settings();
  const mine = ++runs;
  const progress = $('progress');
  const started = performance.now();
  const tick = setInterval(() => {
    if (mine !== runs) return clearInterval(tick);
    progress.hidden = false;
    progress.lastElementChild.textContent = `расчет… ${Math.floor((performance.now() - started) / 1000)} с  (Esc — отменить)`;
  }, patience);
  const result = await calculation.run(s);
  if (mine === runs) {
    clearInterval(tick);
    progress.hidden = true;
  }
  if (!result) return;  // a newer run took its place, or Esc abandoned it
  $('problem').textContent = result.done ? '' : result.refusal;
  if (result.done) show({ ...s, lineCount: result.lineCount }, result);
}

function runIfLive() { if (live.checked) run(true); }  // followed: the focus stays

async function download(kind, type, name) {
  const contents = kind === 'png' ? null : await calculation.ask(kind, shown);
  if (kind !== 'png' && typeof contents !== 'string') return;  // the worker failed and was replaced
  const blob = kind === 'png' ? await new Promise((done) => picture.toBlob(done, 'image/png'))
    : new Blob([contents], { type });
  const link = Object.assign(document.createElement('a'), { href: URL.createObjectURL(blob), download: name });
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

// The values under the pointer, or under a tap: one question at a time, the
// newest position asked next.
let readoutAsked = 0;
let pointer = null;  // the position waiting for its question
async function showReadout(event) {
  if (!shown) return;
  const bounds = picture.getBoundingClientRect();
  const scale = picture.width / picture.clientWidth;
  const waiting = pointer;
  pointer = {
    x: (event.clientX - bounds.left - picture.clientLeft) * scale, y: (event.clientY - bounds.top - picture.clientTop) * scale,
    left: event.offsetX + 12, top: event.offsetY + 16, mine: ++readoutAsked,
  };
  if (waiting) return;  // asked when the question going is answered
  while (pointer) {
    const at = pointer;
    const text = await calculation.ask('readout', shown, [at.x, at.y, decimalSeparator]);
    if (pointer === at) pointer = null;
    if (at.mine !== readoutAsked || typeof text !== 'string') continue;
    const box = $('readout');
    box.hidden = !text;
    box.textContent = text || '';
    box.style.left = `${at.left}px`;
    box.style.top = `${at.top}px`;
  }
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

// The dialogs of «Вид»: each opens with the values in force and takes them
// when all are usable (dialogs.js); the next run shows them.
function connectDialogs() {
  const connect = (command, dialog, fill, take) => connectDialog($(command), $(dialog), fill, take, () => {
    showAdditionsChoice();
    runIfLive();
  });
  connect('coilSizeAction', 'coilSizeDialog', () => {
    for (const b of bars) b.edit.value = b.shown;
  }, async () => {
    const typed = [];
    for (const b of bars) {
      const read = await typedMetres(b, b.edit.value, b.shown);
      if (read.refusal !== undefined) return { box: b.edit, refusal: read.refusal };
      typed.push(read.value);
    }
    bars.forEach((b, i) => setValue(b, typed[i]));
    return null;
  });
  connect('coilCurrentAction', 'coilCurrentDialog', () => {
    $('turnsEdit').value = coil ? coil.turns : '';
    $('currentEdit').value = coil ? localNumber(coil.amperes) : '';
  }, async () => {
    const read = await readCoil($('turnsEdit').value, $('currentEdit').value);
    if (read.wrong) return { box: $(read.wrong[0] === 'current' ? 'currentEdit' : 'turnsEdit'), refusal: read.refusal };
    coil = read.coil;
    return null;
  });
  connect('coilPairAction', 'coilPairDialog', () => {
    $('pairCheck').checked = pair.on;
    $('distanceEdit').value = localNumber(pair.distance ?? bars[0].metres);
    $('opposedCheck').checked = pair.opposed;
  }, async () => {
    const read = await readNumber('pair', $('distanceEdit').value);
    if ($('pairCheck').checked && read.refusal !== undefined) return { box: $('distanceEdit'), refusal: read.refusal };
    pair = { on: $('pairCheck').checked, distance: read.value ?? pair.distance, opposed: $('opposedCheck').checked };
    return null;
  });
  $('helmholtzButton').addEventListener('click', () => {
    $('distanceEdit').value = localNumber(bars[0].metres);
    $('pairCheck').checked = true;
  });
  connect('uniformRegionAction', 'uniformRegionDialog', () => {
    $('regionCheck').checked = uniform.on;
    $('percentEdit').value = localNumber(uniform.percent);
  }, async () => {
    const read = await readNumber('uniform', $('percentEdit').value);
    if ($('regionCheck').checked && read.refusal !== undefined) return { box: $('percentEdit'), refusal: read.refusal };
    uniform = { on: $('regionCheck').checked, percent: read.value ?? uniform.percent };
    return null;
  });
}

// A measurement file: its units asked with its first lines shown, then read
// in a worker of its own, as the window reads it on a thread of its own. A
// file that cannot be read changes nothing: the values read before stay. A
// file whose units are not given (Отмена, or a newer file chosen meanwhile)
// changes nothing either: a file being read goes on; one given its units
// takes the place of a file being read.
async function openMeasurements(file) {
  const mine = ++chosen;
  const reader = fileReader();
  const head = await reader.ask('head', undefined, [file, kHeadBytes]);
  if (typeof head !== 'string' || mine !== chosen) return reader.end(null);
  $('measurementFileName').textContent = file.name;
  $('fileHead').textContent = head.split(/\r\n|\r|\n/).slice(0, kHeadLines).join('\n').replace(/\t/g, '    ');
  const dialog = $('measurementUnitsDialog');
  if (!dialog.open) {  // else it asks for this file's units now
    dialog.returnValue = '';
    dialog.showModal();
  }
  await new Promise((done) => dialog.addEventListener('close', done, { once: true }));
  if (dialog.returnValue !== 'ok' || mine !== chosen) return reader.end(null);
  const [z, b] = [$('lengthUnitBox'), $('fluxUnitBox')];
  const units = `${z.value}:${b.value}`;
  const unitNames = `z в ${z.selectedOptions[0].text}, B в ${b.selectedOptions[0].text}`;
  reading?.reader.end(null);
  reading = { name: file.name, reader };
  showMeasurementLine();
  const read = await reader.ask('measurements', undefined, [file, units]);
  reader.end(null);
  if (reading?.reader !== reader) return;  // another file took its place
  reading = null;
  if (!read?.points) {
    showMeasurementLine();
    $('problem').textContent = `Измерения не открыты. ${read?.refusal ?? ''}`;
    return;
  }
  measured = { id: ++measuredSets, points: read.points, units, count: read.count, name: file.name, unitNames };
  $('closeMeasurementsAction').disabled = false;
  showAdditionsChoice();
  runIfLive();
}

function closeMeasurements() {
  measured = null;
  $('closeMeasurementsAction').disabled = true;
  showAdditionsChoice();
  runIfLive();
}

// The line under the picture while measured values are open or read: the
// comparison of the picture on show, or what it waits for.
function showMeasurementLine() {
  $('measurementBar').hidden = !measured && !reading;
  $('measurementLine').textContent = reading ? `Чтение измерений «${reading.name}»…` : measured ? measurementText() : '';
  $('measurementLine').title = measured ? `Файл «${measured.name}», ${measured.unitNames}` : '';
}

function measurementText() {
  const count = `Измерения: ${measured.count}`;
  if (!coil) return `${count} — задайте ток и витки (Вид → Ток и витки…)`;
  if (isLines()) return `${count} — сравнение на графике «${kAxisEntry}»`;
  if (shown?.measured !== measured || !shown.comparison) return `${count} — нажмите «расчет»`;
  return `Измерения: ${shown.comparison}${shown.fit !== $('fitAction').checked ? ' — нажмите «расчет»' : ''}`;
}

async function applyAddress() {
  const { values, wrong, named, typed } = readAddress(location.search);
  for (const { name, field, kind, text } of typed) {
    const read = await readNumber(kind, text);
    if (read.refusal !== undefined) wrong.push(name);
    else values[field] = kind === 'lines' ? text : read.value;  // the box keeps the text it reads
  }
  for (const b of bars) setValue(b, values[b.field] ?? b.bar.valueAsNumber * 0.1);
  if (values.graph) list.selectedIndex = values.graph === 'lines' ? 1 : 0;
  if (values.lineText !== undefined) lineText.value = values.lineText;
  for (const { control, field } of switches) if (values[field] !== undefined) $(control).checked = values[field];
  $('fitBox').checked = $('fitAction').checked;
  if (values.turnsText !== undefined || values.currentText !== undefined) {
    const read = await readCoil(values.turnsText ?? '', values.currentText ?? '');
    if (read.wrong) wrong.push(...read.wrong);
    else coil = read.coil;
  }
  pair.opposed = values.opposed ?? false;
  if (values.pairDistance !== undefined) pair = { ...pair, on: true, distance: values.pairDistance };
  if (values.uniformPercent !== undefined) uniform = { on: true, percent: values.uniformPercent };
  if (wrong.length) {
    $('notice').hidden = false;
    $('notice').textContent = `В адресе неверные значения (${wrong.join(', ')}): взяты начальные.`;
  }
  return named;
}

function connectControls() {
  // With «Сразу пересчитывать» a bar's picture follows it as it moves.
  for (const b of bars) {
    b.bar.addEventListener('input', () => { setValue(b); runIfLive(); });
    b.box.addEventListener('change', async () => { if (await takeTyped(b, false)) runIfLive(); });
  }
  list.addEventListener('change', () => { showAdditionsChoice(); runIfLive(); });
  lineText.addEventListener('change', runIfLive);
  for (const { control } of switches) $(control).addEventListener('change', runIfLive);
  // «Подогнать» is in the menu and beside the measurements' line.
  for (const [from, to] of [['fitAction', 'fitBox'], ['fitBox', 'fitAction']]) {
    $(from).addEventListener('change', () => {
      $(to).checked = $(from).checked;
      showMeasurementLine();
    });
  }
  $('fitBox').addEventListener('change', runIfLive);
  $('Form1').addEventListener('submit', (event) => { event.preventDefault(); run(); });
  $('Form1').addEventListener('keydown', (event) => {
    // Enter runs from every control, as with the window's default button; a
    // button does what it says itself, and a file control chooses a file.
    if (event.key === 'Enter' && event.target.tagName !== 'BUTTON' && event.target.type !== 'file') {
      event.preventDefault();
      run();
    }
  });
  // Esc abandons the run going, as the window's Esc its live run: the picture stays.
  document.addEventListener('keydown', (event) => {
    if (event.key !== 'Escape' || event.defaultPrevented || document.querySelector('dialog[open], details[open]')) return;
    if (calculation.cancel()) event.preventDefault();
  });
  $('savePng').addEventListener('click', () => download('png', 'image/png', 'zoreks.png'));
  $('saveCsv').addEventListener('click', () => download('table', 'text/csv', 'zoreks.csv'));
  $('saveSvg').addEventListener('click', () => download('svg', 'image/svg+xml', 'zoreks.svg'));
  $('mnuHelpAvtors').addEventListener('click', () => showInfo('ОБ АВТОРАХ', 'authors'));
  $('mnuHelpAbout').addEventListener('click', () => showInfo('О ПРОГРАММЕ', 'about'));
  const file = $('measurementsFile');
  file.addEventListener('change', () => {
    if (file.files[0]) openMeasurements(file.files[0]);
    file.value = '';  // the same file may be chosen again, changed
  });
  $('openMeasurementsAction').addEventListener('click', () => file.click());
  $('closeMeasurementsAction').addEventListener('click', closeMeasurements);
  connectDialogs();
  enterPressesOk([...document.querySelectorAll('dialog')]);
  picture.addEventListener('pointermove', showReadout);
  picture.addEventListener('pointerdown', showReadout);
  picture.addEventListener('pointerleave', () => {
    readoutAsked++;
    $('readout').hidden = true;
  });
  connectMenus([...document.querySelectorAll('#menu details')], $('Form1'));
}

// The site's files kept for use without a network, where the browser allows
// it (not from a file on disk, nor in some private windows).
function keepOffline() {
  if (!('serviceWorker' in navigator)) return;
  navigator.serviceWorker.register('service-worker.js').catch(() => {});
}

connectControls();
const runOnLoad = await applyAddress();
showAdditionsChoice();
if (runOnLoad) run();
keepOffline();
