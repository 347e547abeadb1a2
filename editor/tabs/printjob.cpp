#include "printjob.h"

#include "utils.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
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

// The page of the given number (from 1) as the toolkit prints it: the part
// of the laid-out document that falls on it, in black where the text has no
// colour of its own, and its number in the bottom margin.
void printPage(int index, QPainter *painter, const QTextDocument *document, const QRectF &body,
               const QPointF &pageNumberPos)
{
    painter->save();
    painter->translate(body.left(), body.top() - (index - 1) * body.height());
    const QRectF view(0, (index - 1) * body.height(), body.width(), body.height());
    QAbstractTextDocumentLayout::PaintContext context;
    painter->setClipRect(view);
    context.clip = view;
    context.palette.setColor(QPalette::Text, Qt::black);
    document->documentLayout()->draw(painter, context);
    painter->setClipping(false);
    painter->setFont(QFont(document->defaultFont()));
    const QString number = QString::number(index);
    painter->drawText(qRound(pageNumberPos.x() - painter->fontMetrics().horizontalAdvance(number)),
                      qRound(pageNumberPos.y() + view.top()), number);
    painter->restore();
}

} // namespace

bool printPages(QTextDocument *document, QPagedPaintDevice *device, Job *job)
{
    QMarginsF margins = device->pageLayout().margins(QPageLayout::Millimeter);
    if (margins.isNull())
        device->setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);
    QPainter painter(device);
    if (!painter.isActive())
        return false;

    QAbstractTextDocumentLayout *layout = document->documentLayout();
    layout->setPaintDevice(painter.device());
    // 2 cm margins in the screen's units, which the layout scales to the
    // device's.
    const qreal dpiScaleX = qreal(device->logicalDpiX()) / job->sourceDpiX;
    const qreal dpiScaleY = qreal(device->logicalDpiY()) / job->sourceDpiY;
    const int horizontalMargin = int((2 / 2.54) * job->sourceDpiX);
    const int verticalMargin = int((2 / 2.54) * job->sourceDpiY);
    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    frame.setLeftMargin(horizontalMargin);
    frame.setRightMargin(horizontalMargin);
    frame.setTopMargin(verticalMargin);
    frame.setBottomMargin(verticalMargin);
    document->rootFrame()->setFrameFormat(frame);
    const int dpiy = painter.device()->logicalDpiY();
    const QRectF body(0, 0, device->width(), device->height());
    const QPointF pageNumberPos(
        body.width() - horizontalMargin * dpiScaleX,
        body.height() - verticalMargin * dpiScaleY +
            QFontMetrics(document->defaultFont(), painter.device()).ascent() + 5 * dpiy / 72.0);
    document->setPageSize(body.size());

    // Laid out block by block up to the end, so that a cancel is seen while
    // a long document is being laid out, not only once its pages are drawn.
    constexpr int blocksPerStep = 200;
    int counted = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (++counted % blocksPerStep != 0 && block.next().isValid())
            continue;
        if (job->cancelled.load())
            return false;
        (void)layout->blockBoundingRect(block);
    }
    if (job->cancelled.load())
        return false;

    const QPageRanges ranges = device->pageRanges();
    const int pages = document->pageCount();
    int fromPage = ranges.firstPage();
    int toPage = ranges.lastPage();
    if (fromPage == 0 && toPage == 0) {
        fromPage = 1;
        toPage = pages;
    }
    fromPage = qMax(1, fromPage);
    toPage = qMin(pages, toPage);
    if (toPage < fromPage)
        return true;
    for (int page = fromPage;; ++page) {
        if (ranges.isEmpty() || ranges.contains(page))
            printPage(page, &painter, document, body, pageNumberPos);
        if (page == toPage)
            break;
        if (!device->newPage())
            return false;
    }
    return true;
}

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
    // The screen may only be asked here, in the GUI thread.
    if (!QCoreApplication::testAttribute(Qt::AA_Use96Dpi)) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        job->sourceDpiX = screen ? qRound(screen->logicalDotsPerInchX()) : 100;
        job->sourceDpiY = screen ? qRound(screen->logicalDotsPerInchY()) : 100;
    }
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
                                 QCoreApplication::translate("Printing", "Cancel"), 0, 0,
                                 dialogParent);
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

PdfResult writePdf(const QTextDocument *document, const QPrinter &printer, const QString &fileName,
                   QObject *owner, QWidget *dialogParent)
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
                              printPages(copy, &writer, job.get());
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
