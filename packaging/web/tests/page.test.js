// Runs the page's script against a small stand-in for the browser and checks the language it
// speaks: chosen from the browser's list, every text of the page translated, and the help
// link going to the walk-through in that language. It needs the texts the build makes:
// node packaging/web/tests/page.test.js BUILD/web/page-texts.js
'use strict';

const assert = require('assert');
const fs = require('fs');
const path = require('path');
const vm = require('vm');

const webDir = path.join(__dirname, '..');
const html = fs.readFileSync(path.join(webDir, 'index.html'), 'utf8');
const script = fs.readFileSync(path.join(webDir, 'tessarion-page.js'), 'utf8');
if (!process.argv[2]) {
  console.log('FAIL name the page-texts.js the build made');
  process.exit(1);
}
const texts = fs.readFileSync(process.argv[2], 'utf8');

function element(attributes) {
  return {
    ...attributes, hidden: false, style: {}, dataset: {}, textContent: '', title: '',
    addEventListener() {}, append() {}, focus() {},
  };
}

// The elements of index.html as the script finds them: by id, by data-text or data-title, and
// the help links. Each element keeps its English text to compare with.
function parsePage() {
  const all = [];
  const tag = /<(\w+)([^>]*)>([^<]*)/g;
  for (let m; (m = tag.exec(html));) {
    const attrs = {};
    for (const [, name, value] of m[2].matchAll(/([\w-]+)="([^"]*)"/g)) attrs[name] = value;
    const e = element({ tagName: m[1], english: m[3].trim(), classList: (attrs.class || '').split(' ') });
    e.id = attrs.id;
    if (attrs['data-text']) e.dataset.text = attrs['data-text'];
    if (attrs['data-title']) { e.dataset.title = attrs['data-title']; e.title = attrs.title; }
    if (attrs.href !== undefined) e.href = attrs.href;
    all.push(e);
  }
  return all;
}

// Loads the page with the browser's language list and what the server answers, and lets its
// promises settle.
async function load(languages, { wasm = true, offline = false } = {}) {
  const page = parsePage();
  const fetched = [];
  const documentElement = { lang: 'en' };
  const sandbox = {
    addEventListener() {},
    navigator: { languages, language: languages[0] },
    location: { search: '', protocol: 'http:', hostname: 'example.test' },
    document: {
      documentElement,
      getElementById: (id) => page.find((e) => e.id === id) || element({}),
      querySelectorAll: (selector) => page.filter((e) => ({
        '[data-text]': e.dataset.text, '[data-title]': e.dataset.title, 'a.help': e.classList.includes('help'),
      })[selector]),
      createElement: () => element({}),
      body: element({}),
    },
    fetch: async (url, options) => {
      fetched.push(url);
      if (offline) throw new Error('offline');
      return new Promise(() => {});  // the game is still on its way
    },
    console: { error() {}, warn() {}, log() {} },
    URLSearchParams,
  };
  sandbox.window = sandbox;
  vm.createContext(sandbox);
  if (!wasm) vm.runInContext('delete globalThis.WebAssembly', sandbox);
  vm.runInContext(texts, sandbox);
  vm.runInContext(script, sandbox);
  for (let i = 0; i < 5; i += 1) await new Promise((resolve) => setImmediate(resolve));
  const byId = (id) => page.find((e) => e.id === id);
  return { page, byId, lang: documentElement.lang, fetched, helpLinks: page.filter((e) => e.classList.includes('help')) };
}

const tests = [];
const test = (name, fn) => tests.push([name, fn]);

test('the first language of the list the page speaks is chosen, English otherwise', async () => {
  const cases = [
    [['de-DE', 'en'], 'de'], [['fr-CA'], 'fr'], [['IT'], 'it'], [['es_419'], 'es'],
    [['pt-BR', 'es', 'de'], 'es'], [['en-GB', 'fr'], 'en'], [['nl', 'pl'], 'en'], [[], 'en'],
  ];
  for (const [languages, expected] of cases) {
    assert.strictEqual((await load(languages)).lang, expected, languages.join());
  }
});

test('every text of the page is translated, and the languages differ from each other', async () => {
  const seen = new Map();
  for (const language of ['en', 'de', 'fr', 'it', 'es']) {
    const { page } = await load([language]);
    const texts = page.filter((e) => e.dataset.text || e.dataset.title);
    assert.ok(texts.length >= 10, 'the page has its texts marked');
    for (const e of texts) {
      const shown = e.dataset.text ? e.textContent : e.title;
      assert.ok(shown && shown.length > 2, `${language}: ${e.dataset.text || e.dataset.title} is empty`);
      const key = e.dataset.text || e.dataset.title;
      if (language === 'en' && e.dataset.text) {
        assert.strictEqual(shown, e.english.replace('&hellip;', '\u2026').replace(/&gt;/g, '>'), key);
      }
      if (language !== 'en') assert.notStrictEqual(shown, seen.get(`en ${key}`), `${language}: ${key} is English`);
      seen.set(`${language} ${key}`, shown);
    }
  }
});

test('the help links go to the walk-through in the page\'s language', async () => {
  const german = await load(['de']);
  assert.deepStrictEqual(german.helpLinks.map((a) => a.href), ['web/tutorial.de.html', 'web/tutorial.de.html']);
  const english = await load(['en']);
  assert.ok(english.helpLinks.every((a) => a.href === 'web/tutorial.html'));
});

test('what goes wrong while loading is said in the page\'s language', async () => {
  assert.match((await load(['it'], { wasm: false })).byId('status').textContent, /browser non può eseguire/);
  const failed = await load(['es-ES'], { offline: true });
  assert.match(failed.byId('status').textContent, /^No se ha podido cargar el juego: offline\./);
  assert.strictEqual(failed.byId('bar').hidden, true);
});

(async () => {
  let failures = 0;
  for (const [name, fn] of tests) {
    try {
      await fn();
      console.log(`ok   ${name}`);
    } catch (e) {
      failures += 1;
      console.log(`FAIL ${name}\n     ${e && e.message}`);
    }
  }
  process.exitCode = failures ? 1 : 0;
})();
