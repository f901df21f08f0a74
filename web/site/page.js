// The page: the window's controls, its run and its menus, in a browser. It
// holds one lesson (lesson/lesson.h, through the core's binding), which its
// controls change, its runs show, its address and its lesson file carry.
import { addressOf, readAddress } from './address.js';
import { Calculation, fileReader, patience } from './calculation.js';
import { connectDialog, enterPressesOk, showFromMenu } from './dialogs.js';
import { connectMenus } from './menus.js';

const $ = (id) => document.getElementById(id);
const kStartWidth = 651;
const kStartHeight = 320;
const kLessonHeadBytes = 4096;  // enough to tell a lesson file from a table

// The core on the page's own thread, for its lesson, its switches and its
// texts; the runs and the files are the workers'.
const core = await ZoreksCore();
const switches = core.switches();  // {key, addressName, menuText, objectName, words, scope}
const none = new core.Measured();
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
const decimalSeparator = numberFormat(1).format(0.5).replace(/\d/g, '');
const localNumber = (v) => String(v).replace('.', decimalSeparator);

// The page's lesson: the core's plain object, with its measured values as
// measured: {id, points, units, name, count, set} (set: the core's handle);
// null: none.
let lesson = { ...core.startLesson(), measured: null };
const setOf = (l) => l.measured?.set ?? none;
let shown = null;     // {lesson, view} of the picture on show
let reading = null;   // {name, reader} of the file being read
let chosen = 0;       // how many files have been chosen: an older one's units are no longer asked
let measuredSets = 0;  // how many have been read: the id of the newest

