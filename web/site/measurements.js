// The measured values on the page: a measurement file's units asked with its
// first lines shown, the file read in a worker of its own, as the window
// reads it on a thread of its own, and the line under the picture that sums
// up the comparison.
import { fileReader } from './calculation.js';

const $ = (id) => document.getElementById(id);

export class Measurements {
  // page: {core, calculation, decimalSeparator, lesson: () => the page's
  // lesson, taken: () => the lesson with the controls' values, shown: () =>
  // {lesson, view} of the picture on show, changed: () => what follows values
  // read or put away, translation (translation.js)}.
  constructor(page) {
    this.page = page;
    this.none = new page.core.Measured();
    this.reading = null;  // {name, reader} of the file being read
    this.sets = 0;        // how many have been read: the id of the newest
    this.lineAsked = 0;
  }

  // The core's handle of a lesson's measured values.
  setOf(l) { return l.measured?.set ?? this.none; }

  // The measured values as the page keeps them, {id, points, units, name,
  // count, set}, with the core's handle (freed with its object: a picture on
  // show may still name the values it compared).
  of(read) {
    return read && { id: ++this.sets, ...read, set: this.page.core.measured(read.points, read.units, read.name) };
  }

  // The file being read is left: a lesson has taken the page's place.
  leave() {
    this.reading?.reader.end(null);
    this.reading = null;
  }

  // A measurement file: its units asked with its first lines shown, then read.
  // A file that cannot be read changes nothing: the values read before stay.
  // A file whose units are not given (Отмена, or a newer file chosen
  // meanwhile: newest() turns false) changes nothing either: a file being
  // read goes on; one given its units takes the place of a file being read.
  async open(file, newest) {
    const reader = fileReader(this.page.translation);
    const head = await reader.ask('head', undefined, [file]);
    if (typeof head !== 'string' || !newest()) return reader.end(null);
    $('measurementFileName').textContent = file.name;
    $('fileHead').textContent = head;
    const dialog = $('measurementUnitsDialog');
    if (!dialog.open) {  // else it asks for this file's units now
      dialog.returnValue = '';
      dialog.showModal();
    }
    await new Promise((done) => dialog.addEventListener('close', done, { once: true }));
    if (dialog.returnValue !== 'ok' || !newest()) return reader.end(null);
    const units = `${$('lengthUnitBox').value}:${$('fluxUnitBox').value}`;
    this.leave();
    this.reading = { name: file.name, reader };
    this.showLine();
    const read = await reader.ask('measurements', undefined, [file, units]);
    reader.end(null);
    if (this.reading?.reader !== reader) return;  // another file took its place
    this.reading = null;
    if (!read?.points) {
      this.showLine();
      $('problem').textContent = this.page.translation.t('Измерения не открыты. %1', read?.refusal ?? '');
      return;
    }
    this.page.lesson().measured = this.of(read);
    $('closeMeasurementsAction').disabled = false;
    this.page.changed();
  }

  close() {
    this.page.lesson().measured = null;
    $('closeMeasurementsAction').disabled = true;
    this.page.changed();
  }

  // The line under the picture while measured values are open or read (the
  // core's MeasurementLine): the comparison of the picture on show, which the
  // worker that ran it keeps, or what it waits for. The newest answer stands.
  async showLine() {
    const { core, calculation, decimalSeparator } = this.page;
    const mine = ++this.lineAsked;
    const l = this.page.taken();
    const set = this.setOf(l);
    const loading = this.reading?.name ?? '';
    const shown = this.page.shown();
    let text = core.plainMeasurementLine(l, set, loading, decimalSeparator);
    if (shown && l.measured && !loading) {
      const same = shown.lesson.measured?.id === l.measured.id;
      const { measured, ...plain } = shown.lesson;
      const asked = await calculation.ask('measurementLine', { lesson: { ...l } },
        [plain, shown.view, same, loading, decimalSeparator]);
      if (mine !== this.lineAsked) return;
      if (typeof asked === 'string') text = asked;
    }
    $('measurementBar').hidden = !l.measured && !this.reading;
    $('measurementLine').textContent = text;
    $('measurementLine').title = core.measurementFileLine(l, set);
  }
}
