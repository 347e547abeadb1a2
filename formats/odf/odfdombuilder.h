#ifndef ZUVO_ODFDOMBUILDER_H
#define ZUVO_ODFDOMBUILDER_H

#include <QByteArray>
#include <QDomDocument>
#include <QString>

// Builds a DOM of an OpenDocument stream with names as written ("text:p"; no
// namespace processing). Unlike QDomDocument's own parser it keeps the
// white-space-only text inside paragraphs and headings ("bold" " " "italic"
// stays three nodes), and it bounds the nesting: elements deeper than
// `maxDepth` are left out with everything inside them. Comments, processing
// instructions and the document type are dropped; CDATA sections stay CDATA.
// Returns false, with `doc` empty and the parser's message in `error`, when the
// bytes are not well-formed XML.
bool buildOdfDom(const QByteArray &xml, QDomDocument &doc, QString *error = nullptr,
                 int maxDepth = 256);

#endif
