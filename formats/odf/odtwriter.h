#ifndef ZUVO_FORMATS_ODF_ODTWRITER_H
#define ZUVO_FORMATS_ODF_ODTWRITER_H

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;
class QTextDocument;

// Writes a rich-text document as an OpenDocument text package (.odt): the
// media type first and stored, the manifest, content.xml with the body and
// its automatic styles, styles.xml with the default font and the page, and
// meta.xml, with the pictures the document holds stored under names of
// their own. Nothing is shown and nothing of an editor is needed; failures
// are results, with errorString() saying why.
class OdtWriter
{
public:
    OdtWriter() = default;

    // Called from the writing thread now and then (every few milliseconds of
    // work) while a document is written, so that a caller in the GUI thread
    // can let its window repaint. The handler must not change the document;
    // it returns false to stop the writing (when the document is going
    // away), which then touches the document no more and fails.
    void setProgressHandler(std::function<bool()> handler) { m_progress = std::move(handler); }

    // The whole package written to the device (which is left open); false
    // when the document cannot be written or the device takes less than all.
    bool write(const QTextDocument &document, QIODevice *device);
    // The package's bytes; empty when the document cannot be written.
    QByteArray package(const QTextDocument &document);

    QString errorString() const { return m_error; }

private:
    std::function<bool()> m_progress;
    QString m_error;
};

#endif
