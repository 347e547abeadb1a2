#include "writer.h"

#include "reader.h"

#include <QFont>
#include <QIODevice>
#include <QLocale>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCodec>
#include <QTextDocument>
#include <QTextFragment>

#include <climits>
#include <clocale>
#include <utility>

namespace {

QHash<QLocale::Language, QByteArray> mapCodePages()
{
    QHash<QLocale::Language, QByteArray> map;
    const auto add = [&map](const char *codePage, std::initializer_list<QLocale::Language> list) {
        for (QLocale::Language language : list)
            map.insert(language, QByteArray(codePage));
    };
    add("CP874", { QLocale::Thai });
    add("CP932", { QLocale::Japanese });
    add("CP949", { QLocale::Korean });
    add("CP1250",
        { QLocale::Albanian, QLocale::Bosnian, QLocale::Croatian, QLocale::Czech,
          QLocale::Hungarian, QLocale::Polish, QLocale::Romanian, QLocale::Slovak,
          QLocale::Slovenian, QLocale::Turkmen });
    add("CP1251",
        { QLocale::Bashkir, QLocale::Bulgarian, QLocale::Belarusian, QLocale::Kazakh,
          QLocale::Kyrgyz, QLocale::Macedonian, QLocale::Mongolian, QLocale::Russian,
          QLocale::Tajik, QLocale::Tatar, QLocale::Ukrainian });
    add("CP1252",
        { QLocale::Afrikaans,
          QLocale::Basque,
          QLocale::Breton,
          QLocale::Corsican,
          QLocale::Danish,
          QLocale::Dutch,
          QLocale::English,
          QLocale::Faroese,
          QLocale::Finnish,
          QLocale::French,
          QLocale::WesternFrisian,
          QLocale::Gaelic,
          QLocale::Galician,
          QLocale::German,
          QLocale::Kalaallisut,
          QLocale::Hausa,
          QLocale::Icelandic,
          QLocale::Indonesian,
          QLocale::Inuktitut,
          QLocale::Irish,
          QLocale::Italian,
          QLocale::Kinyarwanda,
          QLocale::Malay,
          QLocale::NorwegianBokmal,
          QLocale::Occitan,
          QLocale::Portuguese,
          QLocale::Quechua,
          QLocale::Romansh,
          QLocale::SouthernSotho,
          QLocale::Tswana,
          QLocale::Spanish,
          QLocale::Swahili,
          QLocale::Swedish,
          QLocale::Filipino,
          QLocale::Welsh,
          QLocale::Wolof,
          QLocale::Xhosa,
          QLocale::Yoruba,
          QLocale::Zulu,
          QLocale::NorwegianNynorsk,
          QLocale::Igbo,
          QLocale::SwissGerman,
          QLocale::LowGerman,
          QLocale::NorthernSami,
          QLocale::CentralAtlasTamazight });
    add("CP1253", { QLocale::Greek });
    add("CP1254", { QLocale::Azerbaijani, QLocale::Turkish, QLocale::Uzbek });
    add("CP1255", { QLocale::Hebrew, QLocale::Yiddish });
    add("CP1256", { QLocale::Arabic, QLocale::Persian, QLocale::Urdu });
    add("CP1257", { QLocale::Estonian, QLocale::Latvian, QLocale::Lithuanian });
    add("CP1258", { QLocale::Vietnamese });
    return map;
}

// The Windows code page of the user's locale.
QByteArray fetchCodePage()
{
    static const QHash<QLocale::Language, QByteArray> codepages = mapCodePages();
    const QLocale locale;
    const auto it = codepages.constFind(locale.language());
    if (it != codepages.constEnd())
        return it.value();
    if (locale.language() == QLocale::Chinese) {
        const QLocale::Territory t = locale.territory();
        if (t == QLocale::Macao || t == QLocale::HongKong || t == QLocale::Taiwan)
            return "CP950";
        return "CP936";
    }

    const char *ctype = setlocale(LC_CTYPE, nullptr);
    QByteArray name = ctype ? QByteArray(ctype) : QByteArray();
    for (const char *variable : { "LC_ALL", "LC_CTYPE", "LANG" }) {
        if (!name.isEmpty() && name != "C")
            break;
        name = qgetenv(variable);
    }

    QByteArray codePage;
    if (locale.language() == QLocale::Serbian) {
        if (name.contains("@latin") || name.contains("Latn"))
            codePage = "CP1250";
        else
            codePage = "CP1251";
    }
    static const struct
    {
        const char *part;
        const char *codePage;
    } isoParts[] = { { "8859-2", "CP1250" }, { "8859-3", "CP1254" }, { "8859-4", "CP1257" },
                     { "8859-5", "CP1251" }, { "8859-6", "CP1256" }, { "8859-7", "CP1253" },
                     { "8859-8", "CP1255" }, { "8859-9", "CP1254" }, { "8859-11", "CP874" },
                     { "8859-13", "CP1257" } };
    for (const auto &iso : isoParts) {
        if (name.contains(iso.part)) {
            codePage = iso.codePage;
            break;
        }
    }
    if (codePage.isEmpty())
        codePage = name.contains("UTF-8") ? "CP65001" : "CP1252";
    return codePage;
}

// Names whose codec Qt knows under another name.
QByteArray codecNameFor(const QByteArray &codepage)
{
    if (codepage == "CP932")
        return "Shift-JIS";
    if (codepage == "CP950")
        return "Big5";
    if (codepage == "CP10000")
        return "Apple Roman";
    if (codepage == "CP65001")
        return "UTF-8";
    return codepage;
}

int digitsAfter(const QByteArray &name, const char *prefix)
{
    const QByteArray p(prefix);
    if (!name.startsWith(p) || name.size() == p.size())
        return 0;
    bool ok = false;
    const int number = name.mid(p.size()).toInt(&ok);
    return ok && number > 0 ? number : 0;
}

// The code page number the reader turns back into this very codec, or 0.
int codePageNumberOf(QTextCodec *codec)
{
    // The Windows numbers come first: an office suite knows KOI8-R as 20866,
    // not by its IBM number 878.
    QList<QByteArray> names;
    QList<QByteArray> others;
    const QList<QByteArray> aliases = QList<QByteArray> { codec->name() } + codec->aliases();
    for (const QByteArray &alias : aliases)
        (alias.toLower().startsWith("windows-") ? names : others).append(alias);
    names += others;
    for (const QByteArray &original : std::as_const(names)) {
        const QByteArray name = original.toLower();
        int number = 0;
        if (name == "utf-8")
            number = 65001;
        else if (name == "shift_jis")
            number = 932;
        else if (name == "macintosh")
            number = 10000;
        else if (name == "tis-620")
            number = 874;
        else if (name == "gbk")
            number = 936;
        else if (name == "big5")
            number = 950;
        else
            number = qMax(digitsAfter(name, "windows-"),
                          qMax(digitsAfter(name, "cp"), digitsAfter(name, "ibm")));
        if (number == 0)
            continue;
        QTextCodec *back = RTF::codecForCodePage(number);
        if (back && (back == codec || back->name() == codec->name()))
            return number;
    }
    return 0;
}

// Characters RTF has control words for, where office suites read them back.
// The middle dot ("\|" is a formula character), the en, em and four-per-em
// spaces and the direction marks are not among them: they go as the code
// page's bytes or as Unicode escapes.
const char *specialFor(char16_t unit)
{
    switch (unit) {
    case 0x0009:
        return "\\tab ";
    case 0x005C:
        return "\\'5C";
    case 0x007B:
        return "\\'7B";
    case 0x007D:
        return "\\'7D";
    case 0x00A0:
        return "\\~";
    case 0x00AD:
        return "\\-";
    // The joiners as Unicode escapes: office suites drop "\zwj" and "\zwnj",
    // and with them the shape a Kannada word was typed in.
    case 0x200C:
        return "\\u8204?";
    case 0x200D:
        return "\\u8205?";
    case 0x2011:
        return "\\_";
    case 0x2013:
        return "\\endash ";
    case 0x2014:
        return "\\emdash ";
    case 0x2018:
        return "\\lquote ";
    case 0x2019:
        return "\\rquote ";
    case 0x201C:
        return "\\ldblquote ";
    case 0x201D:
        return "\\rdblquote ";
    case 0x2022:
        return "\\bullet ";
    case 0x2028:
        return "\\line ";
    default:
        return nullptr;
    }
}

// A text's family, its own or the document's.
QString familyOf(const QTextCharFormat &format, const QString &fallback)
{
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            return families.first();
    }
    return fallback;
}

