#include "GZip.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <zlib.h>

#include <cstring>

namespace CZIP {

namespace {

constexpr quint32 LocalSignature = 0x04034b50;
constexpr quint32 CentralSignature = 0x02014b50;
constexpr quint32 EndSignature = 0x06054b50;
constexpr int LocalHeaderSize = 30;
constexpr int CentralHeaderSize = 46;
constexpr int EndRecordSize = 22;
constexpr int MaxCommentLength = 65535;
constexpr qint64 InflateChunk = 64 * 1024;

inline uint readUInt(const uchar *data)
{
    return data[0] + (data[1] << 8) + (data[2] << 16) + (uint(data[3]) << 24);
}

inline ushort readUShort(const uchar *data)
{
    return ushort(data[0] + (data[1] << 8));
}

inline void writeUInt(uchar *data, uint i)
{
    data[0] = i & 0xff;
    data[1] = (i >> 8) & 0xff;
    data[2] = (i >> 16) & 0xff;
    data[3] = (i >> 24) & 0xff;
}

inline void writeUShort(uchar *data, ushort i)
{
    data[0] = i & 0xff;
    data[1] = (i >> 8) & 0xff;
}

QFile::Permissions modeToPermissions(quint32 mode)
{
    QFile::Permissions ret;
    if (mode & 0400)
        ret |= QFile::ReadOwner | QFile::ReadUser;
    if (mode & 0200)
        ret |= QFile::WriteOwner | QFile::WriteUser;
    if (mode & 0100)
        ret |= QFile::ExeOwner | QFile::ExeUser;
    if (mode & 0040)
        ret |= QFile::ReadGroup;
    if (mode & 0020)
        ret |= QFile::WriteGroup;
    if (mode & 0010)
        ret |= QFile::ExeGroup;
    if (mode & 0004)
        ret |= QFile::ReadOther;
    if (mode & 0002)
        ret |= QFile::WriteOther;
    if (mode & 0001)
        ret |= QFile::ExeOther;
    return ret;
}

quint32 permissionsToMode(QFile::Permissions perms)
{
    quint32 mode = 0;
    if (perms & (QFile::ReadOwner | QFile::ReadUser))
        mode |= 0400;
    if (perms & (QFile::WriteOwner | QFile::WriteUser))
        mode |= 0200;
    if (perms & (QFile::ExeOwner | QFile::ExeUser))
        mode |= 0100;
    if (perms & QFile::ReadGroup)
        mode |= 0040;
    if (perms & QFile::WriteGroup)
        mode |= 0020;
    if (perms & QFile::ExeGroup)
        mode |= 0010;
    if (perms & QFile::ReadOther)
        mode |= 0004;
    if (perms & QFile::WriteOther)
        mode |= 0002;
    if (perms & QFile::ExeOther)
        mode |= 0001;
    return mode;
}

} // namespace

// One central-directory record, laid out as in the archive.
struct GentralFileHeader
{
    uchar signature[4];
    uchar version_made[2];
    uchar version_needed[2];
    uchar general_purpose_bits[2];
    uchar compression_method[2];
    uchar last_mod_file[4];
    uchar crc_32[4];
    uchar compressed_size[4];
    uchar uncompressed_size[4];
    uchar file_name_length[2];
    uchar extra_field_length[2];
    uchar file_comment_length[2];
    uchar disk_start[2];
    uchar internal_file_attributes[2];
    uchar external_file_attributes[4];
    uchar offset_local_header[4];

    // The local header repeats central bytes 6 to 31 behind its own signature.
    QByteArray toLocalHeader() const
    {
        QByteArray local(LocalHeaderSize, '\0');
        writeUInt(reinterpret_cast<uchar *>(local.data()), LocalSignature);
        std::memcpy(local.data() + 4, reinterpret_cast<const uchar *>(this) + 6, 26);
        return local;
    }
};
static_assert(sizeof(GentralFileHeader) == CentralHeaderSize, "central header must be packed");

struct FileHeader
{
    GentralFileHeader h;
    QByteArray file_name;
    QByteArray extra_field;
    QByteArray file_comment;
    QString path; // file_name decoded once, when the directory is read
};

class QZipPrivate
{
public:
    QZipPrivate(QIODevice *device, bool ownDevice)
        : device(device)
        , ownDevice(ownDevice)
    {
    }
    ~QZipPrivate()
    {
        if (ownDevice)
            delete device;
    }

