#pragma once
#include <QString>

// Texts of the calculation's refusals: what is wrong with the record and what
// the user has to correct. The run puts the record's data number before them.
namespace k5::calc_message {

// The load case of column j as the report names it: 長期X, 長期Y, 短期X, 短期Y.
QString caseName(int j);
// The direction of bars: X方向, Y方向.
QString directionName(int direction);

QString notFinite();
QString writeFailed();
QString sumNZero(int j);
// ΣN below 0: the footing is lifted off the ground, so no contact pressure
// (and no bearing check) exists; an uplifting footing is never "OK".
QString sumNUplift(int j);
QString eccentricityTooLarge(int j);
QString columnEccentricityTooLarge(int j);
QString depthNotPositive();
QString depthTooLarge();
QString bondStressZero();
QString tensileStressZero();
QString barSizeMissing(int direction, const QString& size);
QString barSizeInvalid(int direction, const QString& size);
QString pitchZero(int direction);
QString tooManyBars(int direction);
QString barRuleOutOfRange();
QString concreteEditionInvalid(int edition);
QString pileLayoutInvalid();
// The grade lookup's own message (error icon, no data number).
QString gradeNotFound(const QString& grade);
QString jobFileNotOpened(const QString& path);
QString noFoundations();
// A stored input that is no number, or outside what its field can mean.
QString storedValueNotNumber(const QString& field);
QString storedValueOutOfRange(const QString& field, const QString& allowed);
// A completed length beyond what a stored Single holds.
QString completedValueTooLarge(const QString& field);
// Master values no design can use: the file and its row.
QString gradeStressUnusable(const QString& file, int row, const QString& grade);
QString concreteFactorUnusable(const QString& file);
QString youngModulusUnusable(const QString& file);
// A job file whose length is not a whole number of records.
QString jobFileDamaged(const QString& path);
QString finished();

} // namespace k5::calc_message