// A text's size in half points, its own or the document's; 0 where neither
// is given in points.
int halfPointsOf(const QTextCharFormat &format, const QFont &fallback)
{
    double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : 0;
    if (points <= 0)
        points = fallback.pointSizeF();
    if (points <= 0)
        return 0;
    return qBound(1, qRound(points * 2), 3276);
}

void appendHex(QByteArray &out, unsigned char byte)
{
    static const char digits[] = "0123456789ABCDEF";
    out += "\\'";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

} // namespace

namespace RTF {

Writer::Writer(const QByteArray &name)
    : codepage(name)
    , codec(nullptr)
    , asciiCompatible(false)
{
    if (codepage.isEmpty())
        codepage = fetchCodePage();
    codec = QTextCodec::codecForName(codecNameFor(codepage));
    if (codec) {
        // Latin-1 is written as its superset CP1252, which has a code page
        // number; the UTF-16 and UTF-32 forms, whose bytes are not ASCII, as
        // UTF-8.
        const QByteArray codecName = codec->name();
        if (codecName == "ISO-8859-1") {
            codepage = "CP1252";
            codec = QTextCodec::codecForName(codepage);
        } else if (codecName.startsWith("UTF-16") || codecName.startsWith("UTF-32")) {
            codepage = "UTF-8";
            codec = QTextCodec::codecForName(codepage);
        }
    }
    int number = codec ? codePageNumberOf(codec) : 0;
    if (number == 0) {
        codepage = "CP1252";
        codec = QTextCodec::codecForName(codepage);
        number = 1252;
    }
    if (!codec)
        return;

    if (number == 850)
        header = "{\\rtf1\\pca\\ansicpg850\n";
    else if (number == 10000)
        header = "{\\rtf1\\mac\\ansicpg10000\n";
    else
        header = "{\\rtf1\\ansi\\ansicpg" + QByteArray::number(number) + '\n';

    QString ascii;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        ascii += QChar(c);
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    asciiCompatible =
        codec->fromUnicode(ascii.constData(), ascii.size(), &state) == ascii.toLatin1();
}

const QByteArray &Writer::encoded(char32_t codePoint, const QChar *units, int count) const
{
    auto it = cache.find(codePoint);
    if (it != cache.end())
        return it.value();

    QTextCodec::ConverterState state(QTextCodec::ConvertInvalidToNull | QTextCodec::IgnoreHeader);
    const QByteArray bytes = codec->fromUnicode(units, count, &state);
    // A byte sequence counts only when it reads back as the same character;
    // everything else (no byte in the code page, a lone surrogate) becomes a
    // Unicode escape per UTF-16 unit, with one fallback character.
    bool exact = !bytes.isEmpty() && state.invalidChars == 0 && state.remainingChars == 0;
    if (exact) {
        QTextCodec::ConverterState back(QTextCodec::IgnoreHeader);
        exact = codec->toUnicode(bytes.constData(), bytes.size(), &back) == QString(units, count);
    }
    QByteArray out;
    if (!exact) {
        for (int i = 0; i < count; ++i)
            out += "\\u" + QByteArray::number(units[i].unicode()) + '?';
    } else if (bytes.size() == 1 && uchar(bytes[0]) >= 0x20 && uchar(bytes[0]) <= 0x7F &&
               bytes[0] != '\\' && bytes[0] != '{' && bytes[0] != '}') {
        out = bytes;
    } else {
        for (char byte : bytes)
            appendHex(out, uchar(byte));
    }
    return cache.insert(codePoint, out).value();
}

QByteArray Writer::fromUnicode(const QString &text) const
{
    QByteArray out;
    out.reserve(text.size() + 16);
    const QChar *units = text.constData();
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const char16_t unit = units[i].unicode();
        if (asciiCompatible && unit >= 0x20 && unit < 0x7F && unit != '\\' && unit != '{' &&
            unit != '}') {
            out += char(unit);
            continue;
        }
        if (const char *special = specialFor(unit)) {
            out += special;
            continue;
        }
        // The placeholder of an image has no text to write.
        if (unit == 0xFFFC)
            continue;
        if (QChar::isHighSurrogate(unit) && i + 1 < size && units[i + 1].isLowSurrogate()) {
            out += encoded(QChar::surrogateToUcs4(unit, units[i + 1].unicode()), units + i, 2);
            ++i;
            continue;
        }
        out += encoded(unit, units + i, 1);
    }
    return out;
}

