// The page's parameters: the switches of the menu «Вид», and the address
// that carries them all, read leniently and written back after each run
// (the lines as the number the box's text gave).
//   ?R=0.2&L=1&a=2&graph=lines&lines=7&exact=1&flux=1&arrows=1&map=1&turns=200&current=1.5
// A parameter is a row here, a field of the core's settings (the same name)
// and a control of the page; the core makes the export tool's options of the
// settings, so a link gives the tool's files.

// The switches that change the picture: the control, the field of the
// settings, the name in the address, the words that describe a picture with
// it on, and whether it belongs to the field lines alone.
export const switches = [
  { control: 'exactLinesAction', field: 'exactLines', name: 'exact', words: 'с точными линиями', lines: true },
  { control: 'equalFluxAction', field: 'equalFlux', name: 'flux', words: 'с линиями равного потока', lines: true },
  { control: 'arrowsAction', field: 'arrows', name: 'arrows', words: 'со стрелками', lines: true },
  { control: 'fieldMapAction', field: 'fieldMap', name: 'map', words: 'с модулем поля', lines: true },
];

// A length in metres on the scroll bars' grid, 0 to 10 in tenths, as the
// export tool reads it; the shortest text that reads back as the same number
// is written.
function metres(text) {
  if (!/^\d{1,2}(\.\d{1,20})?$/.test(text)) return null;
  const value = Number(text);
  const p = Math.round(value * 10);
  return p <= 100 && Math.abs(value * 10 - p) < 1e-9 ? value : null;
}

const flag = (t) => (t === '0' || t === '1' ? t === '1' : null);
const text = (t) => t;  // read by the core, as the control that takes it reads it

const readers = {
  R: ['radius', metres],
  L: ['length', metres],
  a: ['halfRange', metres],
  graph: ['graph', (t) => (t === 'axis' || t === 'lines' ? t : null)],
  lines: ['lineText', (t) => (/^\d{1,3}(\.\d{1,20})?$/.test(t) && Number(t) <= 200 ? t : null)],
  ...Object.fromEntries(switches.map((s) => [s.name, [s.field, flag]])),
  turns: ['turnsText', text],  // the dialog «Ток и витки»: both or neither
  current: ['currentText', text],
};

// The values the address gives, the names of those it gives wrongly, and
// whether it names any parameter at all.
export function readAddress(search) {
  const query = new URLSearchParams(search);
  const values = {};
  const wrong = [];
  let named = false;
  for (const [name, [field, read]] of Object.entries(readers)) {
    if (!query.has(name)) continue;
    named = true;
    const value = read(query.get(name).trim());
    if (value === null) wrong.push(name);
    else values[field] = value;
  }
  return { values, wrong, named };
}

export function addressOf(s) {
  const query = new URLSearchParams({ R: s.radius, L: s.length, a: s.halfRange, graph: s.graph });
  if (s.graph === 'lines') query.set('lines', s.lineCount);  // the number the box's text read, which reads back the same
  for (const { field, name, lines } of switches) if (s[field] && (!lines || s.graph === 'lines')) query.set(name, '1');
  if (s.turns) {
    query.set('turns', s.turns);
    query.set('current', s.amperes);  // the shortest text that reads back as the same number
  }
  return '?' + query.toString();
}
