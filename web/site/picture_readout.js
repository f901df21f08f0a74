// The values under the pointer on the picture, or under a tap, in a box
// beside it: one question at a time, the newest position asked next.
export class PictureReadout {
  // picture: the canvas; box: the readout's box; page: {calculation,
  // decimalSeparator, shown: () => {lesson, view} of the picture on show}.
  constructor(picture, box, page) {
    Object.assign(this, { picture, box, page });
    this.asked = 0;
    this.pointer = null;  // the position waiting for its question
  }

  connect() {
    const show = (event) => this.show(event);
    this.picture.addEventListener('pointermove', show);
    this.picture.addEventListener('pointerdown', show);
    this.picture.addEventListener('pointerleave', () => {
      this.asked++;
      this.box.hidden = true;
    });
  }

  async show(event) {
    const shown = this.page.shown();
    if (!shown) return;
    const { picture } = this;
    const bounds = picture.getBoundingClientRect();
    const scale = picture.width / picture.clientWidth;  // the run's device pixels per CSS pixel shown
    const waiting = this.pointer;
    this.pointer = {
      x: (event.clientX - bounds.left - picture.clientLeft) * scale, y: (event.clientY - bounds.top - picture.clientTop) * scale,
      left: event.offsetX + 12, top: event.offsetY + 16, mine: ++this.asked,
    };
    if (waiting) return;  // asked when the question going is answered
    while (this.pointer) {
      const at = this.pointer;
      const text = await this.page.calculation.ask('readout', this.page.shown(), [at.x, at.y, this.page.decimalSeparator]);
      if (this.pointer === at) this.pointer = null;
      if (at.mine !== this.asked || typeof text !== 'string') continue;
      this.box.hidden = !text;
      this.box.textContent = text || '';
      this.box.style.left = `${at.left}px`;
      this.box.style.top = `${at.top}px`;
    }
  }
}
