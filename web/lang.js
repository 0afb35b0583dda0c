/* Tessarion pages in the reader's language.
 *
 * Every page has a language bar whose links carry "?lang=xx". A choice made
 * there, or given in the address, is kept in localStorage and wins. Otherwise
 * an English page moves to its translation when the browser's preferred
 * languages (navigator.languages) name one of ours before English.
 * Node can require() this file to check the picking.
 */
(function (root) {
  'use strict';

  var LANGUAGES = ['en', 'de', 'fr', 'it', 'es'];
  var STORAGE_KEY = 'tessarion.language';

  // "de-AT" and "DE_at" both mean "de"; anything we do not speak gives null.
  function supported(code) {
    if (typeof code !== 'string') {
      return null;
    }
    var primary = code.trim().toLowerCase().split(/[-_]/)[0];
    return LANGUAGES.indexOf(primary) >= 0 ? primary : null;
  }

  // explicit: the address's ?lang=, stored: the kept choice, preferred: the
  // browser's list, most wanted first.
  function pickLanguage(explicit, stored, preferred) {
    var chosen = supported(explicit) || supported(stored);
    if (chosen) {
      return chosen;
    }
    var list = preferred || [];
    for (var i = 0; i < list.length; i++) {
      var code = supported(list[i]);
      if (code) {
        return code;
      }
    }
    return 'en';
  }

  // "guide.html" or "guide.fr.html" in the given language.
  function pageIn(file, language) {
    var base = file.replace(/(\.[a-z]{2})?\.html$/, '');
    return base + (language === 'en' ? '' : '.' + language) + '.html';
  }

  function readStored(storage) {
    try {
      return storage ? storage.getItem(STORAGE_KEY) : null;
    } catch (e) {
      return null;  // storage may be refused for local files
    }
  }

  function keep(storage, language) {
    try {
      if (storage && supported(language)) {
        storage.setItem(STORAGE_KEY, supported(language));
      }
    } catch (e) {
      // The choice still holds for this visit through the address.
    }
  }

  // Runs in each page's head: keeps an explicit choice and sends a reader
  // of an English page on to their language.
  function start(win) {
    var doc = win.document;
    var storage = null;
    try {
      storage = win.localStorage;
    } catch (e) {
      storage = null;
    }
    var match = /[?&]lang=([^&#]*)/.exec(win.location.search || '');
    var explicit = match ? decodeURIComponent(match[1]) : null;
    keep(storage, explicit);

    doc.addEventListener('click', function (event) {
      var link = event.target && event.target.closest ? event.target.closest('a[hreflang]') : null;
      if (link) {
        keep(storage, link.getAttribute('hreflang'));
      }
    });

    var here = doc.documentElement.getAttribute('lang') || 'en';
    if (here !== 'en') {
      return;
    }
    var nav = win.navigator || {};
    var wanted = pickLanguage(explicit, readStored(storage),
      nav.languages || (nav.language ? [nav.language] : []));
    if (wanted !== 'en') {
      var file = win.location.pathname.split('/').pop() || 'guide.html';
      win.location.replace(pageIn(file, wanted) + (win.location.hash || ''));
    }
  }

  var api = { LANGUAGES: LANGUAGES, pickLanguage: pickLanguage, pageIn: pageIn, start: start };
  if (typeof module !== 'undefined' && module.exports) {
    module.exports = api;
  } else {
    root.TessarionLanguage = api;
    start(root);
  }
})(typeof window !== 'undefined' ? window : this);
