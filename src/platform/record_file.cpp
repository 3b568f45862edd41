#include "platform/record_file.h"

#include <QFileInfo>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace k5 {

bool openRegularFile(QFile& file, const QString& path) {
    if (file.isOpen()) file.close();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    // A regular file never blocks; the flag is dropped for plain reads.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

std::optional<QByteArray> readRegularFile(const QString& path) {
    QFile file;
    if (!openRegularFile(file, path)) return std::nullopt;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return content;
}

RecordFile::RecordFile(const QString& path, int recordLength)
    : path_(path), length_(recordLength), file_(path) {}

bool RecordFile::openReadOnly() {
    return file_.isOpen() || openRegularFile(file_, path_);
}

int RecordFile::count() const {
    return static_cast<int>(file_.size() / length_);
}

QByteArray RecordFile::read(int n) {
    QByteArray record(length_, '\0');
    qint64 start = static_cast<qint64>(n - 1) * length_;
    if (n < 1 || !file_.seek(start)) return record;
    qint64 got = file_.read(record.data(), length_);
    if (got < length_)
        std::memset(record.data() + std::max<qint64>(got, 0), 0, length_ - std::max<qint64>(got, 0));
    return record;
}

int RecordFile::countOf(const QString& path, int recordLength) {
    QFileInfo info(path);
    return info.isFile() ? static_cast<int>(info.size() / recordLength) : 0;
}

void RecordWriter::putInt16(int offset, int value) {
    auto v = static_cast<uint16_t>(static_cast<int16_t>(value));
    bytes_[offset] = static_cast<char>(v & 0xFF);
    bytes_[offset + 1] = static_cast<char>(v >> 8);
}

void RecordWriter::putBytes(int offset, const QByteArray& field) {
    std::memcpy(bytes_.data() + offset, field.constData(), static_cast<size_t>(field.size()));
}

QByteArray RecordReader::bytes(int offset, int width) const {
    return bytes_.mid(offset, width);
}

} // namespace k5
