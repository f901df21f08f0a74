// The site's service worker: it keeps one whole build of the site in a cache
// named by the build's version and serves the site from it, so that the page
// loads and calculates with no network, and a visit sees one build only,
// never an old core with new scripts. kFiles (each file of the site with the
// SHA-256 of its contents) and kVersion (the hash of that list) are written
// above this by the build.
//
// A new build on the server changes this file; the browser installs the new
// worker beside the old one, which keeps serving the pages open. Once they
// are all closed the new worker takes over and deletes the old build.

const kPrefix = `zoreks ${self.registration.scope} `;  // the caches of this site: other sites of the server keep theirs
const kCache = kPrefix + kVersion;
const kBase = new URL(self.registration.scope).pathname;

const hex = (buffer) => [...new Uint8Array(buffer)].map((b) => b.toString(16).padStart(2, '0')).join('');

// Every file from the server, checked against this build's hash: a file of
// another build (the server being updated, or a stale copy on the way) fails
// the install, and the old build stays until the next try.
self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(kCache);
    try {
      await Promise.all(Object.entries(kFiles).map(async ([file, hash]) => {
        const response = await fetch(file, { cache: 'reload' });
        const bytes = await response.clone().arrayBuffer();
        if (!response.ok || hex(await crypto.subtle.digest('SHA-256', bytes)) !== hash)
          throw new Error(`${file} is not the file of this build`);
        await cache.put(file, response);
      }));
    } catch (error) {
      await caches.delete(kCache);
      throw error;
    }
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) if (name.startsWith(kPrefix) && name !== kCache) await caches.delete(name);
    await self.clients.claim();
  })());
});

// The site's own files from the cache (an address's parameters are the
// page's, not another file); everything else from the network.
self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== location.origin || !url.pathname.startsWith(kBase)) return;
  const file = decodeURIComponent(url.pathname.slice(kBase.length)) || 'index.html';
  if (!Object.hasOwn(kFiles, file)) return;
  event.respondWith(caches.open(kCache).then((cache) => cache.match(file)).then((kept) => kept ?? fetch(event.request)));
});
