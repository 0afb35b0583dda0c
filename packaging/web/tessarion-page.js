// The page around the game: loading with progress, the save folder kept in the browser's
// IndexedDB, downloading and adding saved games, the end of the game, and offline play.
'use strict';

const SAVES = '/saves';
const $ = (id) => document.getElementById(id);
const canvas = $('canvas');

function setProgress(fraction, detail) {
  $('fill').style.width = `${Math.round(Math.min(1, fraction) * 100)}%`;
  if (detail !== undefined) $('detail').textContent = detail;
}

function fail(message) {
  $('loading').hidden = false;
  $('status').textContent = message;
  $('bar').hidden = true;
}

// --- The save folder: IndexedDB, written back after every change the game makes.
let syncing = false;
let syncAgain = false;
function saveToBrowser() {
  if (syncing) { syncAgain = true; return; }
  syncing = true;
  FS.syncfs(false, (error) => {
    syncing = false;
    if (error) console.error('Tessarion: the saved games could not be stored in the browser', error);
    if (syncAgain) { syncAgain = false; saveToBrowser(); }
  });
}

function inSaves(path) {
  return typeof path === 'string' && (path === SAVES || path.startsWith(SAVES + '/'));
}

function mountSaves() {
  FS.mkdir(SAVES);
  FS.mount(IDBFS, {}, SAVES);
  // A save is written to a temporary file and renamed over the old one: the rename is the
  // moment it is complete, so that is when it goes to IndexedDB.
  for (const name of ['rename', 'unlink']) {
    const original = FS[name];
    FS[name] = function (...args) {
      const result = original.apply(this, args);
      if (args.some(inSaves)) saveToBrowser();
      return result;
    };
  }
  Module.addRunDependency('saves');
  FS.syncfs(true, (error) => {
    if (error) console.error('Tessarion: the saved games could not be read from the browser', error);
    Module.removeRunDependency('saves');
  });
}

// --- Downloading a save, and adding one from the computer.
function savedGames() {
  try {
    return FS.readdir(SAVES).filter((n) => /\.tsn$/i.test(n)).sort();
  } catch (e) {
    return [];
  }
}

function showSaves() {
  const list = $('saves-list');
  list.textContent = '';
  const names = savedGames();
  $('saves-none').hidden = names.length > 0;
  for (const name of names) {
    const item = document.createElement('li');
    const label = document.createElement('span');
    label.textContent = name;
    const link = document.createElement('a');
    link.textContent = 'Download';
    link.href = URL.createObjectURL(new Blob([FS.readFile(`${SAVES}/${name}`)], { type: 'text/plain' }));
    link.download = name;
    item.append(label, link);
    list.append(item);
  }
  $('saves').hidden = false;
}

$('saves-button').addEventListener('click', showSaves);
$('saves-close').addEventListener('click', () => { $('saves').hidden = true; canvas.focus(); });
$('upload').addEventListener('change', async (event) => {
  const file = event.target.files[0];
  if (!file) return;
  // Only a plain file name: nothing the player picks can reach outside the save folder.
  let name = file.name.replace(/[^A-Za-z0-9 ._-]/g, '_').replace(/^\.+/, '');
  if (!/\.tsn$/i.test(name)) name += '.TSN';
  if (file.size > 1 << 20) {
    alert(`${file.name} is too large to be a saved game.`);
  } else {
    FS.writeFile(`${SAVES}/${name}`, new Uint8Array(await file.arrayBuffer()));
    saveToBrowser();
  }
  event.target.value = '';
  showSaves();
});

// --- Leaving: the game keeps itself when the page is put away (it hears of that as its
// window hidden); orders given since it last kept itself would be lost, so the browser asks.
window.addEventListener('beforeunload', (event) => {
  if (window.Module && Module.tessarionUnsaved) {
    event.preventDefault();
    event.returnValue = '';
  }
});

// --- The game.
window.Module = {
  canvas,
  // Options for the game from the address, e.g. index.html?arg=--seed&arg=7
  arguments: new URLSearchParams(location.search).getAll('arg'),
  preRun: [mountSaves],
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  setStatus: () => {},
  onRuntimeInitialized: () => {
    $('loading').hidden = true;
    $('saves-button').hidden = false;
    canvas.focus();
  },
  // File > Exit: the game has ended; a page cannot close its own tab.
  onExit: () => {
    $('saves-button').hidden = true;
    $('saves').hidden = true;
    canvas.hidden = true;
    $('ended').hidden = false;
  },
  onAbort: (what) => fail(`The game stopped unexpectedly (${what}). Reload the page to start again.`),
};

// The game itself is one large file: fetched here, to show how much of it has arrived.
async function download(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
  const total = Number(response.headers.get('Content-Length')) || 0;
  if (!response.body || !total) {
    setProgress(0.5);
    return response.arrayBuffer();
  }
  const reader = response.body.getReader();
  const data = new Uint8Array(total);
  let received = 0;
  for (;;) {
    const { done, value } = await reader.read();
    if (done) break;
    if (received + value.length > total) throw new Error(`${url}: longer than announced`);
    data.set(value, received);
    received += value.length;
    setProgress(received / total, `${(received / 1048576).toFixed(1)} of ${(total / 1048576).toFixed(1)} MB`);
  }
  return data.buffer.slice(0, received);
}

async function start() {
  if (typeof WebAssembly !== 'object') {
    fail('This browser cannot run the game: it has no WebAssembly.');
    return;
  }
  try {
    Module.wasmBinary = await download('tessarion.wasm');
  } catch (error) {
    fail(`The game could not be loaded: ${error.message}. Check the connection and reload the page.`);
    return;
  }
  $('status').textContent = 'Starting the game\u2026';
  const script = document.createElement('script');
  script.src = 'tessarion.js';
  script.onerror = () => fail('The game could not be loaded. Check the connection and reload the page.');
  document.body.append(script);
}

// Offline play: a service worker keeps the game's files once they have been loaded
// (only where the browser allows one: https, or a page on this computer's own server).
if ('serviceWorker' in navigator && (location.protocol === 'https:' || location.hostname === 'localhost' || location.hostname === '127.0.0.1')) {
  navigator.serviceWorker.register('sw.js').catch((error) => console.warn('Tessarion: no offline copy', error));
}

start();
