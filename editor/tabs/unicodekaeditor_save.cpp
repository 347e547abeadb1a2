// Saving of the tab editor's document. The format follows the file name's
// suffix; text formats are written in the codec the Encoding menu chose.
// The file is written through QSaveFile: the previous file stays as it was
// unless the new content was written completely.

#include "unicodekaeditor.h"

#include "GZip.h"
#include "ts.h"
#include "utils.h"
#include "writer.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDocumentWriter>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <memory>

namespace {

// The text in the codec, with a byte-order mark unless the codec is ISO
// 8859-1 (encoding 0). False when the codec cannot represent every
// character: a file of question marks would lose the user's words.
bool encodeText(const QString &text, QTextCodec *codec, bool byteOrderMark, QByteArray *bytes)
{
    if (!codec || !codec->canEncode(text))
        return false;
    const QString content = byteOrderMark ? QChar(0xFEFF) + text : text;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    *bytes = codec->fromUnicode(content.constData(), int(content.size()), &state);
    return state.invalidChars == 0;
}

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

// Text typed into an empty table cell takes the cell's own format, which
// Qt's OpenDocument writer writes as a cell style: the text's span then
// names a style the file does not hold, and its font and weight are lost.
bool textCarriesCellFormat(const QTextDocument *document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isTableCellFormat())
                return true;
        }
    }
    return false;
}

void giveTextPlainFormats(QTextDocument *document)
{
    struct Run
    {
        int position;
        int length;
        QTextCharFormat format;
    };
    QList<Run> runs;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            QTextCharFormat format = it.fragment().charFormat();
            if (!format.isTableCellFormat())
                continue;
            format.clearProperty(QTextFormat::ObjectType);
            runs.append({ it.fragment().position(), it.fragment().length(), format });
        }
    }
    // Formats only: the positions stay valid from one run to the next.
    for (const Run &run : std::as_const(runs)) {
        QTextCursor cursor(document);
        cursor.setPosition(run.position);
        cursor.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(run.format);
    }
}

// Qt's OpenDocument writer makes a file that office suites read without the
// table when a table directly follows a list item.
QTextTable *tableAfterList(QTextDocument *document)
{
    QList<QTextTable *> tables;
    collectTables(document->rootFrame(), &tables);
    for (QTextTable *table : tables) {
        const QTextBlock before = document->findBlock(table->firstPosition() - 1);
        if (before.isValid() && before.textList())
            return table;
    }
    return nullptr;
}

// The document as Qt's OpenDocument writer must be given it: a copy with an
// empty paragraph between a list and a table that follows it, and with the
// text of table cells in plain character formats. Null when the document
// can be written as it is.
std::unique_ptr<QTextDocument> preparedForOdf(const QTextDocument *document)
{
    auto *doc = const_cast<QTextDocument *>(document);
    if (!tableAfterList(doc) && !textCarriesCellFormat(doc))
        return nullptr;
    std::unique_ptr<QTextDocument> copy(document->clone());
    // Each pass separates one table; bounded by the number of tables.
    for (int guard = 0; guard < 100000; ++guard) {
        QTextTable *table = tableAfterList(copy.get());
        if (!table)
            break;
        QTextCursor cursor(copy->findBlock(table->firstPosition() - 1));
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertBlock(QTextBlockFormat(), cursor.charFormat());
    }
    giveTextPlainFormats(copy.get());
    return copy;
}

// --- the fonts of an OpenDocument package ----------------------------------

const QString officeNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString styleNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString textNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString foNS = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");

// A family as a font-family value: quoted when it holds a space or comma.
QString familyValue(const QString &family)
{
    if (!family.contains(QLatin1Char(' ')) && !family.contains(QLatin1Char(',')))
        return family;
    const QChar quote = family.contains(QLatin1Char('\'')) ? QLatin1Char('"') : QLatin1Char('\'');
    return quote + family + quote;
}

// The format index of the writer's character style name "c<index>", or -1.
int formatIndexOf(QStringView styleName)
{
    if (styleName.size() < 2 || styleName.at(0) != QLatin1Char('c'))
        return -1;
    bool ok = false;
    const int index = styleName.mid(1).toInt(&ok);
    return ok && index >= 0 ? index : -1;
}

class OdfFontFixer
{
public:
    // The formats of the document the package was written from; runs
    // without a family of their own are in the default family.
    OdfFontFixer(const QTextDocument *written, const QString &defaultFamily)
        : formats(written->allFormats())
        , defaultFamily(defaultFamily)
    {
    }

