// The style registry of the OpenDocument reader over an arbitrary content
// stream (also used as the styles stream): the six name scans, the font faces,
// the automatic styles, and the formats of every properties element.
#include "OOReader.h"

#include <QByteArray>
#include <QDomDocument>
#include <QGuiApplication>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

void visit(OOReader &reader, const QDomElement &element, int depth)
{
    if (depth > 64)
        return;
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        if (tag == QLatin1String("style:text-properties"))
            (void)reader.TextCharFormFromDom(e, QTextCharFormat());
        else if (tag == QLatin1String("style:paragraph-properties"))
            (void)reader.TextBlockFormFromDom(e, QTextBlockFormat());
        else
            (void)OOReader::TagAlignElement(e);
        (void)CatDomElement(e);
        visit(reader, e, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qInstallMessageHandler(quiet);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray xml(reinterpret_cast<const char *>(data), qsizetype(size));
    OOReader reader { QString() };
    for (int stream = 0; stream < 2; ++stream) {
        for (const char *attr : { "text:style-name", "table:style-name", "draw:style-name" })
            reader.styleNameSetup(xml, QLatin1String(attr));
    }
    QDomDocument dom;
    if (!dom.setContent(xml, false))
        return 0;
    const QDomElement root = dom.documentElement();
    reader.registerFontDoc(root.firstChildElement(QStringLiteral("office:font-face-decls")));
    reader.convertStyleNameRoot(root.firstChildElement(QStringLiteral("office:automatic-styles")));
    visit(reader, root, 0);
    return 0;
}
