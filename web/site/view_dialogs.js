// The dialogs of «Вид»: each opens with the values in force and takes them
// when all are usable (dialogs.js); the next run shows them.
import { readNumber } from './bars.js';
import { connectDialog } from './dialogs.js';

const $ = (id) => document.getElementById(id);

// The turns and the current as the window's dialog reads them: both boxes
// empty give the unit n·I/2; else both must be usable.
async function readCoil(calculation, turnsText, currentText) {
  if (!turnsText.trim() && !currentText.trim()) return { coil: null };
  const read = await calculation.ask('coil', undefined, [turnsText.trim(), currentText.trim()]);
  if (!read) return { wrong: [] };  // the worker failed and was replaced
  if (read.turns) return { coil: { turns: read.turns, amperes: read.amperes } };
  const wrong = ['turns', 'current'].filter((name) => read[`${name}Refusal`]);
  return { wrong, refusal: read[`${wrong[0]}Refusal`] };
}

// page: {calculation, bars (ValueBar), lesson: () => the page's lesson,
// localNumber, changed: () => what follows values taken}.
export function connectViewDialogs({ calculation, bars, lesson, localNumber, changed }) {
  const connect = (command, dialog, fill, take) => connectDialog($(command), $(dialog), fill, take, changed);
  connect('coilSizeAction', 'coilSizeDialog', () => {
    for (const b of bars) b.edit.value = b.shown;
  }, async () => {
    const typed = [];
    for (const b of bars) {
      const read = await b.typed(b.edit.value);
      if (read.refusal !== undefined) return { box: b.edit, refusal: read.refusal };
      typed.push(read.value);
    }
    bars.forEach((b, i) => b.set(typed[i]));
    return null;
  });
  connect('coilCurrentAction', 'coilCurrentDialog', () => {
    $('turnsEdit').value = lesson().turns ? lesson().turns : '';
    $('currentEdit').value = lesson().turns ? localNumber(lesson().amperes) : '';
  }, async () => {
    const read = await readCoil(calculation, $('turnsEdit').value, $('currentEdit').value);
    if (read.wrong) return { box: $(read.wrong[0] === 'current' ? 'currentEdit' : 'turnsEdit'), refusal: read.refusal };
    [lesson().turns, lesson().amperes] = [read.coil?.turns ?? 0, read.coil?.amperes ?? 0];
    return null;
  });
  connect('coilPairAction', 'coilPairDialog', () => {
    $('pairCheck').checked = lesson().pairOn;
    $('distanceEdit').value = localNumber(lesson().pairDistance ?? bars[0].metres);
    $('opposedCheck').checked = lesson().opposed;
  }, async () => {
    const read = await readNumber(calculation, 'pair', $('distanceEdit').value);
    if ($('pairCheck').checked && read.refusal !== undefined) return { box: $('distanceEdit'), refusal: read.refusal };
    Object.assign(lesson(), { pairOn: $('pairCheck').checked, pairDistance: read.value ?? lesson().pairDistance,
      opposed: $('opposedCheck').checked });
    return null;
  });
  $('helmholtzButton').addEventListener('click', () => {
    $('distanceEdit').value = localNumber(bars[0].metres);
    $('pairCheck').checked = true;
  });
  connect('uniformRegionAction', 'uniformRegionDialog', () => {
    $('regionCheck').checked = lesson().uniformOn;
    $('percentEdit').value = localNumber(lesson().uniformPercent);
  }, async () => {
    const read = await readNumber(calculation, 'uniform', $('percentEdit').value);
    if ($('regionCheck').checked && read.refusal !== undefined) return { box: $('percentEdit'), refusal: read.refusal };
    Object.assign(lesson(), { uniformOn: $('regionCheck').checked, uniformPercent: read.value ?? lesson().uniformPercent });
    return null;
  });
}
