#ifndef ZUVO_EDITOR_TABS_DOCUMENTIMPORT_H
#define ZUVO_EDITOR_TABS_DOCUMENTIMPORT_H

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>

class OOReader;
class QTextDocument;
class QThread;
class UnicodeKaEditor;

// One OpenDocument import: the reader in a thread of its own, the editor
// whose tab waits for the document, and what the reader reported. The
// reader is made in its thread, does its reading there and is deleted
// there; the thread ends and goes with the import.
class DocumentImport : public QObject
{
    Q_OBJECT

public:
    DocumentImport(const QString &path, UnicodeKaEditor *editor, QObject *parent = nullptr);
    // An import still running is stopped: its reader is deleted in its own
    // thread, which is waited for.
    ~DocumentImport() override;

    void start();

    QString path() const { return m_path; }
    // Null once the tab is closed.
    UnicodeKaEditor *editor() const { return m_editor; }
    // What the reader reported before it was ready; empty when nothing.
    QString error() const { return m_error; }
    // Whether the reader is done, though its report may still wait for this
    // thread's event loop.
    bool readerDone() const { return m_readerDone.load(); }

    // Once ready: the document read, handed over to this thread whole
    // (null when the reader has none). The reader is then let go in its
    // thread, which ends, and the import deletes itself after it.
    QTextDocument *finish();

signals:
    void ready(DocumentImport *import);
    void progress(int now, int total);

private:
    QString m_path;
    QPointer<UnicodeKaEditor> m_editor;
    QString m_error;
    QThread *m_thread = nullptr;
    // Made and deleted in m_thread; touched here only while that thread
    // waits in its event loop.
    OOReader *m_reader = nullptr;
    bool m_finished = false;
    std::atomic<bool> m_readerDone { false };
};

#endif
