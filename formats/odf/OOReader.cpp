#include "OOReader.h"

#include "FoColorName.h"
#include "odflog.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTextDocument>

#include <cmath>

Q_LOGGING_CATEGORY(lcOdf, "zuvo.formats.odf", QtWarningMsg)

OOReader::StyleInfo::StyleInfo()
    : charFormat(DefaultCharFormats(true, QTextCharFormat()))
    , used(false)
{
}

OOReader::StyleInfo::StyleInfo(const StyleInfo &other) = default;
OOReader::StyleInfo &OOReader::StyleInfo::operator=(const StyleInfo &other) = default;
OOReader::StyleInfo::~StyleInfo() = default;

double clampLength(double points)
{
    if (!std::isfinite(points))
        return 0.0;
    return qBound(-100000.0, points, 100000.0);
}

double clampFontSize(double points)
{
    if (!std::isfinite(points))
        return 0.0;
    return qMin(points, 1638.0);
}

OOReader::OOReader(QString path, WIDGEDEST dest, QObject *parent)
    : filePath(path)
    , styleNameCount(0)
    , blockTotal(0)
    , blockCurrent(0)
    , fontFaceCount(0)
    , lastFileHash(QStringLiteral("250186"))
    , bodyRead(false)
    , noStylesFile(false)
    , imageCount(0)
    , fetchTransferTimeout(10000)
    , fetchDeadline(30000)
    , blockFree(true)
    , nesting(0)
    , notes(nullptr)
    , inNote(false)
    , cellBudget(MaxTableCells)
    , readyEmitted(false)
    , bodyDone(false)
    , network(nullptr)
    , deadlineTimer(nullptr)
{
    // The reader has no parent: it lives in the thread it reads in.
    Q_UNUSED(dest)
    Q_UNUSED(parent)
    // The screen resolution, read here when made in the GUI thread; one made
    // in an import thread uses what the GUI thread found before.
    unitDpi();
    reset();
}

OOReader::~OOReader()
{
    // Transfers still running go with their manager; none may call back.
    for (auto it = fetches.cbegin(); it != fetches.cend(); ++it)
        QObject::disconnect(it.key(), nullptr, this, nullptr);
    fetches.clear();
    delete network;
    network = nullptr;
    delete notes;
}

void OOReader::reset()
{
    css2.clear();
    listLevels.clear();
    lastList.clear();
    listsById.clear();
    archive.clear();
    fontFaces.clear();
    contentDom = QDomDocument();
    styleNameCount = 0;
    blockCurrent = 0;
    fontFaceCount = 0;
    imageCount = 0;
    bodyRead = false;
    delete notes;
    notes = nullptr;
    inNote = false;
    statedChars = QTextCharFormat();
}