    // content.xml with the run fonts filled in, or empty when it does not
    // parse.
    QByteArray fix(const QByteArray &content);

private:
    QString familyOf(int index) const
    {
        QString family;
        if (index >= 0 && index < formats.size())
            family = formats.at(index).toCharFormat().fontFamilies().toStringList().value(0);
        return family.isEmpty() ? defaultFamily : family;
    }
    void writeTextProperties(QXmlStreamWriter &out, const QXmlStreamAttributes &given,
                             int index) const;
    void writeMissingStyles(QXmlStreamWriter &out) const;

    const QList<QTextFormat> formats;
    const QString defaultFamily;
    QSet<QString> referenced;
    QSet<QString> defined;
};

void OdfFontFixer::writeTextProperties(QXmlStreamWriter &out, const QXmlStreamAttributes &given,
                                       int index) const
{
    // The western font and weight are given again for complex scripts, the
    // ones office suites use for Indic text.
    static const struct
    {
        const char *western;
        const char *complex;
    } mirrored[] = {
        { "font-weight", "font-weight-complex" },
        { "font-style", "font-style-complex" },
        { "font-size", "font-size-complex" },
    };
    const QString family = familyValue(familyOf(index));
    out.writeStartElement(styleNS, QStringLiteral("text-properties"));
    QXmlStreamAttributes attributes;
    for (const QXmlStreamAttribute &a : given) {
        const bool complex = a.namespaceUri() == styleNS && a.name().endsWith(u"-complex");
        const bool familyAttribute = a.namespaceUri() == foNS && a.name() == u"font-family";
        if (!complex && !familyAttribute)
            attributes.append(a);
    }
    attributes.append(foNS, QStringLiteral("font-family"), family);
    attributes.append(styleNS, QStringLiteral("font-family-complex"), family);
    for (const auto &pair : mirrored) {
        const QString value = given.value(foNS, QLatin1String(pair.western)).toString();
        if (!value.isEmpty())
            attributes.append(styleNS, QLatin1String(pair.complex), value);
    }
    out.writeAttributes(attributes);
    out.writeEndElement();
}

void OdfFontFixer::writeMissingStyles(QXmlStreamWriter &out) const
{
    QStringList missing = (referenced - defined).values();
    missing.sort();
    for (const QString &name : std::as_const(missing)) {
        const int index = formatIndexOf(name);
        if (index < 0 || index >= formats.size())
            continue;
        const QTextCharFormat format = formats.at(index).toCharFormat();
        QXmlStreamAttributes given;
        if (format.fontWeight() >= QFont::DemiBold)
            given.append(foNS, QStringLiteral("font-weight"), QStringLiteral("bold"));
        if (format.fontItalic())
            given.append(foNS, QStringLiteral("font-style"), QStringLiteral("italic"));
        if (format.hasProperty(QTextFormat::FontPointSize))
            given.append(foNS, QStringLiteral("font-size"),
                         QString::number(format.fontPointSize()) + QStringLiteral("pt"));
        out.writeStartElement(styleNS, QStringLiteral("style"));
        out.writeAttribute(styleNS, QStringLiteral("name"), name);
        out.writeAttribute(styleNS, QStringLiteral("family"), QStringLiteral("text"));
        writeTextProperties(out, given, index);
        out.writeEndElement();
    }
}