    QZipReader::FileInfo fillFileInfo(int index) const;

    QIODevice *device;
    bool ownDevice;
    bool dirtyFileTree = true;
    QList<FileHeader> fileHeaders;
    QHash<QString, int> index; // path -> first header of that path
    QByteArray comment;
    uint start_of_directory = 0;
};

QZipReader::FileInfo QZipPrivate::fillFileInfo(int index) const
{
    QZipReader::FileInfo info;
    const FileHeader &header = fileHeaders.at(index);
    const quint32 mode = readUInt(header.h.external_file_attributes) >> 16;
    info.filePath = header.path;
    info.isDir = (mode & 0xF000) == 0x4000;
    info.isFile = (mode & 0xF000) == 0x8000;
    info.isSymLink = (mode & 0xF000) == 0xA000;
    info.permissions = modeToPermissions(mode);
    info.crc32 = readUInt(header.h.crc_32);
    info.size = readUInt(header.h.uncompressed_size);
    return info;
}

class GZipReaderPrivate : public QZipPrivate
{
public:
    GZipReaderPrivate(QIODevice *device, bool ownDevice)
        : QZipPrivate(device, ownDevice)
    {
    }

    void scanFiles();
    QByteArray inflateMember(const QString &name, qint64 compressed, qint64 expected, qint64 limit,
                             bool *tooLargeOut);

    QZipReader::Status status = QZipReader::NoError;
    qint64 bytesInflated = 0; // bytes handed out by fileData, for the archive bound
};

class GZipWriterPrivate : public QZipPrivate
{
public:
    GZipWriterPrivate(QIODevice *device, bool ownDevice)
        : QZipPrivate(device, ownDevice)
    {
    }

    enum EntryType { Directory, File, Symlink };
    void addEntry(EntryType type, const QString &fileName, const QByteArray &contents);
    // An entry whose data are given as they are written: deflated (method
    // 8) when `deflated`, else stored; crc and size are the contents'.
    void writeEntry(EntryType type, const QString &fileName, const QByteArray &data, bool deflated,
                    quint32 crc, qint64 size);

