// Saving of the tab editor's document. The format follows the file name's
// suffix; text formats are written in the codec the Encoding menu chose.
// The file is written through QSaveFile: the previous file stays as it was
// unless the new content was written completely.

#include "unicodekaeditor.h"

#include "odtwriter.h"
#include "rtf/writer.h"
#include "textencoding.h"
#include "ts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>

namespace {

// The document's HTML declaring the charset it is written in: the toolkit
// always declares UTF-8, which makes a reader that trusts the declaration
// decode a UTF-16 or UTF-32 file as garbage.
QString htmlDeclaring(const QString &html, const QByteArray &charset)
{
    static const QRegularExpression declared(QStringLiteral("<meta\\s+charset=\"[^\"]*\"\\s*/?>"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QString meta = QStringLiteral("<meta charset=\"%1\" />").arg(QLatin1String(charset));
    const QRegularExpressionMatch match = declared.match(html);
    QString result = html;
    if (match.hasMatch()) {
        result.replace(match.capturedStart(), match.capturedLength(), meta);
    } else {
        const qsizetype head = result.indexOf(QLatin1String("<head>"), 0, Qt::CaseInsensitive);
        if (head >= 0)
            result.insert(head + 6, meta);
    }
    return result;
}

void collectTables(QTextFrame *frame, QList<QTextTable *> *tables)
{
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            tables->append(table);
        collectTables(child, tables);
    }
}

bool hasPictures(const QTextDocument *document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                return true;
        }
    }
    return false;
}

bool hasTables(const QTextDocument *document)
{
    QList<QTextTable *> tables;
    collectTables(document->rootFrame(), &tables);
    return !tables.isEmpty();
}

} // namespace

// A long document takes a while to write: the window repaints meanwhile,
// while keys and clicks wait. The writing stops should the document go.
bool UnicodeKaEditor::writeOdt(QIODevice *file)
{
    const QPointer<QTextDocument> written(document());
    const QPointer<UnicodeKaEditor> self(this);
    OdtWriter writer;
    writer.setProgressHandler([self, written] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return self && written && self->document() == written;
    });
    const bool ok = writer.write(*written, file);
    if (!ok)
        qWarning("UnicodeKaEditor: the OpenDocument file was not written: %s",
                 qPrintable(writer.errorString()));
    return ok && written && document() == written;
}

