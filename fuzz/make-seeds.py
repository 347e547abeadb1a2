#!/usr/bin/env python3
"""Writes the seeds of the fuzz targets whose input is not a test fixture as it
lies (fuzz/seeds/<target>/). fuzz/run.sh adds the fixtures themselves.

- fuzz_odfimport, fuzz_oostyles: the streams of the OpenDocument fixtures;
- fuzz_dctfile: dictionaries the dictionary builder made from the tests'
  fixture dictionary, with small pages, and damaged copies of them;
- fuzz_dictdb: the same entries in that target's field format;
- fuzz_liststore: list stores as the editor writes them, and damaged ones;
- fuzz_wiki: link-query answers and rendered pages;
- fuzz_brhimport: transliterated text, one seed per language;
- fuzz_tabwidget: sessions of the main window using each operation.

Run from the repository root with the builder of a configured build:
    python3 fuzz/make-seeds.py build/tools/dctbuild
"""
import os
import shutil
import sqlite3
import struct
import subprocess
import sys
import tempfile
import zipfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SEEDS = os.path.join(ROOT, "fuzz", "seeds")
ODF = os.path.join(ROOT, "tests", "formats", "odf", "fixtures")
LOOKUP_TSV = os.path.join(ROOT, "tests", "dictionary", "fixtures", "lookup.tsv")


def folder(target):
    path = os.path.join(SEEDS, target)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def put(path, data):
    with open(path, "wb") as f:
        f.write(data)


def qcompress(data, level=9):
    """Qt's compression format: a 4-byte big-endian length, then a zlib stream."""
    return struct.pack(">I", len(data)) + zlib.compress(data, level)


def odt_fixtures():
    return [os.path.join(ODF, "odf", "styles.odt")] + [
        os.path.join(ODF, "odfimport", f)
        for f in sorted(os.listdir(os.path.join(ODF, "odfimport")))
        if f.endswith(".odt")
    ]


# Formats in every spelling the reader knows (colour names, #rgb, rgb(),
# lengths in each unit, borders, positions), which the fixtures, made for
# other checks, hardly hold.
STYLED_CONTENT = """<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" \
xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" \
xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" \
xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" \
xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" \
xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.2">
<office:font-face-decls><style:font-face style:name="Tunga" svg:font-family="Tunga" \
style:font-pitch="variable"/></office:font-face-decls>
<office:automatic-styles>
<style:style style:name="T1" style:family="text"><style:text-properties fo:color="#336699" \
fo:background-color="transparent" fo:font-size="12pt" fo:font-weight="bold" \
style:font-name="Tunga" style:text-underline-style="solid" style:text-underline-type="double"/>
</style:style>
<style:style style:name="T2" style:family="text"><style:text-properties fo:color="Red " \
fo:background-color="rgb(10, 20, 30)" fo:font-size="1cm" fo:font-style="italic" \
style:text-position="super 58%" style:text-line-through-style="solid"/></style:style>
<style:style style:name="T3" style:family="text"><style:text-properties fo:color="#abc" \
fo:background-color="rgb(1,2,3,4)" fo:font-size="150%" fo:letter-spacing="0.5mm" \
fo:text-transform="uppercase" style:text-scale="80%"/></style:style>
<style:style style:name="T4" style:family="text"><style:text-properties fo:color="bogus" \
fo:background-color="" fo:font-size="0.5in" style:text-position="sub" \
style:text-overline-style="dotted"/></style:style>
<style:style style:name="P1" style:family="paragraph"><style:paragraph-properties \
fo:text-align="center" fo:margin-left="2mm" fo:margin-right="-1cm" fo:margin-top="3pi" \
fo:margin-bottom="1dd" fo:text-indent="1cc" fo:background-color="lightyellow" \
fo:border="0.5mm solid #ff0000" fo:padding="2mm" fo:break-before="page"/></style:style>
<style:style style:name="P2" style:family="paragraph"><style:paragraph-properties \
fo:text-align="end" fo:margin-left="1inch" fo:border="0.06pt dotted navy"/></style:style>
<style:style style:name="C1" style:family="table-cell"><style:table-cell-properties \
fo:background-color="#00ff00" fo:border="1px dashed rgb(0,0,255)" fo:padding="0.1cm"/>
</style:style>
</office:automatic-styles>
<office:body><office:text>
<text:p text:style-name="P1"><text:span text:style-name="T1">ka</text:span><text:s text:c="3"/>\
<text:span text:style-name="T2">ga</text:span><text:tab/><text:span text:style-name="T3">na\
</text:span><text:line-break/><text:span text:style-name="T4">ma</text:span></text:p>
<text:p text:style-name="P2">end</text:p>
<table:table><table:table-column table:number-columns-repeated="2"/><table:table-row>\
<table:table-cell table:style-name="C1"><text:p>a</text:p></table:table-cell><table:table-cell>\
<text:p>b</text:p></table:table-cell></table:table-row></table:table>
</office:text></office:body></office:document-content>
"""

