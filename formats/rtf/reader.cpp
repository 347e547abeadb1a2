#include "reader.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QTextCodec>
#include <QTextDecoder>

namespace {

struct Function
{
    void (RTF::Reader::*handler)(int);
    int defaultArgument;
};

// The control words the reader understands, shared by all readers.
QHash<QByteArray, Function> &functions()
{
    static QHash<QByteArray, Function> table;
    return table;
}

// Deeper groups are only counted, so that hostile nesting cannot grow the
// state stack without bound.
const int MaxGroupDepth = 4096;
// Fonts beyond this count get no code page of their own.
const int MaxFonts = 32768;
// Decoded text is inserted in pieces of at most about this many characters.
const int MaxPendingText = 1 << 16;

const char *codecNameForCharset(int charset)
{
    switch (charset) {
    case 0:
    case 1:
        return "CP1252";
    case 77:
        return "Apple Roman";
    case 128:
        return "Shift-JIS";
    case 129:
        return "eucKR";
    case 130:
        return "CP1361";
    case 134:
        return "GB2312";
    case 136:
        return "Big5-HKSCS";
    case 161:
        return "CP1253";
    case 162:
        return "CP1254";
    case 163:
        return "CP1258";
    case 177:
        return "CP1255";
    case 178:
        return "CP1256";
    case 186:
        return "CP1257";
    case 204:
        return "CP1251";
    case 222:
        return "CP874";
    case 238:
        return "CP1250";
    case 255:
        return "CP850";
    default:
        return nullptr;
    }
}

bool isAsciiBased(const QTextCodec *codec)
{
    switch (codec->mibEnum()) {
    case 1013: // UTF-16BE
    case 1014: // UTF-16LE
    case 1015: // UTF-16
    case 1017: // UTF-32
    case 1018: // UTF-32BE
    case 1019: // UTF-32LE
        return false;
    default:
        return true;
    }
}

QString notSupported()
{
    return QCoreApplication::translate("Reader", "Not a supported RTF file.");
}

} // namespace

