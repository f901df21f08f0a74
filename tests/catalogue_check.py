#!/usr/bin/env python3
"""Checks the program's catalogues against its sources.

Every Russian text in a part's sources (a string in its C++ or JavaScript, a
text or a shown attribute in its HTML) must have a translation in each of the
part's catalogues, and a catalogue must not translate a text the sources no
longer have. A translation keeps its msgid's places %1 … %9. A line marked
"not translated" (a language's name in itself) is left out.

  catalogue_check.py SOURCE_ROOT PO_ROOT [PART...]   (core, window, tool, page; all when none)
"""
import html.parser
import pathlib
import re
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / 'texts'))
from make_catalogues import read_po  # noqa: E402

PARTS = {
    'core': ['texts', 'params', 'surface', 'raster', 'svg', 'field', 'measure', 'plot', 'export', 'about', 'lesson',
             'render'],
    'window': ['app'],
    'tool': ['tools'],
    'page': ['web/site'],
}
CYRILLIC = re.compile('[\u0400-\u04ff]')
# A comment, a character literal (C++), or a string: "…", '…' (JavaScript), `…`.
TOKEN = re.compile(r'''//[^\n]*|/\*.*?\*/|(?:u8|[uUL])?"(?:\\.|[^"\\\n])*"|'(?:\\.|[^'\\\n])*'|`(?:\\.|[^`\\])*`''',
                   re.S)
ESCAPES = {'n': '\n', 't': '\t', '"': '"', "'": "'", '\\': '\\', '`': '`'}


def unescaped(body):
    return re.sub(r'\\(.)', lambda m: ESCAPES.get(m.group(1), m.group(1)), body)


def code_texts(source, javascript):
    """The Russian strings of C++ or JavaScript; C++'s adjacent strings joined."""
    texts = []
    previous_end = None
    for match in TOKEN.finditer(source):
        token = match.group(0)
        if token.startswith('/'):
            continue
        line = source[source.rfind('\n', 0, match.start()) + 1:source.find('\n', match.end())]
        if 'not translated' in line:
            continue
        if token.startswith("'") and not javascript:
            continue
        body = unescaped(token[token.index(token[-1]) + 1:-1])
        between = source[previous_end:match.start()] if previous_end is not None else None
        if not javascript and between is not None and between.strip() == '' and texts and texts[-1][1] == previous_end:
            texts[-1] = (texts[-1][0] + body, match.end())
        else:
            texts.append((body, match.end()))
        previous_end = match.end()
    return {text for text, _ in texts if CYRILLIC.search(text)}


class HtmlTexts(html.parser.HTMLParser):
    SHOWN = {'title', 'aria-label', 'alt', 'placeholder', 'content', 'label', 'value', 'aria-description'}

    def __init__(self):
        super().__init__()
        self.texts = set()
        self.skip = 0

    def add(self, text):
        text = ' '.join(text.split())
        if CYRILLIC.search(text):
            self.texts.add(text)

    def handle_starttag(self, tag, attrs):
        if tag in ('script', 'style'):
            self.skip += 1
        for name, value in attrs:
            if name in self.SHOWN and value:
                self.add(value)

    def handle_endtag(self, tag):
        if tag in ('script', 'style'):
            self.skip -= 1

    def handle_data(self, data):
        if not self.skip:
            self.add(data)


def part_texts(root, folders):
    texts = set()
    for folder in folders:
        for path in sorted((root / folder).rglob('*')):
            if 'tests' in path.parts or 'node_modules' in path.parts:
                continue
            if path.suffix in ('.cpp', '.h', '.js', '.mjs'):
                texts |= code_texts(path.read_text(encoding='utf-8'), path.suffix != '.cpp' and path.suffix != '.h')
            elif path.suffix == '.html':
                parser = HtmlTexts()
                parser.feed(path.read_text(encoding='utf-8'))
                texts |= parser.texts
    return texts


def places(text):
    return sorted(re.findall(r'%[1-9]', text))


def main(source_root, po_root, *only):
    faults = []
    languages = {p.stem for part in PARTS for p in (pathlib.Path(po_root) / part).glob('*.po')}
    for part, folders in PARTS.items():
        if only and part not in only:
            continue
        wanted = part_texts(pathlib.Path(source_root), folders)
        for language in sorted(languages):
            path = pathlib.Path(po_root) / part / (language + '.po')
            if not path.exists():
                faults.append('%s: no catalogue' % path)
                continue
            entries = {i: (s, fuzzy) for i, s, fuzzy in read_po(path) if i}
            for text in sorted(wanted - entries.keys()):
                faults.append('%s: no translation of %r' % (path, text))
            for text in sorted(entries.keys() - wanted):
                faults.append('%s: translates %r, which the program no longer has' % (path, text))
            for text, (translation, fuzzy) in sorted(entries.items()):
                if text in wanted and (not translation or fuzzy):
                    faults.append('%s: %r is not translated' % (path, text))
                elif translation and places(translation) != places(text):
                    faults.append('%s: %r and its translation fill different places' % (path, text))
    print('\n'.join(faults) or 'Every catalogue is complete.')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
