#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <cstdint>
#include <cstring>
#include <optional>

// Random-access files of fixed-length records numbered from 1, without header:
// the format of every file the program keeps (jobs, masters, settings). Read
// here; written only whole, through replaceFile, so that no failed write
// leaves a record half changed.
namespace k5 {

// Opens `path` for reading when it is a regular file (a link is followed to
// one). The file is opened without blocking and checked on the open
// descriptor, so a FIFO or device put in a file's place is refused at once
// rather than hanging the read, and no swap between a check and the open
// can slip one in. False for anything else or an unreadable file. The file
// is opened on its descriptor: `file.fileName()` stays empty.
bool openRegularFile(QFile& file, const QString& path);
// The whole content of the regular file at `path`; none when it is missing,
// not a regular file or cannot be read.
std::optional<QByteArray> readRegularFile(const QString& path);

class RecordFile {
  public:
    RecordFile(const QString& path, int recordLength);

    bool openReadOnly();
    void close() { file_.close(); }
    bool isOpen() const { return file_.isOpen(); }

    // Whole records in the file (a trailing partial record does not count).
    int count() const;
    // Record n (from 1). Bytes past the end of the file read as zeros,
    // which the field decoders read as 0 and blanks.
    QByteArray read(int n);

    const QString& path() const { return path_; }
    int recordLength() const { return length_; }

    // Record count of a file that is not open; 0 when it does not exist.
    static int countOf(const QString& path, int recordLength);

  private:
    QString path_;
    int length_;
    QFile file_;
};

// Little-endian field-by-field encoding of one record.
class RecordWriter {
  public:
    explicit RecordWriter(int length) : bytes_(length, '\0') {}
    void putInt16(int offset, int value);
    // Inline: a record holds some 450 Singles, written for every record a run designs.
    void putSingle(int offset, float value) {
        quint32 v;
        std::memcpy(&v, &value, 4);
        qToLittleEndian(v, bytes_.data() + offset);
    }
    void putBytes(int offset, const QByteArray& field);
    const QByteArray& bytes() const { return bytes_; }

  private:
    QByteArray bytes_;
};

class RecordReader {
  public:
    explicit RecordReader(QByteArray bytes) : bytes_(std::move(bytes)) {}
    // Inline: a record holds some 450 Singles, read for every record a run
    // or a list decodes.
    int16_t int16(int offset) const { return qFromLittleEndian<qint16>(bytes_.constData() + offset); }
    float single(int offset) const {
        const quint32 v = qFromLittleEndian<quint32>(bytes_.constData() + offset);
        float f;
        std::memcpy(&f, &v, 4);
        return f;
    }
    QByteArray bytes(int offset, int width) const;

  private:
    QByteArray bytes_; // shared copy: a reader may be built from a temporary
};

} // namespace k5