namespace RTF {

QTextCodec *codecForCodePage(int codePage, QByteArray *name)
{
    QByteArray codecName;
    switch (codePage) {
    case 932:
        codecName = "Shift-JIS";
        break;
    case 950:
        codecName = "Big5";
        break;
    case 10000:
        codecName = "Apple Roman";
        break;
    case 65001:
        codecName = "UTF-8";
        break;
    default:
        codecName = "CP" + QByteArray::number(codePage);
        break;
    }
    if (name)
        *name = "CP" + QByteArray::number(codePage);
    QTextCodec *codec = codePage > 0 ? QTextCodec::codecForName(codecName) : nullptr;
    // Some code pages are known only by their Windows name (20866 KOI8-R,
    // 28595 ISO 8859-5, 54936 GB18030).
    if (!codec && codePage > 0)
        codec = QTextCodec::codecForName("windows-" + QByteArray::number(codePage));
    if (codec && !isAsciiBased(codec))
        return nullptr;
    return codec;
}

void Reader::fillFunctions()
{
    QHash<QByteArray, Function> &f = functions();
    const auto add = [&f](const char *word, void (Reader::*handler)(int), int defaultArgument) {
        f.insert(QByteArray(word), Function { handler, defaultArgument });
    };
    add("\\", &Reader::insertSymbol, 0x005C);
    add("_", &Reader::insertSymbol, 0x2011);
    add("{", &Reader::insertSymbol, 0x007B);
    add("|", &Reader::insertSymbol, 0x00B7);
    add("}", &Reader::insertSymbol, 0x007D);
    add("~", &Reader::insertSymbol, 0x00A0);
    add("-", &Reader::insertSymbol, 0x00AD);
    add("bullet", &Reader::insertSymbol, 0x2022);
    add("emdash", &Reader::insertSymbol, 0x2014);
    add("emspace", &Reader::insertSymbol, 0x2003);
    add("endash", &Reader::insertSymbol, 0x2013);
    add("enspace", &Reader::insertSymbol, 0x2002);
    add("ldblquote", &Reader::insertSymbol, 0x201C);
    add("lquote", &Reader::insertSymbol, 0x2018);
    add("line", &Reader::insertSymbol, 0x2028);
    add("ltrmark", &Reader::insertSymbol, 0x200E);
    add("qmspace", &Reader::insertSymbol, 0x2004);
    add("rdblquote", &Reader::insertSymbol, 0x201D);
    add("rquote", &Reader::insertSymbol, 0x2019);
    add("rtlmark", &Reader::insertSymbol, 0x200F);
    add("tab", &Reader::insertSymbol, 0x0009);
    add("zwj", &Reader::insertSymbol, 0x200D);
    add("zwnj", &Reader::insertSymbol, 0x200C);
    add("'", &Reader::insertHexSymbol, 0);
    add("u", &Reader::insertUnicodeSymbol, 0);
    add("uc", &Reader::setSkipCharacters, 0);
    add("par", &Reader::endBlock, 0);
    add("\n", &Reader::endBlock, 0);
    add("\r", &Reader::endBlock, 0);
    // Table cells become tab-separated text, each row a paragraph.
    add("cell", &Reader::insertCellEnd, 0);
    add("row", &Reader::endBlock, 0);
    add("pard", &Reader::resetBlockFormatting, 0);
    add("plain", &Reader::resetTextFormatting, 0);
    add("qc", &Reader::setBlockAlignment, int(Qt::AlignHCenter));
    add("qj", &Reader::setBlockAlignment, int(Qt::AlignJustify));
    add("ql", &Reader::setBlockAlignment, int(Qt::AlignLeft | Qt::AlignAbsolute));
    add("qr", &Reader::setBlockAlignment, int(Qt::AlignRight | Qt::AlignAbsolute));
    add("li", &Reader::setBlockIndent, 0);
    add("ltrpar", &Reader::setBlockDirection, 0);
    add("rtlpar", &Reader::setBlockDirection, 1);
    add("b", &Reader::setTextBold, 1);
    add("i", &Reader::setTextItalic, 1);
    add("strike", &Reader::setTextStrikeOut, 1);
    add("striked", &Reader::setTextStrikeOut, 1);
    for (const char *word : { "ul", "uld", "uldash", "uldashd", "uldb", "ulth", "ulw", "ulwave",
                              "ulhwave", "ululdbwave" })
        add(word, &Reader::setTextUnderline, 1);
    add("ulnone", &Reader::setTextUnderline, 0);
    add("sub", &Reader::setTextVerticalAlignment, 2);
    add("super", &Reader::setTextVerticalAlignment, 1);
    add("nosupersub", &Reader::setTextVerticalAlignment, 0);
    add("ansicpg", &Reader::setCodepage, 0);
    add("ansi", &Reader::setCodepage, 1252);
    add("mac", &Reader::setCodepage, 10000);
    add("pc", &Reader::setCodepage, 850);
    add("pca", &Reader::setCodepage, 850);
    add("deff", &Reader::setFont, 0);
    add("f", &Reader::setFont, 0);
    add("cpg", &Reader::setFontCodepage, 0);
    add("fcharset", &Reader::setFontCharset, 0);
    add("fonttbl", &Reader::ignoreText, 0);
    // Destinations that hold no document text (pictures, embedded objects,
    // tables of styles, lists, revisions and the like) are skipped whole.
    for (const char *word : { "filetbl",
                              "colortbl",
                              "stylesheet",
                              "info",
                              "*",
                              "pict",
                              "nonshppict",
                              "object",
                              "objdata",
                              "themedata",
                              "colorschememapping",
                              "datastore",
                              "latentstyles",
                              "listtable",
                              "listoverridetable",
                              "revtbl",
                              "rsidtbl",
                              "xmlnstbl",
                              "pgdsctbl",
                              "generator" })
        add(word, &Reader::ignoreGroup, 0);
}

Reader::Reader()
    : blockStarted(true)
    , codec(nullptr)
    , decoder(nullptr)
    , defaultCodec(nullptr)
    , excessDepth(0)
{
    static const bool filled = (fillFunctions(), true);
    Q_UNUSED(filled);
    reset();
}

Reader::~Reader()
{
    delete decoder;
}

void Reader::reset()
{
    delete decoder;
    decoder = nullptr;
    codec = nullptr;
    defaultCodec = nullptr;
    codePageName.clear();
    blockStarted = true;
    states.clear();
    state = State();
    excessDepth = 0;
    fontCodecs.clear();
    pendingText.clear();
    errorText.clear();
    setCodepage(1252);
}

bool Reader::read(QIODevice *device, const QTextCursor &textCursor)
{
    // A reader used twice starts each read as a new one would.
    reset();
    defaultBlockFormat = textCursor.blockFormat();
    state.blockFormat = defaultBlockFormat;
    cursor = textCursor;
    cursor.beginEditBlock();
    try {
        tokenizer.setDevice(device);
        setBlockDirection(0);

        tokenizer.readNext();
        if (tokenizer.type != StartGroupToken)
            throw notSupported();
        pushState();
        tokenizer.readNext();
        if (tokenizer.type != ControlWordToken || tokenizer.text != "rtf" || tokenizer.value != 1)
            throw notSupported();

        const QHash<QByteArray, Function> &table = functions();
        while (!states.isEmpty() && tokenizer.hasNext()) {
            tokenizer.readNext();
            if (tokenizer.type == EndGroupToken) {
                popState();
                continue;
            }
            if (!blockStarted) {
                flushText();
                cursor.insertBlock(state.blockFormat);
                blockStarted = true;
            }
            switch (tokenizer.type) {
            case StartGroupToken:
                pushState();
                break;
            case ControlWordToken: {
                if (state.skipControlWords)
                    break;
                const auto it = table.constFind(tokenizer.text);
                if (it == table.constEnd())
                    break;
                (this->*(it->handler))(tokenizer.hasValue ? tokenizer.value : it->defaultArgument);
                break;
            }
            default:
                if (!state.skipText)
                    insertBytes(tokenizer.text);
                break;
            }
        }
    } catch (const QString &message) {
        errorText = message;
    }
    flushText();
    cursor.endEditBlock();
    return errorText.isEmpty();
}

bool Reader::hasError() const
{
    return !errorText.isEmpty();
}

QString Reader::errorString() const
{
    return errorText;
}

QByteArray Reader::codePage() const
{
    return codePageName;
}

void Reader::insertText(const QString &text)
{
    // Code 0 is no character of a document.
    if (text.contains(QChar(0)))
        pendingText += QString(text).remove(QChar(0));
    else
        pendingText += text;
    if (pendingText.size() >= MaxPendingText)
        flushText();
}

void Reader::insertBytes(const QByteArray &bytes)
{
    insertText(decoder ? decoder->toUnicode(bytes) : QString::fromLatin1(bytes));
}

void Reader::flushText()
{
    if (pendingText.isEmpty())
        return;
    cursor.insertText(pendingText);
    pendingText.clear();
}

void Reader::insertSymbol(int value)
{
    if (state.skipText)
        return;
    insertText(QString(QChar(char16_t(value & 0xFFFF))));
}

void Reader::insertHexSymbol(int)
{
    // The decoder keeps a lead byte of a double-byte code page until the
    // escape that completes the character.
    if (!state.skipText)
        insertBytes(tokenizer.hex);
}

void Reader::insertUnicodeSymbol(int value)
{
    insertSymbol(value);
    int n = state.skipCount;
    while (n > 0) {
        tokenizer.readNext();
        switch (tokenizer.type) {
        case TextToken:
            if (tokenizer.text.size() <= n) {
                n -= tokenizer.text.size();
            } else {
                if (!state.skipText)
                    insertBytes(tokenizer.text.mid(n));
                n = 0;
            }
            break;
        case ControlWordToken:
            --n;
            break;
        case StartGroupToken:
            pushState();
            n = 0;
            break;
        default:
            popState();
            n = 0;
            break;
        }
    }
}

void Reader::insertCellEnd(int)
{
    insertSymbol('\t');
}

void Reader::setSkipCharacters(int value)
{
    state.skipCount = value;
}

void Reader::endBlock(int)
{
    blockStarted = false;
}

void Reader::resetBlockFormatting(int)
{
    flushText();
    state.blockFormat = defaultBlockFormat;
    cursor.setBlockFormat(state.blockFormat);
}

void Reader::resetTextFormatting(int)
{
    flushText();
    state.charFormat = QTextCharFormat();
    cursor.setCharFormat(state.charFormat);
}

void Reader::setBlockAlignment(int value)
{
    flushText();
    state.blockFormat.setAlignment(Qt::Alignment(value));
    cursor.mergeBlockFormat(state.blockFormat);
}

void Reader::setBlockIndent(int value)
{
    // "\li" is in twips; one indent level is 600 twips (40 px at 96 dpi).
    // Files written before used 15 twips per level; their small values are
    // read the old way.
    int level = (value <= 150 && value % 15 == 0) ? value / 15 : value / 600;
    if (level < 0)
        level = 0;
    flushText();
    state.blockFormat.setIndent(level);
    cursor.mergeBlockFormat(state.blockFormat);
}

void Reader::setBlockDirection(int value)
{
    flushText();
    state.blockFormat.setLayoutDirection(value != 0 ? Qt::RightToLeft : Qt::LeftToRight);
    if (!state.blockFormat.hasProperty(QTextFormat::BlockAlignment))
        state.blockFormat.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    else if (state.blockFormat.alignment() & Qt::AlignLeft)
        state.blockFormat.setAlignment(state.blockFormat.alignment() | Qt::AlignAbsolute);
    cursor.mergeBlockFormat(state.blockFormat);
}

void Reader::setTextBold(int value)
{
    flushText();
    state.charFormat.setFontWeight(value != 0 ? QFont::Bold : QFont::Normal);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setTextItalic(int value)
{
    flushText();
    state.charFormat.setFontItalic(value != 0);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setTextStrikeOut(int value)
{
    flushText();
    state.charFormat.setFontStrikeOut(value != 0);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setTextUnderline(int value)
{
    flushText();
    state.charFormat.setFontUnderline(value != 0);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setTextVerticalAlignment(int value)
{
    QTextCharFormat::VerticalAlignment alignment = QTextCharFormat::AlignNormal;
    if (value == 1)
        alignment = QTextCharFormat::AlignSuperScript;
    else if (value == 2)
        alignment = QTextCharFormat::AlignSubScript;
    flushText();
    state.charFormat.setVerticalAlignment(alignment);
    cursor.mergeCharFormat(state.charFormat);
}

void Reader::setCodepage(int value)
{
    QByteArray name;
    QTextCodec *c = codecForCodePage(value, &name);
    if (!c)
        return;
    defaultCodec = c;
    codePageName = name;
    setCodec(c);
}

void Reader::setFont(int value)
{
    state.activeFont = value;
    QTextCodec *fontCodec = nullptr;
    const auto it = fontCodecs.constFind(value);
    if (it != fontCodecs.constEnd())
        fontCodec = it.value();
    else if (fontCodecs.size() < MaxFonts)
        fontCodecs.insert(value, nullptr);
    setCodec(fontCodec ? fontCodec : defaultCodec);
}

void Reader::setFontCodepage(int value)
{
    const auto it = fontCodecs.find(state.activeFont);
    if (it != fontCodecs.end()) {
        if (QTextCodec *c = codecForCodePage(value)) {
            it.value() = c;
            setCodec(c);
        }
    }
    state.skipControlWords = true;
    state.skipText = true;
}

void Reader::setFontCharset(int value)
{
    const auto it = fontCodecs.find(state.activeFont);
    if (it == fontCodecs.end()) {
        state.skipText = true;
        return;
    }
    if (it.value()) {
        setCodec(it.value());
        state.skipText = true;
        return;
    }
    const char *name = codecNameForCharset(value);
    if (!name)
        return;
    if (QTextCodec *c = QTextCodec::codecForName(name)) {
        it.value() = c;
        setCodec(c);
    }
    state.skipText = true;
}

void Reader::ignoreGroup(int)
{
    state.skipControlWords = true;
    state.skipText = true;
}

void Reader::ignoreText(int)
{
    state.skipText = true;
}

void Reader::pushState()
{
    if (states.size() >= MaxGroupDepth) {
        ++excessDepth;
        return;
    }
    states.push(state);
}

void Reader::popState()
{
    if (excessDepth > 0) {
        --excessDepth;
        return;
    }
    if (states.isEmpty())
        return;
    flushText();
    state = states.pop();
    cursor.setCharFormat(state.charFormat);
    setFont(state.activeFont);
}

void Reader::setCodec(QTextCodec *newCodec)
{
    if (newCodec == codec)
        return;
    codec = newCodec;
    if (newCodec) {
        delete decoder;
        decoder = newCodec->makeDecoder();
    }
}

} // namespace RTF