    QZipWriter::Status status = QZipWriter::NoError;
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    QZipWriter::CompressionPolicy compressionPolicy = QZipWriter::AlwaysCompress;
};

void GZipReaderPrivate::scanFiles()
{
    if (!dirtyFileTree)
        return;

    if (!(device->isOpen() || device->open(QIODevice::ReadOnly))) {
        status = QZipReader::FileOpenError;
        return;
    }
    if ((device->openMode() & QIODevice::ReadOnly) == 0) {
        status = QZipReader::FileReadError;
        return;
    }

    dirtyFileTree = false;

    device->seek(0);
    uchar tmp[4];
    if (device->read(reinterpret_cast<char *>(tmp), 4) != 4 || readUInt(tmp) != LocalSignature) {
        qWarning("QZip: not a zip file!");
        return;
    }

    // The end record is searched from the last place it can be towards the start;
    // the tail of the file that can hold it is read once.
    const qint64 size = device->size();
    const qint64 tailSize = qMin<qint64>(size, EndRecordSize + MaxCommentLength);
    const qint64 tailStart = size - tailSize;
    device->seek(tailStart);
    const QByteArray tail = device->read(tailSize);
    const uchar *end = nullptr;
    int behind = 0;
    for (int i = 0;; ++i) {
        const qint64 pos = size - EndRecordSize - i;
        if (pos < 0 || i > MaxCommentLength || pos - tailStart + EndRecordSize > tail.size()) {
            qWarning("QZip: EndOfDirectory not found");
            return;
        }
        const uchar *rec = reinterpret_cast<const uchar *>(tail.constData()) + (pos - tailStart);
        if (readUInt(rec) == EndSignature) {
            end = rec;
            behind = i;
            break;
        }
    }

    const int commentLength = readUShort(end + 20);
    if (commentLength != behind)
        qWarning("QZip: failed to parse zip file.");
    comment = QByteArray(reinterpret_cast<const char *>(end) + EndRecordSize,
                         qMin(commentLength, behind));

    const int numEntries = readUShort(end + 10);
    start_of_directory = readUInt(end + 16);
    if (!device->seek(start_of_directory)) {
        qWarning("QZip: Failed to read complete header, index may be incomplete");
        return;
    }
    fileHeaders.reserve(numEntries);
    index.reserve(numEntries);
    for (int i = 0; i < numEntries; ++i) {
        FileHeader header;
        const qint64 read =
            device->read(reinterpret_cast<char *>(&header.h), sizeof(GentralFileHeader));
        if (read < qint64(sizeof(GentralFileHeader))) {
            qWarning("QZip: Failed to read complete header, index may be incomplete");
            break;
        }
        if (readUInt(header.h.signature) != CentralSignature) {
            qWarning("QZip: invalid header signature, index may be incomplete");
            break;
        }

        const int nameLength = readUShort(header.h.file_name_length);
        header.file_name = device->read(nameLength);
        if (header.file_name.size() != nameLength) {
            qWarning("QZip: Failed to read filename from zip index, index may be incomplete");
            break;
        }
        const int extraLength = readUShort(header.h.extra_field_length);
        header.extra_field = device->read(extraLength);
        if (header.extra_field.size() != extraLength) {
            qWarning("QZip: Failed to read extra field in zip file, skipping file, index may be "
                     "incomplete");
            break;
        }
        const int commentLen = readUShort(header.h.file_comment_length);
        header.file_comment = device->read(commentLen);
        if (header.file_comment.size() != commentLen) {
            qWarning("QZip: Failed to read read file comment, index may be incomplete");
            break;
        }
        header.path = QString::fromUtf8(header.file_name);
        fileHeaders.append(header);
    }
    // A path listed twice resolves to its first entry.
    index.clear();
    for (int i = fileHeaders.size() - 1; i >= 0; --i)
        index.insert(fileHeaders.at(i).path, i);
}

QByteArray GZipReaderPrivate::inflateMember(const QString &name, qint64 compressed, qint64 expected,
                                            qint64 limit, bool *tooLargeOut)
{
    z_stream zs;
    std::memset(&zs, 0, sizeof(zs));
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
        return QByteArray();

    // Start at the recorded size (an honest member inflates without growing), but
    // never above what the compressed bytes can possibly expand to.
    qint64 capacity = qMax<qint64>(1, expected);
    capacity = qMin(capacity, compressed * 1032 + 64);
    capacity = qMin(capacity, limit + 1);
    QByteArray out(capacity, Qt::Uninitialized);
    QByteArray in(qMin(InflateChunk, qMax<qint64>(compressed, 1)), Qt::Uninitialized);
    qint64 remainingIn = compressed;
    qint64 produced = 0;
    bool tooLarge = false;

    for (;;) {
        if (zs.avail_in == 0 && remainingIn > 0) {
            const qint64 n = device->read(in.data(), qMin<qint64>(in.size(), remainingIn));
            if (n <= 0) {
                remainingIn = 0;
            } else {
                remainingIn -= n;
                zs.next_in = reinterpret_cast<Bytef *>(in.data());
                zs.avail_in = uInt(n);
            }
        }
        if (produced == out.size()) {
            if (out.size() > limit) {
                tooLarge = true;
                break;
            }
            out.resize(qMin<qint64>(out.size() * 2, limit + 1));
        }
        zs.next_out = reinterpret_cast<Bytef *>(out.data() + produced);
        zs.avail_out = uInt(qMin<qint64>(out.size() - produced, 1 << 30));
        const int ret = inflate(&zs, Z_NO_FLUSH);
        produced = reinterpret_cast<char *>(zs.next_out) - out.data();
        if (produced > limit) {
            tooLarge = true;
            break;
        }
        if (ret == Z_STREAM_END)
            break;
        if (ret == Z_OK)
            continue;
        if (ret == Z_BUF_ERROR && zs.avail_out == 0)
            continue; // output full: grow and go on
        if (ret == Z_BUF_ERROR || ret == Z_NEED_DICT || ret == Z_DATA_ERROR) {
            // No progress with input exhausted is a truncated stream.
            qWarning("QZip: Z_DATA_ERROR: Input data is corrupted");
            break;
        }
        if (ret == Z_MEM_ERROR) {
            qWarning("QZip: Z_MEM_ERROR: Not enough memory");
            break;
        }
        break;
    }
    inflateEnd(&zs);

    *tooLargeOut = tooLarge;
    if (tooLarge) {
        qWarning("QZip: %s inflates beyond the size limit, skipping it", qUtf8Printable(name));
        return QByteArray();
    }
    out.truncate(produced);
    return out;
}

void GZipWriterPrivate::addEntry(EntryType type, const QString &fileName,
                                 const QByteArray &contents)
{
    bool compress = false;
    switch (compressionPolicy) {
    case QZipWriter::AlwaysCompress:
        compress = true;
        break;
    case QZipWriter::NeverCompress:
        compress = false;
        break;
    case QZipWriter::AutoCompress:
        compress = contents.size() > 63;
        break;
    }

    QByteArray data = contents;
    if (compress) {
        z_stream zs;
        std::memset(&zs, 0, sizeof(zs));
        bool ok = false;
        if (deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                         Z_DEFAULT_STRATEGY) == Z_OK) {
            QByteArray buffer(qsizetype(deflateBound(&zs, uLong(contents.size()))),
                              Qt::Uninitialized);
            zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(contents.constData()));
            zs.avail_in = uInt(contents.size());
            zs.next_out = reinterpret_cast<Bytef *>(buffer.data());
            zs.avail_out = uInt(buffer.size());
            const int ret = deflate(&zs, Z_FINISH);
            if (ret == Z_STREAM_END) {
                buffer.truncate(qsizetype(zs.total_out));
                data = buffer;
                ok = true;
            } else if (ret == Z_MEM_ERROR) {
                qWarning("QZip: Z_MEM_ERROR: Not enough memory to compress file, skipping");
            }
            deflateEnd(&zs);
        } else {
            qWarning("QZip: Z_MEM_ERROR: Not enough memory to compress file, skipping");
        }
        // What cannot be compressed is stored as it is: the entry keeps its contents.
        compress = ok;
        if (!ok)
            data = contents;
    }
    uLong crc = crc32(0L, nullptr, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef *>(contents.constData()), uInt(contents.size()));
    writeEntry(type, fileName, data, compress, quint32(crc), contents.size());
}

