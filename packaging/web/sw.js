// Keeps the game's files in the browser, so that it starts without a connection once it has
// been loaded. The cache name changes with every build (scripts/build-web writes it), so
// a new build replaces the old files as a whole.
'use strict';

const CACHE = 'tessarion-@BUILD@';
const FILES = [@FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('tessarion-') && n !== CACHE)
      .map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The files of this build from the cache; anything else (or a miss) from the network.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  const url = new URL(event.request.url);
  url.search = '';
  event.respondWith(caches.open(CACHE).then((cache) => cache.match(url.href)
    .then((hit) => hit || fetch(event.request))));
});
