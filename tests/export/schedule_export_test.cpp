#include "../report/calculated_records.h"
#include "export/schedule_export.h"
#include "jobdata/format_conversion.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "report/case_values.h"
#include "report/page_sequence.h"
#include "shell/schedule_export_command.h"
#include "temp_tree.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <limits>

#include <algorithm>
#include <gtest/gtest.h>

using namespace k5;
using namespace k5::dxfexport;
using namespace k5test;

namespace {

constexpr double kEps = 1e-3;

// The drawing as an independent DXF reader sees it (tests/export/read_dxf.py).
QJsonObject readBack(const QString& dxf) {
    QProcess reader;
    const QString script = QStringLiteral(K5_FIXTURES "/../export/read_dxf.py");
    reader.start(QStringLiteral("/usr/bin/python3"), {script, dxf});
    EXPECT_TRUE(reader.waitForFinished(60000));
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

QJsonObject cellTitled(const QJsonObject& drawing, const QString& title) {
    for (const QJsonValue& cell : drawing[QStringLiteral("cells")].toArray())
        if (cell.toObject()[QStringLiteral("title")].toString() == title) return cell.toObject();
    return {};
}

QStringList strings(const QJsonValue& array) {
    QStringList out;
    for (const QJsonValue& v : array.toArray())
        out << v.toString();
    return out;
}

float d2(const FoundationRecord& r, int row, int column) {
    return r.data2[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

// Footings level and stepped, SI and CGS; a cap of every pile arrangement
// and a CGS cap; names with the CP932 bytes that trip naive readers (a
// trailing 0x5C in 表 and ソ) and a caret.
const QList<FoundationRecord>& calculatedJob() {
    static const QList<FoundationRecord> records = [] {
        QList<FoundationRecord> inputs;
        inputs << storedFooting({}, QStringLiteral("表ソ^F1"));
        FoundationRecord stepped = storedFooting(
            {.Lx = 3000, .Ly = 3000, .Lx1 = 1250, .Ly1 = 1250, .D = 600, .D2 = 300}, QStringLiteral("F2"));
        stepped.data1[field::h2] = 800;
        inputs << stepped;
        inputs << storedFooting({.fe = 20, .N = 50, .unit = 2}, QStringLiteral("F3"));
        for (int code = 1; code <= kPileArrangementCount; ++code) {
            PileCapInput in;
            in.layout = code;
            inputs << storedPileCap(in, QStringLiteral("P%1").arg(code));
        }
        inputs << storedPileCap({.Pe = 50, .N = 100, .unit = 2}, QStringLiteral("PC"));
        return calculated(inputs);
    }();
    return records;
}

class ScheduleDxf : public ::testing::Test {
  protected:
    // The masters the calculation reads: without them every foundation
    // left out would stop at the missing bar grade.
    void SetUp() override {
        ensureRebarMasters(tree.ctx);
        ensureConcreteFile(tree.ctx.folders);
    }
    void writeJobOf(const QList<FoundationRecord>& records) { writeJob(tree.ctx, records); }
    ExportResult exportTo(const QString& path, DxfVersion version = DxfVersion::R12) {
        ExportRequest request;
        request.path = path;
        request.version = version;
        return exportJobSchedule(tree.ctx, request);
    }
    QString file(const QString& name) const { return tree.dataFile(name); }

    TempTree tree;
};

// Every calculated foundation is a cell whose plan, piles, dimensions and
// texts are those of its record; a record without results is left out and
// named with the message that stops the calculation at it, or "未計算".
TEST_F(ScheduleDxf, EveryCalculatedFoundationIsACellWithItsOwnMeasures) {
    QList<FoundationRecord> job = calculatedJob();
    ASSERT_EQ(job.size(), 15);
    job << storedFooting({}, QStringLiteral("U1"));       // saved after the calculation: no results
    job << storedFooting({.N = 0}, QStringLiteral("S1")); // the calculation stops at it
    writeJobOf(job);

    const ExportResult result = exportTo(file(QStringLiteral("schedule.dxf")));
    ASSERT_TRUE(result.outcome.ok) << result.outcome.message.text.toStdString();
    EXPECT_EQ(result.foundations, 15);
    ASSERT_EQ(result.leftOut.size(), 2);
    EXPECT_EQ(leftOutLine(result.leftOut[0]), QStringLiteral("データ16 U1: 未計算"));
    EXPECT_EQ(leftOutLine(result.leftOut[1]),
              QStringLiteral("データ17 S1: ﾃﾞｰﾀNo 17: 長期軸力=0 となっています。"));

    const QJsonObject dxf = readBack(file(QStringLiteral("schedule.dxf")));
    EXPECT_EQ(dxf[QStringLiteral("version")].toString(), QStringLiteral("AC1009"));
    EXPECT_EQ(dxf[QStringLiteral("codepage")].toString(), QStringLiteral("ANSI_932"));
    EXPECT_EQ(dxf[QStringLiteral("encoding")].toString(), QStringLiteral("cp932"));
    EXPECT_EQ(dxf[QStringLiteral("insunits")].toInt(), 4);
    EXPECT_TRUE(strings(dxf[QStringLiteral("raw_missing")]).isEmpty()) << "texts not in Shift-JIS bytes";
    const QStringList layers = strings(dxf[QStringLiteral("layers")]);
    for (const char* layer : {"OUTLINE", "COLUMN", "PILES", "BARS", "DIMENSIONS", "TEXT", "FRAME"})
        EXPECT_TRUE(layers.contains(QString::fromLatin1(layer))) << layer;
    ASSERT_EQ(dxf[QStringLiteral("cells")].toArray().size(), 15);
    EXPECT_TRUE(cellTitled(dxf, QStringLiteral("U1")).isEmpty());

    for (const FoundationRecord& r : calculatedJob()) {
        const QString name = trimBlanks(r.name);
        SCOPED_TRACE(name.toStdString());
        const QJsonObject cell = cellTitled(dxf, name);
        ASSERT_FALSE(cell.isEmpty());
        const double Lx = d2(r, row::L, row::xValue), Ly = d2(r, row::L, row::yValue);
        const QJsonArray plan = cell[QStringLiteral("plan")].toArray();
        EXPECT_NEAR(plan[0].toDouble(), Lx, kEps);
        EXPECT_NEAR(plan[1].toDouble(), Ly, kEps);
        EXPECT_EQ(cell[QStringLiteral("outlines")].toInt(), 2); // plan and section
        EXPECT_TRUE(cell[QStringLiteral("outlines_closed")].toBool());

        // The piles of the arrangement, each a circle of the pile's diameter.
        const FoundationType type = static_cast<FoundationType>(cInt(r.data1[field::foundationType]));
        std::vector<PilePoint> expected;
        if (type == kTypePileCap)
            expected = pilePositions(static_cast<int>(cInt(r.data1[field::pileLayout])), d2(r, row::P, 1),
                                     d2(r, row::P, 2), d2(r, row::P, 3), d2(r, row::P, 4),
                                     r.data1[field::auxSpacing]);
        QJsonArray piles = cell[QStringLiteral("piles")].toArray();
        ASSERT_EQ(piles.size(), static_cast<qsizetype>(expected.size()));
        std::vector<std::array<double, 3>> found;
        for (const QJsonValue& p : piles)
            found.push_back({p[0].toDouble(), p[1].toDouble(), p[2].toDouble()});
        const auto byPosition = [](const auto& a, const auto& b) {
            return std::round(a[0]) != std::round(b[0]) ? a[0] < b[0] : a[1] < b[1];
        };
        std::sort(found.begin(), found.end(), byPosition);
        std::vector<std::array<double, 3>> wanted;
        for (const PilePoint& p : expected)
            wanted.push_back({p.x, p.y, r.data1[field::pfai] / 2.0});
        std::sort(wanted.begin(), wanted.end(), byPosition);
        for (size_t i = 0; i < wanted.size(); ++i)
            for (size_t k = 0; k < 3; ++k)
                EXPECT_NEAR(found[i][k], wanted[i][k], kEps) << "pile " << i;

        // Bars as the report writes them, and the figure's numbers.
        const QStringList texts = strings(cell[QStringLiteral("texts")]);
        for (report::Direction dir : {report::kDirX, report::kDirY})
            EXPECT_TRUE(texts.contains(report::rebarDecisionText(r, type, dir).text));
        EXPECT_TRUE(texts.contains(QStringLiteral("OK")) || texts.contains(QStringLiteral("NG")));
        const QStringList numbers = strings(cell[QStringLiteral("dimensions")]);
        for (double v : {Lx, Ly, double(r.data1[field::D1]), double(r.data1[field::h1])})
            EXPECT_TRUE(numbers.contains(formatGeneral(v))) << v;
    }
    // A stepped footing has its edge depth and ground level dimensioned too.
    const QStringList stepped = strings(cellTitled(dxf, QStringLiteral("F2"))[QStringLiteral("dimensions")]);
    for (const char* n : {"300", "600", "800", "1000", "3000"})
        EXPECT_TRUE(stepped.contains(QString::fromLatin1(n))) << n;
}

TEST_F(ScheduleDxf, Version2010WritesUtf8Texts) {
    writeJobOf(calculatedJob());
    ASSERT_TRUE(exportTo(file(QStringLiteral("utf8.dxf")), DxfVersion::R2010).outcome.ok);
    const QJsonObject dxf = readBack(file(QStringLiteral("utf8.dxf")));
    EXPECT_EQ(dxf[QStringLiteral("version")].toString(), QStringLiteral("AC1024"));
    EXPECT_EQ(dxf[QStringLiteral("encoding")].toString(), QStringLiteral("utf-8"));
    EXPECT_TRUE(strings(dxf[QStringLiteral("raw_missing")]).isEmpty());
    EXPECT_FALSE(cellTitled(dxf, QStringLiteral("表ソ^F1")).isEmpty());
    for (const PileArrangementRule& rule : pileArrangementRules())
        EXPECT_EQ(
            cellTitled(dxf, QStringLiteral("P%1").arg(rule.code))[QStringLiteral("piles")].toArray().size(),
            rule.count);
}

// An imported job without failures is drawn as the report goes: one cell
// per design group, the governing foundation of each.
TEST_F(ScheduleDxf, ImportedJobHasOneCellPerDesignGroup) {
    QList<FoundationRecord> inputs{storedFooting({.fe = 300, .N = 300}, QStringLiteral("G1a")),
                                   storedFooting({.fe = 300, .N = 600}, QStringLiteral("G1b")),
                                   storedFooting({.fe = 300, .N = 400}, QStringLiteral("G2"))};
    for (int i = 0; i < inputs.size(); ++i) {
        inputs[i].importFlag = -1;
        inputs[i].groupNo = i < 2 ? 1 : 2;
    }
    writeJobOf(calculated(inputs));
    const ExportResult result = exportTo(file(QStringLiteral("groups.dxf")));
    ASSERT_TRUE(result.outcome.ok);
    EXPECT_EQ(result.foundations, 2);
    EXPECT_TRUE(result.leftOut.isEmpty());
    const QJsonObject dxf = readBack(file(QStringLiteral("groups.dxf")));
    QStringList titles;
    for (const QJsonValue& cell : dxf[QStringLiteral("cells")].toArray())
        titles << cell.toObject()[QStringLiteral("title")].toString();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("G1b"), QStringLiteral("G2")}));
}

// A group's cell shows in each direction the largest bar count any member
// needs, and names that member; the plan draws exactly that many bars. A
// range that holds only a member that does not govern still draws its group.
TEST_F(ScheduleDxf, AGroupCellShowsTheBarsItsMembersNeedAndIsChosenByAnyMember) {
    // The wider footing bears less (the smaller design ratio) but needs more bars.
    QList<FoundationRecord> inputs{
        storedFooting({.Lx = 3600, .Ly = 3600, .Lx1 = 1550, .Ly1 = 1550, .fe = 300, .N = 900},
                      QStringLiteral("G1")),
        storedFooting({.fe = 300, .N = 900}, QStringLiteral("G1")),
        storedFooting({.fe = 300, .N = 400}, QStringLiteral("G2"))};
    for (int i = 0; i < inputs.size(); ++i) {
        inputs[i].importFlag = -1;
        inputs[i].groupNo = i < 2 ? 1 : 2;
    }
    const QList<FoundationRecord> records = calculated(inputs);
    ASSERT_GT(d2(records[0], row::nBars, 1), d2(records[1], row::nBars, 1));
    writeJobOf(records);
    ExportRequest request;
    request.path = file(QStringLiteral("member.dxf"));
    request.options.firstRecord = request.options.lastRecord = 1; // the member that does not govern
    const ExportResult result = exportJobSchedule(tree.ctx, request);
    ASSERT_TRUE(result.outcome.ok) << result.outcome.message.text.toStdString();
    EXPECT_EQ(result.foundations, 1);
    const QJsonObject cell = readBack(request.path)[QStringLiteral("cells")].toArray().at(0).toObject();
    EXPECT_EQ(cell[QStringLiteral("title")].toString(), QStringLiteral("G1"));
    for (int dir : {1, 2}) {
        const QString text =
            report::rebarDecisionText(records[0], kTypeIsolated, static_cast<report::Direction>(dir)).text +
            QStringLiteral("（データ1）");
        EXPECT_TRUE(strings(cell[QStringLiteral("texts")]).contains(text)) << text.toStdString();
        EXPECT_EQ(cell[dir == 1 ? QStringLiteral("bars_x") : QStringLiteral("bars_y")].toInt(),
                  static_cast<int>(d2(records[0], row::nBars, dir)));
    }
}

// Many foundations are packed onto as many sheets as they need, each cell
// inside a sheet; texts are at least 2.5 mm on paper at either scale; both
// versions pass an independent audit with nothing to repair; a foundation
// whose check fails is drawn with its mark on the layer NG.
TEST_F(ScheduleDxf, SheetsOfTheChosenSizeAndScaleThatAnAuditPasses) {
    QList<FoundationRecord> inputs;
    for (int i = 0; i < 24; ++i)
        inputs << (i % 3 == 2 ? storedPileCap({}, QStringLiteral("P%1").arg(i))
                              : storedFooting({.N = 300.0f + 40 * i}, QStringLiteral("F%1").arg(i)));
    writeJobOf(calculated(inputs));
    const struct {
        SheetSize sheet;
        double scale;
        DxfVersion version;
        double width, height;
    } cases[] = {{SheetSize::A3, 50, DxfVersion::R2010, 420, 297},
                 {SheetSize::A1, 100, DxfVersion::R12, 841, 594},
                 {SheetSize::A2, 50, DxfVersion::R12, 594, 420}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        ExportRequest request;
        request.path = file(QStringLiteral("sheets.dxf"));
        request.version = c.version;
        request.options.sheet = c.sheet;
        request.options.plotScale = c.scale;
        const ExportResult result = exportJobSchedule(tree.ctx, request);
        ASSERT_TRUE(result.outcome.ok);
        const QJsonObject dxf = readBack(request.path);
        EXPECT_EQ(dxf[QStringLiteral("audit")].toArray(), (QJsonArray{0, 0}));
        const QJsonArray sheets = dxf[QStringLiteral("sheets")].toArray();
        EXPECT_EQ(sheets.size(), result.sheets);
        EXPECT_GE(sheets.size(), c.sheet == SheetSize::A3 ? 2 : 1); // A3 at 1:50 holds a few cells
        for (const QJsonValue& sheet : sheets) {
            EXPECT_NEAR(sheet.toArray().at(0).toDouble(), c.width * c.scale, kEps);
            EXPECT_NEAR(sheet.toArray().at(1).toDouble(), c.height * c.scale, kEps);
        }
        EXPECT_EQ(dxf[QStringLiteral("cells")].toArray().size(), 24);
        EXPECT_EQ(dxf[QStringLiteral("cells_outside_sheets")].toInt(), 0);
        EXPECT_GE(dxf[QStringLiteral("least_text_height")].toDouble(), 2.5 * c.scale - kEps);
        EXPECT_EQ(strings(dxf[QStringLiteral("ng_texts")]).size(), result.failing.size());
    }
}

// Nothing to draw, or a write that fails: the old file stays as it was.
TEST_F(ScheduleDxf, RefusalAndFailedWriteLeaveTheOldFile) {
    const QString path = file(QStringLiteral("old.dxf"));
    k5test::writeBytes(path, "old drawing");
    writeJobOf({storedFooting({}, QStringLiteral("U1")), storedPileCap({}, QStringLiteral("U2"))});
    const ExportResult refused = exportTo(path);
    EXPECT_FALSE(refused.outcome.ok);
    EXPECT_EQ(refused.outcome.message.text, QStringLiteral("DXFに出力できる計算済みの基礎がありません。"));
    EXPECT_EQ(refused.leftOut.size(), 2);
    EXPECT_EQ(readBytes(path), QByteArray("old drawing"));

    // The write of the scratch file, then the rename over the old file.
    writeJobOf(calculatedJob());
    for (int step : {1, 2}) {
        write_faults::failStep(step);
        const ExportResult failed = exportTo(path);
        write_faults::failStep(0);
        EXPECT_FALSE(failed.outcome.ok) << step;
        EXPECT_TRUE(failed.outcome.message.text.contains(path));
        EXPECT_EQ(readBytes(path), QByteArray("old drawing"));
        EXPECT_TRUE(k5test::scratchLeftIn(QFileInfo(path).absolutePath()).isEmpty());
    }
}

// The menu command says how many foundations it drew, which fail their
// check and which it left out.
TEST_F(ScheduleDxf, MenuCommandReportsCellsAndLeftOut) {
    QList<FoundationRecord> job = calculatedJob().mid(0, 2);
    job << storedFooting({}, QStringLiteral("U1"));
    writeJobOf(job);
    const QString path = file(QStringLiteral("menu.dxf"));
    const Outcome done = exportScheduleCommand(tree.ctx, path);
    EXPECT_TRUE(done.ok);
    EXPECT_EQ(done.message.icon, Icon::Warning);
    // The first footing fails its check: drawn, and named with its mark.
    EXPECT_EQ(done.message.text, QStringLiteral("DXFを出力しました（基礎 2 件）。\n\n") + path +
                                     QStringLiteral("\n\nNGの基礎:\nデータ1 表ソ^F1: NG") +
                                     QStringLiteral("\n\n出力しなかった基礎:\nデータ3 U1: 未計算"));
    EXPECT_TRUE(QFile::exists(path));
}

// The menu command loads the job as the list and the report do: a job they
// refuse is refused with the same message and the earlier drawing stays.
TEST_F(ScheduleDxf, MenuCommandRefusesAJobTheLoadRefuses) {
    installFormatConversion(tree.ctx.jobHooks); // as the program's start installs it
    const QString path = file(QStringLiteral("menu.dxf"));
    writeBytes(path, "old drawing");
    QByteArray unknownVersion = [&] {
        writeJobOf(calculatedJob().mid(0, 1));
        QByteArray bytes = readBytes(tree.ctx.folders.jobFile());
        bytes[0] = char(999 & 0xFF);
        bytes[1] = char(999 >> 8);
        return bytes;
    }();
    QByteArray randomBytes;
    for (int i = 0; i < 9; ++i)
        for (int b = 0; b < 256; ++b)
            randomBytes.append(char(b));
    for (const QByteArray& damaged : {unknownVersion, randomBytes}) {
        writeBytes(tree.ctx.folders.jobFile(), damaged);
        report::ReportJob job;
        const Outcome loaded =
            report::loadCheckedReportJob(tree.ctx.folders, tree.ctx.job, tree.ctx.jobHooks, job);
        ASSERT_FALSE(loaded.ok);
        const Outcome refused = exportScheduleCommand(tree.ctx, path);
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.message.text, loaded.message.text);
        EXPECT_EQ(readBytes(path), QByteArray("old drawing"));
        EXPECT_EQ(readBytes(tree.ctx.folders.jobFile()), damaged);
    }
}

// A stored value that is no number refuses the drawing, naming the
// foundation and what could not be made of the job: the drawing, not the report.
TEST_F(ScheduleDxf, AValueThatIsNoNumberRefusesTheDrawing) {
    const QString path = file(QStringLiteral("nan.dxf"));
    writeBytes(path, "old drawing");
    FoundationRecord broken = calculatedJob()[0];
    broken.data1[field::D1] = std::numeric_limits<float>::quiet_NaN();
    writeJobOf({broken});
    const ExportResult result = exportTo(path);
    EXPECT_FALSE(result.outcome.ok);
    EXPECT_TRUE(result.outcome.message.text.contains(QStringLiteral("表ソ^F1")))
        << result.outcome.message.text.toStdString();
    EXPECT_TRUE(result.outcome.message.text.endsWith(QStringLiteral("DXFを出力できません。")))
        << result.outcome.message.text.toStdString();
    EXPECT_EQ(readBytes(path), QByteArray("old drawing"));
}

} // namespace
