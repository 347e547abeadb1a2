// The Kannada translation source: lupdate over the sources finds no text that
// it lacks, running it leaves the committed file alone, and every translated
// text keeps what the program and the user depend on (markers, line breaks,
// accelerators, file patterns, key and encoding names, the product name).
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "", "unfinished", "vanished" or "obsolete"

    bool active() const
    {
        return type != QLatin1String("vanished") && type != QLatin1String("obsolete");
    }
    QString where() const { return context + QLatin1String(" \"") + source + QLatin1Char('"'); }
};

QList<Message> readTs(const QString &path, QString *error)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return messages;
    }
    QXmlStreamReader reader(&file);
    QString context;
    Message message;
    bool inMessage = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const auto name = reader.name();
            if (name == QLatin1String("name") && !inMessage) {
                context = reader.readElementText();
            } else if (name == QLatin1String("message")) {
                inMessage = true;
                message = Message { context, {}, {}, {} };
            } else if (name == QLatin1String("source")) {
                message.source = reader.readElementText();
            } else if (name == QLatin1String("translation")) {
                message.type = reader.attributes().value(QLatin1String("type")).toString();
                message.translation =
                    reader.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (reader.isEndElement() && reader.name() == QLatin1String("message")) {
            messages << message;
            inMessage = false;
        }
    }
    if (reader.hasError())
        *error = reader.errorString();
    return messages;
}

QStringList matches(const QRegularExpression &re, const QString &text)
{
    QStringList found;
    auto it = re.globalMatch(text);
    while (it.hasNext())
        found << it.next().captured(0);
    std::sort(found.begin(), found.end());
    return found;
}

// The accelerators of a menu text: "&" before a letter or digit, leaving out
// "&&" (a shown ampersand) and "&" before a space (plain text).
QList<int> acceleratorPositions(const QString &text)
{
    QList<int> positions;
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (!text.at(i + 1).isSpace())
            positions << i;
    }
    return positions;
}

QString leadingSpace(const QString &text)
{
    int n = 0;
    while (n < text.size() && text.at(n).isSpace())
        ++n;
    return text.left(n);
}

QString trailingSpace(const QString &text)
{
    int n = 0;
    while (n < text.size() && text.at(text.size() - 1 - n).isSpace())
        ++n;
    return text.right(n);
}

// True for a shortcut such as "Ctrl+Shift+Z" or "F3": its translation is the
// key itself.
bool isShortcut(const QString &text)
{
    // Words such as "Help" or "Left" name keys too: a shortcut has a
    // modifier or is a function key.
    static const QRegularExpression form(QStringLiteral("^(?:[A-Za-z]+\\+)+\\S+$|^F[0-9]{1,2}$"));
    if (!form.match(text).hasMatch())
        return false;
    const QKeySequence keys = QKeySequence::fromString(text, QKeySequence::PortableText);
    return keys.count() == 1 && keys[0].key() != Qt::Key_unknown &&
        keys.toString(QKeySequence::PortableText) == text;
}

// What a translation has to keep from its source; empty when it keeps all.
QStringList problems(const Message &m)
{
    static const QRegularExpression markers(QStringLiteral("%(?:L?[1-9][0-9]?|n)"));
    static const QRegularExpression patterns(QStringLiteral("\\*\\.[A-Za-z0-9*]+"));
    static const QRegularExpression names(
        QStringLiteral("\\b(?:Zuvo|ANSI|UTF-(?:8|16|32)(?:BE)?|CTRL|Ctrl|Shift|F[0-9]{1,2})\\b"));
    const QString &s = m.source;
    const QString &t = m.translation;
    QStringList found;
    if (t.isEmpty())
        return { QStringLiteral("no translation") };
    if (matches(markers, s) != matches(markers, t))
        found << QStringLiteral("%-markers differ");
    if (s.count(QLatin1Char('\n')) != t.count(QLatin1Char('\n')))
        found << QStringLiteral("line breaks differ");
    if (s.count(QLatin1String("&&")) != t.count(QLatin1String("&&")))
        found << QStringLiteral("shown ampersands (&&) differ");
    const QList<int> sourceKeys = acceleratorPositions(s);
    const QList<int> keys = acceleratorPositions(t);
    if (sourceKeys.size() != keys.size()) {
        found << QStringLiteral("accelerators differ");
    } else {
        for (const int at : keys) {
            // The underlined letter is drawn apart from its neighbours, which
            // breaks the shaping of a syllable it belongs to: the letter after
            // "&" must be a syllable of its own, not joined by a virama or a
            // joiner to the letter before, and followed by no vowel sign,
            // anusvara, virama or joiner.
            const QChar key = t.at(at + 1);
            const auto joiner = [](QChar c) { return c == QChar(0x200C) || c == QChar(0x200D); };
            const auto virama = [](QChar c) { return c.combiningClass() == 9; };
            const bool joinedBefore = at > 0 && (virama(t.at(at - 1)) || joiner(t.at(at - 1)));
            const bool joinedAfter =
                at + 2 < t.size() && (t.at(at + 2).isMark() || joiner(t.at(at + 2)));
            if (!key.isLetterOrNumber() || joinedBefore || joinedAfter)
                found << QStringLiteral("accelerator on a letter that cannot carry it");
        }
    }
    if (leadingSpace(s) != leadingSpace(t) || trailingSpace(s) != trailingSpace(t))
        found << QStringLiteral("leading or trailing spaces differ");
    if (matches(patterns, s) != matches(patterns, t))
        found << QStringLiteral("file patterns differ");
    if (matches(names, s) != matches(names, t))
        found << QStringLiteral("key, encoding or product names differ");
    if (isShortcut(s) && t != s)
        found << QStringLiteral("shortcut translated");
    return found;
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void lupdateFindsNothingNew();
    void translationsKeepWhatTheProgramNeeds();
};

