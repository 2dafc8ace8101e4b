// The site's service worker: on install it keeps every file of the site
// (SITE_FILES, which make_site.py writes in) in a cache named after the
// site's content hash (SITE_VERSION), and answers every request for them
// from that cache, so that the site opens and calculates with the network
// gone. Anything else of the site a page fetches (the module's code as a
// script, where a server would not give the .wasm) is kept as it comes.
// A new build changes this file, so the browser installs it; once it has
// kept the new files, it takes over and deletes the caches of earlier
// builds. Assets carry content hashes in their names: a page of one build
// never gets an asset of another.
"use strict";

const CACHE_PREFIX = "milfo-site:" + self.registration.scope + ":";
const CACHE = CACHE_PREFIX + SITE_VERSION;

self.addEventListener("install", (event) => {
  event.waitUntil(
    caches
      .open(CACHE)
      // Checked with the server, not taken unseen from the browser's cache
      // (a file the page has just loaded costs a "not modified").
      .then((cache) => cache.addAll(SITE_FILES.map((file) => new Request(file, { cache: "no-cache" }))))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((keys) => Promise.all(keys.filter((k) => k.startsWith(CACHE_PREFIX) && k !== CACHE).map((k) => caches.delete(k))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || !request.url.startsWith(self.registration.scope)) return;
  // The folder itself is its menu.
  const key = request.url.split(/[?#]/)[0] === self.registration.scope ? self.registration.scope + "index.html" : request;
  event.respondWith(
    // Looked up without opening the cache: opening would make it anew.
    caches.match(key, { cacheName: CACHE, ignoreSearch: true }).then(
      (kept) =>
        kept ||
        fetch(request).then((response) => {
          // Kept while the worker lives on (waitUntil), and only in this
          // build's cache as long as it is there: an old worker's late fetch
          // must not bring back the cache a newer one has deleted.
          if (response.ok) {
            const copy = response.clone();
            event.waitUntil(caches.has(CACHE).then((has) => has && caches.open(CACHE).then((c) => c.put(request, copy))));
          }
          return response;
        }),
    ),
  );
});