void GZipWriterPrivate::writeEntry(EntryType type, const QString &fileName, const QByteArray &data,
                                   bool compress, quint32 crc, qint64 size)
{
    if (!(device->isOpen() || device->open(QIODevice::WriteOnly))) {
        status = QZipWriter::FileOpenError;
        return;
    }
    device->seek(start_of_directory);

    FileHeader header;
    std::memset(&header.h, 0, sizeof(GentralFileHeader));
    writeUInt(header.h.signature, CentralSignature);
    writeUShort(header.h.version_needed, 0x14);
    writeUInt(header.h.uncompressed_size, uint(size));

    const QDateTime now = QDateTime::currentDateTime();
    uint time = 0;
    uint date = 0;
    if (now.isValid()) {
        const QTime t = now.time();
        const QDate d = now.date();
        time = uint(t.hour() * 2048 + t.minute() * 32 + t.second() / 2);
        date = uint(qMax(0, d.year() - 1980) * 512 + d.month() * 32 + d.day());
    }
    writeUShort(header.h.last_mod_file, ushort(time));
    writeUShort(header.h.last_mod_file + 2, ushort(date));

    writeUShort(header.h.compression_method, compress ? 8 : 0);
    writeUInt(header.h.compressed_size, uint(data.size()));
    writeUInt(header.h.crc_32, uint(crc));

    header.file_name = fileName.toUtf8();
    if (header.file_name.size() > 0xffff) {
        qWarning("QZip: Filename too long, chopping it to 65535 characters");
        header.file_name = header.file_name.left(0xffff);
    }
    header.path = QString::fromUtf8(header.file_name);
    writeUShort(header.h.file_name_length, ushort(header.file_name.size()));
    writeUShort(header.h.version_made, 0x0300);

    quint32 mode = permissionsToMode(permissions);
    switch (type) {
    case Directory:
        mode |= 0x4000;
        break;
    case File:
        mode |= 0x8000;
        break;
    case Symlink:
        mode |= 0xA000;
        break;
    }
    writeUInt(header.h.external_file_attributes, mode << 16);
    writeUInt(header.h.offset_local_header, start_of_directory);

    fileHeaders.append(header);

    const QByteArray local = header.h.toLocalHeader();
    bool ok = device->write(local) == local.size();
    ok = ok && device->write(header.file_name) == header.file_name.size();
    ok = ok && device->write(data) == data.size();
    if (!ok)
        status = QZipWriter::FileWriteError;
    start_of_directory = uint(device->pos());
    dirtyFileTree = true;
}