void TestTranslation::lupdateFindsNothingNew()
{
    const QString committed = QStringLiteral(ZUVO_KN_TS);
    QFile original(committed);
    QVERIFY2(original.open(QIODevice::ReadOnly), qPrintable(committed));
    const QByteArray before = original.readAll();
    original.close();

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("zuvo_kn.ts"));
    QVERIFY(QFile::copy(committed, copy));

    // The same call as the zuvo_kn_lupdate target, on the copy.
    QStringList args { QStringLiteral("-locations"), QStringLiteral("none") };
    for (const QString &folder : QStringLiteral(ZUVO_KN_LUPDATE_DIRS).split(QLatin1Char(',')))
        args << QDir(QStringLiteral(ZUVO_SOURCE_DIR)).filePath(folder);
    args << QStringLiteral("-ts") << copy;
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(ZUVO_SOURCE_DIR));
    lupdate.start(QStringLiteral(ZUVO_LUPDATE), args);
    QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
    const QString output = QString::fromLocal8Bit(lupdate.readAllStandardOutput());
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             qPrintable(output + QString::fromLocal8Bit(lupdate.readAllStandardError())));

    QString error;
    const QList<Message> committedMessages = readTs(committed, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QList<Message> updated = readTs(copy, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    // New texts come in unfinished; texts that were gone and are back count
    // as new too, and must be made current in the committed file.
    QStringList lacking;
    for (const Message &m : updated) {
        if (!m.active())
            continue;
        const bool current = std::any_of(
            committedMessages.cbegin(), committedMessages.cend(), [&m](const Message &c) {
                return c.active() && c.context == m.context && c.source == m.source;
            });
        if (m.type == QLatin1String("unfinished") || m.translation.isEmpty() || !current)
            lacking << m.where();
    }
    QVERIFY2(lacking.isEmpty(),
             qPrintable(QStringLiteral("texts without a current translation (build the target "
                                       "zuvo_kn_lupdate, then translate them in zuvo_kn.ts):\n") +
                        lacking.join(QLatin1Char('\n'))));

    static const QRegularExpression found(QStringLiteral(
        "Found (\\d+) source text\\(s\\) \\((\\d+) new and (\\d+) already existing\\)"));
    const QRegularExpressionMatch summary = found.match(output);
    QVERIFY2(summary.hasMatch(), qPrintable(output));
    QCOMPARE(summary.captured(2).toInt(), 0);
    QVERIFY(summary.captured(1).toInt() > 0);

    QFile after(committed);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QVERIFY2(after.readAll() == before, "the committed translation was changed");
}

void TestTranslation::translationsKeepWhatTheProgramNeeds()
{
    QString error;
    const QList<Message> messages = readTs(QStringLiteral(ZUVO_KN_TS), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!messages.isEmpty());
    QStringList report;
    for (const Message &m : messages) {
        const QStringList found = problems(m);
        if (!found.isEmpty())
            report << m.where() + QLatin1String(": ") + found.join(QLatin1String(", "));
    }
    QVERIFY2(report.isEmpty(), qPrintable(report.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestTranslation)
#include "tst_translation.moc"
