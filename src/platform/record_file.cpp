#include "platform/record_file.h"

#include <QFileInfo>
#include <cstring>

namespace k5 {

RecordFile::RecordFile(const QString& path, int recordLength)
    : path_(path), length_(recordLength), file_(path) {}

bool RecordFile::openReadOnly() {
    return file_.isOpen() || file_.open(QIODevice::ReadOnly);
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
