#include "odfdombuilder.h"

#include "odflog.h"

#include <QDomElement>
#include <QDomText>
#include <QList>
#include <QXmlStreamReader>

namespace {

bool isParagraphTag(QStringView name)
{
    return name == QLatin1String("text:p") || name == QLatin1String("text:h");
}

bool isWhiteSpace(QStringView text)
{
    for (const QChar c : text) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

} // namespace

bool buildOdfDom(const QByteArray &xml, QDomDocument &doc, QString *error, int maxDepth)
{
    doc = QDomDocument();
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);

    QList<QDomNode> open; // the elements being filled, innermost last
    open.append(doc);
    int paragraphDepth = 0; // open elements from the outermost paragraph on
    int skipped = 0; // open elements below the depth bound
    bool warned = false;

    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        switch (token) {
        case QXmlStreamReader::StartElement: {
            if (skipped > 0 || open.size() > maxDepth) {
                ++skipped;
                if (!warned) {
                    qCWarning(lcOdf) << "### content nested deeper than" << maxDepth
                                     << "elements: the inner part is left out";
                    warned = true;
                }
                break;
            }
            const QString name = reader.qualifiedName().toString();
            QDomElement e = doc.createElement(name);
            if (open.size() == 1)
                open[0] = doc; // the document has its node only from its first element on
            const QXmlStreamAttributes attributes = reader.attributes();
            for (const QXmlStreamAttribute &a : attributes)
                e.setAttribute(a.qualifiedName().toString(), a.value().toString());
            open.last().appendChild(e);
            open.append(e);
            if (paragraphDepth > 0 || isParagraphTag(name))
                ++paragraphDepth;
            break;
        }
        case QXmlStreamReader::EndElement:
            if (skipped > 0) {
                --skipped;
                break;
            }
            if (open.size() > 1) {
                open.removeLast();
                if (paragraphDepth > 0)
                    --paragraphDepth;
            }
            break;
        case QXmlStreamReader::Characters: {
            if (skipped > 0 || open.size() < 2)
                break;
            const QStringView text = reader.text();
            if (reader.isCDATA()) {
                open.last().appendChild(doc.createCDATASection(text.toString()));
                break;
            }
            if (paragraphDepth == 0 && isWhiteSpace(text))
                break;
            // The parser may hand one run of text over in pieces; they stay one node.
            QDomNode last = open.last().lastChild();
            if (last.isText() && !last.isCDATASection())
                last.toText().appendData(text.toString());
            else
                open.last().appendChild(doc.createTextNode(text.toString()));
            break;
        }
        default:
            break;
        }
    }
    if (reader.hasError()) {
        if (error != nullptr)
            *error = reader.errorString();
        doc = QDomDocument();
        return false;
    }
    return true;
}
