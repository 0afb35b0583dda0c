#!/usr/bin/env python3
"""The web pages' texts for translators, and the pages made back from their catalogues.

The English pages in web/ are the masters. A page is cut into the texts a reader
sees: each run of words with its inline markup (a paragraph, a heading, a list
item, a label in a picture) and the attributes a reader meets (title, alt,
aria-label). Those are the catalogue's entries; everything else (the layout,
the scripts, the ids) stays the master's.

    webtext.py pot PAGE...                      the entries of the pages, as a template
    webtext.py page --po LANG.po --out DIR PAGE...
                                                each page in the catalogue's language:
                                                guide.html gives DIR/guide.LANG.html
    webtext.py script --out FILE --name NAME JS LANG.po...
                                                the texts of the script JS in every
                                                language, as a script that sets NAME
    webtext.py units PAGE                       the entries of one page, one a line (for checks)

What is not an entry: words in an element marked translate="no" or with a lang of
its own (the language bar's "Deutsch", "Français"), scripts and styles, and texts
without a letter (years, the numbers in the pictures). Where two places say the same
English but a language needs two words, data-context="..." on the element gives its
texts a context (msgctxt).

A translated page speaks its own language: <html lang>, its links to the other
pages go to their translations, and its language bar marks it as current. The
translators write none of that; they keep the English markup in their texts
(po/web/check holds them to it).

Why not po4a's xhtml module: it would put the language bar, <html lang> and every
link to a sibling page into the translators' texts, to be edited by hand in each
language, and it has nothing for the quiz's script. This needs only Python, which
the build runs anyway.
"""

import argparse
import json
import re
import sys
from pathlib import Path

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param",
        "source", "track", "wbr"}
RAW = {"script", "style"}
INLINE = {"a", "abbr", "b", "bdi", "br", "cite", "code", "data", "dfn", "em", "i", "kbd", "mark",
          "q", "s", "samp", "small", "span", "strong", "sub", "sup", "time", "tspan", "u", "var",
          "wbr"}
ATTRIBUTES = ("title", "alt", "aria-label", "placeholder")
TOKEN = re.compile(r"<!--.*?-->|<![^>]*>|</?[a-zA-Z][^>]*>|[^<]+|<", re.S)
ATTRIBUTE = re.compile(r'([a-zA-Z:-]+)(?:="([^"]*)")?')


class Element:
    def __init__(self, tag, attrs, start):
        self.tag, self.attrs, self.start = tag, attrs, start
        self.end = start
        self.children = []  # Elements, or the index of a text or comment token


def tokenize(html):
    """[(kind, text)], kind one of start, end, text, other; a script's body is one text."""
    tokens, pos = [], 0
    while pos < len(html):
        m = TOKEN.match(html, pos)
        text = m.group(0)
        pos = m.end()
        if text.startswith("</"):
            tokens.append(("end", text))
        elif text.startswith("<!") or text == "<":
            tokens.append(("other" if text != "<" else "text", text))
        elif text.startswith("<"):
            tokens.append(("start", text))
            name = tag_name(text)
            if name in RAW:
                close = html.lower().find("</" + name, pos)
                close = len(html) if close < 0 else close
                tokens.append(("raw", html[pos:close]))
                pos = close
        else:
            tokens.append(("text", text))
    return tokens


def tag_name(text):
    return re.match(r"</?([a-zA-Z0-9-]+)", text).group(1).lower()


def attributes(text):
    inner = re.sub(r"^<[a-zA-Z0-9-]+|/?>$", "", text)
    return {m.group(1).lower(): m.group(2) for m in ATTRIBUTE.finditer(inner)}


def parse(tokens):
    """The element tree over the tokens; the root holds the whole document."""
    root = Element("#document", {}, -1)
    stack = [root]
    for i, (kind, text) in enumerate(tokens):
        if kind == "start":
            element = Element(tag_name(text), attributes(text), i)
            stack[-1].children.append(element)
            if element.tag not in VOID and not text.endswith("/>"):
                stack.append(element)
        elif kind == "end":
            name = tag_name(text)
            while len(stack) > 1:
                element = stack.pop()
                element.end = i
                if element.tag == name:
                    break
        else:
            stack[-1].children.append(i)
    root.end = len(tokens)
    return root


def readable(html):
    """The words of some markup: tags and character references left out."""
    return re.sub(r"&#?\w+;", " ", re.sub(r"<[^>]*>", " ", html))


def has_words(html):
    return any(ch.isalpha() for ch in readable(html))


def squeeze(text):
    """Blanks as the browser shows them: each run one space, none around a line break."""
    return re.sub(r"\s*(<br\s*/?>)\s*", r"\1", re.sub(r"\s+", " ", text)).strip()


