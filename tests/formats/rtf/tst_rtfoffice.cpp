// Interoperation with a real office suite: RTF it made (committed fixtures,
// see fixtures/make-fixtures.sh and ../fixtures/others/make_others_fixtures.sh)
// reads into the same text as its own text export, and RTF our writer makes
// is judged by what the suite itself makes of it: its text export and its
// flat OpenDocument export.
#include "rtf/writer.h"
#include "rtfexporter.h"
#include "testenv.h"
#include "tst_rtfsupport.h"
#include "tst_wordrecall.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QXmlStreamReader>

#include <QtTest/QtTest>
#include <algorithm>

using RtfTest::dump;
using RtfTest::words;

namespace {

QString fixturePath(const QString &name)
{
    if (name.startsWith(QLatin1String("others/")))
        return QStringLiteral(ZUVO_OTHERS_FIXTURES "/") + name.mid(7);
    return QStringLiteral(ZUVO_RTF_FIXTURES "/") + name;
}

QByteArray fixture(const QString &name)
{
    return ZuvoTest::fileBytes(fixturePath(name));
}

// The flat ODT a fixture was made from.
QString sourceOf(const QString &name)
{
    const QString base = QFileInfo(name).completeBaseName();
    if (name.startsWith(QLatin1String("others/")))
        return QStringLiteral(ZUVO_OTHERS_FIXTURES "/src/") + base + QStringLiteral(".fodt");
    return QStringLiteral(ZUVO_RTF_FIXTURES "/sources/") + base + QStringLiteral(".fodt");
}

const QStringList SuiteSources { "kannada", "bolditalic", "list", "table", "image" };
const QString TextFilter = QStringLiteral("txt:Text (encoded):UTF8");
// Every codec the editor saves RTF with.
const char *const WrittenCodecs[] = { "ISO 8859-1", "UTF-8",  "UTF-16",   "UTF-16BE",
                                      "UTF-16LE",   "UTF-32", "UTF-32BE", "UTF-32LE" };

// List markers: in RTF they are symbol-font glyphs (private-use U+F0xx), in
// the suite's text export Unicode bullets. Neither is document text.
QString withoutMarkers(QString text)
{
    static const QRegularExpression markers(
        QStringLiteral("[\\x{F000}-\\x{F0FF}\\x{2022}\\x{25E6}\\x{25AA}]"));
    return words(text.remove(markers));
}

// What the suite makes of a set of files, one soffice call per target format
// for all of them, kept for the whole test run.
class Conversions
{
public:
    // The bytes of the conversion of input (a path) with the filter, or
    // empty; error receives the suite's output when something is missing.
    QByteArray get(const QString &soffice, const QStringList &inputs, const QString &input,
                   const QString &filter, const QString &suffix, QString *error)
    {
        const QString key = filter + QLatin1Char('|') + inputs.join(QLatin1Char('|'));
        if (!dirs.contains(key)) {
            const QString out = root.path() + QStringLiteral("/%1").arg(dirs.size());
            QString log;
            WordRecall::convertAll(soffice, inputs, filter, out, &log);
            dirs.insert(key, out);
            logs.insert(key, log);
        }
        QFile file(WordRecall::convertedPath(dirs.value(key), input, suffix));
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("no %1 of %2: %3").arg(suffix, input, logs.value(key));
            return QByteArray();
        }
        return file.readAll();
    }

private:
    QTemporaryDir root;
    QHash<QString, QString> dirs;
    QHash<QString, QString> logs;
};

Conversions &conversions()
{
    static Conversions c;
    return c;
}

