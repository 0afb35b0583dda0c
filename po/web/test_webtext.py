#!/usr/bin/env python3
"""Checks how the web pages are cut into texts and made again in another language.

    python3 po/web/test_webtext.py
"""

import io
import json
import runpy
import sys
import tempfile
import types
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import webtext  # noqa: E402

# po/web/check has no .py ending: run it by its path (its main() is left alone).
webcheck = types.SimpleNamespace(**runpy.run_path(str(HERE / "check"), run_name="webcheck"))

PAGE = """<!DOCTYPE html>
<html lang="en">
<head><title>A title</title>
<script>var x = "<p>Not a text</p>";</script></head>
<body>
<nav class="pages" aria-label="Pages">
  <a href="guide.html">Guide</a> &middot; <a href="quiz.html" aria-current="page">Quiz</a>
</nav>
<nav class="languages">
  <a href="guide.html?lang=en" hreflang="en" lang="en" aria-current="true">English</a>
  <a href="guide.de.html?lang=de" hreflang="de" lang="de">Deutsch</a>
</nav>
<p>Read the <a href="guide.html#crisis">study
   guide</a>, then <em>try</em>.</p>
<p translate="no">Tessarion</p>
<ul><li>One</li><li data-context="menu item">Help</li><li>1</li></ul>
<svg><text x="1"><tspan>File</tspan><tspan dx="14">Options</tspan></text></svg>
<div class="body">Princeps,<br>
Yes</div>
</body>
</html>
"""

GERMAN = {
    (None, "A title"): "Ein Titel",
    (None, "Pages"): 'Die "Seiten"',
    (None, "Guide"): "Lernhilfe",
    (None, "Read the <a href=\"guide.html#crisis\">study guide</a>, then <em>try</em>."):
        "Lies die <a href=\"guide.html#crisis\">Lernhilfe</a> und <em>versuche</em> es dann.",
    ("menu item", "Help"): "Hilfethemen",
    (None, "Help"): "Hilfe",
    (None, "Princeps,<br>Yes"): "Princeps,<br>Ja",
}


def german(html=PAGE):
    page = webtext.Page(html)
    made = page.translate(lambda context, msgid: GERMAN.get((context, msgid)))
    return webtext.localise(made, "de", ["guide.html", "quiz.html", "tutorial.html"])


class Cutting(unittest.TestCase):
    def test_a_page_is_cut_into_what_a_reader_sees(self):
        found = [(c, m) for c, m, _ in webtext.Page(PAGE).entries()]
        self.assertEqual(found, [
            (None, "A title"), (None, "Pages"), (None, "Guide"), (None, "Quiz"),
            (None, 'Read the <a href="guide.html#crisis">study guide</a>, then <em>try</em>.'),
            (None, "One"), ("menu item", "Help"), (None, "File"), (None, "Options"),
            (None, "Princeps,<br>Yes")])

    def test_each_text_names_its_line(self):
        lines = {m: line for _, m, line in webtext.Page(PAGE).entries()}
        self.assertEqual(lines["A title"], 3)
        self.assertEqual(lines["Options"], 17)

    def test_the_pages_come_back_unchanged_without_translations(self):
        web = HERE.parent.parent / "web"
        for master in sorted(web.glob("*.html")) + [None]:
            html = master.read_text(encoding="utf-8") if master else PAGE
            again = webtext.Page(html).translate(lambda context, msgid: None)
            self.assertEqual(again, html, master)


class Making(unittest.TestCase):
    def test_texts_and_attributes_are_translated_in_place(self):
        html = german()
        self.assertIn("<title>Ein Titel</title>", html)
        self.assertIn('aria-label="Die &quot;Seiten&quot;"', html)
        self.assertIn('<li data-context="menu item">Hilfethemen</li>', html)
        self.assertIn("<em>versuche</em> es dann.</p>", html)
        self.assertIn('<div class="body">Princeps,<br>Ja</div>', html)
        # No translation: the English stays, and so does what is not a text.
        self.assertIn('aria-current="page">Quiz</a>', html)
        self.assertIn("<tspan>File</tspan>", html)
        self.assertIn('var x = "<p>Not a text</p>";', html)
        self.assertIn('<p translate="no">Tessarion</p>', html)
        self.assertIn("<li>1</li>", html)

    def test_a_translated_page_speaks_its_own_language(self):
        html = german()
        self.assertIn('<html lang="de">', html)
        self.assertIn('<a href="guide.de.html">Lernhilfe</a> &middot; <a href="quiz.de.html"', html)
        self.assertIn('<a href="guide.de.html#crisis">Lernhilfe</a>', html)
        # The language bar still offers English, and marks German as the page's language.
        self.assertIn('<a href="guide.html?lang=en" hreflang="en" lang="en">English</a>', html)
        self.assertIn('hreflang="de" lang="de" aria-current="true">Deutsch</a>', html)
        self.assertEqual(html.count('aria-current="true"'), 1)

    def test_the_layout_around_a_text_is_kept(self):
        html = german()
        self.assertIn('<nav class="pages" aria-label="Die &quot;Seiten&quot;">\n  <a href', html)
        # Only the texts that ran over two lines (the guide link, the box) are one line now.
        self.assertEqual(html.count("\n"), PAGE.count("\n") - 2)


