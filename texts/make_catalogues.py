#!/usr/bin/env python3
"""Turns the program's catalogues into the tables it looks its texts up in.

A catalogue is a gettext PO file, po/<part>/<language>.po: each entry's msgid
is a Russian text as the program has it, its msgstr the translation. The
header names the language in itself (X-Language-Name) and its decimal point
(X-Decimal-Point). An entry without a translation, or marked fuzzy, is left
out: the program shows the Russian text.

  make_catalogues.py --cpp OUT.cpp PART_FOLDER...   the core's C++ table
  make_catalogues.py --js OUT.js PART_FOLDER...     the page's module
"""
import json
import pathlib
import re
import sys

ESCAPES = {'n': '\n', 't': '\t', '"': '"', '\\': '\\', 'r': '\r'}


def unquote(line):
    """The text of one quoted PO string: "a\\"b" -> a"b."""
    body = line.strip()[1:-1]
    return re.sub(r'\\(.)', lambda m: ESCAPES.get(m.group(1), m.group(1)), body)


def read_po(path):
    """The entries of a PO file as (msgid, msgstr, fuzzy), the header's first."""
    entries = []
    entry = {}
    field = None

    def finish():
        if 'msgid' in entry:
            entries.append((entry['msgid'], entry.get('msgstr', ''), entry.get('fuzzy', False)))
        entry.clear()

    for line in pathlib.Path(path).read_text(encoding='utf-8').splitlines():
        line = line.strip()
        if not line:
            finish()
            field = None
        elif line.startswith('#,'):
            if 'msgid' in entry:
                finish()
            entry['fuzzy'] = 'fuzzy' in line
        elif line.startswith('#'):
            continue
        elif line.startswith('"'):
            entry[field] += unquote(line)
        else:
            keyword, _, rest = line.partition(' ')
            if keyword == 'msgid' and 'msgid' in entry:
                finish()
            field = keyword
            entry[field] = unquote(rest)
    finish()
    return entries


def header_field(header, name, default):
    for line in header.splitlines():
        key, _, value = line.partition(':')
        if key.strip() == name:
            return value.strip()
    return default


def languages(folders):
    """{code: {'name', 'decimalPoint', 'texts': {russian: translation}}} over all parts."""
    found = {}
    for folder in folders:
        for path in sorted(pathlib.Path(folder).glob('*.po')):
            code = path.stem
            entries = read_po(path)
            header = next((s for i, s, _ in entries if i == ''), '')
            language = found.setdefault(code, {'name': header_field(header, 'X-Language-Name', code),
                                               'decimalPoint': header_field(header, 'X-Decimal-Point', '.'),
                                               'texts': {}})
            for msgid, msgstr, fuzzy in entries:
                if msgid and msgstr and not fuzzy:
                    language['texts'][msgid] = msgstr
    return found


def cpp_string(text):
    """A C++ string literal of the text: quotes, backslashes and control characters escaped."""
    escaped = ''.join('\\' + c if c in '"\\' else '\\%03o' % ord(c) if ord(c) < 0x20 else c for c in text)
    return '"' + escaped + '"'


def write_cpp(found, out):
    lines = ['// Made at build time from the catalogues in po/; do not edit.',
             '#include "texts/catalogue_table.h"', '', 'namespace {', '']
    for code, language in sorted(found.items()):
        lines.append('const CatalogueEntry k_%s[] = {' % re.sub(r'\W', '_', code))
        for russian in sorted(language['texts'], key=lambda t: t.encode('utf-8')):
            lines.append('    {%s, %s},' % (cpp_string(russian), cpp_string(language['texts'][russian])))
        lines.append('    {"", ""},  // never looked up: a table is not empty')
        lines += ['};', '']
    lines += ['}  // namespace', '', 'const CatalogueLanguage kCatalogueLanguages[] = {']
    for code, language in sorted(found.items()):
        lines.append('    {%s, %s, %s, k_%s + 0, %d},' % (
            cpp_string(code), cpp_string(language['name']), "'%s'" % language['decimalPoint'][:1],
            re.sub(r'\W', '_', code), len(language['texts'])))
    lines += ['    {"", "", \'.\', nullptr, 0},', '};',
              'const std::size_t kCatalogueLanguageCount = %d;' % len(found), '']
    return '\n'.join(lines)


def write_js(found, out):
    return ('// Made at build time from the catalogues in po/; do not edit.\n'
            'export default ' + json.dumps(found, ensure_ascii=False, sort_keys=True, indent=1) + ';\n')


def main(argv):
    kind, out, folders = argv[1], argv[2], argv[3:]
    text = (write_cpp if kind == '--cpp' else write_js)(languages(folders), out)
    path = pathlib.Path(out)
    if not path.exists() or path.read_text(encoding='utf-8') != text:
        path.write_text(text, encoding='utf-8')


if __name__ == '__main__':
    main(sys.argv)
