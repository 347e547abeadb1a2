#include "dctfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <QtTest/QTest>

namespace ZuvoTest {

namespace {

bool makeParent(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

} // namespace

bool writeDct(const QString &path, const DctEntries &entries, const QString &languageName,
              int blockSize, const QString &creationDate)
{
    QList<DctWriter::Entry> list;
    for (const auto &e : entries)
        list.append({ e.first, e.second });
    QString error;
    const bool ok = makeParent(path) &&
        DctWriter::writeDictionary(path, list, languageName, creationDate, blockSize, &error);
    if (!ok)
        qWarning().noquote() << "writeDct" << path << error;
    return ok;
}

bool writeRawDct(const QString &path, const DctWriter::Content &content)
{
    QString error;
    const bool ok = makeParent(path) && DctWriter::write(path, content, &error);
    if (!ok)
        qWarning().noquote() << "writeRawDct" << path << error;
    return ok;
}

QByteArray compressed(const QString &text)
{
    return DctWriter::compressText(text);
}

QByteArray withClaimedSize(quint32 claimedSize, const QString &text)
{
    QByteArray value = compressed(text);
    qToBigEndian(claimedSize, value.data());
    return value;
}

QByteArray corruptCompressed(const QString &text)
{
    QByteArray value = compressed(text);
    // Past the zlib header: the deflate data no longer decodes.
    for (qsizetype i = 6; i < value.size(); ++i)
        value[i] = char(0xFF);
    return value;
}

} // namespace ZuvoTest
