// The page: the window's controls, its run and its menus, in a browser. It
// holds one lesson (lesson/lesson.h, through the core's binding), which its
// controls change, its runs show, its address and its lesson file carry.
import { addressOf, readAddress, withLanguage } from './address.js';
import { ValueBar } from './bars.js';
import { Calculation, patience } from './calculation.js';
import { enterPressesOk, showFromMenu } from './dialogs.js';
import { LessonFiles, saveFile } from './lesson_files.js';
import { Measurements } from './measurements.js';
import { connectMenus, showMenuKeys } from './menus.js';
import { PictureReadout } from './picture_readout.js';
import { chosenLanguage, pageLanguages, languageName, showKeyed, Translation } from './translation.js';
import { connectViewDialogs } from './view_dialogs.js';

const $ = (id) => document.getElementById(id);
const kStartWidth = 651;
const kStartHeight = 320;

// The page's language, from its address or the browser's languages, shown
// before the core has loaded; the address names it once it has named it.
const translation = new Translation(chosenLanguage(location.search, navigator.languages));
const t = (...text) => translation.t(...text);
let addressLanguage = new URLSearchParams(location.search).has('lang') ? translation.code : '';
translation.collect(document.documentElement);
translation.show(translation.code);

// The core on the page's own thread, for its lesson, its switches and its
// texts; the runs and the files are the workers'.
const core = await ZoreksCore();
core.setLanguage(translation.code);
const switches = core.switches();  // {key, addressName, menuText, objectName, words, scope}
const calculation = new Calculation(translation);
const picture = $('Picture1');
const list = $('List1');
const lineText = $('Text1');
const live = $('liveAction');
const numberFormat = (digits) => new Intl.NumberFormat(navigator.language, {
  minimumFractionDigits: digits, maximumFractionDigits: digits, useGrouping: false,
});
const browserSeparator = numberFormat(1).format(0.5).replace(/\d/g, '');
const decimalSeparator = () => translation.decimalPoint(browserSeparator);
const localNumber = (v) => String(v).replace('.', decimalSeparator());
const bars = [
  { bar: $('VScroll1'), box: $('Label4'), edit: $('radiusEdit'), field: 'radius', name: 'Радиус R' },
  { bar: $('VScroll2'), box: $('Label5'), edit: $('lengthEdit'), field: 'length', name: 'Длина L' },
  { bar: $('VScroll3'), box: $('Label6'), edit: $('halfRangeEdit'), field: 'halfRange', name: 'Полуразмер области a' },
].map((controls) => new ValueBar(controls, {
  core, calculation, get decimalSeparator() { return decimalSeparator(); }, problem: $('problem'), t,
}));

// The page's lesson: the core's plain object, with its measured values as
// measured (measurements.js); null: none.
let lesson = { ...core.startLesson(), measured: null };
let shown = null;  // {lesson, view} of the picture on show
const afterChange = () => {
  showAdditionsChoice();
  runIfLive();
};
const measurements = new Measurements({
  core, calculation, get decimalSeparator() { return decimalSeparator(); }, lesson: () => lesson, taken, shown: () => shown,
  changed: afterChange, translation,
});
const setOf = (l) => measurements.setOf(l);
const lessonFiles = new LessonFiles({ core, measurements, taken, takeLesson, run, translation, language: () => addressLanguage });
const readout = new PictureReadout(picture, $('readout'), {
  calculation, get decimalSeparator() { return decimalSeparator(); }, shown: () => shown,
});

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
  for (const b of bars) b.set(lesson[b.field]);
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
  measurements.showLine();
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
  measurements.showLine();
}

// The picture as wide as the page allows (up to the whole screen's width with
// the window maximised), in the proportions of the window's picture at its
// start; in CSS pixels.
function pictureSize() {
  const width = Math.max(1, Math.floor($('pictureArea').clientWidth) - 4);  // the sunken frame
  return { width, height: Math.max(1, Math.round((width * kStartHeight) / kStartWidth)) };
}

