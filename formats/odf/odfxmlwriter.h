#ifndef ZUVO_FORMATS_ODF_ODFXMLWRITER_H
#define ZUVO_FORMATS_ODF_ODFXMLWRITER_H

#include <QByteArray>
#include <QList>
#include <QString>

// XML for the streams of an OpenDocument package, written straight into a
// byte array as UTF-8: names as given (prefixed, no namespace processing),
// text and attribute values escaped, nothing indented. Element names are
// literals that outlive the writer.
class OdfXmlWriter
{
public:
    explicit OdfXmlWriter(QByteArray *out);

    void writeStartDocument();
    void writeStartElement(const char *name);
    // An element with no content; its attributes follow.
    void writeEmptyElement(const char *name);
    void writeAttribute(const char *name, const QString &value);
    void writeAttribute(const QString &name, const QString &value);
    void writeCharacters(const QString &text);
    void writeTextElement(const char *name, const QString &text);
    void writeEndElement();
    // Ends every element still open.
    void writeEndDocument();
    // Ends the start tag being written, so that what follows may be added
    // to the bytes directly.
    void finishStartTag();

private:
    void escape(const QByteArray &utf8, bool attribute);

    QByteArray *m_out;
    QList<const char *> m_open;
    bool m_inStartTag = false;
    bool m_emptyElement = false;
};

#endif
