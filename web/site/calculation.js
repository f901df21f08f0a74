// The page's side of the calculation workers. Runs: the newest request wins —
// while one is computed, only the latest waiting one is kept, every run that
// was made is answered in the order asked (so the last answer is the newest
// values' picture), and a run going while a newer one waits is abandoned
// with its workers once it has gone on for its patience. Other questions
// (the table, the readout, the texts) are answered in turn.
const kPatience = 300;  // ms; also when a run starts to show its progress
// The patience of a run when the last one took longer than kPatience: such
// runs cannot follow a moving bar, so a newer request supersedes the run
// going almost at once (a worker starts in some 40 ms), and the picture of
// the newest values comes soonest. A run quicker than this is finished.
const kQuickPatience = 30;
// What a question gets from a worker that failed, in the page's language.
const failed = (translation) => ({
  done: false, refusal: translation.t('Расчет прерван: браузеру не хватило памяти или в нем произошла ошибка.'),
});

// A run of the field lines is shared between two workers: the second traces
// every other line onto a white picture, and its coloured pixels are laid
// over the first's. The lines are all of one colour, so the picture is the
// same to the pixel. When an addition draws over the lines, the first worker
// draws them all (its answer says so: whole) and the second draws none.
// The second worker starts after the first run, so that loading it does not
// delay the first picture, and takes a share once its module is ready.
const kShares = 2;
const kWhite = 0xffffffff;  // in the byte order of ImageData, as the pixels come

// One worker and the questions it has not answered yet, which writes its
// texts in the page's language (its code). A lesson's measured values go to
// it once; later questions name them by their id.
class Channel {
  constructor(failed, language) {
    this.worker = new Worker('worker.js');
    this.answers = new Map();
    this.nextId = 1;
    this.measured = 0;  // the id of the measured values the worker keeps
    this.worker.onmessage = ({ data }) => {
      const answer = this.answers.get(data.id);
      this.answers.delete(data.id);
      if (answer) answer(data.value);
    };
    // A worker that failed (its module aborted, out of memory, say) answers nothing more.
    this.worker.onerror = (event) => {
      event.preventDefault();
      failed(this);
    };
    this.ask('language', undefined, [language]);
  }

  // A question about a lesson as a view shows it (job: {lesson, view}); the
  // measured values the lesson holds go along unless the worker keeps them.
  ask(kind, job, more) {
    const id = this.nextId++;
    const { measured, ...lesson } = job?.lesson ?? {};
    const message = { id, kind, lesson: job && lesson, view: job?.view, more };
    if (measured) {
      const { set, ...sent } = measured;
      message.measured = this.measured === measured.id ? { id: measured.id } : sent;
      this.measured = measured.id;
    }
    return new Promise((resolve) => {
      this.answers.set(id, resolve);
      this.worker.postMessage(message);
    });
  }

  // Ends the worker; every question still open gets the answer.
  end(answer) {
    this.worker.terminate();
    const open = [...this.answers.values()];
    this.answers.clear();
    for (const resolve of open) resolve(answer);
  }
}

// A worker of its own for a measurement file, so that a large one is read
// while the page and its runs go on; ended once the file is read or left.
export const fileReader = (translation) => new Channel((channel) => channel.end(failed(translation)), translation.code);

export class Calculation {
  // translation: the page's language (translation.js).
  constructor(translation) {
    this.translation = translation;
    this.slow = false;  // the last run took longer than kPatience
    this.start();
  }

  start() {
    this.worker = this.spawn();
    this.helper = null;
    this.helperReady = false;
    this.running = null;  // {since} of the run the workers compute
    this.waiting = null;  // {job, resolve}
  }

  // Every question still open at a failure is answered that the run failed, and new workers
  // take the next ones. One already ended may still report its start cut short.
  spawn() {
    return new Channel((channel) => {
      if (channel === this.worker || channel === this.helper) this.restart(failed(this.translation));
    }, this.translation.code);
  }

  // The workers' texts and pictures in the page's language, newly chosen.
  followLanguage() {
    for (const channel of [this.worker, this.helper]) channel?.ask('language', undefined, [this.translation.code]);
  }

  // The second worker, once the first has run.
  startHelper() {
    if (this.helper) return;
    const helper = this.spawn();
    this.helper = helper;
    this.helperStarted = helper.ask('texts').then((answer) => {
      if (this.helper === helper && answer && !answer.refusal) this.helperReady = true;
    });
  }

  // Ends both workers, answering every open question, and starts new ones;
  // the waiting run stays.
  restart(answer) {
    const ended = [this.worker, this.helper];
    const waiting = this.waiting;
    this.start();
    this.startHelper();
    this.waiting = waiting;
    for (const channel of ended) channel?.end(answer);
  }

  ask(kind, job, more, channel = this.worker) {
    return channel.ask(kind, job, more);
  }

  // Abandons the run going and the one waiting (Esc), which are answered
  // null; false when no run is going.
  cancel() {
    if (!this.running) return false;
    this.waiting?.resolve(null);
    this.waiting = null;
    this.restart(null);
    return true;
  }

  // Resolves with the run's result, or with null when a newer run took its
  // place before it started or while it was abandoned.
  run(job) {
    if (this.waiting) this.waiting.resolve(null);
    return new Promise((resolve) => {
      this.waiting = { job, resolve };
      this.next();
    });
  }

  next() {
    if (!this.waiting) return;
    if (this.running) {
      this.abandonLater();
      return;
    }
    const { job, resolve } = this.waiting;
    this.waiting = null;
    const running = { since: performance.now() };
    this.running = running;
    // A slow run waits the few milliseconds a second worker takes to start.
    const result = job.lesson.graph === 'lines' && this.helper && (this.helperReady || this.slow)
      ? this.runInShares(job, running) : this.ask('run', job);
    result.then((value) => {
      if (this.running === running) {
        this.running = null;
        if (value) this.slow = performance.now() - running.since > kPatience;
      }
      this.startHelper();
      resolve(value);
      this.next();
    });
  }

  // The run going, when a newer one waits, is abandoned once its patience is over.
  abandonLater() {
    const running = this.running;
    clearTimeout(this.abandoning);
    this.abandoning = setTimeout(() => {
      if (this.running !== running || !this.waiting) return;
      this.restart(null);
      this.next();
    }, running.since + (this.slow ? kQuickPatience : kPatience) - performance.now());
  }

  async runInShares(s, running) {
    await this.helperStarted;
    if (this.running !== running) return null;  // abandoned meanwhile
    if (!this.helperReady) return this.ask('run', s);
    const [run, ...others] = await Promise.all([
      this.ask('run', { ...s, view: { ...s.view, lineShare: 0, lineShares: kShares } }),
      ...Array.from({ length: kShares - 1 }, (_, k) =>
        this.ask('lines', { ...s, view: { ...s.view, lineShare: k + 1, lineShares: kShares } }, undefined, this.helper)),
    ]);
    if (!run || !run.done || run.whole) return run;
    for (const lines of others) {
      if (!lines || !lines.done) return lines;  // superseded, or failed
      const from = lines.pixels;
      for (let i = 0; i < from.length; ++i) if (from[i] !== kWhite) run.pixels[i] = from[i];
    }
    return run;
  }
}

export const patience = kPatience;