// Everything the suite must keep of ours: Kannada with its joiners, bold,
// italic and underline on Kannada and Latin runs, the alignments and indent
// levels.
void fillDocument(QTextDocument &doc)
{
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("ಕನ್ನಡ ನಾಡು ನುಡಿ ಶ್ರೀ ಕ್ಷೇತ್ರ ೧೨೩"));
    c.insertBlock(QTextBlockFormat());
    // ರ ZWJ ್ ಯ keeps the ra-form, ಕ ZWNJ ಕ keeps two letters apart.
    c.insertText(QStringLiteral("ಕಾರ\u200D್ಯ ಕ\u200Cಕ joiners"));
    c.insertBlock(QTextBlockFormat());
    const auto run = [&c](const QString &text, bool bold, bool italic, bool underline) {
        QTextCharFormat f;
        if (bold)
            f.setFontWeight(QFont::Bold);
        f.setFontItalic(italic);
        f.setFontUnderline(underline);
        c.insertText(text, f);
    };
    run(QStringLiteral("plain "), false, false, false);
    run(QStringLiteral("ದಪ್ಪ"), true, false, false);
    run(QStringLiteral(" mid "), false, false, false);
    run(QStringLiteral("ಓರೆ"), false, true, false);
    run(QStringLiteral(" "), false, false, false);
    run(QStringLiteral("ಎರಡೂ"), true, true, false);
    run(QStringLiteral(" "), false, false, false);
    run(QStringLiteral("ಗೆರೆ"), false, false, true);
    run(QStringLiteral(" bold"), true, false, false);
    run(QStringLiteral(" italic"), false, true, false);
    run(QStringLiteral(" and "), false, false, false);
    run(QStringLiteral("under"), false, false, true);
    run(QStringLiteral(" é€ end"), false, false, false);
    // Sizes and families, of Latin and of Kannada runs; the en and em spaces.
    c.insertBlock(QTextBlockFormat());
    const auto sized = [&c](const QString &text, const QString &family, double points) {
        QTextCharFormat f;
        if (!family.isEmpty())
            f.setFontFamilies(QStringList { family });
        if (points > 0)
            f.setFontPointSize(points);
        c.insertText(text, f);
    };
    sized(QStringLiteral("Big serif"), QStringLiteral("DejaVu Serif"), 20);
    sized(QStringLiteral(" W\u2002W\u2003W "), QString(), 0);
    sized(QStringLiteral("ದೊಡ್ಡ ಅಕ್ಷರ"), QStringLiteral("Lohit Kannada"), 16);
    for (const Qt::Alignment a : std::initializer_list<Qt::Alignment> {
             Qt::AlignHCenter, Qt::AlignRight | Qt::AlignAbsolute, Qt::AlignJustify }) {
        QTextBlockFormat f;
        f.setAlignment(a);
        c.insertBlock(f);
        c.insertText(QStringLiteral("aligned text"));
    }
    for (int level = 1; level <= 3; ++level) {
        QTextBlockFormat f;
        f.setIndent(level);
        c.insertBlock(f);
        c.insertText(QStringLiteral("level %1").arg(level));
    }
}

// The formats of a flat ODT's body by text: for each span the text
// properties of its automatic style (fonts by their family), for each
// paragraph the paragraph properties of its own.
struct Styled
{
    QHash<QString, QXmlStreamAttributes> spans;
    QHash<QString, QXmlStreamAttributes> paragraphs;

    // Whether the run of that text has the text property with that value.
    bool has(const char *run, const char *property, const char *value) const
    {
        const QXmlStreamAttributes a = spans.value(QString::fromUtf8(run));
        return a.value(QLatin1String(property)) == QLatin1String(value);
    }
};

