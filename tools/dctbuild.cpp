// Builds a dictionary database from a source text of entries.
//
//   dctbuild [--language NAME] [--date TEXT] [--block N] SOURCE OUTPUT
//
// SOURCE is UTF-8, one entry per line: the headword, a tab, and the meaning as
// HTML starting with a tag. Empty lines and lines starting with '#' are
// skipped. Any bad line stops the build with its line number.
#include "dctwriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>

namespace {

constexpr qint64 MaxSourceBytes = 64ll * 1024 * 1024;

int fail(const QString &message)
{
    QTextStream(stderr) << "dctbuild: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString language = QStringLiteral("Kannada");
    QString date;
    int blockSize = DctWriter::DefaultBlockSize;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if ((a == u"--language" || a == u"--date" || a == u"--block") && i + 1 < args.size()) {
            const QString value = args.at(++i);
            if (a == u"--language") {
                language = value;
            } else if (a == u"--date") {
                date = value;
            } else {
                bool ok = false;
                blockSize = value.toInt(&ok);
                if (!ok || blockSize < 1)
                    return fail(QStringLiteral("bad block size: ") + value);
            }
        } else if (a.startsWith(u"--")) {
            return fail(QStringLiteral("unknown option: ") + a);
        } else {
            files.append(a);
        }
    }
    if (files.size() != 2)
        return fail(QStringLiteral(
            "usage: dctbuild [--language NAME] [--date TEXT] [--block N] SOURCE OUTPUT"));

    QFile source(files.at(0));
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read ") + files.at(0));
    if (source.size() > MaxSourceBytes)
        return fail(QStringLiteral("source too large: ") + files.at(0));
    const QString text = QString::fromUtf8(source.readAll());

    QList<DctWriter::Entry> entries;
    const QStringList lines = text.split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        const QString where = files.at(0) + u':' + QString::number(n + 1) + QStringLiteral(": ");
        if (tab < 0)
            return fail(where + QStringLiteral("no tab between headword and meaning"));
        const DctWriter::Entry entry { line.left(tab), line.mid(tab + 1) };
        const QString why = DctWriter::checkEntry(entry);
        if (!why.isEmpty())
            return fail(where + why);
        entries.append(entry);
    }
    if (entries.isEmpty())
        return fail(QStringLiteral("no entries in ") + files.at(0));

    QString error;
    if (!DctWriter::writeDictionary(files.at(1), entries, language, date, blockSize, &error))
        return fail(error);
    QTextStream(stdout) << "dctbuild: " << entries.size() << " entries -> " << files.at(1) << '\n';
    return 0;
}