// A bar's value: its position times 0.1 m, as the window's scroll bars give
// it, or a value typed or given by a link, to which the bar moves as near as
// it can without changing it.
function setValue(b, metres = b.bar.valueAsNumber * 0.1) {
  b.metres = metres;
  b.bar.value = Math.round(metres * 10);
  b.box.value = b.shown = core.valueLabel(metres, decimalSeparator);
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

function isLines() { return list.selectedIndex === 1; }

// The lesson with the values of the bars, the graph and the line-count box.
function taken() {
  for (const b of bars) lesson[b.field] = b.metres;
  lesson.graph = isLines() ? 'lines' : 'axis';
  lesson.lineText = lineText.value;
  return lesson;
}

// The controls showing the lesson.
function showLesson() {
  for (const b of bars) setValue(b, lesson[b.field]);
  list.selectedIndex = lesson.graph === 'lines' ? 1 : 0;
  lineText.value = lesson.lineText;
  showSwitches();
  $('closeMeasurementsAction').disabled = !lesson.measured;
}

function showSwitches() {
  for (const s of switches) $(s.objectName).checked = lesson[s.key];
  $('fitBox').checked = lesson.fit;
}

// A switch turned, as the core turns it: the exact lines and the lines of
// equal flux are one choice, so that turning one on turns the other off.
function turnSwitch(key, on) {
  lesson = { ...core.turned(taken(), key, on), measured: lesson.measured };
  showSwitches();
  showMeasurementLine();
}

// The switches that do not act on the lesson's run keep their state but
// cannot be changed: those of the field lines, the program's exact lines and
// lines of equal flux while a pair is on (its lines are its own), the fit
// without measured values.
function showAdditionsChoice() {
  $('lineCountGroup').hidden = !isLines();
  const inForce = core.inForce(taken(), setOf(lesson));
  for (const s of switches) $(s.objectName).disabled = !inForce[s.key];
  $('fitBox').disabled = !inForce.fit;
  showMeasurementLine();
}

// The picture at the window's start size when there is room, else as wide as
// the page allows, in the same proportions.
function pictureSize() {
  const room = Math.floor($('pictureArea').clientWidth) - 4;  // the sunken frame
  const width = Math.max(1, Math.min(kStartWidth, room));
  return { width, height: Math.max(1, Math.round((width * kStartHeight) / kStartWidth)) };
}

// The lesson as a run shows it now, and the view of its picture.
const job = () => ({ lesson: { ...taken() }, view: { ...pictureSize(), decimalSeparator } });

async function show(s, result) {
  picture.width = result.width;
  picture.height = result.height;
  const image = new ImageData(result.width, result.height);
  const rgba = new DataView(image.data.buffer);
  result.pixels.forEach((argb, i) => rgba.setUint32(4 * i, ((argb << 8) | 0xff) >>> 0));
  picture.getContext('2d').putImageData(image, 0, 0);
  shown = s;
  picture.setAttribute('aria-label', result.description);
  for (const b of ['savePng', 'saveCsv', 'saveSvg']) $(b).disabled = false;
  const address = addressOf(core, s.lesson, setOf(s.lesson));
  history.replaceState(null, '', address.query);
  showAddressNotice(address.notice);
  await showMeasurementLine();  // the comparison's line with its picture
  $('caption').textContent = document.title = result.caption;
}

// The notice that the address leaves the measured values out, while it does.
let addressNotice = '';
function showAddressNotice(text) {
  const notice = $('notice');
  if (text) [notice.hidden, notice.textContent] = [false, text];
  else if (addressNotice && notice.textContent === addressNotice) notice.hidden = true;
  addressNotice = text;
}

// Runs are answered in the order asked: each answer is newer than the
// picture on show, and the last is that of the newest values. A value typed
// into a bar's box is taken first; a refused one stops the run, and takes the
// focus unless the run is a live one, which leaves the focus where the user is.
let runs = 0;
async function run(followed = false) {
  for (const b of bars) if (!(await takeTyped(b, !followed))) return;
  const s = job();
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
  if (result.done) await show(s, result);
}

function runIfLive() { if (live.checked) run(true); }  // followed: the focus stays

async function download(kind, type, name) {
  const contents = kind === 'png' ? null : await calculation.ask(kind, shown);
  if (kind !== 'png' && typeof contents !== 'string') return;  // the worker failed and was replaced
  const blob = kind === 'png' ? await new Promise((done) => picture.toBlob(done, 'image/png'))
    : new Blob([contents], { type });
  saveFile(blob, name);
}

function saveFile(blob, name) {
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
    $('turnsEdit').value = lesson.turns ? lesson.turns : '';
    $('currentEdit').value = lesson.turns ? localNumber(lesson.amperes) : '';
  }, async () => {
    const read = await readCoil($('turnsEdit').value, $('currentEdit').value);
    if (read.wrong) return { box: $(read.wrong[0] === 'current' ? 'currentEdit' : 'turnsEdit'), refusal: read.refusal };
    [lesson.turns, lesson.amperes] = [read.coil?.turns ?? 0, read.coil?.amperes ?? 0];
    return null;
  });
  connect('coilPairAction', 'coilPairDialog', () => {
    $('pairCheck').checked = lesson.pairOn;
    $('distanceEdit').value = localNumber(lesson.pairDistance ?? bars[0].metres);
    $('opposedCheck').checked = lesson.opposed;
  }, async () => {
    const read = await readNumber('pair', $('distanceEdit').value);
    if ($('pairCheck').checked && read.refusal !== undefined) return { box: $('distanceEdit'), refusal: read.refusal };
    Object.assign(lesson, { pairOn: $('pairCheck').checked, pairDistance: read.value ?? lesson.pairDistance,
      opposed: $('opposedCheck').checked });
    return null;
  });
  $('helmholtzButton').addEventListener('click', () => {
    $('distanceEdit').value = localNumber(bars[0].metres);
    $('pairCheck').checked = true;
  });
  connect('uniformRegionAction', 'uniformRegionDialog', () => {
    $('regionCheck').checked = lesson.uniformOn;
    $('percentEdit').value = localNumber(lesson.uniformPercent);
  }, async () => {
    const read = await readNumber('uniform', $('percentEdit').value);
    if ($('regionCheck').checked && read.refusal !== undefined) return { box: $('percentEdit'), refusal: read.refusal };
    Object.assign(lesson, { uniformOn: $('regionCheck').checked, uniformPercent: read.value ?? lesson.uniformPercent });
    return null;
  });
}

