#pragma once
#include <QByteArray>
#include <QString>

namespace k5 {

struct Folders;

// Default design data of one unit system, used for new records and to fill
// fields the user left empty. The file keeps one record per unit system
// (record 1 SI, record 2 CGS).
struct CommonValues {
    float fe = 0;
    QString barGrade;
    QString barSize;
    float Fc = 0;
    float Ws = 0;
    float Wc = 0;
    float D1 = 0;
    float D2 = 0;
    float ax = 0;
    float ay = 0;
    float d = 0;
    float h1 = 0;
    float h2 = 0;
    float Pe = 0;
    float pfai = 0;
    int edgx = 0;
    int edgy = 0;
    int pitchx = 0;
    int pitchy = 0;
    int nx = 0;
    int ny = 0;
    int priority = 0;
};

constexpr int kCommonValuesRecordLength = 116;

CommonValues defaultCommonValues(int unit);
QByteArray encodeCommonValues(const CommonValues& values, QByteArray record);
CommonValues decodeCommonValues(const QByteArray& record);

// Recreates the file with both unit systems' defaults unless it holds two
// records; true when it was recreated.
bool ensureCommonValues(const Folders& folders);
// Loads record `unit` into `values`, repairing zero layout values; `values`
// stays as it was when the file cannot be opened.
void loadCommonValues(const Folders& folders, int unit, CommonValues& values);
// Record `unit` with the same repairs made in memory only: nothing is
// written. The defaults of the unit system when the file lacks the record.
CommonValues readCommonValues(const Folders& folders, int unit);
// Writes `values` into record `unit`, keeping the record's unused fields;
// false when the file could not be written (it stays as it was).
bool saveCommonValues(const Folders& folders, int unit, const CommonValues& values);
// Both unit systems' values in one write: both are stored or neither.
bool saveCommonValues(const Folders& folders, const CommonValues& si, const CommonValues& cgs);

} // namespace k5
