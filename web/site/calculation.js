// The page's side of the calculation worker. Runs: the newest request wins —
// while one is computed, only the latest waiting one is kept, an answer to an
// older request is dropped, and a run that has taken longer than its patience
// is abandoned with its worker when a newer one comes. Other questions (the
// table, the readout, the texts) are answered in turn.
const kPatience = 300;  // ms; also when a run starts to show its progress
const kFailed = { done: false, refusal: 'Расчет прерван: браузеру не хватило памяти или в нем произошла ошибка.' };

export class Calculation {
  constructor() {
    this.nextId = 1;
    this.answers = new Map();
    this.start();
  }

  start() {
    this.worker = new Worker('worker.js');
    this.worker.onmessage = ({ data }) => {
      const answer = this.answers.get(data.id);
      this.answers.delete(data.id);
      if (answer) answer(data.value);
    };
    // A worker that failed (its module aborted, out of memory, say) answers
    // nothing more: every question still open gets kFailed, and a new worker
    // takes the next ones.
    this.worker.onerror = (event) => {
      event.preventDefault();
      this.worker.terminate();
      const open = [...this.answers.values()];
      const waiting = this.waiting;
      this.start();
      this.waiting = waiting;
      for (const answer of open) answer(kFailed);
    };
    this.answers.clear();
    this.running = null;  // {since} of the run the worker computes
    this.waiting = null;  // {settings, resolve}
  }

  ask(kind, settings, more) {
    const id = this.nextId++;
    return new Promise((resolve) => {
      this.answers.set(id, resolve);
      this.worker.postMessage({ id, kind, settings, more });
    });
  }

  // Resolves with the run's result, or with null when a newer run superseded it.
  run(settings) {
    if (this.waiting) this.waiting.resolve(null);
    if (this.running && performance.now() - this.running.since > kPatience) {
      this.worker.terminate();
      for (const answer of this.answers.values()) answer(null);
      this.start();
    }
    return new Promise((resolve) => {
      this.waiting = { settings, resolve };
      this.next();
    });
  }

  next() {
    if (this.running || !this.waiting) return;
    const { settings, resolve } = this.waiting;
    this.waiting = null;
    const running = { since: performance.now() };
    this.running = running;
    this.ask('run', settings).then((result) => {
      if (this.running === running) this.running = null;
      resolve(this.waiting ? null : result);
      this.next();
    });
  }
}

export const patience = kPatience;
