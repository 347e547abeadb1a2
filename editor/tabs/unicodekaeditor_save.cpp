// Saving of the tab editor's document. The format follows the file name's
// suffix; text formats are written in the codec the Encoding menu chose.
// The file is written through QSaveFile: the previous file stays as it was
// unless the new content was written completely.

#include "unicodekaeditor.h"

#include "ts.h"
#include "utils.h"
#include "writer.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDocumentWriter>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <memory>

namespace {

// The text in the codec of the encoding index, with a byte-order mark for
// every encoding but 0 (ISO 8859-1). Empty when the codec is unknown or
// cannot represent every character: a file of question marks would lose
// the user's words.
bool encodeText(const QString &text, int encodingIndex, QByteArray *bytes)
{
    QTextCodec *codec = QTextCodec::codecForName(Utils::textCodecNameFor(encodingIndex));
    if (!codec || !codec->canEncode(text))
        return false;
    const QString content = encodingIndex != 0 ? QChar(0xFEFF) + text : text;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    *bytes = codec->fromUnicode(content.constData(), int(content.size()), &state);
    return state.invalidChars == 0;
}

void collectTables(QTextFrame *frame, QList<QTextTable *> *tables)
{
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            tables->append(table);
        collectTables(child, tables);
    }
}

// Qt's OpenDocument writer makes a file that office suites read without the
// table when a table directly follows a list item. Such a document is
// written from a copy with an empty paragraph between the two; null when
// the document has no such table and can be written as it is.
std::unique_ptr<QTextDocument> withParagraphBeforeTables(const QTextDocument *document)
{
    const auto needsParagraph = [](QTextDocument *doc) {
        QList<QTextTable *> tables;
        collectTables(doc->rootFrame(), &tables);
        for (QTextTable *table : tables) {
            const QTextBlock before = doc->findBlock(table->firstPosition() - 1);
            if (before.isValid() && before.textList())
                return table;
        }
        return static_cast<QTextTable *>(nullptr);
    };
    if (!needsParagraph(const_cast<QTextDocument *>(document)))
        return nullptr;
    std::unique_ptr<QTextDocument> copy(document->clone());
    // Each pass separates one table; bounded by the number of tables.
    for (int guard = 0; guard < 100000; ++guard) {
        QTextTable *table = needsParagraph(copy.get());
        if (!table)
            break;
        QTextCursor cursor(copy->findBlock(table->firstPosition() - 1));
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertBlock(QTextBlockFormat(), cursor.charFormat());
    }
    return copy;
}

} // namespace

bool UnicodeKaEditor::save()
{
    const QString suffix = QFileInfo(m_fileName).suffix().toLower();
    const bool textFormat = suffix != QLatin1String("odt") && suffix != QLatin1String("odf") &&
        suffix != QLatin1String("rtf");
    QSaveFile file(m_fileName);
    if (m_fileName.isEmpty() ||
        !file.open(textFormat ? QIODevice::WriteOnly | QIODevice::Text : QIODevice::WriteOnly)) {
        QMessageBox::information(this, Ts::APP_NAME, QStringLiteral("Couldn't save the file"),
                                 QMessageBox::Ok);
        return false;
    }

    bool written = false;
    if (suffix == QLatin1String("odt") || suffix == QLatin1String("odf")) {
        // The ZIP writer closes its device, which a QSaveFile must not be:
        // the package is made in memory first.
        QBuffer package;
        package.open(QIODevice::WriteOnly);
        QTextDocumentWriter writer(&package, "odf");
        const std::unique_ptr<QTextDocument> separated = withParagraphBeforeTables(document());
        written = writer.write(separated ? separated.get() : document()) &&
            !package.data().isEmpty() && file.write(package.data()) == package.data().size();
    } else if (suffix == QLatin1String("rtf")) {
        RTF::Writer writer(Utils::textCodecNameFor(m_textEncodingIndex));
        written = writer.write(&file, document(), true);
    } else {
        const QString text = (suffix == QLatin1String("htm") || suffix == QLatin1String("html"))
            ? document()->toHtml()
            : document()->toPlainText();
        QByteArray bytes;
        written =
            encodeText(text, m_textEncodingIndex, &bytes) && file.write(bytes) == bytes.size();
    }
    if (written)
        written = file.commit();
    else
        file.cancelWriting();
    if (!written) {
        QMessageBox::information(this, Ts::APP_NAME, QStringLiteral("Couldn't save the file"),
                                 QMessageBox::Ok);
        return false;
    }
    document()->setModified(false);
    updateWorkingDir();
    return true;
}

bool UnicodeKaEditor::onSaveFile(bool ask)
{
    if (!document()->isModified())
        return true;
    if (ask) {
        const QMessageBox::StandardButton answer = QMessageBox::question(
            this, Ts::APP_NAME, QStringLiteral("Unsaved changes. Do you want to save?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::No)
            return true;
        if (answer != QMessageBox::Yes)
            return false;
    }
    const QString previous = m_fileName;
    if (m_fileName.isEmpty()) {
        QString name = askSaveFileName ? askSaveFileName(QStringLiteral("Save File")) : QString();
        if (name.isEmpty())
            return false;
        if (QFileInfo(name).suffix().isEmpty())
            name += QStringLiteral(".txt");
        m_fileName = name;
    }
    if (save())
        return true;
    m_fileName = previous;
    return false;
}

bool UnicodeKaEditor::onSaveFileAs()
{
    if (m_fileName.startsWith(QLatin1Char(':')))
        return true;
    QString name = askSaveFileName ? askSaveFileName(QStringLiteral("Save File As")) : QString();
    if (name.isEmpty())
        return false;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".txt");
    const QString previous = m_fileName;
    m_fileName = name;
    if (save())
        return true;
    m_fileName = previous;
    return false;
}