// ---------------------------------------------------------------- FileInfo

QZipReader::FileInfo::FileInfo()
    : isDir(false)
    , isFile(true)
    , isSymLink(false)
    , crc32(0)
    , size(0)
    , d(nullptr)
{
}

QZipReader::FileInfo::FileInfo(const FileInfo &other)
    : FileInfo()
{
    operator=(other);
}

QZipReader::FileInfo &QZipReader::FileInfo::operator=(const FileInfo &other)
{
    filePath = other.filePath;
    isDir = other.isDir;
    isFile = other.isFile;
    isSymLink = other.isSymLink;
    permissions = other.permissions;
    crc32 = other.crc32;
    size = other.size;
    return *this;
}

QZipReader::FileInfo::~FileInfo() = default;

// ---------------------------------------------------------------- QZipReader

namespace {

QZipReader::Status readerStatus(QFile::FileError error)
{
    switch (error) {
    case QFile::NoError:
        return QZipReader::NoError;
    case QFile::ReadError:
        return QZipReader::FileReadError;
    case QFile::OpenError:
        return QZipReader::FileOpenError;
    case QFile::PermissionsError:
        return QZipReader::FilePermissionsError;
    default:
        return QZipReader::FileError;
    }
}

QZipWriter::Status writerStatus(QFile::FileError error)
{
    switch (error) {
    case QFile::NoError:
        return QZipWriter::NoError;
    case QFile::WriteError:
        return QZipWriter::FileWriteError;
    case QFile::OpenError:
        return QZipWriter::FileOpenError;
    case QFile::PermissionsError:
        return QZipWriter::FilePermissionsError;
    default:
        return QZipWriter::FileError;
    }
}

} // namespace

QZipReader::QZipReader(const QString &archive, QIODevice::OpenMode mode)
{
    auto *f = new QFile(archive);
    f->open(mode);
    d = new GZipReaderPrivate(f, true);
    d->status = readerStatus(f->error());
}

QZipReader::QZipReader(QIODevice *device)
    : d(new GZipReaderPrivate(device, false))
{
    Q_ASSERT(device);
}

QZipReader::~QZipReader()
{
    close();
    delete d;
}

bool QZipReader::isReadable() const
{
    return d->device->isReadable();
}

bool QZipReader::exists() const
{
    auto *f = qobject_cast<QFile *>(d->device);
    if (f == nullptr)
        return true;
    return f->exists();
}

QList<QZipReader::FileInfo> QZipReader::fileInfoList() const
{
    d->scanFiles();
    QList<FileInfo> files;
    files.reserve(d->fileHeaders.size());
    for (int i = 0; i < d->fileHeaders.size(); ++i)
        files.append(d->fillFileInfo(i));
    return files;
}

int QZipReader::count() const
{
    d->scanFiles();
    return d->fileHeaders.size();
}

