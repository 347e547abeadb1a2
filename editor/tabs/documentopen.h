#ifndef ZUVO_EDITOR_TABS_DOCUMENTOPEN_H
#define ZUVO_EDITOR_TABS_DOCUMENTOPEN_H

#include "textencoding.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <memory>

class QIODevice;
class QTextDocument;

// Reading a file into what a tab shows, one function per format. Each takes
// the path and opens the file itself, in the one mode its format is read
// in; none needs an editor or a window. The OpenDocument format is read in
// a thread of its own (documentimport.h).
namespace DocumentOpen {

enum class Format { Text, Html, Rtf, Nudi, Brh, OpenDocument };
// By the file name's suffix; anything unknown is text.
Format formatOf(const QString &path);

struct Opened
{
    // How the text goes into the editor.
    enum class Content {
        PlainText, // the text as it stands
        Html, // a page
        AnyText, // rich text when it looks like it, else plain
        Lines, // lines to be appended one by one
        Document, // a document of its own, shown as it is
    };
    Content content = Content::PlainText;
    QString text;
    QStringList lines;
    std::unique_ptr<QTextDocument> document;
    // Why the file could not be read whole; empty when it was.
    QString failure;
    // Whether the tab stays bound to the file: a save writes it back.
    bool bound = true;
    // The encoding a save writes back in, when the format has one.
    bool hasEncoding = false;
    TextEncoding::Position encoding = TextEncoding::Utf8;
    // Read as ISO 8859-1 because it was no UTF-8.
    bool latin1 = false;
};

// Plain text by its byte-order mark, else UTF-8, else ISO 8859-1.
Opened openText(const QString &path);
// A page, whole, by its mark or declared charset; written back as UTF-8.
Opened openHtml(const QString &path);
// Into a document of its own in the given font and margin.
Opened openRtf(const QString &path, const QFont &font, qreal margin);
// Legacy Nudi text converted into Unicode; not bound, as the legacy file
// would open garbled if the Unicode text were written under its name.
Opened openNudi(const QString &path);
// The lines of a BRH file, to be converted; there is no file behind the
// converted text.
Opened openBrh(const QString &path);
// The lines of a BRH file already open; `failure` as in Opened.
QStringList brhLines(QIODevice *file, QString *failure);

} // namespace DocumentOpen

#endif