// A file chosen or dropped on the page: a lesson file (as the core tells it
// by its first bytes) or a table of measured values.
async function openFile(file) {
  const head = new Uint8Array(await file.slice(0, kLessonHeadBytes).arrayBuffer());
  if (core.looksLikeLesson(head)) openLessonFile(file);
  else openMeasurements(file);
}

// The measured values as the page keeps them, with the core's handle (freed
// with its object: a picture on show may still name the values it compared).
function measuredOf(read) {
  return read && { id: ++measuredSets, ...read, set: core.measured(read.points, read.units, read.name) };
}

// A lesson file, read in a worker of its own: it replaces the page's lesson,
// its controls and its picture; one refused changes nothing.
async function openLessonFile(file) {
  const mine = ++chosen;
  const reader = fileReader();
  const read = await reader.ask('lesson', undefined, [file]);
  reader.end(null);
  if (mine !== chosen || !read) return;
  if (!read.lesson) {
    $('problem').textContent = read.refusal;
    return;
  }
  $('problem').textContent = '';
  takeLesson(read);
  [$('notice').hidden, $('notice').textContent] = [!read.notice, read.notice];
  run();
}

// A lesson read from a file or an address: {lesson, measured}.
function takeLesson(read) {
  reading?.reader.end(null);
  reading = null;
  lesson = { ...read.lesson, measured: measuredOf(read.measured) };
  showLesson();
  showAdditionsChoice();
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
  const head = await reader.ask('head', undefined, [file]);
  if (typeof head !== 'string' || mine !== chosen) return reader.end(null);
  $('measurementFileName').textContent = file.name;
  $('fileHead').textContent = head;
  const dialog = $('measurementUnitsDialog');
  if (!dialog.open) {  // else it asks for this file's units now
    dialog.returnValue = '';
    dialog.showModal();
  }
  await new Promise((done) => dialog.addEventListener('close', done, { once: true }));
  if (dialog.returnValue !== 'ok' || mine !== chosen) return reader.end(null);
  const units = `${$('lengthUnitBox').value}:${$('fluxUnitBox').value}`;
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
  lesson.measured = measuredOf(read);
  $('closeMeasurementsAction').disabled = false;
  showAdditionsChoice();
  runIfLive();
}

function closeMeasurements() {
  lesson.measured = null;
  $('closeMeasurementsAction').disabled = true;
  showAdditionsChoice();
  runIfLive();
}

// The line under the picture while measured values are open or read (the
// core's MeasurementLine): the comparison of the picture on show, which the
// worker that ran it keeps, or what it waits for. The newest answer stands.
let lineAsked = 0;
async function showMeasurementLine() {
  const mine = ++lineAsked;
  const l = taken();
  const set = setOf(l);
  const loading = reading?.name ?? '';
  let text = core.plainMeasurementLine(l, set, loading, decimalSeparator);
  if (shown && l.measured && !loading) {
    const same = shown.lesson.measured?.id === l.measured.id;
    const { measured, ...plain } = shown.lesson;
    const asked = await calculation.ask('measurementLine', { lesson: { ...l } },
      [plain, shown.view, same, loading, decimalSeparator]);
    if (mine !== lineAsked) return;
    if (typeof asked === 'string') text = asked;
  }
  $('measurementBar').hidden = !l.measured && !reading;
  $('measurementLine').textContent = text;
  $('measurementLine').title = core.measurementFileLine(l, set);
}

// The lesson of the page's address, its wrong values named in the notice;
// whether the address names any value (then the page runs at once).
function applyAddress() {
  const read = readAddress(core, location.search);
  takeLesson(read);
  if (read.notice) [$('notice').hidden, $('notice').textContent] = [false, read.notice];
  return read.named;
}

