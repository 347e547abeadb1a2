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

// What an open element is to a streamed build.
enum class Role {
    Plain, // built as part of the tree
    Container, // the body's text or a section in it: its children are handed over
    Piece, // a child of a container: handed over when complete
};

} // namespace

bool buildOdfDom(const QByteArray &xml, QDomDocument &doc, QString *error, int maxDepth,
                 const OdfBodyStream *stream)
{
    doc = QDomDocument();
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);

    QList<QDomNode> open; // the elements being filled, innermost last
    QList<Role> roles; // the role of each element of `open` after the document
    open.append(doc);
    int paragraphDepth = 0; // open elements from the outermost paragraph on
    int skipped = 0; // open elements below the depth bound
    bool warned = false;
    bool bodyTextSeen = false; // only the first text of the body is streamed

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

            Role role = Role::Plain;
            const Role parent = roles.isEmpty() ? Role::Plain : roles.last();
            if (stream != nullptr) {
                if (parent == Role::Container) {
                    role = name == QLatin1String("text:section") ? Role::Container : Role::Piece;
                } else if (!bodyTextSeen && roles.size() == 2 &&
                           name == QLatin1String("office:text") &&
                           open.last().nodeName() == QLatin1String("office:body")) {
                    bodyTextSeen = true;
                    role = Role::Container;
                    if (stream->bodyStart)
                        stream->bodyStart(doc);
                }
            }
            open.append(e);
            roles.append(role);
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
                const QDomNode done = open.takeLast();
                const Role role = roles.takeLast();
                if (paragraphDepth > 0)
                    --paragraphDepth;
                if (role == Role::Piece) {
                    if (stream->bodyElement)
                        stream->bodyElement(done.toElement());
                    open.last().removeChild(done);
                } else if (role == Role::Container && !roles.isEmpty() &&
                           roles.last() == Role::Container) {
                    open.last().removeChild(done); // a section: its pieces are gone already
                }
            }
            break;
        case QXmlStreamReader::Characters: {
            if (skipped > 0 || open.size() < 2)
                break;
            // Text between the pieces of a container is no part of any of them.
            if (!roles.isEmpty() && roles.last() == Role::Container)
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
