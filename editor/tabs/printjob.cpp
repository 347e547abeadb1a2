#include "printjob.h"

#include "utils.h"

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QTextDocument>
#include <QThread>
#include <QTimer>

namespace Printing {

namespace {

// The devices count the pages they have finished and end the printing at
// the next page once the job is cancelled: the toolkit's printing stops when
// a new page cannot be begun.
class JobPdfWriter : public QPdfWriter
{
public:
    JobPdfWriter(QIODevice *device, Job *job)
        : QPdfWriter(device)
        , m_job(job)
    {
    }

    bool newPage() override
    {
        if (m_job->cancelled.load())
            return false;
        m_job->pagesDone.fetch_add(1);
        return QPdfWriter::newPage();
    }

private:
    Job *m_job;
};

class JobPrinter : public QPrinter
{
public:
    explicit JobPrinter(Job *job)
        : QPrinter(QPrinter::HighResolution)
        , m_job(job)
    {
    }

    bool newPage() override
    {
        if (m_job->cancelled.load()) {
            // What was printed so far does not go to the printer either.
            abort();
            return false;
        }
        m_job->pagesDone.fetch_add(1);
        return QPrinter::newPage();
    }

private:
    Job *m_job;
};

// A job done this soon is not worth a dialog; until then the window still
// repaints, and keys and clicks wait.
constexpr int progressAfterMs = 400;

} // namespace

QTextDocument *printCopy(const QTextDocument *document)
{
    return document->clone();
}

void printText(const QTextDocument *document, QPagedPaintDevice *device)
{
    const std::unique_ptr<QTextDocument> copy(printCopy(document));
    copy->print(device);
}

std::shared_ptr<QPrinter> jobPrinter(Job *job)
{
    return std::make_shared<JobPrinter>(job);
}

bool run(const QTextDocument *document, QObject *owner, QWidget *dialogParent,
         const std::shared_ptr<Job> &job, const std::function<void(QTextDocument *)> &print)
{
    QTextDocument *copy = printCopy(document);
    QThread *worker = QThread::create([job, copy, print] {
        print(copy);
        delete copy;
        job->printed = !job->cancelled.load();
    });
    // The copy is the thread's alone.
    copy->moveToThread(worker);
    worker->setParent(owner);
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    QPointer<QThread> running(worker);
    worker->start();

    {
        QEventLoop loop;
        QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(progressAfterMs, &loop, &QEventLoop::quit);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (running && !running->isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        QApplication::restoreOverrideCursor();
    }
    if (running && !running->isFinished()) {
        QProgressDialog progress(QCoreApplication::translate("Printing", "Laying out the pages…"),
                                 QCoreApplication::translate("Printing", "Cancel"), 0, 0, dialogParent);
        progress.setWindowTitle(Utils::appName());
        progress.setWindowModality(Qt::ApplicationModal);
        progress.setMinimumDuration(0);
        progress.setAutoReset(false);
        progress.setAutoClose(false);
        QTimer pages;
        pages.setInterval(100);
        QObject::connect(&pages, &QTimer::timeout, &progress, [&progress, job] {
            const int done = job->pagesDone.load();
            if (done > 0)
                progress.setLabelText(
                    QCoreApplication::translate("Printing", "Writing page %1…").arg(done + 1));
        });
        pages.start();
        QObject::connect(worker, &QThread::finished, &progress, &QDialog::accept);
        if (running && !running->isFinished() && progress.exec() != QDialog::Accepted) {
            // The thread ends at its next page, and its pages are dropped.
            job->cancelled.store(true);
            return false;
        }
    }
    // The thread has finished; what it did is read here.
    if (running)
        running->wait();
    return true;
}

PdfResult writePdf(const QTextDocument *document, const QPrinter &printer,
                   const QString &fileName, QObject *owner, QWidget *dialogParent)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return PdfResult::Failed;
    auto job = std::make_shared<Job>();
    auto pdf = std::make_shared<QByteArray>();
    const QPageLayout layout = printer.pageLayout();
    const int resolution = printer.resolution();
    const QPageRanges ranges = printer.pageRanges();
    const bool done = run(document, owner, dialogParent, job,
                          [job, pdf, layout, resolution, ranges](QTextDocument *copy) {
                              QBuffer buffer(pdf.get());
                              buffer.open(QIODevice::WriteOnly);
                              JobPdfWriter writer(&buffer, job.get());
                              writer.setResolution(resolution);
                              writer.setPageLayout(layout);
                              writer.setPageRanges(ranges);
                              copy->print(&writer);
                          });
    if (!done) {
        file.cancelWriting();
        return PdfResult::Cancelled;
    }
    if (!job->printed || pdf->isEmpty() || file.write(*pdf) != pdf->size()) {
        file.cancelWriting();
        return PdfResult::Failed;
    }
    return file.commit() ? PdfResult::Written : PdfResult::Failed;
}

} // namespace Printing