Styled styledText(const QByteArray &fodt)
{
    QHash<QString, QXmlStreamAttributes> textProperties;
    QHash<QString, QXmlStreamAttributes> paragraphProperties;
    QHash<QString, QString> faces; // font face name -> family
    Styled out;
    QXmlStreamReader xml(fodt);
    QString style;
    QString spanStyle, spanText, paragraphStyle, paragraphText;
    int inSpan = 0;
    bool inParagraph = false;
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.qualifiedName();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes a = xml.attributes();
            if (name == QLatin1String("style:font-face")) {
                QString family = a.value(QLatin1String("svg:font-family")).toString();
                family.remove(QLatin1Char('\''));
                faces.insert(a.value(QLatin1String("style:name")).toString(), family);
            } else if (name == QLatin1String("style:style")) {
                style = a.value(QLatin1String("style:name")).toString();
            } else if (name == QLatin1String("style:text-properties") && !style.isEmpty()) {
                // A font is named by its font face; the family is what counts.
                QXmlStreamAttributes resolved;
                for (const QXmlStreamAttribute &attribute : a) {
                    const QString key = attribute.qualifiedName().toString();
                    const QString value = attribute.value().toString();
                    resolved.append(key,
                                    key.startsWith(QLatin1String("style:font-name"))
                                        ? faces.value(value, value)
                                        : value);
                }
                textProperties.insert(style, resolved);
            } else if (name == QLatin1String("style:paragraph-properties") && !style.isEmpty()) {
                paragraphProperties.insert(style, a);
            } else if (name == QLatin1String("text:p")) {
                inParagraph = true;
                paragraphStyle = a.value(QLatin1String("text:style-name")).toString();
                paragraphText.clear();
            } else if (name == QLatin1String("text:span") && inSpan++ == 0) {
                spanStyle = a.value(QLatin1String("text:style-name")).toString();
                spanText.clear();
            }
        } else if (xml.isEndElement()) {
            if (name == QLatin1String("style:style")) {
                style.clear();
            } else if (name == QLatin1String("text:span") && --inSpan == 0) {
                out.spans.insert(spanText, textProperties.value(spanStyle));
            } else if (name == QLatin1String("text:p")) {
                inParagraph = false;
                out.paragraphs.insert(paragraphText, paragraphProperties.value(paragraphStyle));
            }
        } else if (xml.isCharacters()) {
            if (inSpan > 0)
                spanText += xml.text();
            if (inParagraph)
                paragraphText += xml.text();
        }
    }
    return out;
}

// A length of a flat ODT in twips.
int twips(QStringView length)
{
    static const QRegularExpression re(QStringLiteral("^(-?[0-9.]+)(in|cm|mm|pt)$"));
    const QRegularExpressionMatch m = re.match(length);
    if (!m.hasMatch())
        return 0;
    const double v = m.captured(1).toDouble();
    const QString unit = m.captured(2);
    const double perUnit = unit == QLatin1String("in") ? 1440
        : unit == QLatin1String("cm")                  ? 1440 / 2.54
        : unit == QLatin1String("mm")                  ? 144 / 2.54
                                                       : 20;
    return qRound(v * perUnit);
}

} // namespace

class TestRtfOffice : public QObject
{
    Q_OBJECT

private slots:
    void suiteFixtures_data();
    void suiteFixtures();
    void suiteLive_data();
    void suiteLive();
    void everyWordOfLibreOffice_data();
    void everyWordOfLibreOffice();
    void writtenReadsTheSame_data();
    void writtenReadsTheSame();
    void exportedKeepsKannadaFormats();
};

void TestRtfOffice::suiteFixtures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // our picture of it, where it matters
    QTest::newRow("Kannada") << QStringLiteral("kannada")
                             << QStringLiteral("ಕನ್ನಡ ನಾಡು ನುಡಿ | ಶ್ರೀ ಕ್ಷೇತ್ರ ಅಕ್ಷರ ೧೨೩೪ | "
                                               "Mixed ಕನ್ನಡ and English.");
    QTest::newRow("bold and italic")
        << QStringLiteral("bolditalic")
        << QStringLiteral("plain {b:bold} {i:italic} {bi:both} end | {b:ದಪ್ಪ} {i:ಓರೆ}");
    // The suite's list indents (720 and 1080 twips) are one level.
    QTest::newRow("lists") << QStringLiteral("list") << QString();
    QTest::newRow("table")
        << QStringLiteral("table")
        << QStringLiteral("Before the table | A1<09>ಬಿ೧<09> | A2<09>B2<09> | After the table");
    QTest::newRow("image") << QStringLiteral("image") << QString();
}

// Our reading of the suite's RTF against the suite's own text of the same
// document.
static void checkSuiteRtf(const QString &name, const QByteArray &rtf, const QString &text,
                          const QString &expected)
{
    QVERIFY(!rtf.isEmpty() && !text.isEmpty());
    QTextDocument doc;
    const RtfTest::ReadResult result = RtfTest::readInto(doc, rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(withoutMarkers(doc.toPlainText()), withoutMarkers(text));
    if (!expected.isEmpty())
        QCOMPARE(dump(doc), expected);
    if (name == QLatin1String("list")) {
        for (QTextBlock b = doc.begin().next(); b.isValid() && b.next().isValid(); b = b.next())
            QCOMPARE(b.blockFormat().indent(), 1);
    }
}

void TestRtfOffice::suiteFixtures()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    checkSuiteRtf(name, fixture(name + QStringLiteral(".rtf")),
                  QString::fromUtf8(fixture(name + QStringLiteral(".txt"))), expected);
}

