// The page's side of the calculation workers. Runs: the newest request wins —
// while the workers are busy, only the latest waiting one is kept; runs are
// answered in the order asked, a picture older than one already answered
// being answered null (so the last answer is the newest values' picture); and
// a run going while a newer one waits is abandoned with its workers once it
// has gone on for its patience. Other questions (the table, the readout, the
// texts) are answered in turn.
const kPatience = 300;  // ms; also when a run starts to show its progress
// The patience of a run when the last one took longer than kPatience: such
// runs cannot follow a moving bar, so a newer request supersedes the run
// going almost at once (a worker starts in some 40 ms), and the picture of
// the newest values comes soonest. A run quicker than this is finished.
const kQuickPatience = 30;
// A run quicker than this is quick enough to be computed whole on one worker
// while another computes the next.
const kQuick = 100;
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
    this.quick = false;  // it took less than kQuick
    this.shareable = true;  // the last run in shares drew only its share of the lines
    this.start();
  }

  start() {
    this.worker = this.spawn();
    this.helper = null;
    this.helperReady = false;
    this.going = [];  // {since, order, channels} of the runs the workers compute
    this.waiting = null;  // {job, resolve, followed}
    this.asked = 0;  // the order of the last run started
    this.answered = 0;  // that of the last run answered with its picture
    this.drawnBy = null;  // the worker that drew the picture last answered
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

  // Questions about the picture on show go to the worker that drew it,
  // which keeps its record (its comparison and fit are not made again).
  ask(kind, job, more, channel = this.channelFor(kind)) {
    return channel.ask(kind, job, more);
  }

  channelFor(kind) {
    const drawn = this.drawnBy === this.helper ? this.helper : this.worker;
    return kind === 'readout' || kind === 'measurementLine' ? drawn : this.worker;
  }

  // Abandons the run going and the one waiting (Esc), which are answered
  // null; false when no run is going.
  cancel() {
    if (!this.going.length) return false;
    this.waiting?.resolve(null);
    this.waiting = null;
    this.restart(null);
    return true;
  }

  // Resolves with the run's result, or with null when a newer run took its
  // place before it started, was answered before it, or when it was abandoned.
  run(job) {
    const followed = this.going.length > 0 || this.waiting !== null;
    this.waiting?.resolve(null);
    return new Promise((resolve) => {
      this.waiting = { job, resolve, followed };
      this.next();
    });
  }

  // Values that follow one another (a dragged bar) are each computed whole on
  // a worker of its own, so that one run is computed while the one before is
  // finished and shown: when the runs are quick, or cannot be shared anyway.
  // A run asked alone, or a slow one of plain lines, is traced in shares on both.
  next() {
    if (!this.waiting) return;
    const pipelined = this.waiting.followed && this.helperReady && (this.quick || !this.shareable);
    const channel = pipelined ? this.idleChannel() : !this.going.length && this.worker;
    if (!channel) {
      this.abandonLater();
      return;
    }
    const { job, resolve } = this.waiting;
    this.waiting = null;
    const going = { since: performance.now(), order: ++this.asked, channels: [channel] };
    this.going.push(going);
    // A slow run waits the few milliseconds a second worker takes to start.
    const shared = !pipelined && job.lesson.graph === 'lines' && this.helper && (this.helperReady || this.slow);
    const result = shared ? this.runInShares(job, going) : this.ask('run', job, undefined, channel);
    result.then((value) => {
      if (this.going.includes(going)) {
        this.going.splice(this.going.indexOf(going), 1);
        // How long the worker computed, its module's start and the wait for it left out.
        if (value?.took !== undefined) [this.slow, this.quick] = [value.took > kPatience, value.took < kQuick];
      }
      if (going.inShares && value?.done) this.shareable = !value.whole;
      this.startHelper();
      // A picture older than the one on show is not shown.
      if (value && going.order < this.answered) value = null;
      if (value?.done) [this.answered, this.drawnBy] = [going.order, going.channels[0]];
      resolve(value);
      this.next();
    });
  }

  // A worker with no run to compute, the first one first.
  idleChannel() {
    const busy = this.going.flatMap((g) => g.channels);
    return [this.worker, this.helper].find((c) => c && !busy.includes(c));
  }

  // The oldest run going, when a newer one waits, is abandoned once its
  // patience is over; so are the others, whose workers are started anew.
  abandonLater() {
    const oldest = this.going[0];
    clearTimeout(this.abandoning);
    this.abandoning = setTimeout(() => {
      if (this.going[0] !== oldest || !this.waiting) return;
      this.restart(null);
      this.next();
    }, oldest.since + (this.slow ? kQuickPatience : kPatience) - performance.now());
  }

  async runInShares(s, going) {
    going.channels.push(this.helper);
    await this.helperStarted;
    if (!this.going.includes(going)) return null;  // abandoned meanwhile
    if (!this.helperReady) return this.ask('run', s);
    going.inShares = true;
    // The second worker is free for the next run once it has answered (at
    // once when the run is whole).
    const helper = this.helper;
    const share = (k) => this.ask('lines', { ...s, view: { ...s.view, lineShare: k, lineShares: kShares } }, undefined, helper)
      .then((lines) => {
        going.channels = going.channels.filter((c) => c !== helper);
        this.next();
        return lines;
      });
    const [run, ...others] = await Promise.all([
      this.ask('run', { ...s, view: { ...s.view, lineShare: 0, lineShares: kShares } }),
      ...Array.from({ length: kShares - 1 }, (_, k) => share(k + 1)),
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