bool Writer::write(QIODevice *device, QTextDocument *document, bool rich)
{
    if (!codec || !device || !document)
        return false;

    const int chunk = 1 << 16;
    QByteArray out;
    out.reserve(chunk + 4096);
    bool ok = true;
    const auto send = [&](bool all) {
        if (out.isEmpty() || (!all && out.size() < chunk))
            return;
        if (device->write(out) != out.size())
            ok = false;
        out.resize(0);
    };

    out += header;
    // The families the text is in, the document's own first: each run names
    // its font and size, Indic runs as complex-script text too, so that the
    // sizes and families come back.
    const QFont defaultFont = document->defaultFont();
    const QString defaultFamily = defaultFont.family();
    QHash<QString, int> fonts;
    if (rich) {
        QStringList families { defaultFamily };
        fonts.insert(defaultFamily, 0);
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
                const QString family = familyOf(it.fragment().charFormat(), defaultFamily);
                if (!fonts.contains(family)) {
                    fonts.insert(family, int(families.size()));
                    families << family;
                }
            }
        }
        out += "\\deff0{\\fonttbl";
        for (int i = 0; i < families.size(); ++i) {
            QString name = families.at(i);
            name.replace(QLatin1Char(';'), QLatin1Char(' '));
            out += "{\\f" + QByteArray::number(i) + "\\fnil " + fromUnicode(name) + ";}";
        }
        out += "}\n";
    }
    // What each paragraph starts in: the document's font and size, for
    // Western and complex-script text alike.
    const int defaultHalfPoints = halfPointsOf(QTextCharFormat(), defaultFont);
    const QByteArray defaultSize =
        defaultHalfPoints > 0 ? QByteArray::number(defaultHalfPoints) : QByteArray();
    QByteArray paragraphFont = "\\rtlch\\af0";
    if (!defaultSize.isEmpty())
        paragraphFont += "\\afs" + defaultSize;
    paragraphFont += "\\ltrch\\f0";
    if (!defaultSize.isEmpty())
        paragraphFont += "\\fs" + defaultSize;
    for (QTextBlock block = document->begin(); block.isValid() && ok; block = block.next()) {
        const bool last = !block.next().isValid();
        if (rich) {
            const QTextBlockFormat format = block.blockFormat();
            out += "{\\pard\\plain" + paragraphFont;
            const bool rtl = format.layoutDirection() == Qt::RightToLeft;
            if (rtl)
                out += "\\rtlpar";
            const Qt::Alignment alignment = format.alignment();
            if (rtl && (alignment & Qt::AlignLeft))
                out += "\\ql";
            else if (alignment & Qt::AlignRight)
                out += "\\qr";
            else if (alignment & (Qt::AlignHCenter | Qt::AlignVCenter))
                out += "\\qc";
            else if (alignment & Qt::AlignJustify)
                out += "\\qj";
            if (format.indent() > 0)
                out += "\\li" +
                    QByteArray::number(qMin<qint64>(qint64(format.indent()) * 600, INT_MAX));
        } else {
            out += '{';
        }

        bool first = true;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            if (first && rich)
                out += ' ';
            first = false;
            const QTextCharFormat format = fragment.charFormat();
            QByteArray codes;
            const bool bold = format.fontWeight() >= QFont::Bold;
            const bool italic = format.fontItalic();
            // A font, size, bold and italic of the run's own ("\f", "\fs",
            // "\b", "\i") reach Western text only: Kannada is a complex
            // script, whose runs take them from the associated character
            // properties ("\af", "\afs", "\ab", "\ai") given under "\rtlch".
            const int fontNumber = rich ? fonts.value(familyOf(format, defaultFamily)) : 0;
            const int halfPoints = rich ? halfPointsOf(format, defaultFont) : defaultHalfPoints;
            const QByteArray font = fontNumber != 0 ? QByteArray::number(fontNumber) : QByteArray();
            const QByteArray size = halfPoints != defaultHalfPoints && halfPoints > 0
                ? QByteArray::number(halfPoints)
                : QByteArray();
            if (bold || italic || !font.isEmpty() || !size.isEmpty()) {
                codes += "\\rtlch";
                if (!font.isEmpty())
                    codes += "\\af" + font;
                if (!size.isEmpty())
                    codes += "\\afs" + size;
                if (bold)
                    codes += "\\ab";
                if (italic)
                    codes += "\\ai";
                codes += "\\ltrch";
                if (!font.isEmpty())
                    codes += "\\f" + font;
                if (!size.isEmpty())
                    codes += "\\fs" + size;
                if (bold)
                    codes += "\\b";
                if (italic)
                    codes += "\\i";
            }
            if (format.fontUnderline())
                codes += "\\ul";
            if (format.fontStrikeOut())
                codes += "\\strike";
            if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                codes += "\\super";
            else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
                codes += "\\sub";
            if (codes.isEmpty()) {
                out += fromUnicode(fragment.text());
            } else {
                out += '{';
                out += codes;
                out += ' ';
                out += fromUnicode(fragment.text());
                out += '}';
            }
            send(false);
        }

        if (rich || !last)
            out += "\\par}\n";
        else
            out += '}';
        send(false);
    }
    out += '}';
    send(true);
    return ok;
}

} // namespace RTF
