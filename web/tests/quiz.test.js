// Checks the quiz's questions and marking, and that the three pages hang
// together offline in every language. It reads the pages the build gathers:
// node web/tests/quiz.test.js BUILD/web/pages
'use strict';

const assert = require('assert');
const fs = require('fs');
const path = require('path');

const webDir = path.resolve(process.argv[2] || path.join(__dirname, '..'));
if (!fs.existsSync(path.join(webDir, 'quiz-texts.js'))) {
  console.log('FAIL ' + webDir + ' holds no translated pages: name the build\'s web/pages folder');
  process.exit(1);
}
const quiz = require(path.join(webDir, 'quiz.js'));
const { QUESTIONS, score, mount } = quiz;
const read = (name) => fs.readFileSync(path.join(webDir, name), 'utf8');

let failures = 0;
function test(name, fn) {
  try {
    fn();
    console.log('ok   ' + name);
  } catch (e) {
    failures++;
    console.log('FAIL ' + name + '\n     ' + (e && e.message));
  }
}

const allRight = QUESTIONS.map((q) => q.answer);
const allWrong = QUESTIONS.map((q) => (q.answer + 1) % q.choices.length);

// Page text as a reader sees it: tags dropped, entities and blanks folded.
function visibleText(html) {
  return html
    .replace(/<(script|style)[^>]*>[\s\S]*?<\/\1>/gi, ' ')
    .replace(/<[^>]+>/g, ' ')
    .replace(/&middot;/g, '·').replace(/&amp;/g, '&').replace(/&quot;/g, '"')
    .replace(/\s+/g, ' ')
    .toLowerCase();
}

test('every question has one right answer among distinct choices', () => {
  assert.ok(QUESTIONS.length >= 12 && QUESTIONS.length <= 20, 'about fifteen questions');
  QUESTIONS.forEach((q, i) => {
    const where = 'question ' + (i + 1);
    assert.ok(typeof q.question === 'string' && q.question.trim(), where + ': no text');
    assert.ok(Array.isArray(q.choices) && q.choices.length >= 3, where + ': too few choices');
    const folded = q.choices.map((c) => String(c).trim().toLowerCase());
    assert.strictEqual(new Set(folded).size, folded.length, where + ': two choices are the same');
    assert.ok(folded.every((c) => c.length > 0), where + ': an empty choice');
    assert.ok(Number.isInteger(q.answer) && q.answer >= 0 && q.answer < q.choices.length,
      where + ': the answer is not one of the choices');
    assert.ok(typeof q.explanation === 'string' && q.explanation.trim() &&
      !/\n/.test(q.explanation), where + ': needs a one-line explanation');
  });
  // A quiz whose right answer is always the same letter can be gamed.
  assert.ok(new Set(allRight).size >= 3, 'right answers spread over the letters');
});

test('every question is answered somewhere in the study guide', () => {
  const guide = visibleText(read('guide.html'));
  QUESTIONS.forEach((q, i) => {
    assert.ok(q.inGuide && guide.includes(q.inGuide.toLowerCase()),
      'question ' + (i + 1) + ': the guide never mentions "' + q.inGuide + '"');
  });
});

test('full, empty and partial sheets are marked correctly', () => {
  const n = QUESTIONS.length;
  let r = score(allRight);
  assert.deepStrictEqual([r.correct, r.total], [n, n]);
  assert.ok(r.results.every((x) => x.right));

  r = score(allWrong);
  assert.deepStrictEqual([r.correct, r.total], [0, n]);
  assert.ok(r.results.every((x) => !x.right));

  // Right on the even questions only.
  const mixed = QUESTIONS.map((q, i) => (i % 2 === 0 ? allRight[i] : allWrong[i]));
  r = score(mixed);
  assert.strictEqual(r.correct, Math.ceil(n / 2));
  r.results.forEach((x, i) => assert.strictEqual(x.right, i % 2 === 0, 'question ' + (i + 1)));
  assert.deepStrictEqual(r.results.map((x) => x.chosen), mixed);
});

