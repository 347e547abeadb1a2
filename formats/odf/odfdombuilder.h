#ifndef ZUVO_FORMATS_ODF_ODFDOMBUILDER_H
#define ZUVO_FORMATS_ODF_ODFDOMBUILDER_H

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QString>

#include <functional>

// What a streamed build hands over while it reads, so that the body of a
// large document never stands in memory as one tree: `bodyStart` once, when
// the text of the body ("office:body/office:text") begins and everything
// before it (the font faces and automatic styles) is complete; `bodyElement`
// for each child element of that text, and of the sections in it, as soon as
// the element is complete. The element is taken out of the tree right after.
struct OdfBodyStream
{
    std::function<void(const QDomDocument &)> bodyStart;
    std::function<void(const QDomElement &)> bodyElement;
};

// Builds a DOM of an OpenDocument stream with names as written ("text:p"; no
// namespace processing). Unlike QDomDocument's own parser it keeps the
// white-space-only text inside paragraphs and headings ("bold" " " "italic"
// stays three nodes), and it bounds the nesting: elements deeper than
// `maxDepth` are left out with everything inside them. Comments, processing
// instructions and the document type are dropped; CDATA sections stay CDATA.
// Returns false, with `doc` empty and the parser's message in `error`, when the
// bytes are not well-formed XML. With `stream`, the body is handed over piece
// by piece as OdfBodyStream says, and what was handed over before the bytes
// turn out not to be well-formed stays handed over.
bool buildOdfDom(const QByteArray &xml, QDomDocument &doc, QString *error = nullptr,
                 int maxDepth = 256, const OdfBodyStream *stream = nullptr);

#endif