bool UnicodeKaEditor::save()
{
    // The save under way decides; a second one asked for meanwhile (a
    // window closed while the first writes) is refused.
    if (m_saving)
        return false;
    struct Saving
    {
        bool &flag;
        explicit Saving(bool &flag)
            : flag(flag)
        {
            flag = true;
        }
        ~Saving() { flag = false; }
    } during(m_saving);

    const QString suffix = QFileInfo(m_fileName).suffix().toLower();
    const bool odf = suffix == QLatin1String("odt") || suffix == QLatin1String("odf");
    const bool rtf = suffix == QLatin1String("rtf");
    const bool html = suffix == QLatin1String("htm") || suffix == QLatin1String("html");
    const auto fail = [this](const QString &message) {
        QMessageBox::information(this, Ts::APP_NAME, message, QMessageBox::Ok);
        return false;
    };
    const QString couldNotSave = tr("Couldn't save the file");
    if (m_fileName.isEmpty())
        return fail(couldNotSave);

    // Files of the legacy formats are read through their converters: the
    // Unicode text written under such a name would open garbled.
    if (suffix == QLatin1String("nudi") || suffix == QLatin1String("brh")) {
        const QFileInfo info(m_fileName);
        return fail(tr("Zuvo reads Nudi and BRH files but does not write them: the text saved "
                       "as %1 would open garbled.\n\nSave it under another name, for example "
                       "%2.")
                        .arg(info.fileName(), info.completeBaseName() + QStringLiteral(".txt")));
    }

    // The RTF writer keeps the text of tables and leaves pictures out: the
    // user decides before anything is lost.
    if (rtf && (hasTables(document()) || hasPictures(document()))) {
        const QMessageBox::StandardButton answer = QMessageBox::question(
            this, Ts::APP_NAME,
            tr("The document holds tables or pictures, which an RTF file saved here cannot "
               "keep: the text of the tables would become plain paragraphs, and the pictures "
               "would be left out.\n\nSave it as RTF without them?"),
            QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Yes)
            return false;
    }

    // Text formats are encoded before the file is touched, so that a text the
    // chosen encoding cannot hold leaves the old file as it was.
    QByteArray bytes;
    if (!odf && !rtf) {
        const TextEncoding::Position encoding = TextEncoding::position(m_textEncodingIndex);
        const QString text = html
            ? htmlDeclaring(document()->toHtml(), TextEncoding::charsetName(encoding))
            : withoutObjects(document()->toPlainText());
        if (!TextEncoding::encode(text, encoding, &bytes)) {
            if (encoding == TextEncoding::Latin1)
                return fail(tr("Couldn't save the file: the text holds characters that ISO 8859-1 "
                               "(ANSI) cannot store, and they would be lost.\n\n"
                               "Choose UTF-8 in the Encoding menu to save them."));
            return fail(couldNotSave);
        }
    }

    // Binary mode: no byte of a UTF-16 or UTF-32 text may be taken for a
    // line end and changed.
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(couldNotSave);

    bool written = false;
    if (odf) {
        written = writeOdt(&file);
    } else if (rtf) {
        RTF::Writer writer(TextEncoding::codecName(TextEncoding::position(m_textEncodingIndex)));
        written = writer.write(&file, document(), true);
    } else {
        written = file.write(bytes) == bytes.size();
    }
    if (written)
        written = file.commit();
    else
        file.cancelWriting();
    if (!written)
        return fail(couldNotSave);
    document()->setModified(false);
    updateWorkingDir();
    return true;
}

bool UnicodeKaEditor::nameWithSuffix(QString *name)
{
    const bool bare = QFileInfo(*name).suffix().isEmpty();
    const QString withSuffix = bare ? *name + QStringLiteral(".txt") : *name;
    // Before any question about replacing the file: a name the document may
    // not take is no file to replace.
    if (mayTakeFileName && !mayTakeFileName(withSuffix))
        return false;
    if (!bare)
        return true;
    // The file chooser asked about the name without the suffix, if at all:
    // the name the file is really written under gets its own question.
    if (QFileInfo::exists(withSuffix)) {
        const QMessageBox::StandardButton answer =
            QMessageBox::question(this, Ts::APP_NAME,
                                  tr("%1 already exists.\nDo you want to replace it?")
                                      .arg(QFileInfo(withSuffix).fileName()),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }
    *name = withSuffix;
    return true;
}

bool UnicodeKaEditor::onSaveFile(bool ask)
{
    // While a save writes, the tab may neither close nor save again.
    if (m_saving)
        return false;
    if (!document()->isModified())
        return true;
    if (ask) {
        const QMessageBox::StandardButton answer =
            QMessageBox::question(this, Ts::APP_NAME, tr("Unsaved changes. Do you want to save?"),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::No)
            return true;
        if (answer != QMessageBox::Yes)
            return false;
    }
    const QString previous = m_fileName;
    if (m_fileName.isEmpty()) {
        QString name = askSaveFileName ? askSaveFileName(tr("Save File")) : QString();
        if (name.isEmpty() || !nameWithSuffix(&name))
            return false;
        m_fileName = name;
    }
    if (save())
        return true;
    m_fileName = previous;
    return false;
}

bool UnicodeKaEditor::onSaveFileAs()
{
    if (m_saving)
        return false;
    if (m_fileName.startsWith(QLatin1Char(':')))
        return true;
    QString name = askSaveFileName ? askSaveFileName(tr("Save File As")) : QString();
    if (name.isEmpty() || !nameWithSuffix(&name))
        return false;
    const QString previous = m_fileName;
    m_fileName = name;
    if (save())
        return true;
    m_fileName = previous;
    return false;
}
