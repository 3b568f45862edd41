// Any bytes as one of the masters and settings files (chosen by the first
// byte): each reader repairs, refuses or reads it, never crashes.
#include "fuzz_tree.h"
#include "jobdata/common_values.h"
#include "jobdata/control_file.h"
#include "masters/bar_size_master.h"
#include "masters/concrete_setting.h"
#include "masters/font_set.h"
#include "masters/grade_master.h"
#include "masters/key_actions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const k5::Folders& f = fuzz::folders();
    const uint8_t* body = data + 1;
    const size_t length = size - 1;
    k5::ControlSettings control;
    switch (data[0] % 8) {
    case 0:
        fuzz::write(f.rebarGradeFile, body, length);
        k5::readGradeRecords(f);
        k5::listBarGrades(f);
        k5::ensureGradeFile(f);
        break;
    case 1:
        fuzz::write(k5::barSizeFile(f, QStringLiteral("D")), body, length);
        k5::findBarSize(f, QStringLiteral("D19"));
        k5::listBarSizes(f, QStringLiteral("D"));
        k5::ensureBarSizeFile(f, QStringLiteral("D"));
        break;
    case 2:
        fuzz::write(k5::concreteFile(f), body, length);
        k5::loadConcreteSetting(f);
        break;
    case 3: {
        fuzz::write(f.fontFile, body, length);
        k5::ReportFont font;
        k5::loadFontSet(f, font);
        break;
    }
    case 4:
        fuzz::write(f.controlFile(), body, length);
        k5::loadControlFile(f, control);
        break;
    case 5: {
        fuzz::write(f.commonValuesFile, body, length);
        k5::CommonValues values;
        k5::loadCommonValues(f, 1, values);
        k5::loadCommonValues(f, 2, values);
        break;
    }
    case 6:
        fuzz::write(k5::keyActionFilePath(f), body, length);
        k5::loadKeyActions(f, control);
        break;
    default:
        fuzz::write(f.youngModulusFile, body, length);
        k5::loadYoung(f);
        break;
    }
    return 0;
}