QZipReader::FileInfo QZipReader::entryInfoAt(int index) const
{
    d->scanFiles();
    if (index >= 0 && index < d->fileHeaders.size())
        return d->fillFileInfo(index);
    FileInfo empty;
    empty.isFile = false;
    return empty;
}

QByteArray QZipReader::fileData(const QString &fileName) const
{
    return fileData(fileName, MaxMemberSize);
}

QByteArray QZipReader::fileData(const QString &fileName, qint64 maxSize, bool *tooLarge) const
{
    if (tooLarge != nullptr)
        *tooLarge = false;
    d->scanFiles();
    const auto found = d->index.constFind(fileName);
    if (found == d->index.constEnd())
        return QByteArray();

    const FileHeader &header = d->fileHeaders.at(found.value());
    const qint64 compressedSize = readUInt(header.h.compressed_size);
    const qint64 uncompressedSize = readUInt(header.h.uncompressed_size);
    const qint64 start = readUInt(header.h.offset_local_header);
    const qint64 memberLimit = qBound<qint64>(0, maxSize, MaxMemberSize);
    const qint64 limit = qMin(memberLimit, MaxArchiveSize - d->bytesInflated);

    if (uncompressedSize > MaxMemberSize) {
        qWarning("QZip: %s is larger than 256 MiB, skipping it", qUtf8Printable(fileName));
        if (tooLarge != nullptr)
            *tooLarge = true;
        return QByteArray();
    }
    if (uncompressedSize > memberLimit) {
        qWarning("QZip: %s is larger than %lld bytes, skipping it", qUtf8Printable(fileName),
                 static_cast<long long>(memberLimit));
        if (tooLarge != nullptr)
            *tooLarge = true;
        return QByteArray();
    }
    if (uncompressedSize > limit) {
        qWarning("QZip: the archive holds more than 512 MiB, skipping %s",
                 qUtf8Printable(fileName));
        if (tooLarge != nullptr)
            *tooLarge = true;
        return QByteArray();
    }

    QIODevice *device = d->device;
    uchar local[LocalHeaderSize];
    if (!device->seek(start) ||
        device->read(reinterpret_cast<char *>(local), LocalHeaderSize) != LocalHeaderSize) {
        qWarning("QZip: Failed to read the local header of %s", qUtf8Printable(fileName));
        return QByteArray();
    }
    if (readUInt(local) != LocalSignature) {
        qWarning("QZip: invalid local header signature of %s", qUtf8Printable(fileName));
        return QByteArray();
    }
    const int method = readUShort(local + 8);
    const qint64 dataStart =
        start + LocalHeaderSize + readUShort(local + 26) + readUShort(local + 28);
    // The directory may claim more bytes than the file holds.
    const qint64 available = qMax<qint64>(0, device->size() - dataStart);
    const qint64 compressed = qMin(compressedSize, available);
    if (!device->seek(qMin(dataStart, device->size()))) {
        qWarning("QZip: Failed to read the local header of %s", qUtf8Printable(fileName));
        return QByteArray();
    }

    QByteArray result;
    if (method == 0) {
        result = device->read(qMin(compressed, uncompressedSize));
    } else if (method == 8) {
        bool over = false;
        result = d->inflateMember(fileName, compressed, uncompressedSize, limit, &over);
        if (over && tooLarge != nullptr)
            *tooLarge = true;
    } else {
        qWarning("QZip: Unknown compression method");
        return QByteArray();
    }
    d->bytesInflated += result.size();
    return result;
}

namespace {

// A member path that stays below the folder it is extracted to: relative, no
// ".." segment, no drive letter.
bool isSafeRelativePath(const QString &path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1Char('\\')))
        return false;
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        return false;
    const QString unified = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList segments = unified.split(QLatin1Char('/'));
    for (const QString &s : segments) {
        if (s == QLatin1String(".."))
            return false;
    }
    return true;
}

bool isInside(const QString &base, const QString &cleanTarget)
{
    return cleanTarget == base || cleanTarget.startsWith(base + QLatin1Char('/'));
}