STYLED_STYLES = """<?xml version="1.0" encoding="UTF-8"?>
<office:document-styles xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" \
xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" \
xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"><office:styles>
<style:style style:name="Standard" style:family="paragraph"><style:text-properties \
fo:color="black" fo:font-size="11pt"/></style:style></office:styles></office:document-styles>
"""


def styled_odt(path):
    """An .odt holding the styled streams, stored as the container asks."""
    with zipfile.ZipFile(path, "w") as z:
        z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.text",
                   compress_type=zipfile.ZIP_STORED)
        z.writestr("content.xml", STYLED_CONTENT, compress_type=zipfile.ZIP_DEFLATED)
        z.writestr("styles.xml", STYLED_STYLES, compress_type=zipfile.ZIP_DEFLATED)


def odf_streams():
    out = folder("fuzz_odfimport")
    styles = folder("fuzz_oostyles")
    put(os.path.join(out, "styled-content.xml"), STYLED_CONTENT.encode())
    put(os.path.join(styles, "styled-content.xml"), STYLED_CONTENT.encode())
    put(os.path.join(styles, "styled-styles.xml"), STYLED_STYLES.encode())
    styled_odt(os.path.join(folder("fuzz_odtfile"), "styled.odt"))
    for odt in odt_fixtures():
        name = os.path.splitext(os.path.basename(odt))[0]
        with zipfile.ZipFile(odt) as z:
            content = z.read("content.xml")
            put(os.path.join(out, name + "-content.xml"), content)
            put(os.path.join(styles, name + "-content.xml"), content)
            put(os.path.join(styles, name + "-styles.xml"), z.read("styles.xml"))
    for f in ("content.xml", "styles.xml"):
        shutil.copy(os.path.join(ODF, "odf", "registry", f),
                    os.path.join(styles, "registry-" + f))


def small_pages(path):
    """The same database with 512-byte pages: a seed of a few kilobytes."""
    db = sqlite3.connect(path)
    db.execute("PRAGMA page_size=512")
    db.execute("VACUUM")
    db.close()


def damaged_copies(base, out):
    """Copies of a dictionary with one thing each that a real file may lack."""
    changes = {
        "no-dict": ["DROP TABLE Dict"],
        "no-info": ["DROP TABLE DictInfo"],
        "no-info-row": ["DELETE FROM DictInfo"],
        "no-allwords": ["DROP TABLE AllUnicodeWords"],
        "no-allwords-row": ["DELETE FROM AllUnicodeWords"],
        "text-values": ["UPDATE Dict SET data = 'not compressed', word = 'plain'"],
        "null-values": ["UPDATE Dict SET data = NULL", "UPDATE AllUnicodeWords SET word = NULL"],
        "number-values": ["UPDATE Dict SET data = 12345", "UPDATE DictInfo SET languageName = 7"],
        "huge-prefix": ["UPDATE Dict SET data = x'7fffffff789c030000000001'"],
        "gaps": ["DELETE FROM Dict WHERE rowid % 2 = 0"],
        "telugu": ["UPDATE DictInfo SET languageName = 'Telugu'"],
        "two-info-rows": ["INSERT INTO DictInfo SELECT * FROM DictInfo"],
    }
    for name, statements in changes.items():
        path = os.path.join(out, name + ".dct")
        shutil.copy(base, path)
        db = sqlite3.connect(path)
        for s in statements:
            db.execute(s)
        db.commit()
        db.execute("VACUUM")
        db.close()