void TestRtfOffice::suiteLive_data()
{
    suiteFixtures_data();
}

// The same documents through the suite installed now, which may write its RTF
// differently from the one that made the fixtures.
void TestRtfOffice::suiteLive()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    QStringList sources;
    for (const QString &s : SuiteSources)
        sources << sourceOf(s);
    QString error;
    const QByteArray rtf = conversions().get(soffice, sources, sourceOf(name),
                                             QStringLiteral("rtf"), QStringLiteral(".rtf"), &error);
    QVERIFY2(!rtf.isEmpty(), qPrintable(error));
    const QByteArray text = conversions().get(soffice, sources, sourceOf(name), TextFilter,
                                              QStringLiteral(".txt"), &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    checkSuiteRtf(name, rtf, QString::fromUtf8(text), expected);
}

void TestRtfOffice::everyWordOfLibreOffice_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &s : SuiteSources)
        QTest::newRow(qPrintable(s)) << s + QStringLiteral(".rtf");
    for (const char *s : { "others/fields.rtf", "others/indexes.rtf", "others/layout.rtf" })
        QTest::newRow(s) << QString::fromLatin1(s);
}

// Every word the suite shows of an RTF file it wrote is in what we read of
// it, as often as it shows it; and so is every word of the note bodies, which
// its text export leaves out.
void TestRtfOffice::everyWordOfLibreOffice()
{
    QFETCH(QString, name);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    QStringList all;
    for (const QString &s : SuiteSources)
        all << fixturePath(s + QStringLiteral(".rtf"));
    for (const char *s : { "others/fields.rtf", "others/indexes.rtf", "others/layout.rtf" })
        all << fixturePath(QString::fromLatin1(s));
    QString error;
    const QByteArray text = conversions().get(soffice, all, fixturePath(name), TextFilter,
                                              QStringLiteral(".txt"), &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));

    QTextDocument doc;
    const RtfTest::ReadResult result = RtfTest::readInto(doc, fixture(name));
    QVERIFY2(result.ok, qPrintable(result.error));
    QFile source(sourceOf(name));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QStringList notes = WordRecall::noteBodyWords(source.readAll());
    const QStringList ours = WordRecall::words(doc.toPlainText());
    const QStringList shown =
        WordRecall::words(WordRecall::withoutListLabels(QString::fromUtf8(text)));
    const WordRecall::Recall shownRecall = WordRecall::recall(shown, ours);
    const WordRecall::Recall allRecall = WordRecall::recall(shown + notes, ours);
    qInfo("%s: text %s; with the %d words of the notes %s", qPrintable(name),
          qPrintable(shownRecall.report()), int(notes.size()), qPrintable(allRecall.report()));
    QVERIFY2(shownRecall.missing.isEmpty(), qPrintable(shownRecall.report()));
    QVERIFY2(allRecall.missing.isEmpty(), qPrintable(allRecall.report()));
}

void TestRtfOffice::writtenReadsTheSame_data()
{
    // Every codec the editor saves RTF with.
    QTest::addColumn<QByteArray>("codec");
    for (const char *codec : WrittenCodecs)
        QTest::newRow(codec) << QByteArray(codec);
}

// What our writer makes, the suite reads into exactly our text, and its own
// OpenDocument of it shows our formats, the Kannada runs' included.
// Our writer's RTF of the test document in every codec, and the Save-as-RTF
// exporter's, written once: one soffice call reads them all.
static const QStringList &writtenFiles()
{
    static QTemporaryDir dir;
    static QStringList paths;
    if (!paths.isEmpty())
        return paths;
    QTextDocument original;
    fillDocument(original);
    for (const char *codec : WrittenCodecs) {
        const QString path = dir.filePath(QString::fromLatin1(codec).replace(' ', '_') + ".rtf");
        QFile file(path);
        RTF::Writer writer(codec);
        if (file.open(QIODevice::WriteOnly) && writer.write(&file, &original, true))
            paths << path;
    }
    const QString exported = dir.filePath(QStringLiteral("exporter.rtf"));
    RtfExporter exporter(&original, exported);
    paths << exported;
    return paths;
}

