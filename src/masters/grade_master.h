#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The rebar grade master (allowable tensile stresses by grade and size class,
// in both unit systems) and the Young's modulus of steel kept beside it.
namespace k5 {

struct Folders;
class Prompt;

// Size classes of a grade record: the allowable stress of a deformed bar
// depends on whether it is D25 or thinner, or D29 or thicker.
enum SizeClass : int {
    kSizeClassUnrecognised = -1,
    kSizeClassAny = 0,     // "-": round bars
    kSizeClassUpToD25 = 1, // "D25以下"
    kSizeClassFromD29 = 2, // "D29以上"
};

// One record of the grade file, decoded.
struct GradeRecord {
    QString material;  // 20 characters as stored, padding blanks included
    QString gradeName; // 8 characters as stored ("SD345   ")
    int sizeClass = kSizeClassAny;
    float cgsLong = 0;  // long-term allowable tensile stress, kg/cm²
    float cgsShort = 0; // short-term, kg/cm²
    float siLong = 0;   // long-term, N/mm²
    float siShort = 0;  // short-term, N/mm²
    QString remark;     // read by the "~" text rule
};

constexpr int kGradeRecordLength = 66;
constexpr int kGradeGridRows = 11;

// The size class a text of the 径 column stands for, and the text shown for a class.
int sizeClassFromText(const QString& text);
QString sizeClassText(int sizeClass);

// Recreates the grade file with its defaults when it is missing, empty or
// not a whole number of records long.
void ensureGradeFile(const Folders& folders);
// Replaces the grade file by the ten default grades.
bool writeDefaultGrades(const Folders& folders);
// Every record of the grade file in file order (empty when there is no file).
QList<GradeRecord> readGradeRecords(const Folders& folders);
// The grade names (8 characters as stored) for the grade lists of the input
// windows: one item per grade, taken from its class 0 or class 1 record.
QStringList listBarGrades(const Folders& folders);

// Grid rows as typed: 材料, 呼称, 径, 長期(CGS), 短期(CGS), 長期(SI), 短期(SI), 備考.
using GradeRows = QList<QStringList>;
// Writes the rows as records 1, 2, ... up to the first incomplete row (an
// empty material or grade name, or a stress of 0); later records keep their
// content. A stress cell that is not a number refuses the save with a warning.
bool saveGradeRows(const Folders& folders, Prompt& prompt, const GradeRows& rows);

// Young's modulus of steel, shown and stored for the user's reference.
struct YoungModulus {
    float si = 205000.0f; // N/mm²
    float cgs = 2100.0f;  // t/cm²
};

// Writes the defaults when the file is missing or empty.
void ensureYoungFile(const Folders& folders);
// The file's two values; a missing, empty or unreadable file is first
// rewritten with the defaults.
YoungModulus loadYoung(const Folders& folders);
// The file's two values; none when it is missing, empty or cut short.
std::optional<YoungModulus> readYoung(const Folders& folders);
bool saveYoung(const Folders& folders, const YoungModulus& young);
// The two fields of the grade window as values; a text that is not a number
// is refused with a warning.
std::optional<YoungModulus> readYoungFields(Prompt& prompt, const QString& siText, const QString& cgsText);

// The grade window's 登録: the grid rows and both Young's modulus fields are
// checked first, and only when all are numbers are both files written.
bool saveGradeMaster(const Folders& folders, Prompt& prompt, const GradeRows& rows,
                     const QString& youngSiText, const QString& youngCgsText);

} // namespace k5