def dictionaries(dctbuild):
    out = folder("fuzz_dctfile")
    with tempfile.TemporaryDirectory() as tmp:
        made = []
        for name, block in (("lookup-block3", 3), ("lookup-block1", 1), ("lookup-block16", 16)):
            path = os.path.join(out, name + ".dct")
            subprocess.run([dctbuild, "--language", "Kannada", "--date", "2024-02-03",
                            "--block", str(block), LOOKUP_TSV, path], check=True,
                           stdout=subprocess.DEVNULL)
            small_pages(path)
            made.append(path)
        damaged_copies(made[0], out)
        # A few entries of another language.
        tsv = os.path.join(tmp, "hindi.tsv")
        with open(tsv, "w", encoding="utf-8") as f:
            f.write("\u0918\u0930\t<p>house</p>\n\u092a\u0947\u0921\u093c\t<p>tree</p>\n")
        path = os.path.join(out, "hindi.dct")
        subprocess.run([dctbuild, "--language", "Hindi", "--date", "2024-02-03", tsv, path],
                       check=True, stdout=subprocess.DEVNULL)
        small_pages(path)

    # fuzz_dictdb: mode byte, then word, word list, language, (headword, block) pairs.
    entries = []
    with open(LOOKUP_TSV, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or "\t" not in line:
                continue
            word, meaning = line.rstrip("\n").split("\t", 1)
            entries.append((word.encode(), (word + meaning).encode()))
    # In the reader's order (UTF-16 code units), one entry per row.
    entries.sort(key=lambda e: e[0].decode().encode("utf-16-be"))
    out = folder("fuzz_dictdb")
    sep = b"\xff"
    words = b"\n".join(w for w, _ in entries)
    pairs = [b""] + [entries[0][1]]
    for (w, _), (_, line) in zip(entries, entries[1:]):
        pairs += [w, line]
    for mode, name in ((0x01, "compressed"), (0x81, "first-headword"), (0x00, "raw"),
                       (0x03, "no-dict"), (0x0D, "no-info"), (0x31, "no-words"),
                       (0x41, "named")):
        fields = [entries[1][0], words, b"Kannada"] + pairs
        put(os.path.join(out, name), bytes([mode]) + sep.join(fields))


def list_stores():
    out = folder("fuzz_liststore")

    def store(name, tables, extra=()):
        path = os.path.join(out, name + ".dat")
        db = sqlite3.connect(path)
        db.execute("PRAGMA page_size=512")
        for table, value in tables:
            db.execute("CREATE TABLE %s (data TEXT)" % table)
            if value is not None:
                db.execute("INSERT INTO %s (data) VALUES (?)" % table, (value,))
        for s in extra:
            db.execute(s)
        db.commit()
        db.execute("VACUUM")
        db.close()

    text = "ಮನೆ\nಮರ\nhouse\n".encode()
    history = [("Find", qcompress(text)), ("Replace", qcompress("tree\n".encode()))]
    store("history", history)
    store("userdict", [("UnicodeWords", qcompress(text))])
    store("empty-tables", [("Find", None), ("Replace", None), ("UnicodeWords", None)])
    store("empty-text", [("Find", qcompress(b"")), ("UnicodeWords", qcompress(b""))])
    store("two-rows", history, ["INSERT INTO Find (data) VALUES ('second')"])
    store("plain-text", [("Find", "not compressed"), ("UnicodeWords", "x")])
    store("huge-prefix", [("Find", b"\x7f\xff\xff\xff" + zlib.compress(b"a"))])
    store("truncated", [("Find", qcompress(text)[:9])])
    store("nul-inside", [("Find", qcompress(b"a\x00b\nc"))])
    store("number", [("Find", 42), ("Replace", None)])
    store("wrong-column", [], ["CREATE TABLE Find (other TEXT, data TEXT)",
                               "INSERT INTO Find VALUES ('x', 'y')"])


def wiki_replies():
    out = folder("fuzz_wiki")
    answer = (b'<?xml version="1.0"?><api><query><pages><page pageid="1" ns="0" '
              b'title="house"><links><pl ns="0" title="home" /><pl ns="0" '
              b'title="&#3246;&#3240;&#3270;" /><pl ns="0" title="abode" /></links>'
              b'</page></pages></query></api>')
    put(os.path.join(out, "links"), b"\x00" + answer)
    put(os.path.join(out, "links-failed"), b"\x02" + answer)
    put(os.path.join(out, "no-links"),
        b'\x00<?xml version="1.0"?><api><query><pages><page ns="0" title="x" missing="" />'
        b"</pages></query></api>")
    put(os.path.join(out, "broken"), b'\x00<api><query><pl title="a"/><pl title="b"')
    page = "<div><p><b>ಮನೆ</b> (house)</p><ol><li>a building</li></ol></div>".encode()
    put(os.path.join(out, "page"), b"\x01" + page)
    put(os.path.join(out, "page-nul"), b"\x01" + page + b"\x00tail")
    put(os.path.join(out, "page-failed"), b"\x03<html>500</html>")


def brh_texts():
    out = folder("fuzz_brhimport")
    lines = "namaskaara kannaDa\nmane mara hoovu\nshrii raama\n\nkRuShNa 2024.\n"
    for language in range(10):
        put(os.path.join(out, "lang%d.brh" % language), bytes([language]) + lines.encode())
    put(os.path.join(out, "unicode.brh"), b"\x00" + "ಕನ್ನಡ kannaDa\r\n".encode())


def window_sessions():
    """Sessions of the main window: three bytes per operation (operation,
    argument, answers two bits each: 0 or 3 Yes, 1 No, 2 Cancel), in the
    order of fuzz_tabwidget.cpp's Operation."""
    out = folder("fuzz_tabwidget")
    (open_, new, type_, switch, close_button, close_action, save, save_as, pdf,
     odt_and_leave, exit_, close_window) = range(12)
    yes, no, cancel = 0x00, 0x55, 0xAA
    # Fixtures by argument: cafe.txt, empty.txt, document.html, document.rtf,
    # cafe.odt, wrapped.nudi, words.brh, then a folder. Save names: a.txt,
    # b.html, c.rtf, d.odt, bare, a.txt, cafe.txt, blocked.txt (a folder).
    # PDF: argument % 3 is accept, cancel the settings, cancel the progress;
    # argument / 3 the name (e.pdf, f, blocked.pdf).
    sessions = {
        "open-each-kind": [(open_, n, yes) for n in range(8)] + [(exit_, 0, no)],
        "save-each-format": [(type_, 1, yes), (save, 0, yes), (type_, 0, yes), (save_as, 1, yes),
                             (type_, 3, yes), (save_as, 2, yes), (type_, 7, yes),
                             (save_as, 3, yes), (type_, 1, yes), (exit_, 0, yes)],
        "close-answers": [(type_, 1, yes), (close_action, 0, cancel), (close_action, 0, no),
                          (type_, 0, yes), (close_button, 0, yes), (new, 0, yes),
                          (type_, 7, yes), (close_button, 0, cancel), (close_window, 4, no)],
        "failing-save": [(type_, 1, yes), (save, 7, yes), (save_as, 7, yes), (exit_, 0, cancel),
                         (type_, 2, yes), (close_window, 0, no)],
        "save-bare-twice": [(type_, 1, yes), (save, 4, yes), (new, 0, yes), (type_, 0, yes),
                            (save_as, 4, yes), (open_, 0, yes), (type_, 0, yes),
                            (save_as, 6, yes), (exit_, 0, yes)],
        "pdf": [(type_, 1, yes), (pdf, 0, yes), (pdf, 1, yes), (pdf, 6, yes), (pdf, 3, yes),
                (pdf, 2, yes), (open_, 4, yes), (pdf, 0, yes), (exit_, 0, no)],
        "odt-close-at-once": [(odt_and_leave, 0, yes), (odt_and_leave, 0, no), (type_, 1, yes),
                              (odt_and_leave, 1, no)],
        "odt-window-close-at-once": [(type_, 1, yes), (odt_and_leave, 2, yes)],
        "switch-undo": [(open_, 0, yes), (open_, 2, yes), (type_, 1, yes), (switch, 0, yes),
                        (type_, 0, yes), (close_button, 1, yes), (switch, 1, yes),
                        (type_, 5, yes), (type_, 6, yes), (type_, 4, yes), (type_, 5, yes),
                        (close_window, 0, yes)],
        # Yes, then Cancel; then Yes, No, No, No.
        "exit-mixed": [(type_, 1, yes), (open_, 5, yes), (open_, 6, yes), (open_, 3, yes),
                       (type_, 0, yes), (exit_, 0, 0b00011000), (exit_, 0, 0b01010100)],
    }
    for name, operations in sessions.items():
        put(os.path.join(out, name), bytes(b for operation in operations for b in operation))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-seeds.py <dctbuild>")
    odf_streams()
    dictionaries(os.path.abspath(sys.argv[1]))
    list_stores()
    wiki_replies()
    brh_texts()
    window_sessions()
    for target in sorted(os.listdir(SEEDS)):
        files = os.listdir(os.path.join(SEEDS, target))
        size = sum(os.path.getsize(os.path.join(SEEDS, target, f)) for f in files)
        print("%-16s %3d seeds, %6d bytes" % (target, len(files), size))


if __name__ == "__main__":
    main()
