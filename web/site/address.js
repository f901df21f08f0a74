// The page's address: the parameters it may carry, read leniently, and
// written back after each run (the lines as the number the box's text gave).
//   ?R=0.2&L=1&a=2&graph=lines&lines=7&exact=1&map=1

// A length in metres on the scroll bars' grid, 0 to 10 in tenths, as the
// export tool reads it; the shortest text that reads back as the same number
// is written.
function metres(text) {
  if (!/^\d{1,2}(\.\d{1,20})?$/.test(text)) return null;
  const value = Number(text);
  const p = Math.round(value * 10);
  return p <= 100 && Math.abs(value * 10 - p) < 1e-9 ? value : null;
}

const readers = {
  R: ['radius', metres],
  L: ['length', metres],
  a: ['halfRange', metres],
  graph: ['graph', (t) => (t === 'axis' || t === 'lines' ? t : null)],
  lines: ['lineText', (t) => (/^\d{1,3}(\.\d{1,20})?$/.test(t) && Number(t) <= 200 ? t : null)],
  exact: ['exactLines', (t) => (t === '0' || t === '1' ? t === '1' : null)],
  map: ['fieldMap', (t) => (t === '0' || t === '1' ? t === '1' : null)],
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
  if (s.graph === 'lines') {
    query.set('lines', s.lineCount);  // the number the box's text read, which reads back the same
    query.set('exact', s.exactLines ? '1' : '0');
    query.set('map', s.fieldMap ? '1' : '0');
  }
  return '?' + query.toString();
}
