#ifndef ZUVO_TEXTLIB_COMPRESSION_H
#define ZUVO_TEXTLIB_COMPRESSION_H

#include <QByteArray>

// The largest value we are willing to inflate from a stored blob.
constexpr qint64 MaxUncompressedSize = 256ll * 1024 * 1024;
// deflate cannot expand its input by more than about 1032:1, so a length
// prefix above that ratio can only come from a damaged or hostile blob.
constexpr qint64 MaxCompressionRatio = 1032;

// Reads a value in Qt's compression format (a 4-byte big-endian length of the
// uncompressed data followed by a zlib stream), as qUncompress does, but
// without trusting the length prefix: a prefix larger than the stream could
// produce or larger than MaxUncompressedSize, a stream that inflates past
// MaxUncompressedSize, and a damaged or truncated stream all give an empty
// array. Nothing is allocated beyond those bounds.
QByteArray guardedUncompress(const QByteArray &compressed);

#endif
