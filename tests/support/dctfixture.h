#ifndef ZUVO_TESTS_SUPPORT_DCTFIXTURE_H
#define ZUVO_TESTS_SUPPORT_DCTFIXTURE_H

#include "dctwriter.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace ZuvoTest {

using DctEntries = QList<QPair<QString, QString>>; // headword, meaning HTML

// A dictionary database of the entries in the programs' layout (sorted,
// blocked, DictInfo and AllUnicodeWords filled). Sub-folders are made.
bool writeDct(const QString &path, const DctEntries &entries,
              const QString &languageName = QStringLiteral("Kannada"),
              int blockSize = DctWriter::DefaultBlockSize,
              const QString &creationDate = QStringLiteral("2024-01-01"));

// A database with exactly the given rows and values, for layouts and damage
// the writer would never produce.
bool writeRawDct(const QString &path, const DctWriter::Content &content);

// Qt's compression format of the text's UTF-8 bytes.
QByteArray compressed(const QString &text);
// A length prefix claiming `claimedSize` bytes, over a valid stream of `text`.
QByteArray withClaimedSize(quint32 claimedSize, const QString &text = QStringLiteral("x"));
// A correct prefix over a damaged zlib stream.
QByteArray corruptCompressed(const QString &text = QStringLiteral("ಮನೆ<p>house</p>"));

} // namespace ZuvoTest

#endif
