#!/usr/bin/env python3
"""Writes the lessons' captions as catalogue entries (a .pot) on stdout.

Each lesson's script is one entry, its English exactly as the game reads it.
The narration stays English; the translation is shown as subtitles, line for
line: the game shows translated line N while English line N is spoken, so a
translation keeps the same number of lines (po/check holds it to that).

    po/captions.py resources/audio/lessons
"""

import sys
from pathlib import Path


def quoted(text):
    body = text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
    return '"' + body + '"'


def main():
    folder = Path(sys.argv[1])
    print('msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n')
    for script in sorted(folder.glob("IDR_*.txt")):
        text = script.read_text(encoding="utf-8")
        lines = text.count("\n") + (0 if text.endswith("\n") else 1)
        print(f"#. TRANSLATORS: subtitles of the narrated lesson {script.stem}: keep exactly "
              f"{lines} lines, line N shown while English line N is spoken.")
        print(f"#: {script.as_posix()}")
        print(f"msgid {quoted(text)}")
        print('msgstr ""\n')


if __name__ == "__main__":
    main()