test('unanswered and invalid answers count as wrong', () => {
  const n = QUESTIONS.length;
  assert.strictEqual(score().correct, 0);
  assert.strictEqual(score(null).total, n);
  assert.strictEqual(score([]).correct, 0);
  assert.ok(score([]).results.every((x) => x.chosen === null && !x.right));

  // A sheet that stops early: the rest are unanswered.
  assert.strictEqual(score(allRight.slice(0, 3)).correct, 3);

  // Holes, out-of-range and malformed values are not answers.
  const sheet = allRight.slice();
  sheet[0] = null;
  sheet[1] = undefined;
  delete sheet[2];
  sheet[3] = QUESTIONS[3].choices.length + allRight[3];
  sheet[4] = allRight[4] + 0.5;
  sheet[5] = -1;
  sheet[6] = 'x' + allRight[6];
  sheet[7] = true;
  sheet[8] = [allRight[8]];
  const r = score(sheet);
  assert.strictEqual(r.correct, n - 9);
  for (let i = 0; i < 9; i++) {
    assert.strictEqual(r.results[i].chosen, null, 'value at ' + i + ' taken as an answer');
  }
});

test('answers read from radio buttons (strings) are marked like numbers', () => {
  const r = score(allRight.map(String));
  assert.strictEqual(r.correct, QUESTIONS.length);
  assert.strictEqual(score(allWrong.map(String)).correct, 0);
});

// Just enough of a DOM to run the page's own form code.
class Node {
  constructor(tag) {
    this.tagName = tag;
    this.childNodes = [];
    this.attributes = {};
    this.listeners = {};
    this.className = '';
    this._text = '';
  }
  get firstChild() { return this.childNodes[0] || null; }
  appendChild(c) { this.childNodes.push(c); c.parentNode = this; return c; }
  removeChild(c) { this.childNodes.splice(this.childNodes.indexOf(c), 1); return c; }
  setAttribute(k, v) { this.attributes[k] = String(v); }
  addEventListener(type, fn) { (this.listeners[type] = this.listeners[type] || []).push(fn); }
  click() { (this.listeners.click || []).forEach((fn) => fn({ target: this })); }
  get textContent() { return this._text + this.childNodes.map((c) => c.textContent).join(''); }
  set textContent(v) { this.childNodes = []; this._text = String(v); }
  all(pred, out = []) {
    if (pred(this)) out.push(this);
    this.childNodes.forEach((c) => c.all && c.all(pred, out));
    return out;
  }
}
const fakeDocument = {
  createElement: (tag) => new Node(tag),
  createTextNode: (text) => ({ textContent: String(text) }),
};

test('the page form marks a sheet and starts again', () => {
  const container = new Node('div');
  const page = mount(fakeDocument, container);
  const buttons = container.all((e) => e.tagName === 'button');
  const check = buttons.find((b) => b.textContent === 'Check my answers');
  const again = buttons.find((b) => b.textContent === 'Start again');
  assert.ok(check && again, 'both buttons are on the page');
  assert.ok(buttons.every((b) => b.type === 'button'), 'a submit button would reload the page');

  const radios = container.all((e) => e.tagName === 'input');
  assert.strictEqual(radios.length, QUESTIONS.reduce((s, q) => s + q.choices.length, 0));
  QUESTIONS.forEach((q, i) => {
    const group = radios.filter((r) => r.name === 'q' + i);
    assert.deepStrictEqual(group.map((r) => r.value), q.choices.map((_, j) => String(j)));
  });

  // Right on the first question, wrong on the second, the rest left blank.
  page.radios[0][allRight[0]].checked = true;
  page.radios[1][allWrong[1]].checked = true;
  check.click();
  const n = QUESTIONS.length;
  assert.ok(page.scoreBox.textContent.startsWith('You scored 1 out of ' + n + '.'),
    page.scoreBox.textContent);
  const sets = container.all((e) => e.tagName === 'fieldset');
  assert.deepStrictEqual(sets.slice(0, 3).map((f) => f.className),
    ['question right', 'question wrong', 'question wrong']);
  const verdicts = container.all((e) => e.className === 'verdict');
  assert.ok(verdicts[0].textContent.startsWith('Right.'));
  assert.ok(verdicts[1].textContent.includes(QUESTIONS[1].choices[QUESTIONS[1].answer]));
  assert.ok(verdicts[2].textContent.startsWith('Not answered.'));
  assert.ok(verdicts.every((v, i) => v.textContent.includes(QUESTIONS[i].explanation)));

  // Checking twice does not pile up verdicts.
  check.click();
  assert.strictEqual(verdicts[0].childNodes.length, 2);

  again.click();
  assert.strictEqual(page.scoreBox.textContent, '');
  assert.ok(radios.every((r) => !r.checked));
  assert.ok(sets.every((f) => f.className === 'question'));
  assert.ok(verdicts.every((v) => v.textContent === ''));

  QUESTIONS.forEach((q, i) => { page.radios[i][q.answer].checked = true; });
  check.click();
  assert.ok(page.scoreBox.textContent.startsWith('You scored ' + n + ' out of ' + n + '.'));
});

