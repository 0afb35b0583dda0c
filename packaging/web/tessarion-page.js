// The page around the game: loading with progress, the save folder kept in the browser's
// IndexedDB, downloading and adding saved games, the end of the game, and offline play.
'use strict';

const SAVES = '/saves';
const $ = (id) => document.getElementById(id);
const canvas = $('canvas');

// --- The page's words in the player's language. The game's own menus are named as the game
// shows them in that language (File > Save is Datei > Speichern in German).
const TEXTS = {
  en: {
    loading: 'Loading the game\u2026',
    starting: 'Starting the game\u2026',
    progress: (got, total) => `${got} of ${total} MB`,
    help: 'How to play',
    turn: 'Turn your device sideways: the map of the empire needs a wide screen.',
    ended: 'You have left the game. You can close this tab now.',
    again: 'Play again',
    saves: 'Saved games',
    savesHint: 'Download your saved games, or add one from this computer',
    noSaves: 'No saved games yet: File > Save in the game makes one.',
    add: 'Add a saved game from this computer:',
    thenLoad: 'Then open it with File > Load.',
    close: 'Close',
    download: 'Download',
    tooLarge: (name) => `${name} is too large to be a saved game.`,
    stopped: (what) => `The game stopped unexpectedly (${what}). Reload the page to start again.`,
    noWasm: 'This browser cannot run the game: it has no WebAssembly.',
    notLoaded: 'The game could not be loaded. Check the connection and reload the page.',
    notLoadedWhy: (why) => `The game could not be loaded: ${why}. Check the connection and reload the page.`,
  },
  de: {
    loading: 'Das Spiel wird geladen\u2026',
    starting: 'Das Spiel startet\u2026',
    progress: (got, total) => `${got} von ${total} MB`,
    help: 'So wird gespielt',
    turn: 'Dreh dein Gerät quer: Die Karte des Reiches braucht einen breiten Bildschirm.',
    ended: 'Du hast das Spiel verlassen. Du kannst diesen Tab jetzt schließen.',
    again: 'Noch einmal spielen',
    saves: 'Gespeicherte Spiele',
    savesHint: 'Gespeicherte Spiele herunterladen oder eines von diesem Computer hinzufügen',
    noSaves: 'Noch keine gespeicherten Spiele: Datei > Speichern im Spiel legt eines an.',
    add: 'Ein gespeichertes Spiel von diesem Computer hinzufügen:',
    thenLoad: 'Öffne es dann mit Datei > Laden.',
    close: 'Schließen',
    download: 'Herunterladen',
    tooLarge: (name) => `${name} ist zu groß für ein gespeichertes Spiel.`,
    stopped: (what) => `Das Spiel wurde unerwartet beendet (${what}). Lade die Seite neu, um von vorn zu beginnen.`,
    noWasm: 'Dieser Browser kann das Spiel nicht ausführen: Ihm fehlt WebAssembly.',
    notLoaded: 'Das Spiel konnte nicht geladen werden. Prüfe die Verbindung und lade die Seite neu.',
    notLoadedWhy: (why) => `Das Spiel konnte nicht geladen werden: ${why}. Prüfe die Verbindung und lade die Seite neu.`,
  },
  fr: {
    loading: 'Chargement du jeu\u2026',
    starting: 'Lancement du jeu\u2026',
    progress: (got, total) => `${got} sur ${total} Mo`,
    help: 'Comment jouer',
    turn: 'Tournez votre appareil : la carte de l\u2019Empire demande un écran large.',
    ended: 'Vous avez quitté le jeu. Vous pouvez maintenant fermer cet onglet.',
    again: 'Rejouer',
    saves: 'Parties enregistrées',
    savesHint: 'Télécharger vos parties enregistrées, ou en ajouter une depuis cet ordinateur',
    noSaves: 'Aucune partie enregistrée pour l\u2019instant : Fichier > Enregistrer, dans le jeu, en crée une.',
    add: 'Ajouter une partie enregistrée depuis cet ordinateur :',
    thenLoad: 'Ouvrez-la ensuite avec Fichier > Charger.',
    close: 'Fermer',
    download: 'Télécharger',
    tooLarge: (name) => `${name} est trop gros pour être une partie enregistrée.`,
    stopped: (what) => `Le jeu s\u2019est arrêté de façon inattendue (${what}). Rechargez la page pour recommencer.`,
    noWasm: 'Ce navigateur ne peut pas faire tourner le jeu : il ne connaît pas WebAssembly.',
    notLoaded: 'Le jeu n\u2019a pas pu être chargé. Vérifiez la connexion et rechargez la page.',
    notLoadedWhy: (why) => `Le jeu n\u2019a pas pu être chargé : ${why}. Vérifiez la connexion et rechargez la page.`,
  },
  it: {
    loading: 'Caricamento del gioco\u2026',
    starting: 'Avvio del gioco\u2026',
    progress: (got, total) => `${got} di ${total} MB`,
    help: 'Come si gioca',
    turn: 'Gira il dispositivo in orizzontale: la mappa dell\u2019impero ha bisogno di uno schermo largo.',
    ended: 'Sei uscito dal gioco. Ora puoi chiudere questa scheda.',
    again: 'Gioca di nuovo',
    saves: 'Partite salvate',
    savesHint: 'Scarica le partite salvate, o aggiungine una da questo computer',
    noSaves: 'Ancora nessuna partita salvata: la crea File > Salva nel gioco.',
    add: 'Aggiungi una partita salvata da questo computer:',
    thenLoad: 'Poi aprila con File > Carica.',
    close: 'Chiudi',
    download: 'Scarica',
    tooLarge: (name) => `${name} è troppo grande per essere una partita salvata.`,
    stopped: (what) => `Il gioco si è fermato all\u2019improvviso (${what}). Ricarica la pagina per ricominciare.`,
    noWasm: 'Questo browser non può eseguire il gioco: non supporta WebAssembly.',
    notLoaded: 'Non è stato possibile caricare il gioco. Controlla la connessione e ricarica la pagina.',
    notLoadedWhy: (why) => `Non è stato possibile caricare il gioco: ${why}. Controlla la connessione e ricarica la pagina.`,
  },
  es: {
    loading: 'Cargando el juego\u2026',
    starting: 'Iniciando el juego\u2026',
    progress: (got, total) => `${got} de ${total} MB`,
    help: 'Cómo se juega',
    turn: 'Gira el dispositivo en horizontal: el mapa del Imperio necesita una pantalla ancha.',
    ended: 'Has salido del juego. Ya puedes cerrar esta pestaña.',
    again: 'Jugar otra vez',
    saves: 'Partidas guardadas',
    savesHint: 'Descarga tus partidas guardadas o añade una desde este ordenador',
    noSaves: 'Aún no hay partidas guardadas: Archivo > Guardar, en el juego, crea una.',
    add: 'Añadir una partida guardada desde este ordenador:',
    thenLoad: 'Luego ábrela con Archivo > Cargar.',
    close: 'Cerrar',
    download: 'Descargar',
    tooLarge: (name) => `${name} es demasiado grande para ser una partida guardada.`,
    stopped: (what) => `El juego se ha detenido de forma inesperada (${what}). Recarga la página para empezar de nuevo.`,
    noWasm: 'Este navegador no puede ejecutar el juego: no tiene WebAssembly.',
    notLoaded: 'No se ha podido cargar el juego. Comprueba la conexión y recarga la página.',
    notLoadedWhy: (why) => `No se ha podido cargar el juego: ${why}. Comprueba la conexión y recarga la página.`,
  },
};

// The first language of the browser's list that the page speaks ("de-AT" is German); English
// when it speaks none of them.
function pageLanguage(preferred) {
  for (const tag of preferred || []) {
    const code = String(tag).toLowerCase().split(/[-_]/)[0];
    if (Object.hasOwn(TEXTS, code)) return code;
  }
  return 'en';
}

const language = pageLanguage(navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language]);
const text = TEXTS[language];

// Each language's "How to play" beside the game; the English walk-through of the first turns
// where the page of that language is missing (or the browser is offline without it).
function linkHelp() {
  const links = document.querySelectorAll('a.help');
  if (language === 'en') return;
  const page = `how-to-play.${language}.html`;
  for (const link of links) link.href = page;
  fetch(page, { method: 'HEAD' })
    .then((response) => response.ok)
    .catch(() => false)
    .then((found) => {
      if (!found) for (const link of links) link.href = 'web/tutorial.html';
    });
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
    alert(text.tooLarge(file.name));
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
  onAbort: (what) => fail(text.stopped(what)),
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
    setProgress(received / total, text.progress(megabytes(received), megabytes(total)));
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
    fail(text.notLoadedWhy(error.message));
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