QByteArray OdfFontFixer::fix(const QByteArray &content)
{
    // First pass: which character styles the text names and which exist.
    {
        QXmlStreamReader in(content);
        while (!in.atEnd()) {
            if (in.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (in.namespaceUri() == styleNS && in.name() == u"style")
                defined.insert(in.attributes().value(styleNS, QLatin1String("name")).toString());
            else if (in.namespaceUri() == textNS && in.name() == u"span" &&
                     in.attributes().hasAttribute(textNS, QLatin1String("style-name")))
                referenced.insert(
                    in.attributes().value(textNS, QLatin1String("style-name")).toString());
        }
        if (in.hasError())
            return QByteArray();
    }

    QByteArray result;
    QXmlStreamReader in(content);
    QXmlStreamWriter out(&result);
    // The format of the character style being copied, or -1.
    int styleIndex = -1;
    bool stylePropertiesWritten = false;
    bool inTextProperties = false;
    while (!in.atEnd()) {
        switch (in.readNext()) {
        case QXmlStreamReader::StartDocument:
            out.writeStartDocument(in.documentVersion().toString());
            break;
        case QXmlStreamReader::EndDocument:
            out.writeEndDocument();
            break;
        case QXmlStreamReader::StartElement: {
            for (const QXmlStreamNamespaceDeclaration &ns : in.namespaceDeclarations())
                out.writeNamespace(ns.namespaceUri().toString(), ns.prefix().toString());
            const QXmlStreamAttributes attributes = in.attributes();
            if (in.namespaceUri() == styleNS && in.name() == u"text-properties" &&
                styleIndex >= 0) {
                writeTextProperties(out, attributes, styleIndex);
                stylePropertiesWritten = true;
                inTextProperties = true;
                break;
            }
            if (in.namespaceUri() == styleNS && in.name() == u"style" &&
                attributes.value(styleNS, QLatin1String("family")) == u"text") {
                styleIndex = formatIndexOf(attributes.value(styleNS, QLatin1String("name")));
                stylePropertiesWritten = false;
            }
            out.writeStartElement(in.namespaceUri().toString(), in.name().toString());
            out.writeAttributes(attributes);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (inTextProperties) {
                // Written whole at its start.
                inTextProperties = false;
                break;
            }
            if (in.namespaceUri() == styleNS && in.name() == u"style" && styleIndex >= 0) {
                if (!stylePropertiesWritten)
                    writeTextProperties(out, QXmlStreamAttributes(), styleIndex);
                styleIndex = -1;
            }
            if (in.namespaceUri() == officeNS && in.name() == u"automatic-styles")
                writeMissingStyles(out);
            out.writeEndElement();
            break;
        case QXmlStreamReader::Characters:
            if (inTextProperties)
                break;
            if (in.isCDATA())
                out.writeCDATA(in.text().toString());
            else
                out.writeCharacters(in.text().toString());
            break;
        default:
            if (!inTextProperties)
                out.writeCurrentToken(in);
            break;
        }
    }
    if (in.hasError())
        return QByteArray();
    return result;
}

// The package with content.xml rewritten so that every run carries its
// font family, also for complex scripts, and every style it names exists.
// Empty when the package cannot be rewritten.
QByteArray withRunFonts(const QByteArray &package, const QTextDocument *written,
                        const QString &defaultFamily)
{
    QBuffer source;
    source.setData(package);
    if (!source.open(QIODevice::ReadOnly))
        return QByteArray();
    CZIP::QZipReader reader(&source);
    const QList<CZIP::QZipReader::FileInfo> entries = reader.fileInfoList();
    if (reader.status() != CZIP::QZipReader::NoError || entries.isEmpty())
        return QByteArray();

    QBuffer target;
    target.open(QIODevice::WriteOnly);
    bool contentFixed = false;
    {
        CZIP::QZipWriter writer(&target);
        for (const CZIP::QZipReader::FileInfo &entry : entries) {
            if (!entry.isFile)
                continue;
            QByteArray data = reader.fileData(entry.filePath);
            if (data.size() != entry.size)
                return QByteArray();
            if (entry.filePath == QLatin1String("content.xml")) {
                data = OdfFontFixer(written, defaultFamily).fix(data);
                if (data.isEmpty())
                    return QByteArray();
                contentFixed = true;
            }
            // The media type comes first and uncompressed, where office
            // suites look for it.
            writer.setCompressionPolicy(entry.filePath == QLatin1String("mimetype")
                                            ? CZIP::QZipWriter::NeverCompress
                                            : CZIP::QZipWriter::AutoCompress);
            writer.addFile(entry.filePath, data);
        }
        writer.close();
        if (writer.status() != CZIP::QZipWriter::NoError || !contentFixed)
            return QByteArray();
    }
    return target.data();
}

} // namespace

bool UnicodeKaEditor::save()
{
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
        QTextCodec *codec = QTextCodec::codecForName(Utils::textCodecNameFor(m_textEncodingIndex));
        const QString text = html && codec ? htmlDeclaring(document()->toHtml(), codec->name())
                                           : withoutObjects(document()->toPlainText());
        if (!encodeText(text, codec, m_textEncodingIndex != 0, &bytes)) {
            if (codec && m_textEncodingIndex == 0)
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
        // The ZIP writer closes its device, which a QSaveFile must not be:
        // the package is made in memory first.
        QBuffer package;
        package.open(QIODevice::WriteOnly);
        QTextDocumentWriter writer(&package, "odf");
        const std::unique_ptr<QTextDocument> prepared = preparedForOdf(document());
        const QTextDocument *source = prepared ? prepared.get() : document();
        if (writer.write(source) && !package.data().isEmpty()) {
            QByteArray data =
                withRunFonts(package.data(), source, document()->defaultFont().family());
            if (data.isEmpty()) {
                // The text is kept even where its fonts could not be.
                qWarning("UnicodeKaEditor: the OpenDocument package was saved without run fonts");
                data = package.data();
            }
            written = file.write(data) == data.size();
        }
    } else if (rtf) {
        RTF::Writer writer(Utils::textCodecNameFor(m_textEncodingIndex));
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
