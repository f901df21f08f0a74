// The page in the language chosen: its own texts looked up in the catalogue
// made from po/page (catalogues.js), Russian being the texts as written. The
// document's texts and shown attributes are translated where their text, its
// white space collapsed, is an entry; their Russian is kept, so that a switch
// back restores it. An access key is written "&" before its letter, as in
// the window's menus, and shown underlined.
import catalogues from './catalogues.js';

export const kRussian = 'ru';
const kShownAttributes = ['title', 'aria-label', 'alt', 'placeholder', 'content', 'label'];
const kHelp = /^help\//;
const kCyrillic = /[\u0400-\u04ff]/;

// A text as the catalogue's check reads the page's: runs of white space one space, trimmed.
const normalised = (text) => text.replace(/\s+/g, ' ').trim();

// A pattern's places %1 … %9 filled with the values.
export const filled = (pattern, values) =>
  pattern.replace(/%([1-9])/g, (place, n) => (n <= values.length ? String(values[n - 1]) : place));

// The languages the page has: Russian and those of the catalogue.
export const pageLanguages = () => [kRussian, ...Object.keys(catalogues).sort()];

// A language's name in itself, as the switch offers it.
export const languageName = (code) => (code === kRussian ? 'Русский' : catalogues[code].name);  // not translated

// The language named by the address's lang=, else the first of the browser's
// languages the page has, else English.
export function chosenLanguage(search, browserLanguages) {
  const has = pageLanguages();
  const named = new URLSearchParams(search).get('lang');
  if (has.includes(named)) return named;
  const first = browserLanguages.map((l) => l.toLowerCase().split('-')[0]).find((l) => has.includes(l));
  return first ?? 'en';
}

// A text node holding "before&Xafter" shown as before, X underlined, after:
// [before, the underline, after], or null for a text without an access key.
function keyedNodes(node) {
  const at = node.data.search(/&[^\s&]/);
  if (at < 0) return null;
  const nodes = [node, document.createElement('u'), document.createTextNode('')];
  node.after(nodes[1], nodes[2]);
  return nodes;
}

// Shows a text with an access key ("Откр&ыть") in its three nodes.
export function showKeyed([before, key, after], text) {
  const at = text.indexOf('&');
  before.data = text.slice(0, Math.max(at, 0));
  key.textContent = at < 0 ? '' : text[at + 1];
  after.data = at < 0 ? text : text.slice(at + 2);
}

export class Translation {
  constructor(code) {
    this.code = code;
    this.slots = [];  // the document's texts, each {show()}: shows it in the language chosen
  }

  get russian() { return this.code === kRussian; }

  // The Russian text in the language, its places filled with the values.
  t(russian, ...values) {
    return filled(this.russian ? russian : catalogues[this.code]?.texts[russian] ?? russian, values);
  }

  // The decimal point of the language; Russian's as the browser writes it.
  decimalPoint(russianChoice) {
    return this.russian ? russianChoice : catalogues[this.code]?.decimalPoint ?? '.';
  }

  // The document's texts, found once under root: each text node and shown
  // attribute with Russian in it, a text with an access key shown underlined,
  // and the links to the help, whose translations are in help/<language>/.
  collect(root) {
    // An access key's underline is its text's, made here.
    const skipped = ['SCRIPT', 'STYLE', 'U'];
    const walker = document.createTreeWalker(root, NodeFilter.SHOW_ELEMENT, {
      acceptNode: (e) => (skipped.includes(e.tagName) ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT),
    });
    for (let element = walker.currentNode; element; element = walker.nextNode()) {
      for (const name of kShownAttributes) {
        const russian = element.getAttribute(name);
        if (russian && kCyrillic.test(russian)) this.keepAttribute(element, name, russian);
      }
      const href = element.tagName === 'A' && element.getAttribute('href');
      if (href && kHelp.test(href)) {
        const translated = () => href.replace(kHelp, `help/${this.code}/`);
        this.slots.push({ show: () => element.setAttribute('href', this.russian ? href : translated()) });
      }
      for (const node of [...element.childNodes]) {
        if (node.nodeType === Node.TEXT_NODE && kCyrillic.test(node.data)) this.keepText(node);
      }
    }
  }

  keepAttribute(element, name, russian) {
    let written = russian;
    this.slots.push({
      show: () => {
        // A text the page has written since (a picture's description) is the page's.
        if (element.getAttribute(name) !== written) return;
        written = this.russian ? russian : this.t(normalised(russian));
        element.setAttribute(name, written);
      },
    });
  }

  keepText(node) {
    const russian = node.data;
    const [, leading, text, trailing] = russian.match(/^(\s*)([^]*?)(\s*)$/);
    const key = normalised(text);
    const nodes = keyedNodes(node);
    let written = russian;
    this.slots.push({
      show: () => {
        const shown = this.russian ? russian : leading + this.t(key) + trailing;
        if (nodes) return showKeyed(nodes, shown);
        if (node.data !== written) return;
        node.data = written = shown;
      },
    });
    if (nodes) showKeyed(nodes, russian);
  }

  // The document in the language now chosen.
  show(code) {
    this.code = code;
    document.documentElement.lang = code;
    for (const slot of this.slots) slot.show();
  }
}
