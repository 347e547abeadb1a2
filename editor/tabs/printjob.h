#ifndef ZUVO_EDITOR_TABS_PRINTJOB_H
#define ZUVO_EDITOR_TABS_PRINTJOB_H

#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QObject;
class QPagedPaintDevice;
class QPrinter;
class QTextDocument;
class QWidget;

// Printing and PDF export of a document. The pages are laid out and drawn
// in a thread of their own, from a copy of the document, while the window
// goes on repainting; after a moment a dialog shows the page being written
// and can cancel the job.
namespace Printing {

// What a printing thread and the GUI thread share.
struct Job
{
    std::atomic<bool> cancelled { false };
    std::atomic<int> pagesDone { 0 };
    // Set by the printing thread when it is done; read once it has
    // finished.
    bool printed = false;
    // The screen's resolution, which the page margins are measured in; read
    // in the GUI thread before the printing starts.
    int sourceDpiX = 96;
    int sourceDpiY = 96;
};

// The document as printed: a copy without the editor's spelling marks,
// which the toolkit would print with the text.
QTextDocument *printCopy(const QTextDocument *document);
// Prints such a copy at once, in this thread (the print preview).
void printText(const QTextDocument *document, QPagedPaintDevice *device);

// Prints the document, which it lays out for the device, with the pages,
// margins and page numbers of the toolkit's own printing of a document
// without pages. The job is looked at between steps of the layout as well
// as at each new page: a long document is not laid out whole after a
// cancel. False when the job was cancelled or nothing could be printed.
bool printPages(QTextDocument *document, QPagedPaintDevice *device, Job *job);

// A printer that ends the printing at its next page once the job is
// cancelled, dropping what was printed so far.
std::shared_ptr<QPrinter> jobPrinter(Job *job);

// Runs `print` on a copy of the document in a thread of its own. The
// thread is made a child of `owner`, whose end waits for a thread still
// running; the dialog is shown over `dialogParent`. False when the job was
// cancelled.
bool run(const QTextDocument *document, QObject *owner, QWidget *dialogParent,
         const std::shared_ptr<Job> &job, const std::function<void(QTextDocument *)> &print);

enum class PdfResult { Written, Failed, Cancelled };
// The PDF made on the printer's page layout, resolution and page ranges,
// written through QSaveFile: a failed or cancelled export leaves an earlier
// file of that name as it was, and no part of the new one.
PdfResult writePdf(const QTextDocument *document, const QPrinter &printer, const QString &fileName,
                   QObject *owner, QWidget *dialogParent);

} // namespace Printing

#endif
