// The calculation, away from the page's thread: one request at a time, each
// answered with its own id.
importScripts('zoreks-core.js');

const core = ZoreksCore();
const jobs = {
  run: (m, s) => {
    const r = m.run(s);
    return { value: r, transfer: r.done ? [r.pixels.buffer] : [] };
  },
  lines: (m, s) => {
    const r = m.lines(s);
    return { value: r, transfer: r.done ? [r.pixels.buffer] : [] };
  },
  table: (m, s) => ({ value: m.table(s) }),
  svg: (m, s) => ({ value: m.svg(s) }),
  readout: (m, s, [x, y, separator]) => ({ value: m.readout(s, x, y, separator) }),
  coil: (m, s, [turns, current]) => ({ value: m.coil(turns, current) }),
  texts: (m) => ({ value: { about: m.aboutText(), authors: m.authorsText() } }),
};

onmessage = async ({ data }) => {
  const m = await core;
  const settings = data.settings && { ...m.startSettings(), ...data.settings };  // all the lines by default
  const { value, transfer = [] } = jobs[data.kind](m, settings, data.more);
  postMessage({ id: data.id, value }, transfer);
};
