// The value bars of the coil's radius, its length and the half-size of the
// region: each a scroll bar with the box showing its value, which takes a
// value typed into it as the window's dialog «Размеры катушки» takes one.

// A number typed into a box, read by the core as the window's dialog reads
// it: {value}, or {refusal}; a worker that failed gives an empty refusal.
export async function readNumber(calculation, kind, text) {
  return (await calculation.ask('number', undefined, [kind, text])) ?? { refusal: '' };
}

export class ValueBar {
  // controls: {bar, box, edit, field, name (Russian)}; page: {core,
  // calculation, decimalSeparator, problem, t} (problem: the page's problem
  // line; t: a Russian text in the page's language).
  constructor(controls, page) {
    Object.assign(this, controls);
    this.page = page;
    this.metres = 0;
    this.shown = '';  // the value's text in the box
  }

  // The bar's value: its position times 0.1 m, as the window's scroll bars
  // give it, or a value typed or given by a link, to which the bar moves as
  // near as it can without changing it.
  set(metres = this.bar.valueAsNumber * 0.1) {
    this.metres = metres;
    this.bar.value = Math.round(metres * 10);
    this.box.value = this.shown = this.page.core.valueLabel(metres, this.page.decimalSeparator);
    this.box.removeAttribute('aria-invalid');
    this.bar.setAttribute('aria-valuetext', this.page.t('%1 м', this.shown));
  }

  // The value typed into a box, or why it is refused, named as the dialog
  // «Размеры катушки» names it; a text left as shown keeps the value to the bit.
  async typed(text) {
    if (text === this.shown) return { value: this.metres };
    const read = await readNumber(this.page.calculation, 'metres', text);
    if (read.refusal === undefined) return read;
    return { refusal: read.refusal && `${this.page.t(this.name)}: ${read.refusal[0].toLowerCase()}${read.refusal.slice(1)}` };
  }

  // The bar's box once typed into: a usable value is taken, else the reason
  // shows in the problem line and the value stays (with the focus when asked for).
  async take(focus) {
    if (this.box.value === this.shown) return true;
    const read = await this.typed(this.box.value);
    const { problem } = this.page;
    if (read.refusal === undefined) {
      if (this.box.getAttribute('aria-invalid')) problem.textContent = '';
      this.set(read.value);
      return true;
    }
    problem.textContent = read.refusal;
    this.box.setAttribute('aria-invalid', 'true');
    if (focus) {
      this.box.focus();
      this.box.select();
    }
    return false;
  }
}
