#pragma once
// Jobs of both foundation types for the benchmarks: isolated footings
// (centred and off-centre, level and sloped) and pile caps of every
// arrangement, written into a KMD tree of their own with the masters.
#include "jobdata/foundation_record.h"
#include "jobdata/record_layout.h"
#include "masters/bar_size_master.h"
#include "masters/concrete_setting.h"
#include "masters/grade_master.h"
#include "platform/prompt.h"
#include "shell/app_context.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace benchjob {

using k5::FoundationRecord;
namespace field = k5::field;
namespace row = k5::row;

// Answers every message as confirmed and keeps only the last text.
class QuietPrompt : public k5::Prompt {
  public:
    k5::Answer show(const k5::Message& message) override {
        last = message.text;
        return k5::affirmativeAnswer(message.buttons);
    }
    QString last;
};

inline FoundationRecord baseRecord(int n) {
    FoundationRecord r;
    r.jobName = QStringLiteral("ベンチマーク");
    r.fileName = QStringLiteral("bench");
    r.name = QStringLiteral("F%1").arg(n);
    r.barGradeX = r.barGradeY = QStringLiteral("SD295");
    r.barSizeX = QStringLiteral("D19");
    r.barSizeY = QStringLiteral("D22");
    auto& d1 = r.data1;
    d1[field::unitSystem] = 1; // SI
    d1[field::Fc] = 21;        // Fc
    d1[field::cover] = 70;
    d1[field::Wc] = 24;
    d1[field::Ws] = 16;
    d1[field::edgx] = d1[field::edgy] = 60;
    d1[field::pitchx] = d1[field::pitchy] = 200;
    d1[field::nx] = d1[field::ny] = 4;
    d1[field::priority] = static_cast<float>(1 + n % 3); // every priority
    auto& d2 = r.data2;
    d2[row::N][1] = 400.0f + static_cast<float>(n % 7) * 50;
    d2[row::N][3] = 150;
    d2[row::N][4] = -80;
    d2[row::M][1] = static_cast<float>(n % 5) * 10;
    d2[row::M][2] = 15;
    d2[row::M][3] = 120;
    d2[row::M][4] = 90;
    d2[row::H][1] = 5;
    d2[row::H][3] = 40;
    d2[row::H][4] = 35;
    return r;
}

// Isolated footings: centred and off-centre, level and sloped tops.
inline FoundationRecord footing(int n) {
    FoundationRecord r = baseRecord(n);
    auto& d1 = r.data1;
    auto& d2 = r.data2;
    d1[field::foundationType] = 1;
    d1[field::fe] = 300; // fe
    const bool sloped = n % 2 == 0;
    d1[field::D1] = 600;
    d1[field::D2] = sloped ? 400 : 600;
    d1[field::h1] = d1[field::h2] = 1200;
    d2[row::L][1] = 3000.0f + static_cast<float>(n % 3) * 200;
    d2[row::L][2] = 2800;
    d2[row::a][1] = d2[row::a][2] = 600;
    const bool centred = n % 3 != 0;
    d2[row::centre][1] = d2[row::centre][2] = centred ? 1 : 0;
    d2[row::L1][1] = 1000;
    d2[row::L1][2] = 1100;
    return r;
}

// Pile caps of every arrangement.
inline FoundationRecord pileCap(int n) {
    FoundationRecord r = baseRecord(n);
    auto& d1 = r.data1;
    auto& d2 = r.data2;
    const int layout = 1 + n % 11;
    d1[field::foundationType] = 2;
    d1[field::pileLayout] = static_cast<float>(layout);
    d1[field::pfai] = 400;   // φ
    d1[field::Pe] = 600;     // Pe
    d1[field::pileKind] = 0; // pile kind: minimum edge 500, spacing 1000
    d1[field::D1] = d1[field::D2] = 1000;
    d1[field::h1] = d1[field::h2] = 1500;
    d2[row::N][1] = 800.0f + static_cast<float>(layout) * 200;
    d2[row::a][1] = d2[row::a][2] = 700;
    d2[row::P][1] = d2[row::P][2] = 600;
    d2[row::P][3] = 1400;
    d2[row::P][4] = (layout == 5 || layout == 7 || layout == 10 || layout == 11) ? 1300 : 0;
    return r;
}

class Job {
  public:
    explicit Job(int records) {
        const QString kmd = dir_.path() + QStringLiteral("/KMD");
        for (const char* sub : {"MAS", "K5/PRG", "K5/DAT", "K5/保存データ"})
            QDir().mkpath(kmd + u'/' + QString::fromUtf8(sub));
        ctx.folders = k5::Folders::forTree(kmd);
        ctx.prompt = &prompt;
        k5::ensureGradeFile(ctx.folders);
        k5::ensureBarSizeFile(ctx.folders, QStringLiteral("D"));
        k5::ensureBarSizeFile(ctx.folders, QStringLiteral("R"));
        k5::ensureConcreteFile(ctx.folders);
        QFile file(ctx.folders.jobFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
        for (int n = 1; n <= records; ++n)
            file.write(k5::encodeRecord(n % 2 ? footing(n) : pileCap(n)));
    }

    k5::AppContext ctx;
    QuietPrompt prompt;

  private:
    QTemporaryDir dir_;
};

} // namespace benchjob
