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

void RecordWriter::putSingle(int offset, float value) {
    uint32_t v;
    std::memcpy(&v, &value, 4);
    // One detach check for the four bytes, not one per byte.
    char* out = bytes_.data() + offset;
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void RecordWriter::putBytes(int offset, const QByteArray& field) {
    std::memcpy(bytes_.data() + offset, field.constData(), static_cast<size_t>(field.size()));
}

int16_t RecordReader::int16(int offset) const {
    auto lo = static_cast<uint8_t>(bytes_[offset]);
    auto hi = static_cast<uint8_t>(bytes_[offset + 1]);
    return static_cast<int16_t>(lo | (hi << 8));
}

float RecordReader::single(int offset) const {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes_[offset + i])) << (8 * i);
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}

QByteArray RecordReader::bytes(int offset, int width) const {
    return bytes_.mid(offset, width);
}

} // namespace k5
