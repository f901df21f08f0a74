// The page's parameters: the switches of the menu «Вид», and the address
// that carries them all, read leniently and written back after each run
// (the lines as the number the box's text gave).
//   ?R=0.021&L=0.16&a=0.2&graph=axis&scales=1&turns=320&current=1.8&fit=1
//   ?graph=lines&lines=7&exact=1&flux=1&arrows=1&map=1&pair=0.2&opposed=1&uniform=1
// A parameter is a row here, a field of the core's settings (the same name)
// and a control of the page; the core makes the export tool's options of the
// settings, so a link gives the tool's files. The measured values are the
// page's alone: a link carries only whether they are fitted.

// The switches that change the picture: the control, the field of the
// settings, the name in the address, the words that describe a picture with
// it on, and where it is in force: with the field lines alone, with the
// program's single coil alone, with measured values alone.
export const switches = [
  { control: 'exactLinesAction', field: 'exactLines', name: 'exact', words: 'с точными линиями', lines: true, single: true },
  { control: 'equalFluxAction', field: 'equalFlux', name: 'flux', words: 'с линиями равного потока', lines: true, single: true },
  { control: 'arrowsAction', field: 'arrows', name: 'arrows', words: 'со стрелками', lines: true },
  { control: 'fieldMapAction', field: 'fieldMap', name: 'map', words: 'с модулем поля', lines: true },
  { control: 'scalesAction', field: 'scales', name: 'scales', words: 'со шкалами' },
  { control: 'fitAction', field: 'fit', name: 'fit', words: '', measured: true },  // the comparison's line says it
];

// Whether a switch acts on a run with these settings.
export const inForce = (sw, s) =>
  (!sw.lines || s.graph === 'lines') && (!sw.single || !s.pair) && (!sw.measured || Boolean(s.measured));

const flag = (t) => (t === '0' || t === '1' ? t === '1' : null);
const text = (t) => t;  // read by the core, as the control that takes it reads it
const typed = (kind) => ({ kind });  // a number the core reads as the dialogs read it (web/bindings.cpp, number)

const readers = {
  R: ['radius', typed('metres')],
  L: ['length', typed('metres')],
  a: ['halfRange', typed('metres')],
  graph: ['graph', (t) => (t === 'axis' || t === 'lines' ? t : null)],
  lines: ['lineText', typed('lines')],  // the number the box's text gave
  ...Object.fromEntries(switches.map((s) => [s.name, [s.field, flag]])),
  turns: ['turnsText', text],  // the dialog «Ток и витки»: both or neither
  current: ['currentText', text],
  pair: ['pairDistance', typed('pair')],  // the dialog «Пара катушек»
  opposed: ['opposed', flag],
  uniform: ['uniformPercent', typed('uniform')],  // the dialog «Однородная область»
};

// The values the address gives, the names of those it gives wrongly, whether
// it names any parameter at all, and the numbers for the core to read:
// {name, field, kind, text}.
export function readAddress(search) {
  const query = new URLSearchParams(search);
  const values = {};
  const wrong = [];
  const numbers = [];
  let named = false;
  for (const [name, [field, read]] of Object.entries(readers)) {
    if (!query.has(name)) continue;
    named = true;
    const given = query.get(name).trim();
    if (read.kind) {
      numbers.push({ name, field, kind: read.kind, text: given });
      continue;
    }
    const value = read(given);
    if (value === null) wrong.push(name);
    else values[field] = value;
  }
  return { values, wrong, named, typed: numbers };
}

// Numbers are written as the shortest text that reads back as the same number
// (an exponent for the smallest: 1e-7), which the core reads back as written.
export function addressOf(s) {
  const query = new URLSearchParams({ R: s.radius, L: s.length, a: s.halfRange, graph: s.graph });
  if (s.graph === 'lines') query.set('lines', s.lineCount);  // the number the box's text read, which reads back the same
  for (const sw of switches) if (s[sw.field] && inForce(sw, s)) query.set(sw.name, '1');
  if (s.turns) {
    query.set('turns', s.turns);
    query.set('current', s.amperes);
  }
  if (s.pair) query.set('pair', s.pairDistance);
  if (s.pair && s.opposed) query.set('opposed', '1');
  if (s.uniformPercent) query.set('uniform', s.uniformPercent);
  return '?' + query.toString();
}
