#include "odfxmlwriter.h"

#include <cstring>

OdfXmlWriter::OdfXmlWriter(QByteArray *out)
    : m_out(out)
{
}

void OdfXmlWriter::writeStartDocument()
{
    m_out->append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
}

void OdfXmlWriter::finishStartTag()
{
    if (!m_inStartTag)
        return;
    m_out->append(m_emptyElement ? "/>" : ">");
    m_inStartTag = false;
    m_emptyElement = false;
}

void OdfXmlWriter::writeStartElement(const char *name)
{
    finishStartTag();
    m_out->append('<');
    m_out->append(name);
    m_open.append(name);
    m_inStartTag = true;
}

void OdfXmlWriter::writeEmptyElement(const char *name)
{
    finishStartTag();
    m_out->append('<');
    m_out->append(name);
    m_inStartTag = true;
    m_emptyElement = true;
}

void OdfXmlWriter::writeAttribute(const char *name, const QString &value)
{
    m_out->append(' ');
    m_out->append(name);
    m_out->append("=\"");
    escape(value.toUtf8(), true);
    m_out->append('"');
}

void OdfXmlWriter::writeAttribute(const QString &name, const QString &value)
{
    m_out->append(' ');
    m_out->append(name.toUtf8());
    m_out->append("=\"");
    escape(value.toUtf8(), true);
    m_out->append('"');
}

void OdfXmlWriter::writeCharacters(const QString &text)
{
    finishStartTag();
    escape(text.toUtf8(), false);
}

void OdfXmlWriter::writeTextElement(const char *name, const QString &text)
{
    writeStartElement(name);
    writeCharacters(text);
    writeEndElement();
}

void OdfXmlWriter::writeEndElement()
{
    if (m_open.isEmpty())
        return;
    const char *name = m_open.takeLast();
    if (m_inStartTag && !m_emptyElement) {
        m_out->append("/>");
        m_inStartTag = false;
        return;
    }
    finishStartTag();
    m_out->append("</");
    m_out->append(name);
    m_out->append('>');
}

void OdfXmlWriter::writeEndDocument()
{
    while (!m_open.isEmpty())
        writeEndElement();
    finishStartTag();
}

void OdfXmlWriter::escape(const QByteArray &utf8, bool attribute)
{
    const char *data = utf8.constData();
    const qsizetype n = utf8.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char *entity = nullptr;
        switch (data[i]) {
        case '&':
            entity = "&amp;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        case '"':
            entity = attribute ? "&quot;" : nullptr;
            break;
        // In a value these would be read as blanks.
        case '\t':
            entity = attribute ? "&#9;" : nullptr;
            break;
        case '\n':
            entity = attribute ? "&#10;" : nullptr;
            break;
        case '\r':
            entity = "&#13;";
            break;
        default:
            break;
        }
        // What XML cannot hold at all is left out: the other controls,
        // U+FFFE and U+FFFF.
        qsizetype skip = 0;
        if (uchar(data[i]) < 0x20 && !entity && data[i] != '\t' && data[i] != '\n')
            skip = 1;
        else if (uchar(data[i]) == 0xEF && i + 2 < n && uchar(data[i + 1]) == 0xBF &&
                 (uchar(data[i + 2]) == 0xBE || uchar(data[i + 2]) == 0xBF))
            skip = 3;
        if (!entity && skip == 0)
            continue;
        m_out->append(data + from, i - from);
        if (entity)
            m_out->append(entity);
        from = i + qMax<qsizetype>(skip, 1);
        i = from - 1;
    }
    m_out->append(data + from, n - from);
}