const LANGS = ['en', 'de', 'fr', 'it', 'es'];
const pageIn = (page, lang) => page + (lang === 'en' ? '' : '.' + lang) + '.html';
const quizTexts = require(path.join(webDir, 'quiz-texts.js'));
const translated = Object.fromEntries(LANGS.slice(1).map((l) => [l, quiz.translated(quizTexts[l])]));

test('every quiz page loads its texts and the script before using them', () => {
  for (const lang of LANGS) {
    const html = read(pageIn('quiz', lang));
    const texts = html.search(/<script\s+src="quiz-texts\.js"\s*>\s*<\/script>/);
    const src = html.search(/<script\s+src="quiz\.js"\s*>\s*<\/script>/);
    const use = html.indexOf('TessarionQuiz.mount(');
    assert.ok(texts >= 0 && src > texts, lang + ': the texts are not loaded before quiz.js');
    assert.ok(use > src, lang + ': the page calls the quiz before loading it');
    assert.ok(/id="quiz"/.test(html), lang + ': no place for the questions');
  }
});

// The catalogues give every text of the quiz: a text the page would look up in vain (a
// changed English text, a lost entry) would show in English.
test('every translation of the quiz is complete and answered by its own guide', () => {
  for (const [lang, t] of Object.entries(translated)) {
    assert.ok(quizTexts[lang], lang + ': no texts');
    const guide = visibleText(read(pageIn('guide', lang)));
    t.questions.forEach((q, i) => {
      const where = lang + ' question ' + (i + 1);
      const english = QUESTIONS[i];
      assert.notStrictEqual(q.question, english.question, where + ': the question is English');
      assert.notStrictEqual(q.explanation, english.explanation, where + ': the explanation is English');
      assert.strictEqual(new Set(q.choices).size, q.choices.length, where + ': two choices are the same');
      assert.ok(!/\n/.test(q.explanation), where + ': the explanation is not one line');
      assert.ok(guide.includes(q.inGuide.toLowerCase()),
        where + ': the ' + lang + ' guide never mentions "' + q.inGuide + '"');
    });
    for (const key of Object.keys(quiz.TEXTS)) {
      assert.ok(t.texts[key] !== quiz.TEXTS[key], lang + ': "' + key + '" left untranslated');
    }
  }
});

test('a translated quiz page marks in its own language', () => {
  const container = new Node('div');
  // As in the browser: the texts script has run, and the page says which language it is.
  globalThis.TessarionQuizTexts = quizTexts;
  const germanPage = Object.assign({ documentElement: { getAttribute: () => 'de' } }, fakeDocument);
  const page = mount(germanPage, container);
  delete globalThis.TessarionQuizTexts;
  const check = container.all((e) => e.tagName === 'button').find((b) => b.textContent === 'Antworten prüfen');
  assert.ok(check, 'no German check button');
  page.radios[0][allWrong[0]].checked = true;
  check.click();
  const verdicts = container.all((e) => e.className === 'verdict');
  assert.ok(verdicts[0].textContent.startsWith('Falsch. Die richtige Antwort: Maximinus Thrax.'),
    verdicts[0].textContent);
  assert.ok(page.scoreBox.textContent.startsWith('Du hast 0 von ' + QUESTIONS.length + ' Punkten.'));
});