// True when a folder on the way from `base` to `target` (the target included
// when `withTarget`) is a symbolic link: writing there would leave the places
// the archive is allowed to write.
bool passesThroughLink(const QString &base, const QString &target, bool withTarget)
{
    const QString rel = target.mid(base.size() + 1);
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = base;
    for (int i = 0; i < parts.size(); ++i) {
        current += QLatin1Char('/') + parts.at(i);
        if (i == parts.size() - 1 && !withTarget)
            break;
        if (QFileInfo(current).isSymLink())
            return true;
    }
    return false;
}

} // namespace

bool QZipReader::extractAll(const QString &destinationDir) const
{
    const QString base = QDir::cleanPath(QDir(destinationDir).absolutePath());
    const QList<FileInfo> allFiles = fileInfoList();

    // Every entry is checked before anything is written, so an archive that names
    // a place outside the destination writes nothing at all.
    for (const FileInfo &fi : allFiles) {
        const QString target = QDir::cleanPath(base + QLatin1Char('/') + fi.filePath);
        if (!isSafeRelativePath(fi.filePath) || !isInside(base, target)) {
            qWarning("QZip: refusing to extract %s outside the destination",
                     qUtf8Printable(fi.filePath));
            return false;
        }
        if (fi.isSymLink) {
            const QString dest = QFile::decodeName(fileData(fi.filePath));
            const QString resolved =
                QDir::cleanPath(QFileInfo(target).path() + QLatin1Char('/') + dest);
            if (dest.isEmpty() || QDir::isAbsolutePath(dest) || !isInside(base, resolved) ||
                resolved == base) {
                qWarning("QZip: refusing the link %s that points outside the destination",
                         qUtf8Printable(fi.filePath));
                return false;
            }
        }
    }

    QDir baseDir(base);
    // Directories first, then links, then files.
    for (const FileInfo &fi : allFiles) {
        const bool typeless = !fi.isDir && !fi.isFile && !fi.isSymLink;
        if (!(fi.isDir || (typeless && fi.filePath.endsWith(QLatin1Char('/')))))
            continue;
        const QString target = QDir::cleanPath(base + QLatin1Char('/') + fi.filePath);
        if (passesThroughLink(base, target, true) || !baseDir.mkpath(target))
            return false;
        if (fi.isDir)
            QFile::setPermissions(target, fi.permissions);
    }

    for (const FileInfo &fi : allFiles) {
        if (!fi.isSymLink)
            continue;
        const QString dest = QFile::decodeName(fileData(fi.filePath));
        if (dest.isEmpty())
            return false;
        const QString target = QDir::cleanPath(base + QLatin1Char('/') + fi.filePath);
        const QString parent = QFileInfo(target).path();
        if (passesThroughLink(base, target, true))
            return false;
        if (!QFileInfo::exists(parent) && !QDir::root().mkpath(parent))
            return false;
        if (!QFile::link(dest, target))
            return false;
    }

    for (const FileInfo &fi : allFiles) {
        const bool typeless = !fi.isDir && !fi.isFile && !fi.isSymLink;
        if (!(fi.isFile || (typeless && !fi.filePath.endsWith(QLatin1Char('/')))))
            continue;
        const QString target = QDir::cleanPath(base + QLatin1Char('/') + fi.filePath);
        // Members of archives without folder entries still need their folders.
        if (passesThroughLink(base, target, true))
            return false;
        const QString parent = QFileInfo(target).path();
        if (!QFileInfo::exists(parent) && !baseDir.mkpath(parent))
            return false;
        QFile f(target);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        const QByteArray data = fileData(fi.filePath);
        if (f.write(data) != data.size())
            return false;
        if (fi.isFile)
            f.setPermissions(fi.permissions);
        f.close();
    }
    return true;
}

QZipReader::Status QZipReader::status() const
{
    return d->status;
}

void QZipReader::close()
{
    d->device->close();
}

// ---------------------------------------------------------------- QZipWriter

QZipWriter::QZipWriter(const QString &fileName, QIODevice::OpenMode mode)
{
    auto *f = new QFile(fileName);
    f->open(mode);
    d = new GZipWriterPrivate(f, true);
    d->status = writerStatus(f->error());
}

