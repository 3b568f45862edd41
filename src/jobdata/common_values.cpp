#include "jobdata/common_values.h"

#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace k5 {
namespace {

// Unused fields that the defaults still fill, so a fresh file matches the
// files users already have.
void putUnusedDefaults(RecordWriter& w) {
    w.putSingle(82, 500);
    w.putSingle(86, 0);
    w.putSingle(90, 500);
    w.putSingle(94, 0);
}

bool hasBothRecords(const QString& path) {
    QFileInfo info(path);
    return info.isFile() && cInt(static_cast<double>(info.size()) / kCommonValuesRecordLength) >= 2;
}

} // namespace

CommonValues defaultCommonValues(int unit) {
    bool si = unit == 1;
    CommonValues v;
    v.fe = si ? 200 : 20;
    v.barGrade = QStringLiteral("SD235");
    v.barSize = QStringLiteral("D19");
    v.Fc = si ? 24 : 240;
    v.Ws = si ? 20 : 2;
    v.Wc = si ? 24 : 2.4f;
    v.D1 = 750;
    v.D2 = 350;
    v.ax = 600;
    v.ay = 600;
    v.d = 80;
    v.h1 = 1000;
    v.h2 = 1000;
    v.Pe = si ? 800 : 80;
    v.pfai = 350;
    v.edgx = 80;
    v.edgy = 80;
    v.pitchx = 200;
    v.pitchy = 200;
    v.nx = 2;
    v.ny = 2;
    v.priority = 2;
    return v;
}

QByteArray encodeCommonValues(const CommonValues& v, QByteArray record) {
    RecordWriter w(kCommonValuesRecordLength);
    w.putBytes(0, record.leftJustified(kCommonValuesRecordLength, '\0', true));
    w.putSingle(0, v.fe);
    w.putBytes(4, encodeField(v.barGrade, 8, Terminator::None));
    w.putBytes(12, encodeField(v.barSize, 8, Terminator::None));
    w.putSingle(20, v.Fc);
    w.putSingle(24, v.Ws);
    w.putSingle(28, v.Wc);
    w.putSingle(32, v.D1);
    w.putSingle(36, v.D2);
    w.putSingle(40, v.ax);
    w.putSingle(44, v.ay);
    w.putSingle(48, v.d);
    w.putSingle(52, v.h1);
    w.putSingle(56, v.h2);
    w.putSingle(74, v.Pe);
    w.putSingle(78, v.pfai);
    w.putInt16(98, v.edgx);
    w.putInt16(100, v.edgy);
    w.putInt16(102, v.pitchx);
    w.putInt16(104, v.pitchy);
    w.putInt16(106, v.nx);
    w.putInt16(108, v.ny);
    w.putInt16(110, v.priority);
    return w.bytes();
}

CommonValues decodeCommonValues(const QByteArray& record) {
    RecordReader r(record);
    CommonValues v;
    v.fe = r.single(0);
    v.barGrade = decodePlainField(r.bytes(4, 8));
    v.barSize = decodePlainField(r.bytes(12, 8));
    v.Fc = r.single(20);
    v.Ws = r.single(24);
    v.Wc = r.single(28);
    v.D1 = r.single(32);
    v.D2 = r.single(36);
    v.ax = r.single(40);
    v.ay = r.single(44);
    v.d = r.single(48);
    v.h1 = r.single(52);
    v.h2 = r.single(56);
    v.Pe = r.single(74);
    v.pfai = r.single(78);
    v.edgx = r.int16(98);
    v.edgy = r.int16(100);
    v.pitchx = r.int16(102);
    v.pitchy = r.int16(104);
    v.nx = r.int16(106);
    v.ny = r.int16(108);
    v.priority = r.int16(110);
    return v;
}

bool ensureCommonValues(const Folders& folders) {
    const QString& path = folders.commonValuesFile;
    if (hasBothRecords(path)) return false;
    QList<QByteArray> records;
    for (int unit = 1; unit <= 2; ++unit) {
        RecordWriter w(kCommonValuesRecordLength);
        putUnusedDefaults(w);
        records.append(encodeCommonValues(defaultCommonValues(unit), w.bytes()));
    }
    replaceFile(path, records);
    return true;
}