// The lesson file of the page's lesson, named after its measurements' file.
function saveLesson() {
  const text = core.lessonFileText(taken(), setOf(lesson));
  const stem = lesson.measured?.name.replace(/\.[^.]*$/, '') || 'опыт';
  saveFile(new Blob([text], { type: 'application/json' }), `${stem}.zoreks`);
}

// The page's full address, measured values and all, copied; where the
// browser refuses the clipboard, shown selected in a box to copy by hand.
async function copyLink() {
  const { href, notice } = addressOf(core, taken(), setOf(lesson));
  const tell = (text) => [$('notice').hidden, $('notice').textContent] = [false, notice ? `${text} ${notice}` : text];
  try {
    await navigator.clipboard.writeText(href);
    $('linkArea').hidden = true;
    tell('Ссылка на этот опыт скопирована.');
  } catch {
    $('linkArea').hidden = false;
    $('linkBox').value = href;
    $('linkBox').focus();
    $('linkBox').select();
    tell('Браузер не дал скопировать ссылку: она выделена в поле «Ссылка», скопируйте ее (Ctrl+C).');
  }
}

// The switches of the menu «Вид», made from the core's table: each a check
// box labelled with its menu text, the letter after '&' its access key; those
// of the measurements after the dialogs.
function makeSwitches() {
  const items = $('viewMenu').querySelector('.items');
  for (const s of switches) {
    const [before, after] = s.menuText.split('&');
    const box = Object.assign(document.createElement('input'), { type: 'checkbox', id: s.objectName });
    const label = document.createElement('label');
    label.append(box, ` ${before}`, Object.assign(document.createElement('u'), { textContent: after[0] }), after.slice(1));
    items.insertBefore(label, s.scope === 'measurements' ? $('liveAction').closest('label') : $('coilSizeAction'));
  }
}

function connectControls() {
  makeSwitches();
  // With «Сразу пересчитывать» a bar's picture follows it as it moves.
  for (const b of bars) {
    b.bar.addEventListener('input', () => { setValue(b); runIfLive(); });
    b.box.addEventListener('change', async () => { if (await takeTyped(b, false)) runIfLive(); });
  }
  list.addEventListener('change', () => { showAdditionsChoice(); runIfLive(); });
  lineText.addEventListener('change', runIfLive);
  for (const { key, objectName } of switches) {
    $(objectName).addEventListener('change', () => {
      turnSwitch(key, $(objectName).checked);
      runIfLive();
    });
  }
  // «Подогнать» is in the menu and beside the measurements' line.
  $('fitBox').addEventListener('change', () => {
    turnSwitch('fit', $('fitBox').checked);
    runIfLive();
  });
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
  $('saveLessonAction').addEventListener('click', saveLesson);
  $('copyLinkAction').addEventListener('click', copyLink);
  $('saveCsv').addEventListener('click', () => download('table', 'text/csv', 'zoreks.csv'));
  $('saveSvg').addEventListener('click', () => download('svg', 'image/svg+xml', 'zoreks.svg'));
  $('mnuHelpAvtors').addEventListener('click', () => showInfo('ОБ АВТОРАХ', 'authors'));
  $('mnuHelpAbout').addEventListener('click', () => showInfo('О ПРОГРАММЕ', 'about'));
  const file = $('measurementsFile');
  file.addEventListener('change', () => {
    if (file.files[0]) openFile(file.files[0]);
    file.value = '';  // the same file may be chosen again, changed
  });
  $('openMeasurementsAction').addEventListener('click', () => file.click());
  $('closeMeasurementsAction').addEventListener('click', closeMeasurements);
  connectDialogs();
  enterPressesOk([...document.querySelectorAll('dialog')]);
  // A file dropped anywhere on the page is opened as one chosen.
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    if (event.dataTransfer.files[0]) openFile(event.dataTransfer.files[0]);
  });
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
const runOnLoad = applyAddress();
if (runOnLoad) run();
keepOffline();