test('every page links its siblings and languages and needs nothing from the network', () => {
  const pages = ['guide', 'quiz', 'tutorial'];
  for (const lang of LANGS) {
    for (const base of pages) {
      const page = pageIn(base, lang);
      const html = read(page);
      assert.ok(html.includes('<html lang="' + lang + '">'), page + ': wrong language');
      assert.ok(/<link rel="stylesheet" href="style\.css">/.test(html), page + ': no stylesheet');
      assert.ok(/<meta charset="utf-8">/i.test(html), page + ': no charset');
      assert.ok(/<script src="lang\.js"><\/script>/.test(html), page + ': cannot switch language');
      for (const other of pages) {
        assert.ok(html.includes('href="' + pageIn(other, lang) + '"'), page + ' does not link ' + other);
      }
      for (const l of LANGS) {
        assert.ok(html.includes('href="' + pageIn(base, l) + '?lang=' + l + '" hreflang="' + l + '"'),
          page + ' offers no ' + l);
      }
      // Every local reference must exist next to the page.
      const refs = [...html.matchAll(/\b(?:href|src)="([^"#?]+)/g)].map((m) => m[1]);
      for (const ref of refs) {
        assert.ok(!/^[a-z]+:|^\/\//i.test(ref), page + ' fetches ' + ref);
        assert.ok(fs.existsSync(path.join(webDir, ref)), page + ' refers to missing ' + ref);
        const other = /^([a-z]+)(?:\.([a-z]{2}))?\.html$/.exec(ref);
        assert.ok(!other || (other[2] || 'en') === lang || html.includes('hreflang="' + (other[2] || 'en') + '"'),
          page + ' leads to another language through ' + ref);
      }
      // Same-page anchors must point at something.
      for (const m of html.matchAll(/href="#([^"]+)"/g)) {
        assert.ok(html.includes('id="' + m[1] + '"'), page + ': no target for #' + m[1]);
      }
    }
  }
  const css = read('style.css');
  assert.ok(!/@import|url\(/i.test(css), 'style.css fetches something');
});

test('the reader\'s language is picked from the address, the kept choice, then the browser', () => {
  const { pickLanguage, pageIn: pageFor } = require(path.join(webDir, 'lang.js'));
  assert.strictEqual(pickLanguage(null, null, ['de-AT', 'en']), 'de');
  assert.strictEqual(pickLanguage(null, null, ['pt', 'fr']), 'fr');
  assert.strictEqual(pickLanguage(null, null, ['pt']), 'en');
  assert.strictEqual(pickLanguage(null, null, ['en-GB', 'it']), 'en', 'English asked for first');
  assert.strictEqual(pickLanguage(null, null, undefined), 'en');
  assert.strictEqual(pickLanguage(null, 'es', ['de']), 'es', 'a kept choice wins');
  assert.strictEqual(pickLanguage(null, 'en', ['de']), 'en', 'English kept on purpose');
  assert.strictEqual(pickLanguage('it', 'es', ['de']), 'it', 'the address wins');
  assert.strictEqual(pickLanguage('xx', 'zz', ['ES-mx']), 'es', 'unknown choices are ignored');
  assert.strictEqual(pageFor('guide.html', 'fr'), 'guide.fr.html');
  assert.strictEqual(pageFor('quiz.de.html', 'en'), 'quiz.html');
});

// A page as the browser opens it: its address, language and the reader's settings.
function openPage(file, { lang = 'en', search = '', stored = null, languages = [] } = {}) {
  const store = new Map(stored ? [['tessarion.language', stored]] : []);
  const win = {
    location: { pathname: '/games/tessarion/web/' + file, search, hash: '#crisis', replace(to) { win.movedTo = to; } },
    navigator: { languages },
    localStorage: { getItem: (k) => (store.has(k) ? store.get(k) : null), setItem: (k, v) => store.set(k, v) },
    document: {
      documentElement: { getAttribute: () => lang },
      addEventListener: (type, fn) => { win.onclick = fn; },
    },
    movedTo: null,
  };
  require(path.join(webDir, 'lang.js')).start(win);
  return { win, store };
}

test('an English page moves to the reader\'s language unless English was chosen', () => {
  assert.strictEqual(openPage('guide.html', { languages: ['de-AT', 'en'] }).win.movedTo, 'guide.de.html#crisis');
  assert.strictEqual(openPage('quiz.html', { languages: ['pt'] }).win.movedTo, null);
  assert.strictEqual(openPage('quiz.html', { stored: 'en', languages: ['fr'] }).win.movedTo, null);
  assert.strictEqual(openPage('quiz.html', { search: '?lang=en', languages: ['fr'] }).win.movedTo, null);
  // A translated page stays put: the reader got there on purpose.
  assert.strictEqual(openPage('tutorial.it.html', { lang: 'it', stored: 'es' }).win.movedTo, null);

  // The address's choice is kept, and so is a click in the language bar.
  const { win, store } = openPage('guide.es.html', { lang: 'es', search: '?lang=es' });
  assert.strictEqual(store.get('tessarion.language'), 'es');
  win.onclick({ target: { closest: () => ({ getAttribute: () => 'en' }) } });
  assert.strictEqual(store.get('tessarion.language'), 'en');
  win.onclick({ target: { closest: () => null } });
  assert.strictEqual(store.get('tessarion.language'), 'en', 'other clicks change nothing');
});

if (failures > 0) {
  console.log(failures + ' test(s) failed');
  process.exit(1);
}
console.log('all tests passed');