void TestRtfOffice::writtenReadsTheSame()
{
    QFETCH(QByteArray, codec);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    QTextDocument original;
    fillDocument(original);
    const QStringList &inputs = writtenFiles();
    const QString name = QLatin1Char('/') + QString::fromLatin1(codec).replace(' ', '_') + ".rtf";
    const auto written = std::find_if(inputs.cbegin(), inputs.cend(),
                                      [&name](const QString &path) { return path.endsWith(name); });
    QVERIFY2(written != inputs.cend(), "our writer wrote no file");
    const QString input = *written;
    QString error;
    const QByteArray text =
        conversions().get(soffice, inputs, input, TextFilter, QStringLiteral(".txt"), &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    QString shown = QString::fromUtf8(text);
    shown.remove(QChar(0xFEFF));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    QCOMPARE(shown, original.toPlainText());

    const QByteArray fodt = conversions().get(soffice, inputs, input, QStringLiteral("fodt"),
                                              QStringLiteral(".fodt"), &error);
    QVERIFY2(!fodt.isEmpty(), qPrintable(error));
    const Styled styled = styledText(fodt);
    QVERIFY(styled.has("ದಪ್ಪ", "style:font-weight-complex", "bold"));
    QVERIFY(!styled.has("ದಪ್ಪ", "style:font-style-complex", "italic"));
    QVERIFY(styled.has("ಓರೆ", "style:font-style-complex", "italic"));
    QVERIFY(!styled.has("ಓರೆ", "style:font-weight-complex", "bold"));
    QVERIFY(styled.has("ಎರಡೂ", "style:font-weight-complex", "bold"));
    QVERIFY(styled.has("ಎರಡೂ", "style:font-style-complex", "italic"));
    QVERIFY(styled.has("ಗೆರೆ", "style:text-underline-style", "solid"));
    QVERIFY(styled.has(" bold", "fo:font-weight", "bold"));
    QVERIFY(styled.has(" italic", "fo:font-style", "italic"));
    QVERIFY(styled.has("under", "style:text-underline-style", "solid"));
    // Sizes and families reach Western and complex-script text.
    QVERIFY(styled.has("Big serif", "style:font-name", "DejaVu Serif"));
    QVERIFY(styled.has("Big serif", "fo:font-size", "20pt"));
    QVERIFY(styled.has("ದೊಡ್ಡ ಅಕ್ಷರ", "style:font-name-complex", "Lohit Kannada"));
    QVERIFY(styled.has("ದೊಡ್ಡ ಅಕ್ಷರ", "style:font-size-complex", "16pt"));
    // The suite took our indents as 600 twips a level, not as a few twips.
    for (int level = 1; level <= 3; ++level) {
        const QString text = QStringLiteral("level %1").arg(level);
        const int indent =
            twips(styled.paragraphs.value(text).value(QLatin1String("fo:margin-left")));
        QVERIFY2(qAbs(indent - 600 * level) <= 2, qPrintable(text));
    }
}

// The Save-as-RTF exporter's bold and italic reach Kannada runs too.
void TestRtfOffice::exportedKeepsKannadaFormats()
{
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    const QStringList &inputs = writtenFiles();
    QString error;
    const QByteArray fodt = conversions().get(
        soffice, inputs, inputs.last(), QStringLiteral("fodt"), QStringLiteral(".fodt"), &error);
    QVERIFY2(!fodt.isEmpty(), qPrintable(error));
    const Styled styled = styledText(fodt);
    QVERIFY(styled.has("ದಪ್ಪ", "style:font-weight-complex", "bold"));
    QVERIFY(styled.has("ಓರೆ", "style:font-style-complex", "italic"));
    QVERIFY(styled.has("ಎರಡೂ", "style:font-weight-complex", "bold"));
    QVERIFY(styled.has("ಎರಡೂ", "style:font-style-complex", "italic"));
}

QTEST_MAIN(TestRtfOffice)
#include "tst_rtfoffice.moc"
