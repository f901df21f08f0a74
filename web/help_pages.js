// Writes the help documents of the site: the HTML sources of the desktop's
// PDF documents with their figures, which the page's own core draws here
// (the same runs as the PDF's figures), and instruction.txt as a page. The
// Russian documents go to help/, each translation to help/<language>/, from
// the folder of its translated sources; all share the one set of figures.
//   node help_pages.js DOCS_FOLDER SITE_FOLDER [LANGUAGE=TRANSLATED_DOCS_FOLDER]...
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const [docs, site, ...translations] = process.argv.slice(2);
const help = path.join(site, 'help');

// A PNG file of a run's pixels, row by row, each as ImageData holds it (red, green, blue, alpha).
function png(width, height, pixels) {
  const rows = Buffer.alloc((3 * width + 1) * height);
  const rgba = new Uint8Array(pixels.buffer, pixels.byteOffset, pixels.byteLength);
  for (let i = 0; i < width * height; ++i) rows.set(rgba.subarray(4 * i, 4 * i + 3), Math.floor(i / width) + 3 * i + 1);
  const crcTable = Array.from({ length: 256 }, (_, n) => {
    for (let k = 0; k < 8; k++) n = n & 1 ? 0xedb88320 ^ (n >>> 1) : n >>> 1;
    return n >>> 0;
  });
  const crc = (b) => ~b.reduce((c, x) => crcTable[(c ^ x) & 0xff] ^ (c >>> 8), ~0) >>> 0;
  const chunk = (type, data) => {
    const body = Buffer.concat([Buffer.from(type), data]);
    const length = Buffer.alloc(4);
    length.writeUInt32BE(data.length);
    const sum = Buffer.alloc(4);
    sum.writeUInt32BE(crc(body));
    return Buffer.concat([length, body, sum]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, 2, 0, 0, 0], 8);  // 8 bits, RGB
  return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
    chunk('IDAT', zlib.deflateSync(rows, { level: 9 })), chunk('IEND', Buffer.alloc(0))]);
}

// The site's icon in the browser's tab, for a page UP folders below help/.
const icon = (up) => `<link rel="icon" type="image/png" sizes="192x192" href="${up}../icon-192.png">\n`;
// The page's figures carry no words, so every language's help shows the same ones.
const figures = {
  axis: { graph: 'axis' },
  lines: { graph: 'lines' },
  exact: { graph: 'lines', halfRange: 0.8, exactLines: true },
};

// The documents of one language from FROM into TO, UP being the way from TO
// back to help/. The instruction's page takes its title from the instruction's
// first line, where no TITLE is given.
function writePages(from, to, up, language, title) {
  fs.mkdirSync(to, { recursive: true });
  for (const page of ['spravka.html', 'uprav.html']) {
    const text = fs.readFileSync(path.join(from, page), 'utf8');
    fs.writeFileSync(path.join(to, page),
      text.replace(/src="figure:(\w+)"/g, `src="${up}figure-$1.png"`).replace('<head>\n', '<head>\n' + icon(up)));
  }
  // A plain static server names no character set for a .txt file: the
  // instruction goes into a page that names its own.
  const instruction = fs.readFileSync(path.join(from, 'instruction.txt'), 'utf8');
  const escape = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  fs.writeFileSync(path.join(to, 'instruction.html'), `<!doctype html>\n<html lang="${language.replace('_', '-')}">\n<head>\n` +
    '<meta charset="utf-8">\n' + icon(up) + `<title>${escape(title ?? instruction.split('\n')[0])}</title>\n</head>\n<body>\n<pre style="white-space: pre-wrap">` +
    escape(instruction) + '</pre>\n</body>\n</html>\n');
}

require(path.join(site, 'zoreks-core.js'))({
  wasmBinary: fs.readFileSync(path.join(site, 'zoreks-core.wasm')),
}).then((core) => {
  fs.mkdirSync(help, { recursive: true });
  for (const [name, lesson] of Object.entries(figures)) {
    const run = core.run({ ...core.startLesson(), ...lesson }, new core.Measured(), core.startView());
    fs.writeFileSync(path.join(help, `figure-${name}.png`), png(run.width, run.height, run.pixels));
  }
  writePages(docs, help, '', 'ru', 'Зорекс. Инструкция');
  for (const translation of translations) {
    const [language, folder] = translation.split('=');
    writePages(folder, path.join(help, language), '../', language);
  }
});
