// Shared by the format tests that judge an import by LibreOffice's own text
// export of the same file: the words of a text counted as a multiset, how
// many of one text's words another holds, the words of the note bodies of an
// OpenDocument stream (the text export leaves them out), and one soffice call
// converting several files.
#ifndef ZUVO_TESTS_FORMATS_TST_WORDRECALL_H
#define ZUVO_TESTS_FORMATS_TST_WORDRECALL_H

#include "libreoffice.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

namespace WordRecall {

// Runs of letters, marks, digits and the joiners: a Kannada word with its
// vowel signs and virama is one word, punctuation separates words.
inline QStringList words(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("[\\p{L}\\p{M}\\p{N}_\\x{200C}\\x{200D}]+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    QStringList out;
    for (auto it = word.globalMatch(text); it.hasNext();)
        out << it.next().captured();
    return out;
}

// LibreOffice's text export writes list items indented behind their label
// ("1", "a)", "iv.", "(2)", "[ii]"): the label is numbering, not a word of
// the document.
inline QString withoutListLabels(const QString &text)
{
    static const QRegularExpression label(
        QStringLiteral("^[ \\t]+[(\\[]?(?:\\d+|[a-zA-Z]|[ivxlcIVXLC]+)[.)\\]]?[ \\t]+"),
        QRegularExpression::MultilineOption);
    return QString(text).remove(label);
}

struct Recall
{
    int total = 0; // words of the expected text
    int found = 0; // of them, held by ours (each word as often as it occurs)
    QStringList missing;
    double percent() const { return total == 0 ? 100.0 : 100.0 * found / total; }
    QString report() const
    {
        return QStringLiteral("%1 of %2 words (%3%), missing: %4")
            .arg(found)
            .arg(total)
            .arg(percent(), 0, 'f', 1)
            .arg(missing.join(QLatin1Char(' ')));
    }
};

// How many of the expected words ours holds, counted as a multiset.
inline Recall recall(const QStringList &expected, const QStringList &ours)
{
    QHash<QString, int> have;
    for (const QString &w : ours)
        ++have[w];
    Recall r;
    for (const QString &w : expected) {
        ++r.total;
        int &n = have[w];
        if (n > 0) {
            --n;
            ++r.found;
        } else {
            r.missing << w;
        }
    }
    return r;
}

// The words inside every "text:note-body" of an OpenDocument stream (a flat
// ODT or a content.xml).
inline QStringList noteBodyWords(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    QString text;
    int inside = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (inside > 0 || reader.qualifiedName() == QLatin1String("text:note-body"))
                ++inside;
            // Paragraphs of a note are separate words.
            if (inside > 0)
                text += QLatin1Char(' ');
        } else if (reader.isEndElement()) {
            if (inside > 0)
                --inside;
        } else if (reader.isCharacters() && inside > 0) {
            text += reader.text();
        }
    }
    return words(text);
}

// Converts every input with one soffice call into outDir (a profile of its
// own beside it). True when every conversion was made.
inline bool convertAll(const QString &soffice, const QStringList &inputs, const QString &filter,
                       const QString &outDir, QString *log = nullptr)
{
    return ZuvoTest::officeConvert(soffice, inputs, filter, outDir, log);
}

// Where convertAll put the conversion of one input.
inline QString convertedPath(const QString &outDir, const QString &input, const QString &suffix)
{
    return outDir + QLatin1Char('/') + QFileInfo(input).completeBaseName() + suffix;
}

} // namespace WordRecall

#endif
