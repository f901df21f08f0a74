// The calculation, away from the page's thread: one request at a time, each
// answered with its own id.
importScripts('zoreks-core.js');

const core = ZoreksCore();
let none = null;  // no measured values
let kept = null;  // {id, set} of the measured values last sent, kept for the next requests

// The measured values of a request: the page sends a lesson's points once to
// each worker, later only their id.
function measuredOf(m, measured) {
  none ??= new m.Measured();
  if (!measured) return none;
  if (kept?.id !== measured.id) {
    kept?.set.delete();
    kept = { id: measured.id, set: m.measured(measured.points, measured.units, measured.name) };
  }
  return kept.set;
}

let drawn = null;  // {key, record} of what the last run or readout here drew, for the readout
let noRecord = null;

// A lesson as its view shows it, as a key: the same key, the same picture
// (the measured values named by their id).
let names = null;
function keyOf(m, lesson, view, measured) {
  names ??= Object.keys(m.startLesson());
  return JSON.stringify([names.map((k) => lesson[k]), view.width, view.height, view.pixelRatio, measured?.id]);
}

function keepDrawn(key, record) {
  drawn?.record.delete();
  drawn = { key, record };
  return record;
}

// The record of the picture of this lesson: the run's own when it ran here,
// so that its comparison and fit are not made again for each position.
const drawnOf = (m, lesson, view, set, key) =>
  (drawn?.key === key ? drawn.record : keepDrawn(key, m.record(lesson, set, view)));

const picture = (r) => ({ value: r, transfer: r.done ? [r.pixels.buffer] : [] });
const measuredValues = (r) => ({ value: r, transfer: r.measured?.points ? [r.measured.points.buffer] : [] });
const fileBytes = async (m, file) => new Uint8Array(await file.slice(0, m.mostMeasuredBytes() + 1).arrayBuffer());
const jobs = {
  // took: the milliseconds the run was computed, which tell the page how quick runs are.
  run: (m, l, v, more, set, key) => {
    const start = performance.now();
    const { record, ...r } = m.run(l, set, v);
    keepDrawn(key, record);
    return picture({ ...r, took: performance.now() - start });
  },
  lines: (m, l, v, more, set) => picture(m.lines(l, set, v)),
  table: (m, l, v, more, set) => ({ value: m.table(l, set, v) }),
  svg: (m, l, v, more, set) => ({ value: m.svg(l, set, v) }),
  readout: (m, l, v, [x, y, separator], set, key) => ({ value: m.readout(drawnOf(m, l, v, set, key), x, y, separator) }),
  // The comparison's line of the lesson, the run on show being that of the
  // shown lesson, whose record (with the same measured values) holds its comparison.
  measurementLine: (m, l, v, [shown, shownView, same, loading, separator], set, key, measured) => {
    const full = { ...m.startLesson(), ...shown };
    noRecord ??= new m.Drawn();
    const record = same ? drawnOf(m, full, shownView, set, keyOf(m, full, shownView, measured)) : noRecord;
    return { value: m.measurementLine(l, set, loading, full, same, record, separator) };
  },
  coil: (m, l, v, [turns, current]) => ({ value: m.coil(turns, current) }),
  number: (m, l, v, [kind, text]) => ({ value: m.number(kind, text) }),
  texts: (m) => ({ value: { about: m.aboutText(), authors: m.authorsText() } }),
  // The language of the texts and of the pictures' words from now on.
  language: (m, l, v, [code]) => ({ value: m.setLanguage(code) }),
  // A measurement file: its first lines as the reader sees them, or the whole
  // file read as the window reads it; a lesson file read.
  head: async (m, l, v, [file]) => ({ value: m.measuredHead(new Uint8Array(await file.slice(0, m.headBytes()).arrayBuffer())) }),
  measurements: async (m, l, v, [file, units]) => {
    const r = m.readMeasured(await fileBytes(m, file), file.name, units);
    return { value: r, transfer: r.points ? [r.points.buffer] : [] };
  },
  lesson: async (m, l, v, [file]) => measuredValues(m.readLesson(await fileBytes(m, file), file.name)),
};

onmessage = async ({ data }) => {
  const m = await core;
  const lesson = data.lesson && { ...m.startLesson(), ...data.lesson };
  const view = { ...m.startView(), ...data.view };
  const key = lesson && keyOf(m, lesson, view, data.measured);
  const set = measuredOf(m, data.measured);
  const { value, transfer = [] } = await jobs[data.kind](m, lesson, view, data.more, set, key, data.measured);
  postMessage({ id: data.id, value }, transfer);
};