// The screen's device pixels per CSS pixel, which the picture is drawn with:
// read at each run, so that a change (the page zoomed, the window moved to
// another screen) takes effect at the next one; with live redraw at once.
const screenRatio = () => window.devicePixelRatio || 1;
let followedRatio = screenRatio();
function followPixelRatio() {
  matchMedia(`(resolution: ${followedRatio}dppx)`).addEventListener('change', ratioChanged, { once: true });
}
function ratioChanged() {
  if (screenRatio() === followedRatio) return;
  followedRatio = screenRatio();
  followPixelRatio();
  runIfLive();
}

// The lesson as a run shows it now, and the view of its picture.
const job = () => ({ lesson: { ...taken() }, view: { ...pictureSize(), pixelRatio: screenRatio(), decimalSeparator: decimalSeparator() } });

// The run's device pixels on the canvas, shown at the view's CSS size; the
// address follows (written at once unless the picture follows a live change).
async function show(s, result, followed) {
  // A canvas given its size again is cleared and made anew: only when it changes.
  if (picture.width !== result.width || picture.height !== result.height)
    [picture.width, picture.height] = [result.width, result.height];
  picture.style.width = `${s.view.width}px`;
  const rgba = new Uint8ClampedArray(result.pixels.buffer, result.pixels.byteOffset, result.pixels.byteLength);
  picture.getContext('2d').putImageData(new ImageData(rgba, result.width, result.height), 0, 0);
  shown = s;
  picture.setAttribute('aria-label', result.description);
  for (const b of ['savePng', 'saveCsv', 'saveSvg']) $(b).disabled = false;
  writeAddress(s.lesson, !followed);
  await measurements.showLine();  // the comparison's line with its picture
  $('caption').textContent = document.title = result.caption;
}

// The address of the lesson on show. Writing the browser's history costs
// the browser a good part of a core, and browsers refuse or ignore more than
// some 200 writes in ten seconds: while live pictures come quickly, the
// address is written at most every kAddressEvery ms, that of the last
// picture always.
const kAddressEvery = 250;
let addressWritten = -Infinity;
let addressLater = 0;
function writeAddress(lesson, now) {
  clearTimeout(addressLater);
  const wait = addressWritten + kAddressEvery - performance.now();
  if (!now && wait > 0) {
    addressLater = setTimeout(() => writeAddress(lesson, true), wait);
    return;
  }
  const address = addressOf(core, lesson, setOf(lesson), addressLanguage);
  history.replaceState(null, '', address.query);
  showAddressNotice(address.notice);
  addressWritten = performance.now();
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
  for (const b of bars) if (!(await b.take(!followed))) return;
  const s = job();
  const mine = ++runs;
  const progress = $('progress');
  const started = performance.now();
  const tick = setInterval(() => {
    if (mine !== runs) return clearInterval(tick);
    progress.hidden = false;
    progress.lastElementChild.textContent = t('расчет… %1 с  (Esc — отменить)', Math.floor((performance.now() - started) / 1000));
  }, patience);
  const result = await calculation.run(s);
  if (mine === runs) {
    clearInterval(tick);
    progress.hidden = true;
  }
  if (!result) return;  // a newer run took its place, or Esc abandoned it
  $('problem').textContent = result.done ? '' : result.refusal;
  if (result.done) await show(s, result, followed);
}

function runIfLive() { if (live.checked) run(true); }  // followed: the focus stays

async function download(kind, type, name) {
  const contents = kind === 'png' ? null : await calculation.ask(kind, shown);
  if (kind !== 'png' && typeof contents !== 'string') return;  // the worker failed and was replaced
  const blob = kind === 'png' ? await new Promise((done) => picture.toBlob(done, 'image/png'))
    : new Blob([contents], { type });
  saveFile(blob, name);
}

async function showInfo(title, key) {
  const texts = await calculation.ask('texts');
  if (!texts?.about) return;
  $('infoTitle').textContent = title;
  $('infoText').textContent = texts[key].replace(/\r\n?/g, '\n');
  showFromMenu($('infoBox'), $('mnuHelpAbout'));
}

