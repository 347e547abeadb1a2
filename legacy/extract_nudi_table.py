#!/usr/bin/env python3
"""One-off generator of nuditable.cpp (not run by the build).

Reads the written-out Nudi glyph table from a text file and prints the C++ source of the
tables. The listing has lines of the form

    - 16–28: 50 C0 "ka"; 50 C1 "kA"; ...

(entry numbers, then semicolon-separated keys in hexadecimal bytes, each with its quoted
value), and one line beginning "Reordering bytes" holding the reordering bytes in the same
"HH "value"" form.

    python3 extract_nudi_table.py listing.txt > nuditable.cpp && clang-format -i nuditable.cpp
"""
import re
import sys

ENTRY = re.compile(r'((?:[0-9A-F]{2} )+)"([^"]*)"')
RANGE = re.compile(r'^- (\d+)[–-](\d+): (.*)$')


def main():
    text = open(sys.argv[1], encoding='utf-8').read().splitlines()
    table = []
    reorder = []
    for line in text:
        m = RANGE.match(line)
        if m:
            first, last, body = int(m.group(1)), int(m.group(2)), m.group(3)
            entries = ENTRY.findall(body)
            if len(entries) != last - first + 1 or len(table) + 1 != first:
                sys.exit('entry numbers do not match in: ' + line[:40])
            for hexes, value in entries:
                table.append(([int(h, 16) for h in hexes.split()], value))
        elif line.startswith('Reordering bytes') and not reorder:
            body = line.split(':', 1)[1]
            for hexes, value in ENTRY.findall(body):
                bs = hexes.split()
                if len(bs) != 1:
                    sys.exit('reordering entry with more than one byte')
                reorder.append((int(bs[0], 16), value))

    out = sys.stdout
    out.write('// Generated once by extract_nudi_table.py; edit with care.\n')
    out.write('#include "nuditable.h"\n\n')
    out.write('const NudiKey kNudiKeys[kNudiKeyCount] = {\n')
    for n, (bs, value) in enumerate(table, 1):
        cells = ', '.join('0x%02X' % b for b in bs)
        out.write('    { %d, { %s }, "%s" }, // %d\n' % (len(bs), cells, value, n))
    out.write('};\n\n')
    out.write('const NudiReorder kNudiReorder[kNudiReorderCount] = {\n')
    for b, value in reorder:
        out.write('    { 0x%02X, "%s" },\n' % (b, value))
    out.write('};\n')
    sys.stderr.write('%d keys, %d reordering bytes\n' % (len(table), len(reorder)))


if __name__ == '__main__':
    main()
