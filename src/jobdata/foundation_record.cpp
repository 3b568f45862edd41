#include "jobdata/foundation_record.h"

#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

namespace k5 {
namespace {

constexpr int kData2Rows = 81;

int data2Offset(int i, int j) {
    return record_offset::data2 + 4 * (i + kData2Rows * j);
}
int reactIndex(int i, int j) {
    return (i - 1) + 2 * (j - 1);
}

} // namespace

QByteArray encodeRecord(const FoundationRecord& r) {
    RecordWriter w(FoundationRecord::kLength);
    w.putInt16(0, r.formatVersion);
    w.putInt16(2, r.importFlag);
    w.putBytes(4, encodeField(r.jobName, 52, Terminator::Tilde));
    w.putBytes(56, encodeField(r.fileName, 52, Terminator::Tilde));
    w.putBytes(108, encodeField(r.name, 14, Terminator::Tilde));
    w.putBytes(122, encodeField(r.barGradeX, 8, Terminator::None));
    w.putBytes(130, encodeField(r.barSizeX, 8, Terminator::None));
    w.putBytes(138, encodeField(r.barGradeY, 8, Terminator::None));
    w.putBytes(146, encodeField(r.barSizeY, 8, Terminator::None));
    w.putBytes(154, encodeField(r.memo, 120, Terminator::Tilde));
    for (int i = 0; i < 51; ++i)
        w.putSingle(record_offset::data1 + 4 * i, r.data1[i]);
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < kData2Rows; ++i)
            w.putSingle(data2Offset(i, j), r.data2[i][j]);
    w.putInt16(2098, r.groupNo);
    w.putInt16(2100, r.storeyNo);
    w.putInt16(2102, r.frameNo);
    w.putInt16(2104, r.axisNo);
    w.putBytes(2106, encodeField(r.storeyName, 10, Terminator::Tilde));
    w.putBytes(2116, encodeField(r.frameName, 10, Terminator::Tilde));
    w.putBytes(2126, encodeField(r.axisName, 10, Terminator::Tilde));
    w.putBytes(2136, encodeField(r.provisionalName, 10, Terminator::Tilde));
    for (int i = 1; i <= 2; ++i) {
        for (int j = 1; j <= 5; ++j) {
            int k = reactIndex(i, j);
            w.putInt16(2146 + 2 * k, r.reactFlag[i][j]);
            w.putSingle(2166 + 4 * k, r.reactN[i][j]);
            w.putSingle(2206 + 4 * k, r.reactH[i][j]);
            w.putSingle(2246 + 4 * k, r.reactM[i][j]);
        }
    }
    w.putInt16(2286, r.spareInt);
    for (int i = 0; i < 11; ++i)
        w.putSingle(2288 + 4 * i, r.spareData[i]);
    w.putInt16(2332, r.formatVersion2);
    return w.bytes();
}

FoundationRecord decodeRecord(const QByteArray& bytes) {
    QByteArray full = bytes.leftJustified(FoundationRecord::kLength, '\0', true);
    RecordReader rd(full);
    FoundationRecord r;
    r.formatVersion = rd.int16(0);
    r.importFlag = rd.int16(2);
    r.jobName = decodeField(rd.bytes(4, 52));
    r.fileName = decodeField(rd.bytes(56, 52));
    r.name = decodeField(rd.bytes(108, 14));
    r.barGradeX = decodePlainField(rd.bytes(122, 8));
    r.barSizeX = decodePlainField(rd.bytes(130, 8));
    r.barGradeY = decodePlainField(rd.bytes(138, 8));
    r.barSizeY = decodePlainField(rd.bytes(146, 8));
    r.memo = decodeField(rd.bytes(154, 120));
    for (int i = 0; i < 51; ++i)
        r.data1[i] = rd.single(record_offset::data1 + 4 * i);
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < kData2Rows; ++i)
            r.data2[i][j] = rd.single(data2Offset(i, j));
    r.groupNo = rd.int16(2098);
    r.storeyNo = rd.int16(2100);
    r.frameNo = rd.int16(2102);
    r.axisNo = rd.int16(2104);
    r.storeyName = decodeField(rd.bytes(2106, 10));
    r.frameName = decodeField(rd.bytes(2116, 10));
    r.axisName = decodeField(rd.bytes(2126, 10));
    r.provisionalName = decodeField(rd.bytes(2136, 10));
    for (int i = 1; i <= 2; ++i) {
        for (int j = 1; j <= 5; ++j) {
            int k = reactIndex(i, j);
            r.reactFlag[i][j] = rd.int16(2146 + 2 * k);
            r.reactN[i][j] = rd.single(2166 + 4 * k);
            r.reactH[i][j] = rd.single(2206 + 4 * k);
            r.reactM[i][j] = rd.single(2246 + 4 * k);
        }
    }
    r.spareInt = rd.int16(2286);
    for (int i = 0; i < 11; ++i)
        r.spareData[i] = rd.single(2288 + 4 * i);
    r.formatVersion2 = rd.int16(2332);
    return r;
}

void patchData1(QByteArray& bytes, int index, float value) {
    RecordWriter w(4);
    w.putSingle(0, value);
    bytes.replace(record_offset::data1 + 4 * index, 4, w.bytes());
}

void patchData2(QByteArray& bytes, int i, int j, float value) {
    RecordWriter w(4);
    w.putSingle(0, value);
    bytes.replace(data2Offset(i, j), 4, w.bytes());
}

float data1Of(const QByteArray& bytes, int index) {
    return RecordReader(bytes).single(record_offset::data1 + 4 * index);
}

QString foundationTypeCaption(double storedType) {
    switch (cInt(storedType)) {
    case kTypeIsolated:
        return QStringLiteral("直接基礎");
    case kTypePileCap:
        return QStringLiteral("杭基礎");
    default:
        return QStringLiteral("?");
    }
}

} // namespace k5
