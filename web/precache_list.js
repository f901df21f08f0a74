// Writes the site's service worker: the list of every file of the site with
// the SHA-256 of its contents, the version named by the hash of that list,
// then the worker's code. The file is rewritten only when it changes.
//   node precache_list.js WORKER_SOURCE SITE_FOLDER
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');

const [source, site] = process.argv.slice(2);
const kWorker = 'service-worker.js';
const sha256 = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex');

function filesIn(folder) {
  return fs.readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    const file = path.join(folder, entry.name);
    return entry.isDirectory() ? filesIn(file) : [file];
  });
}

const files = Object.fromEntries(filesIn(site)
  .map((file) => path.relative(site, file).split(path.sep).join('/'))
  .filter((file) => file !== kWorker)
  .sort()
  .map((file) => [file, sha256(fs.readFileSync(path.join(site, file)))]));
const list = JSON.stringify(files, null, 1);
const code = fs.readFileSync(source, 'utf8');
const text = `const kFiles = ${list};\nconst kVersion = '${sha256(list + code).slice(0, 16)}';\n\n${code}`;
const target = path.join(site, kWorker);
if (!fs.existsSync(target) || fs.readFileSync(target, 'utf8') !== text) fs.writeFileSync(target, text);
