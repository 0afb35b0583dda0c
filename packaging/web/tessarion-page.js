// The page around the game: loading with progress, the save folder kept in the browser's
// IndexedDB, downloading and adding saved games, the end of the game, and offline play.
'use strict';

const SAVES = '/saves';
const $ = (id) => document.getElementById(id);
const canvas = $('canvas');

// --- The page's words in the player's language: the English here, the other languages'
// from page-texts.js (made from po/web/LANG.po when the game is built), looked up by their
// English. The game's own menus are named as the game shows them in that language (File >
// Save is Datei > Speichern in German). {got}, {name} and the like are filled in by fill().
const N_ = (english) => english;
const ENGLISH = {
  loading: N_('Loading the game\u2026'),
  starting: N_('Starting the game\u2026'),
  progress: N_('{got} of {total} MB'),
  help: N_('How to play'),
  turn: N_('Turn your device sideways: the map of the empire needs a wide screen.'),
  ended: N_('You have left the game. You can close this tab now.'),
  again: N_('Play again'),
  saves: N_('Saved games'),
  savesHint: N_('Download your saved games, or add one from this computer'),
  noSaves: N_('No saved games yet: File > Save in the game makes one.'),
  add: N_('Add a saved game from this computer:'),
  thenLoad: N_('Then open it with File > Load.'),
  close: N_('Close'),
  download: N_('Download'),
  tooLarge: N_('{name} is too large to be a saved game.'),
  stopped: N_('The game stopped unexpectedly ({what}). Reload the page to start again.'),
  noWasm: N_('This browser cannot run the game: it has no WebAssembly.'),
  notLoaded: N_('The game could not be loaded. Check the connection and reload the page.'),
  notLoadedWhy: N_('The game could not be loaded: {why}. Check the connection and reload the page.'),
};
const TRANSLATIONS = globalThis.TessarionPageTexts || {};

// The first language of the browser's list that the page speaks ("de-AT" is German); English
// when it speaks none of them.
function pageLanguage(preferred) {
  for (const tag of preferred || []) {
    const code = String(tag).toLowerCase().split(/[-_]/)[0];
    if (code === 'en' || Object.hasOwn(TRANSLATIONS, code)) return code;
  }
  return 'en';
}

const language = pageLanguage(navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language]);
const text = Object.fromEntries(Object.entries(ENGLISH).map(
  ([key, english]) => [key, (TRANSLATIONS[language] || {})[english] || english]));
const fill = (format, values) => format.replace(/\{(\w+)\}/g, (all, name) => values[name] ?? all);

// "How to play" is the walk-through of the first turns, in the page's language: the game's
// site holds it in every language the game speaks.
function linkHelp() {
  if (language === 'en') return;
  for (const link of document.querySelectorAll('a.help')) link.href = `web/tutorial.${language}.html`;
}

function translatePage() {
  document.documentElement.lang = language;
  for (const element of document.querySelectorAll('[data-text]')) element.textContent = text[element.dataset.text];
  for (const element of document.querySelectorAll('[data-title]')) element.title = text[element.dataset.title];
  linkHelp();
}
translatePage();

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
    link.textContent = text.download;
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
    alert(fill(text.tooLarge, { name: file.name }));
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
  onAbort: (what) => fail(fill(text.stopped, { what })),
};

// Megabytes to one decimal, written as the page's language writes them (12.5 or 12,5).
const megabytes = (bytes) =>
  (bytes / 1048576).toLocaleString(language, { minimumFractionDigits: 1, maximumFractionDigits: 1 });

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
    setProgress(received / total, fill(text.progress, { got: megabytes(received), total: megabytes(total) }));
  }
  return data.buffer.slice(0, received);
}

async function start() {
  if (typeof WebAssembly !== 'object') {
    fail(text.noWasm);
    return;
  }
  try {
    Module.wasmBinary = await download('tessarion.wasm');
  } catch (error) {
    fail(fill(text.notLoadedWhy, { why: error.message }));
    return;
  }
  $('status').textContent = text.starting;
  const script = document.createElement('script');
  script.src = 'tessarion.js';
  script.onerror = () => fail(text.notLoaded);
  document.body.append(script);
}

// Offline play: a service worker keeps the game's files once they have been loaded
// (only where the browser allows one: https, or a page on this computer's own server).
if ('serviceWorker' in navigator && (location.protocol === 'https:' || location.hostname === 'localhost' || location.hostname === '127.0.0.1')) {
  navigator.serviceWorker.register('sw.js').catch((error) => console.warn('Tessarion: no offline copy', error));
}

start();
