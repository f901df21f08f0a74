// The lesson's files and link: a file chosen or dropped on the page opened
// as a lesson file or a table of measured values, the lesson saved as a
// file, and the page's address copied as a link to the lesson.
import { addressOf } from './address.js';
import { fileReader } from './calculation.js';

const $ = (id) => document.getElementById(id);
const kLessonHeadBytes = 4096;  // enough to tell a lesson file from a table

// A blob saved as a download named name.
export function saveFile(blob, name) {
  const link = Object.assign(document.createElement('a'), { href: URL.createObjectURL(blob), download: name });
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

export class LessonFiles {
  // page: {core, measurements (Measurements), taken: () => the lesson with
  // the controls' values, takeLesson: (read) => the page shows a lesson read,
  // run: () => a run of the lesson, translation (translation.js), language:
  // () => the language the address names}.
  constructor(page) {
    this.page = page;
    this.chosen = 0;  // how many files have been chosen: an older one's units are no longer asked
  }

  // The file control and «Открыть измерения…» choose a file; one dropped
  // anywhere on the page is opened as one chosen.
  connect() {
    const file = $('measurementsFile');
    file.addEventListener('change', () => {
      if (file.files[0]) this.open(file.files[0]);
      file.value = '';  // the same file may be chosen again, changed
    });
    $('openMeasurementsAction').addEventListener('click', () => file.click());
    $('saveLessonAction').addEventListener('click', () => this.save());
    $('copyLinkAction').addEventListener('click', () => this.copyLink());
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', (event) => {
      event.preventDefault();
      if (event.dataTransfer.files[0]) this.open(event.dataTransfer.files[0]);
    });
  }

  // A file chosen or dropped on the page: a lesson file (as the core tells it
  // by its first bytes) or a table of measured values.
  async open(file) {
    const head = new Uint8Array(await file.slice(0, kLessonHeadBytes).arrayBuffer());
    if (this.page.core.looksLikeLesson(head)) this.openLesson(file);
    else {
      const mine = ++this.chosen;
      this.page.measurements.open(file, () => mine === this.chosen);
    }
  }

  // A lesson file, read in a worker of its own: it replaces the page's lesson,
  // its controls and its picture; one refused changes nothing.
  async openLesson(file) {
    const mine = ++this.chosen;
    const reader = fileReader(this.page.translation);
    const read = await reader.ask('lesson', undefined, [file]);
    reader.end(null);
    if (mine !== this.chosen || !read) return;
    if (!read.lesson) {
      $('problem').textContent = read.refusal;
      return;
    }
    $('problem').textContent = '';
    this.page.takeLesson(read);
    [$('notice').hidden, $('notice').textContent] = [!read.notice, read.notice];
    this.page.run();
  }

  // The lesson file of the page's lesson, named after its measurements' file.
  save() {
    const lesson = this.page.taken();
    const text = this.page.core.lessonFileText(lesson, this.page.measurements.setOf(lesson));
    const stem = lesson.measured?.name.replace(/\.[^.]*$/, '') || this.page.translation.t('опыт');
    saveFile(new Blob([text], { type: 'application/json' }), `${stem}.zoreks`);
  }

  // The page's full address, measured values and all, copied; where the
  // browser refuses the clipboard, shown selected in a box to copy by hand.
  async copyLink() {
    const lesson = this.page.taken();
    const { href, notice } = addressOf(this.page.core, lesson, this.page.measurements.setOf(lesson), this.page.language());
    const tell = (text) => [$('notice').hidden, $('notice').textContent] = [false, notice ? `${text} ${notice}` : text];
    try {
      await navigator.clipboard.writeText(href);
      $('linkArea').hidden = true;
      tell(this.page.translation.t('Ссылка на этот опыт скопирована.'));
    } catch {
      $('linkArea').hidden = false;
      $('linkBox').value = href;
      $('linkBox').focus();
      $('linkBox').select();
      tell(this.page.translation.t('Браузер не дал скопировать ссылку: она выделена в поле «Ссылка», скопируйте ее (Ctrl+C).'));
    }
  }
}
