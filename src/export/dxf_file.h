#pragma once
#include "export/schedule_drawing.h"

#include <QByteArray>

// A drawing as a DXF file for the CAD programs of the engineers who use the
// schedule.
namespace k5::dxfexport {

enum class DxfVersion {
    // AC1009 with the drawing code page ANSI_932 and every text in
    // Shift-JIS: what Japanese CAD programs read without a question.
    R12,
    // AC1024, texts in UTF-8.
    R2010,
};

// The whole file. Lengths are millimetres ($INSUNITS 4); `plotScale`
// (1:plotScale) sets the drawing's default text and dimension scale.
QByteArray dxfBytes(const Drawing& drawing, DxfVersion version, double plotScale);

} // namespace k5::dxfexport
