#include "documentimport.h"

#include "FoColorName.h"
#include "OOReader.h"
#include "unicodekaeditor.h"

#include <QTextDocument>
#include <QThread>

namespace {

// The import's thread only runs an event loop, in which the reader does its
// reading (and waits for remote pictures).
class ImportThread : public QThread
{
public:
    using QThread::QThread;

protected:
    void run() override { exec(); }
};

} // namespace

DocumentImport::DocumentImport(const QString &path, UnicodeKaEditor *editor, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_editor(editor)
    , m_thread(new ImportThread(this))
{
    // The screen may only be asked here, in the GUI thread: the reader in
    // its thread uses what this found.
    unitDpi();
}

DocumentImport::~DocumentImport()
{
    if (m_thread->isRunning()) {
        // The reader goes with its thread's end (below), in that thread:
        // its timers and transfers cannot be stopped from this one.
        m_thread->quit();
        m_thread->wait();
    }
}

void DocumentImport::start()
{
    // Made in the thread it reads in, with the document it starts with.
    // The connection is direct: started() is emitted in the new thread.
    connect(
        m_thread, &QThread::started, m_thread,
        [this] {
            auto *reader = new OOReader(m_path, OOReader::EditorDestination, nullptr);
            // Deleted in this thread as it ends, whether the import was
            // shown or stopped.
            connect(m_thread, &QThread::finished, reader, &QObject::deleteLater);
            // Queued to this object's thread, behind the reader's last
            // report, ready() finds its error.
            connect(reader, &OOReader::setError, this,
                    [this](const QString &message) { m_error = message; });
            connect(reader, &OOReader::statusRead, this, &DocumentImport::progress);
            connect(
                reader, &OOReader::ready, m_thread, [this] { m_readerDone.store(true); },
                Qt::DirectConnection);
            connect(reader, &OOReader::ready, this, [this, reader] {
                m_reader = reader;
                emit ready(this);
            });
            reader->read();
        },
        Qt::DirectConnection);
    m_thread->start(QThread::InheritPriority);
}

QTextDocument *DocumentImport::finish()
{
    if (m_finished || !m_reader)
        return nullptr;
    m_finished = true;
    QTextDocument *read = m_reader->handOverDocument(thread());
    m_reader = nullptr;
    // The reader, with the file's archive and what it built on the way, is
    // deleted as its thread ends; the import goes after it.
    connect(m_thread, &QThread::finished, this, &QObject::deleteLater);
    m_thread->quit();
    return read;
}
