#include "shell/job_list.h"

#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"

namespace k5 {

ListLayout listLayout(bool imported) {
    ListLayout layout;
    QString header =
        imported ? QStringLiteral("|設計基礎名|仮基礎名|層|ﾌﾚｰﾑ|軸|ﾀｲﾌﾟ|Lx(m)|Ly(m)|(nx)|(ny)|(@x)|(@y)|メモ")
                 : QStringLiteral("|設計基礎名|TYP|ax(cm)|ay(cm)|Lx(m)|Ly(m)|(nx)|(ny)|(@x)|(@y)|メモ");
    layout.headers = header.split(u'|');
    layout.headers << QString();
    layout.widthsTwips =
        imported
            ? std::vector<int>{400, 1200, 1200, 600, 600, 600, 900, 600, 600, 500, 500, 500, 500, 3800, 0}
            : std::vector<int>{400, 1200, 900, 650, 650, 600, 600, 500, 500, 500, 500, 3800, 0};
    layout.leftAligned.assign(layout.headers.size(), false);
    for (int c : imported ? std::vector<int>{1, 2, 6, 13} : std::vector<int>{1, 2, 11})
        layout.leftAligned[c] = true;
    layout.typeColumn = imported ? 6 : 2;
    return layout;
}

QStringList listRow(const FoundationRecord& r, int rowNumber, bool imported) {
    auto number = [](float v) { return formatGeneral(v); };
    QStringList cells;
    cells << QString::number(rowNumber) << trimBlanks(r.name);
    if (imported)
        cells << trimBlanks(r.provisionalName) << trimBlanks(r.storeyName) << trimBlanks(r.frameName)
              << trimBlanks(r.axisName);
    cells << foundationTypeCaption(r.data1[field::foundationType]);
    if (!imported) cells << number(r.data2[row::a][1]) << number(r.data2[row::a][2]);
    cells << number(r.data2[row::L][1]) << number(r.data2[row::L][2]) << number(r.data1[field::nx])
          << number(r.data1[field::ny]) << number(r.data1[field::pitchx]) << number(r.data1[field::pitchy])
          << trimBlanks(r.memo) << QString();
    return cells;
}

} // namespace k5
