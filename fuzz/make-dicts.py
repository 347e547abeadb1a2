#!/usr/bin/env python3
"""Writes the fuzzers' dictionaries (fuzz/dict/*.dict) from the parsers' sources.

The keywords these parsers look for (OpenDocument element and attribute names,
colour names and units; RTF control words and code pages; the control words
and glyph sequences of the "nudi" import) are compared inside Qt, where the
fuzzer cannot learn them; a dictionary hands them over.

Run from the repository root after changing a parser's keywords:
    python3 fuzz/make-dicts.py
"""
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def source(*parts):
    with open(os.path.join(ROOT, *parts), encoding="utf-8") as f:
        return f.read()


def escape(token):
    out = []
    for b in token.encode("utf-8") if isinstance(token, str) else token:
        c = chr(b)
        if c in '"\\':
            out.append("\\" + c)
        elif 0x20 <= b < 0x7F:
            out.append(c)
        else:
            out.append("\\x%02X" % b)
    return '"' + "".join(out) + '"'


def write(name, header, tokens):
    seen = []
    for t in tokens:
        if t and t not in seen:
            seen.append(t)
    path = os.path.join(ROOT, "fuzz", "dict", name)
    with open(path, "w", encoding="ascii") as f:
        f.write("# %s\n# Written by fuzz/make-dicts.py from the sources; do not edit.\n" % header)
        for t in seen:
            f.write(escape(t) + "\n")
    print("%s: %d entries" % (path, len(seen)))


def literals(text):
    """Quoted literals in QLatin1String(...), QStringLiteral(...) and u"..."."""
    pattern = r'(?:QLatin1String|QStringLiteral)\("((?:[^"\\]|\\.)*)"\)|u"((?:[^"\\]|\\.)*)"'
    for m in re.finditer(pattern, text):
        yield m.group(1) if m.group(1) is not None else m.group(2)


def odf_tokens():
    names, words = [], []
    odf = os.path.join("formats", "odf")
    for f in sorted(os.listdir(os.path.join(ROOT, odf))):
        if not f.endswith(".cpp"):
            continue
        text = source(odf, f)
        for lit in literals(text):
            if "%" in lit or "\\" in lit or len(lit) < 2:
                continue
            if re.fullmatch(r"[a-z]+:[a-z-]+", lit):
                names.append(lit)
            elif re.fullmatch(r"[A-Za-z#(][A-Za-z0-9 #(.-]*", lit):
                words.append(lit)
    colours = re.findall(r'\{ "([a-z]+)", \d+, \d+, \d+ \}', source(odf, "FoColorName.cpp"))
    tokens = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        "<office:document-content>",
        "</office:document-content>",
        "<office:document-styles>",
        "xmlns:",
        "=\"",
        "\"/>",
        "</",
        "/>",
        "<![CDATA[",
        "&#",
        "&amp;",
        "mimetype",
        "application/vnd.oasis.opendocument.text",
        "META-INF/manifest.xml",
    ]
    for n in names:
        tokens += ["<" + n, "</" + n + ">", n + '="']
    tokens += words
    tokens += colours
    tokens += ["#" + h for h in ("000000", "ffffff", "ff0000", "00ff00", "0000ff")]
    tokens += ["rgb(", "%", "0.5cm", "1in", "12pt", "2mm", "10px", "1.5em", "3pi", "2dd",
               "1cc", "1dm", "1inch", "-1cm", "1e9pt", "nan", "inf"]
    return tokens


def rtf_tokens():
    reader = source("formats", "rtf", "reader.cpp")
    words = re.findall(r'add\("((?:[^"\\]|\\.)*)",', reader)
    words += re.findall(r'"([a-z]+)"', reader[reader.index("for (const char *word"):])
    charsets = re.findall(r"case (\d+):", reader[reader.index("codecNameForCharset"):
                                                   reader.index("isAsciiBased")])
    codepages = ["437", "850", "852", "866", "874", "932", "936", "949", "950", "1250", "1251",
                 "1252", "1253", "1254", "1255", "1256", "1257", "1258", "10000", "20866",
                 "28595", "54936", "65001", "1200", "12000"]
    tokens = ["{\\rtf1", "{\\*", "\\'e9", "\\'", "\\u2345?", "\\u-3000 ", "\\uc0", "\\uc2", "}", "{"]
    for w in words:
        w = w.replace("\\\\", "\\")
        if w in ("\n", "\r"):
            continue
        tokens.append("\\" + w)
        if w.isalpha():
            tokens.append("\\" + w + "0")
            tokens.append("\\" + w + " ")
    tokens += ["\\ansicpg" + c for c in codepages]
    tokens += ["\\cpg" + c for c in codepages]
    tokens += ["\\fcharset" + c for c in charsets]
    return tokens


def nudi_tokens():
    importer = source("legacy", "rtfimporter.cpp")
    words = re.findall(r'\{ "((?:[^"\\]|\\.)*)",', importer)
    tokens = ["{\\rtf1", "{\\*", "\\'", "\\bin", "Nudi Akshara", "\\fonttbl", "\\par", "}", "{"]
    for w in words:
        w = w.replace("\\\\", "\\")
        tokens.append("\\" + w)
        if w.isalpha():
            tokens.append("\\" + w + "0")
    # The glyph sequences of the Nudi table, as RTF escapes and as raw bytes.
    table = source("legacy", "nuditable.cpp")
    for m in re.finditer(r"\{ (\d), \{ ([0-9xA-Fa-f, ]+) \}, \"", table):
        if int(m.group(1)) < 2:
            continue
        seq = [int(b, 16) for b in m.group(2).split(",")]
        tokens.append("".join("\\'%02x" % b for b in seq))
        tokens.append(bytes(seq))
    return tokens


def main():
    os.makedirs(os.path.join(ROOT, "fuzz", "dict"), exist_ok=True)
    write("odf.dict", "OpenDocument names, values, colours and lengths", odf_tokens())
    write("rtf.dict", "RTF control words, code pages and character sets", rtf_tokens())
    write("nudi.dict", "control words and glyph sequences of the nudi import", nudi_tokens())


if __name__ == "__main__":
    main()
