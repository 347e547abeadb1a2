#ifndef ZUVO_FORMATS_ODF_GZIP_H
#define ZUVO_FORMATS_ODF_GZIP_H

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QList>
#include <QString>

// ZIP archives: a reader that lists an archive from its central directory and
// returns the bytes of stored or deflated members, and a writer that appends
// entries and writes the central directory on close. Neither throws; format
// problems are reported as warnings beginning "QZip: " and a status value.
namespace CZIP {

class GZipReaderPrivate;
class GZipWriterPrivate;

class QZipReader
{
public:
    explicit QZipReader(const QString &archive, QIODevice::OpenMode mode = QIODevice::ReadOnly);
    explicit QZipReader(QIODevice *device);
    ~QZipReader();

    QZipReader(const QZipReader &) = delete;
    QZipReader &operator=(const QZipReader &) = delete;

    bool isReadable() const;
    bool exists() const;

    struct FileInfo
    {
        FileInfo();
        FileInfo(const FileInfo &other);
        FileInfo &operator=(const FileInfo &other);
        ~FileInfo();

        QString filePath;
        uint isDir : 1;
        uint isFile : 1;
        uint isSymLink : 1;
        QFile::Permissions permissions;
        uint crc32;
        qint64 size;
        void *d; // reserved
    };

    QList<FileInfo> fileInfoList() const;
    int count() const;
    FileInfo entryInfoAt(int index) const;

    QByteArray fileData(const QString &fileName) const;
    // The same with a bound of its own: a member that inflates to more than
    // maxSize bytes (or more than the bounds below allow) is left out, and
    // tooLarge, when given, tells whether that was the reason for an empty
    // result.
    QByteArray fileData(const QString &fileName, qint64 maxSize, bool *tooLarge = nullptr) const;
    bool extractAll(const QString &destinationDir) const;

    enum Status { NoError, FileReadError, FileOpenError, FilePermissionsError, FileError };
    Status status() const;

    void close();

    // Bounds on what one reader inflates: a member larger than the first is
    // left out, and so is every member once the second would be exceeded.
    static constexpr qint64 MaxMemberSize = qint64(256) << 20;
    static constexpr qint64 MaxArchiveSize = qint64(512) << 20;

private:
    GZipReaderPrivate *d;
};

class QZipWriter
{
public:
    explicit QZipWriter(const QString &fileName,
                        QIODevice::OpenMode mode = (QIODevice::WriteOnly | QIODevice::Truncate));
    explicit QZipWriter(QIODevice *device);
    ~QZipWriter();

    QZipWriter(const QZipWriter &) = delete;
    QZipWriter &operator=(const QZipWriter &) = delete;

    bool isWritable() const;
    bool exists() const;

    enum Status { NoError, FileWriteError, FileOpenError, FilePermissionsError, FileError };
    Status status() const;

    enum CompressionPolicy { AlwaysCompress, NeverCompress, AutoCompress };
    void setCompressionPolicy(CompressionPolicy policy);
    CompressionPolicy compressionPolicy() const;

    void setCreationPermissions(QFile::Permissions permissions);
    QFile::Permissions creationPermissions() const;

    void addFile(const QString &fileName, const QByteArray &data);
    void addFile(const QString &fileName, QIODevice *device);
    // A file entry whose contents (of `size` bytes and CRC-32 `crc`) were
    // deflated already, as a raw deflate stream.
    void addDeflatedFile(const QString &fileName, const QByteArray &deflated, quint32 crc,
                         qint64 size);
    void addDirectory(const QString &dirName);
    void addSymLink(const QString &fileName, const QString &destination);

    void close();

private:
    GZipWriterPrivate *d;
};

} // namespace CZIP

#endif
