#pragma once
#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace k5 {

// One foundation: inputs, derived values and calculation results
// (`入力データ02`). Every record also carries the job's identity.
struct FoundationRecord {
    static constexpr int kLength = 2334;
    static constexpr int kCurrentFormat = 204;

    int formatVersion = kCurrentFormat;
    int importFlag = 0; // -1 imported from the analysis program
    QString jobName;
    QString fileName;
    QString name;
    QString barGradeX;
    QString barSizeX;
    QString barGradeY;
    QString barSizeY;
    QString memo;
    std::array<float, 51> data1{};
    // data2[i][j]: row i (0..80), load-case column j (0..4).
    std::array<std::array<float, 5>, 81> data2{};
    int groupNo = 0;
    int storeyNo = 0;
    int frameNo = 0;
    int axisNo = 0;
    QString storeyName;
    QString frameName;
    QString axisName;
    QString provisionalName;
    // Imported reactions [direction 1..2][load case 1..5]; index 0 unused.
    std::array<std::array<int, 6>, 3> reactFlag{};
    std::array<std::array<float, 6>, 3> reactN{};
    std::array<std::array<float, 6>, 3> reactH{};
    std::array<std::array<float, 6>, 3> reactM{};
    int spareInt = 0;
    std::array<float, 11> spareData{};
    int formatVersion2 = kCurrentFormat;
};

// Byte offsets of the fields that some operations patch in place, so that the
// rest of a stored record stays byte for byte as it was.
namespace record_offset {
constexpr int jobName = 4;
constexpr int fileName = 56;
constexpr int name = 108;
constexpr int data1 = 274;
constexpr int data2 = 478;
constexpr int textWidthJob = 52;
constexpr int textWidthName = 14;
constexpr int groupNo = 2098;
} // namespace record_offset

// Patches data2(i, j) of an encoded record.
void patchData2(QByteArray& bytes, int i, int j, float value);

QByteArray encodeRecord(const FoundationRecord& record);
FoundationRecord decodeRecord(const QByteArray& bytes);

// Patches data1(i) of an encoded record.
void patchData1(QByteArray& bytes, int index, float value);
float data1Of(const QByteArray& bytes, int index);

// Foundation type codes and their list captions.
enum FoundationType { kTypeUnknown = 0, kTypeIsolated = 1, kTypePileCap = 2 };
QString foundationTypeCaption(double storedType);

} // namespace k5