class Catalogues(unittest.TestCase):
    def write(self, text):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        path = Path(folder.name) / "de.po"
        path.write_text(text, encoding="utf-8")
        return path

    def test_a_catalogue_is_read_as_msgfmt_would(self):
        po = self.write('msgid ""\nmsgstr "Language: de\\n"\n\n'
                        '#: web/quiz.js:3\nmsgid "Say \\"yes\\"\\n"\n"twice"\n'
                        'msgstr ""\n"Sag \\"ja\\"\\n"\n"zweimal"\n\n'
                        'msgctxt "menu item"\nmsgid "Help"\nmsgstr "Hilfethemen"\n\n'
                        '#, fuzzy\nmsgid "Old"\nmsgstr "Alt"\n\n'
                        'msgid "Empty"\nmsgstr ""\n\n'
                        '#~ msgid "Gone"\n#~ msgstr "Weg"\n')
        self.assertEqual(webtext.translations(po), {
            (None, 'Say "yes"\ntwice'): 'Sag "ja"\nzweimal',
            ("menu item", "Help"): "Hilfethemen"})
        first = webtext.read_po(po)[0]
        self.assertEqual(first["references"], ["web/quiz.js:3"])
        self.assertEqual([e["msgid"] for e in webtext.read_po(po)],
                         ['Say "yes"\ntwice', "Help", "Old", "Empty"])

    def test_the_template_holds_each_text_once_with_all_its_places(self):
        with tempfile.TemporaryDirectory() as folder:
            for name in ("a.html", "b.html"):
                (Path(folder) / name).write_text(PAGE, encoding="utf-8")
            out = io.StringIO()
            webtext.write_pot([str(Path(folder) / n) for n in ("a.html", "b.html")], out)
        pot = out.getvalue()
        self.assertEqual(pot.count('msgid "Guide"'), 1)
        self.assertRegex(pot, r"#: \S*a\.html:7 \S*b\.html:7\nmsgid \"Guide\"")
        self.assertIn('msgctxt "menu item"\nmsgid "Help"', pot)
        self.assertIn('msgid "Read the <a href=\\"guide.html#crisis\\">study guide</a>', pot)

    def test_a_script_takes_only_its_own_texts(self):
        po = self.write('msgid ""\nmsgstr "Language: de\\n"\n\n'
                        '#: web/quiz.js:3\nmsgid "Right."\nmsgstr "Richtig."\n\n'
                        '#: web/quiz.js:9\nmsgctxt "study guide words"\nmsgid "Shapur I"\n'
                        'msgstr "Schapur I."\n\n'
                        '#: web/guide.html:4\nmsgid "Guide"\nmsgstr "Lernhilfe"\n')
        out = po.parent / "quiz-texts.js"
        webtext.make_script_texts(out, "web/quiz.js", [po], "TessarionQuizTexts")
        script = out.read_text(encoding="utf-8")
        start = script.index("var texts = ") + len("var texts = ")
        texts = json.loads(script[start:script.index(";\n", start)])
        self.assertEqual(texts, {"de": {"Right.": "Richtig.",
                                        "study guide words\u0004Shapur I": "Schapur I."}})
        self.assertIn("root.TessarionQuizTexts = texts;", script)


class Checking(unittest.TestCase):
    def test_a_translation_keeps_the_markup_in_any_order(self):
        english = 'Read the <a href="guide.html">guide</a>, then <em>try</em>.'
        self.assertEqual(webcheck.markup(english),
                         webcheck.markup('<em>Versuche</em> es nach der <a href="guide.html">Lernhilfe</a>.'))
        self.assertNotEqual(webcheck.markup(english),
                            webcheck.markup('Lies die <a href="guide.de.html">Lernhilfe</a>, <em>dann</em>.'))
        self.assertNotEqual(webcheck.markup(english), webcheck.markup("Lies die Lernhilfe."))
        # Line breaks fall where each language needs them.
        self.assertEqual(webcheck.markup("A,<br><br>B<br>C"), webcheck.markup("A,<br><br>B C"))

    def test_the_placeholders_stay(self):
        self.assertEqual(webcheck.placeholders("You scored {correct} out of {total}."),
                         webcheck.placeholders("{total}: {correct}"))
        self.assertNotEqual(webcheck.placeholders("You scored {correct} out of {total}."),
                            webcheck.placeholders("Du hast {correct} von {totl}."))


if __name__ == "__main__":
    unittest.main()