// A lesson read from a file or an address: {lesson, measured}.
function takeLesson(read) {
  measurements.leave();
  lesson = { ...read.lesson, measured: measurements.of(read.measured) };
  showLesson();
  showAdditionsChoice();
}

// The lesson of the page's address, its wrong values named in the notice;
// whether the address names any value (then the page runs at once).
function applyAddress() {
  const read = readAddress(core, location.search);
  takeLesson(read);
  if (read.notice) [$('notice').hidden, $('notice').textContent] = [false, read.notice];
  return read.named;
}

// The switches of the menu «Вид», made from the core's table: each a check
// box labelled with its menu text, the letter after '&' its access key; those
// of the measurements after the dialogs.
function makeSwitches() {
  const items = $('viewMenu').querySelector('.items');
  for (const s of switches) {
    const box = Object.assign(document.createElement('input'), { type: 'checkbox', id: s.objectName });
    const label = document.createElement('label');
    label.append(box, '', document.createElement('u'), '');
    items.insertBefore(label, s.scope === 'measurements' ? $('liveAction').closest('label') : $('coilSizeAction'));
  }
  labelSwitches(switches);
}

// The switches' labels: the core's menu texts, in the language the core writes.
function labelSwitches(rows) {
  for (const s of rows) showKeyed([...$(s.objectName).parentElement.childNodes].slice(1), ` ${s.menuText}`);
}

function connectControls() {
  makeSwitches();
  // With «Сразу пересчитывать» a bar's picture follows it as it moves.
  for (const b of bars) {
    b.bar.addEventListener('input', () => { b.set(); runIfLive(); });
    b.box.addEventListener('change', async () => { if (await b.take(false)) runIfLive(); });
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
  $('saveCsv').addEventListener('click', () => download('table', 'text/csv', 'zoreks.csv'));
  $('saveSvg').addEventListener('click', () => download('svg', 'image/svg+xml', 'zoreks.svg'));
  $('mnuHelpAvtors').addEventListener('click', () => showInfo(t('ОБ АВТОРАХ'), 'authors'));
  $('mnuHelpAbout').addEventListener('click', () => showInfo(t('О ПРОГРАММЕ'), 'about'));
  lessonFiles.connect();
  $('closeMeasurementsAction').addEventListener('click', () => measurements.close());
  connectViewDialogs({ calculation, bars, lesson: () => lesson, localNumber, changed: afterChange });
  enterPressesOk([...document.querySelectorAll('dialog')]);
  readout.connect();
  connectMenus(menus(), $('Form1'));
  connectLanguageSwitch();
}

// The language switch: each language by its own name. A choice changes the
// page's texts at once, and the picture's with a run of its own, as live
// redraw would start; the address names the language from then on.
function connectLanguageSwitch() {
  const box = $('languageBox');
  for (const code of pageLanguages()) box.add(Object.assign(new Option(languageName(code), code), { lang: code }));
  box.value = translation.code;
  box.addEventListener('change', () => {
    addressLanguage = box.value;
    translation.show(box.value);
    core.setLanguage(box.value);
    calculation.followLanguage();
    for (const b of bars) b.set(b.metres);  // in the language's decimal point
    labelSwitches(core.switches());
    showMenuKeys(menus());
    history.replaceState(null, '', withLanguage(location.search, addressLanguage));
    if (shown) run(true);
  });
}

const menus = () => [...document.querySelectorAll('#menu details')];

// The site's files kept for use without a network, where the browser allows
// it (not from a file on disk, nor in some private windows).
function keepOffline() {
  if (!('serviceWorker' in navigator)) return;
  navigator.serviceWorker.register('service-worker.js').catch(() => {});
}

connectControls();
followPixelRatio();
window.addEventListener('resize', ratioChanged);  // a zoom resizes the page in CSS pixels too
const runOnLoad = applyAddress();
if (runOnLoad) run();
keepOffline();
