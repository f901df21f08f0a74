// The calculation, away from the page's thread: one request at a time, each
// answered with its own id.
importScripts('zoreks-core.js');

const core = ZoreksCore();
let none = null;  // no measured values
let kept = null;  // {id, set} of the measured values last sent, kept for the next requests

// The measured values of a request: the page sends a set's points once to
// each worker, later only its id.
function measuredOf(m, measured) {
  none ??= new m.Measured();
  if (!measured) return none;
  if (kept?.id !== measured.id) {
    kept?.set.delete();
    kept = { id: measured.id, set: m.measured(measured.points, measured.units) };
  }
  return kept.set;
}

let drawn = null;  // {key, record} of what the last run or readout here drew, for the readout

// The settings of a run as a key: the same key, the same picture (the
// measured values named by their id).
const keyOf = (m, s, measured) => JSON.stringify([Object.keys(m.startSettings()).map((k) => s[k]), measured?.id]);

function keepDrawn(key, record) {
  drawn?.record.delete();
  drawn = { key, record };
  return record;
}

// The record of the picture of these settings: the run's own when it ran
// here, so that its comparison and fit are not made again for each position.
const drawnOf = (m, s, set, key) => (drawn?.key === key ? drawn.record : keepDrawn(key, m.record(s, set)));

const picture = (r) => ({ value: r, transfer: r.done ? [r.pixels.buffer] : [] });
const jobs = {
  run: (m, s, more, set, key) => {
    const { record, ...r } = m.run(s, set);
    keepDrawn(key, record);
    return picture(r);
  },
  lines: (m, s, more, set) => picture(m.lines(s, set)),
  table: (m, s, more, set) => ({ value: m.table(s, set) }),
  svg: (m, s, more, set) => ({ value: m.svg(s, set) }),
  readout: (m, s, [x, y, separator], set, key) => ({ value: m.readout(drawnOf(m, s, set, key), x, y, separator) }),
  coil: (m, s, [turns, current]) => ({ value: m.coil(turns, current) }),
  number: (m, s, [kind, text]) => ({ value: m.number(kind, text) }),
  texts: (m) => ({ value: { about: m.aboutText(), authors: m.authorsText() } }),
  // A measurement file: its first bytes as text, or the whole file read as the window reads it.
  head: async (m, s, [file, bytes]) => ({ value: m.measuredHead(new Uint8Array(await file.slice(0, bytes).arrayBuffer())) }),
  measurements: async (m, s, [file, units]) => {
    const bytes = new Uint8Array(await file.slice(0, m.mostMeasuredBytes() + 1).arrayBuffer());
    const r = m.readMeasured(bytes, file.name, units);
    return { value: r, transfer: r.points ? [r.points.buffer] : [] };
  },
};

onmessage = async ({ data }) => {
  const m = await core;
  const settings = data.settings && { ...m.startSettings(), ...data.settings };  // all the lines by default
  const key = settings && keyOf(m, settings, data.measured);
  const { value, transfer = [] } = await jobs[data.kind](m, settings, data.more, measuredOf(m, data.measured), key);
  postMessage({ id: data.id, value }, transfer);
};