namespace {

// Records 1..count of the file (zeros where it has none).
QList<QByteArray> readLeadingRecords(const QString& path, int count) {
    QList<QByteArray> records;
    RecordFile file(path, kCommonValuesRecordLength);
    const bool opened = file.openReadOnly();
    for (int n = 1; n <= count; ++n)
        records.append(opened ? file.read(n) : QByteArray(kCommonValuesRecordLength, '\0'));
    return records;
}

} // namespace

namespace {

// A priority out of range and zero layout values, as older files hold them,
// get working values; true when something was repaired.
bool repairLayoutValues(CommonValues& v) {
    if (v.priority < 0 || v.priority > 3) v.priority = 3;
    bool repaired = false;
    auto repair = [&repaired](int& value, int replacement) {
        if (value == 0) {
            value = replacement;
            repaired = true;
        }
    };
    repair(v.pitchx, 200);
    repair(v.pitchy, 200);
    repair(v.nx, 2);
    repair(v.ny, 2);
    repair(v.priority, 2);
    return repaired;
}

} // namespace

CommonValues readCommonValues(const Folders& folders, int unit) {
    if (!hasBothRecords(folders.commonValuesFile)) return defaultCommonValues(unit);
    RecordFile file(folders.commonValuesFile, kCommonValuesRecordLength);
    if (!file.openReadOnly()) return defaultCommonValues(unit);
    CommonValues v = decodeCommonValues(file.read(unit));
    repairLayoutValues(v);
    return v;
}

void loadCommonValues(const Folders& folders, int unit, CommonValues& v) {
    ensureCommonValues(folders);
    RecordFile file(folders.commonValuesFile, kCommonValuesRecordLength);
    if (!file.openReadOnly()) return;
    v = decodeCommonValues(file.read(unit));
    if (!repairLayoutValues(v)) return;
    // Both unit systems share the rebar layout values; a file that cannot be
    // written keeps the repair in memory only.
    QList<QByteArray> records;
    for (int n = 1; n <= 2; ++n) {
        RecordWriter w(kCommonValuesRecordLength);
        w.putBytes(0, file.read(n));
        w.putInt16(102, v.pitchx);
        w.putInt16(104, v.pitchy);
        w.putInt16(106, v.nx);
        w.putInt16(108, v.ny);
        w.putInt16(110, v.priority);
        records.append(w.bytes());
    }
    file.close();
    replaceLeadingRecords(folders.commonValuesFile, kCommonValuesRecordLength, records);
}

namespace {

CommonValues withLayoutDefaults(const CommonValues& values) {
    CommonValues v = values;
    if (v.edgx == 0) v.edgx = 80;
    if (v.edgy == 0) v.edgy = 80;
    if (v.pitchx == 0) v.pitchx = 200;
    if (v.pitchy == 0) v.pitchy = 200;
    if (v.nx == 0) v.nx = 2;
    if (v.ny == 0) v.ny = 2;
    if (v.priority == 0) v.priority = 2;
    return v;
}

// Writes each unit's values into its record in one replacement of the file.
bool saveUnits(const Folders& folders, const QList<std::pair<int, CommonValues>>& units) {
    int last = 0;
    for (const auto& [unit, values] : units) {
        if (unit < 1 || unit > 2) return false;
        last = std::max(last, unit);
    }
    QList<QByteArray> records = readLeadingRecords(folders.commonValuesFile, last);
    for (const auto& [unit, values] : units)
        records[unit - 1] = encodeCommonValues(withLayoutDefaults(values), records[unit - 1]);
    return replaceLeadingRecords(folders.commonValuesFile, kCommonValuesRecordLength, records);
}

} // namespace

bool saveCommonValues(const Folders& folders, int unit, const CommonValues& values) {
    return saveUnits(folders, {{unit, values}});
}

bool saveCommonValues(const Folders& folders, const CommonValues& si, const CommonValues& cgs) {
    return saveUnits(folders, {{1, si}, {2, cgs}});
}

} // namespace k5