QZipWriter::QZipWriter(QIODevice *device)
    : d(new GZipWriterPrivate(device, false))
{
    Q_ASSERT(device);
}

QZipWriter::~QZipWriter()
{
    close();
    delete d;
}

bool QZipWriter::isWritable() const
{
    return d->device->isWritable();
}

bool QZipWriter::exists() const
{
    auto *f = qobject_cast<QFile *>(d->device);
    if (f == nullptr)
        return true;
    return f->exists();
}

QZipWriter::Status QZipWriter::status() const
{
    return d->status;
}

void QZipWriter::setCompressionPolicy(CompressionPolicy policy)
{
    d->compressionPolicy = policy;
}

QZipWriter::CompressionPolicy QZipWriter::compressionPolicy() const
{
    return d->compressionPolicy;
}

void QZipWriter::setCreationPermissions(QFile::Permissions permissions)
{
    d->permissions = permissions;
}

QFile::Permissions QZipWriter::creationPermissions() const
{
    return d->permissions;
}

void QZipWriter::addFile(const QString &fileName, const QByteArray &data)
{
    d->addEntry(GZipWriterPrivate::File, QDir::fromNativeSeparators(fileName), data);
}

void QZipWriter::addFile(const QString &fileName, QIODevice *device)
{
    Q_ASSERT(device);
    QIODevice::OpenMode opened = QIODevice::NotOpen;
    if (!device->isOpen() || !(device->openMode() & QIODevice::ReadOnly)) {
        if (!device->open(QIODevice::ReadOnly)) {
            d->status = FileOpenError;
            return;
        }
        opened = QIODevice::ReadOnly;
    }
    d->addEntry(GZipWriterPrivate::File, QDir::fromNativeSeparators(fileName), device->readAll());
    if (opened != QIODevice::NotOpen)
        device->close();
}

void QZipWriter::addDirectory(const QString &dirName)
{
    QString name = QDir::fromNativeSeparators(dirName);
    if (!name.endsWith(QLatin1Char('/')))
        name.append(QLatin1Char('/'));
    d->addEntry(GZipWriterPrivate::Directory, name, QByteArray());
}

void QZipWriter::addSymLink(const QString &fileName, const QString &destination)
{
    d->addEntry(GZipWriterPrivate::Symlink, QDir::fromNativeSeparators(fileName),
                QFile::encodeName(destination));
}

void QZipWriter::addDeflatedFile(const QString &fileName, const QByteArray &deflated, quint32 crc,
                                 qint64 size)
{
    d->writeEntry(GZipWriterPrivate::File, QDir::fromNativeSeparators(fileName), deflated, true,
                  crc, size);
}

void QZipWriter::close()
{
    if (!(d->device->openMode() & QIODevice::WriteOnly)) {
        d->device->close();
        return;
    }

    d->device->seek(d->start_of_directory);
    bool ok = true;
    for (const FileHeader &header : qAsConst(d->fileHeaders)) {
        ok = ok &&
            d->device->write(reinterpret_cast<const char *>(&header.h),
                             sizeof(GentralFileHeader)) == qint64(sizeof(GentralFileHeader));
        ok = ok && d->device->write(header.file_name) == header.file_name.size();
        ok = ok && d->device->write(header.extra_field) == header.extra_field.size();
        ok = ok && d->device->write(header.file_comment) == header.file_comment.size();
    }
    const uint dirSize = uint(d->device->pos()) - d->start_of_directory;
    uchar end[EndRecordSize];
    std::memset(end, 0, sizeof(end));
    writeUInt(end, EndSignature);
    writeUShort(end + 8, ushort(d->fileHeaders.size()));
    writeUShort(end + 10, ushort(d->fileHeaders.size()));
    writeUInt(end + 16, d->start_of_directory);
    writeUInt(end + 12, dirSize);
    writeUShort(end + 20, ushort(d->comment.size()));
    ok =
        ok && d->device->write(reinterpret_cast<const char *>(end), EndRecordSize) == EndRecordSize;
    ok = ok && d->device->write(d->comment) == d->comment.size();
    if (!ok)
        d->status = FileWriteError;
    d->device->close();
}

} // namespace CZIP