class Page:
    """A master page cut into its texts: units[i] = (first token, last token, context,
    msgid) and attribute_units[token] = [(name, context, msgid)]. An element's
    data-context names the context of the texts in it, for a text that two places of
    the pages say alike in English but not in every language."""

    def __init__(self, html):
        self.tokens = tokenize(html)
        self.units = []
        self.attribute_units = {}
        self.lines = []
        line = 1
        for _, text in self.tokens:
            self.lines.append(line)
            line += text.count("\n")
        self._walk(parse(self.tokens), None)

    def _text(self, first, last):
        return "".join(text for _, text in self.tokens[first:last + 1])

    def _walk(self, element, context):
        context = element.attrs.get("data-context", context)
        if element.tag in RAW or "translate" in element.attrs and element.attrs["translate"] == "no":
            return
        if "lang" in element.attrs and element.tag != "html":
            return  # a text in a language of its own, such as the language bar's names
        self._attributes(element, context)
        run = []
        for child in element.children:
            if isinstance(child, Element) and child.tag in INLINE and child.tag not in RAW:
                run.append(child)
            elif isinstance(child, int) and self.tokens[child][0] == "text":
                run.append(child)
            else:
                self._run(run, context)
                run = []
                if isinstance(child, Element):
                    self._walk(child, context)
        self._run(run, context)

    def _attributes(self, element, context):
        found = [(name, context, element.attrs[name]) for name in ATTRIBUTES
                 if element.attrs.get(name) and has_words(element.attrs[name])]
        if found:
            self.attribute_units[element.start] = found

    def _span(self, node):
        return (node, node) if isinstance(node, int) else (node.start, node.end)

    def _run(self, run, context):
        """A run of words and inline elements: one text, or, when only punctuation and
        blanks lie between its elements, each element's own texts."""
        while run and isinstance(run[0], int) and not self.tokens[run[0]][1].strip():
            run = run[1:]
        while run and isinstance(run[-1], int) and not self.tokens[run[-1]][1].strip():
            run = run[:-1]
        if not run:
            return
        between = "".join(self.tokens[n][1] for n in run if isinstance(n, int))
        if not has_words(between):
            for node in run:
                if isinstance(node, Element):
                    self._walk(node, context)
            return
        first, last = self._span(run[0])[0], self._span(run[-1])[1]
        # An inline element's attributes are part of the text: the translator keeps them
        # with its markup.
        self.units.append((first, last, context, squeeze(self._text(first, last))))

    def entries(self):
        """(context, msgid, line) of every text, in the page's order."""
        found = []
        unit_at = {first: (context, msgid) for first, _, context, msgid in self.units}
        for i in range(len(self.tokens)):
            for _, context, msgid in self.attribute_units.get(i, []):
                found.append((context, msgid, self.lines[i]))
            if i in unit_at:
                found.append(unit_at[i] + (self.lines[i],))
        return found

    def translate(self, gettext):
        """The page with every text passed through gettext(context, msgid), which gives
        None where it has no translation."""
        out = []
        unit_at = {first: (last, context, msgid) for first, last, context, msgid in self.units}
        i = 0
        while i < len(self.tokens):
            kind, text = self.tokens[i]
            if i in unit_at:
                last, context, msgid = unit_at[i]
                original = self._text(i, last)
                lead = original[:len(original) - len(original.lstrip())]
                tail = original[len(original.rstrip()):]
                out.append(lead + (gettext(context, msgid) or original.strip()) + tail)
                i = last + 1
                continue
            for name, context, msgid in self.attribute_units.get(i, []):
                translated = (gettext(context, msgid) or msgid).replace('"', "&quot;")
                text = re.sub(r'(\s%s=")[^"]*(")' % re.escape(name),
                              lambda m: m.group(1) + translated + m.group(2), text, count=1)
            out.append(text)
            i += 1
        return "".join(out)


def localise(html, language, pages):
    """A translated page's own language: its <html lang>, its links to the other pages (but
    not the language bar's) going to their translations, and the bar marking it."""
    html = re.sub(r'(<html\b[^>]*\blang=")[^"]*', lambda m: m.group(1) + language, html, count=1)
    names = "|".join(re.escape(Path(p).stem) for p in pages)

    def link(m):
        tag = m.group(0)
        if "hreflang=" in tag:
            tag = tag.replace(' aria-current="true"', "")
            if 'hreflang="%s"' % language in tag:
                tag = tag[:-1] + ' aria-current="true">'
            return tag
        return re.sub(r'(\shref=")(%s)\.html(?=[#?"])' % names,
                      lambda h: h.group(1) + h.group(2) + "." + language + ".html", tag)

    return re.sub(r"<a\s[^>]*>", link, html)


# --- Catalogues ---------------------------------------------------------------------------

def po_string(lines):
    """The text of a quoted po string spread over lines."""
    out = []
    for line in lines:
        body = line.strip()[1:-1]
        out.append(re.sub(r'\\(.)', lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)),
                          body))
    return "".join(out)


def read_po(path):
    """[{msgctxt, msgid, msgstr, flags, references, comments}] of a catalogue, its header
    and obsolete entries left out."""
    entries = []
    for block in re.split(r"\n\s*\n", Path(path).read_text(encoding="utf-8")):
        entry = {"msgctxt": None, "flags": set(), "references": [], "comments": []}
        field, strings = None, {}
        for line in block.splitlines():
            if line.startswith("#~"):
                field = None
                continue
            if line.startswith("#,"):
                entry["flags"].update(f.strip() for f in line[2:].split(","))
            elif line.startswith("#:"):
                entry["references"] += line[2:].split()
            elif line.startswith("#.") or line.startswith("# "):
                entry["comments"].append(line)
            m = re.match(r'^(msgctxt|msgid|msgstr)\s+(".*")\s*$', line)
            if m:
                field = m.group(1)
                strings[field] = [m.group(2)]
            elif line.startswith('"') and field:
                strings[field].append(line)
        if "msgid" not in strings:
            continue
        for name, lines in strings.items():
            entry[name] = po_string(lines)
        if entry["msgid"]:
            entries.append(entry)
    return entries


def translations(path):
    """{(msgctxt, msgid): msgstr} of the finished entries: not fuzzy, not empty."""
    return {(e["msgctxt"], e["msgid"]): e["msgstr"] for e in read_po(path)
            if e.get("msgstr") and "fuzzy" not in e["flags"]}


def po_quote(text):
    text = text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t")
    return '"' + text.replace("\n", "\\n") + '"'


POT_HEADER = """msgid ""
msgstr ""
"Project-Id-Version: Tessarion web pages\\n"
"MIME-Version: 1.0\\n"
"Content-Type: text/plain; charset=UTF-8\\n"
"Content-Transfer-Encoding: 8bit\\n"
"""


def write_pot(pages, out):
    """The template of the pages' texts, each text once, with every place it is found."""
    places = {}
    for page in pages:
        for context, msgid, line in Page(Path(page).read_text(encoding="utf-8")).entries():
            places.setdefault((context, msgid), []).append("%s:%d" % (page, line))
    out.write(POT_HEADER)
    for (context, msgid), where in places.items():
        out.write("\n#: %s\n" % " ".join(where))
        if context is not None:
            out.write("msgctxt %s\n" % po_quote(context))
        out.write("msgid %s\nmsgstr \"\"\n" % po_quote(msgid))


# --- Commands -----------------------------------------------------------------------------

def make_pages(po, out, pages):
    language = Path(po).stem
    catalogue = translations(po)
    Path(out).mkdir(parents=True, exist_ok=True)
    for page in pages:
        master = Page(Path(page).read_text(encoding="utf-8"))
        html = localise(master.translate(lambda context, msgid: catalogue.get((context, msgid))),
                        language, pages)
        target = Path(out) / (Path(page).stem + "." + language + ".html")
        target.write_text(html, encoding="utf-8")


def make_script_texts(out, script, catalogues, name):
    """The texts of a script in every language, as a script that sets the global name (or
    is a module for Node): {language: {msgid: msgstr}}, a context written before its text
    as "context\\u0004text" (as the compiled catalogues do)."""
    source = Path(script).name
    texts = {}
    for po in catalogues:
        wanted = {(e["msgctxt"], e["msgid"]) for e in read_po(po)
                  if any(Path(r.split(":")[0]).name == source for r in e["references"])}
        texts[Path(po).stem] = {(c + "\u0004" if c else "") + m: s
                                for (c, m), s in translations(po).items()
                                if (c, m) in wanted}
    body = json.dumps(texts, ensure_ascii=False, indent=1, sort_keys=True)
    Path(out).parent.mkdir(parents=True, exist_ok=True)
    Path(out).write_text(
        "/* Made by po/web/webtext.py from po/web/*.po when the game is built: the texts of\n"
        " * %s in each language, looked up by their English. */\n" % source +
        "(function (root) {\n  'use strict';\n  var texts = " + body.replace("\n", "\n  ") +
        ";\n  if (typeof module !== 'undefined' && module.exports) {\n"
        "    module.exports = texts;\n  } else {\n    root.%s = texts;\n  }\n" % name +
        "})(typeof window !== 'undefined' ? window : this);\n", encoding="utf-8")


def main(argv):
    parser = argparse.ArgumentParser(description="The web pages' texts for translators.")
    commands = parser.add_subparsers(dest="command", required=True)
    pot = commands.add_parser("pot", help="the entries of the pages, as a template")
    pot.add_argument("pages", nargs="+")
    page = commands.add_parser("page", help="each page in the catalogue's language")
    page.add_argument("--po", required=True)
    page.add_argument("--out", required=True)
    page.add_argument("pages", nargs="+")
    script = commands.add_parser("script", help="a script's texts in every language")
    script.add_argument("--out", required=True)
    script.add_argument("--name", required=True)
    script.add_argument("script")
    script.add_argument("catalogues", nargs="*")
    units = commands.add_parser("units", help="the entries of one page, one a line")
    units.add_argument("page")
    args = parser.parse_args(argv[1:])
    if args.command == "pot":
        write_pot(args.pages, sys.stdout)
    elif args.command == "page":
        make_pages(args.po, args.out, args.pages)
    elif args.command == "script":
        make_script_texts(args.out, args.script, args.catalogues, args.name)
    else:
        for context, msgid, line in Page(Path(args.page).read_text(encoding="utf-8")).entries():
            print("%d\t%s%s" % (line, context + " | " if context else "", msgid))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
