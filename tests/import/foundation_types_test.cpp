#include "../calc/calc_fixtures.h"
#include "calc/calc_masters.h"
#include "calc/record_evaluation.h"
#include "import/foundation_types.h"
#include "import/support_reaction_reader.h"
#include "jobdata/common_values.h"
#include "masters/concrete_setting.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace k5;

namespace {

// Loads of one support: long-term N, short-term N in X, and moments in X
// and Y of the seismic case.
struct SupportLoads {
    double N = 0, shortN = 0, Mx = 0, My = 0;
};

// Supports of an imported building, each as the import builds it: the
// common design values, no size, no design name, and its own loads.
QList<FoundationRecord> importedSupports(const std::vector<SupportLoads>& loads) {
    std::vector<ReactionLine> lines;
    int number = 0;
    for (const SupportLoads& s : loads) {
        ++number;
        for (int direction = 1; direction <= 2; ++direction)
            for (int loadCase = 1; loadCase <= 2; ++loadCase) {
                ReactionLine line;
                line.lineNumber = static_cast<int>(lines.size()) + 1;
                line.direction = direction;
                line.frame = direction == 1 ? 1 : number;
                line.axis = direction == 1 ? number : 1;
                line.storey = 1;
                line.loadCase = loadCase;
                line.storeyName = QStringLiteral("1F");
                line.frameName = QStringLiteral("X1");
                line.axisName = QStringLiteral("Y%1").arg(number);
                line.N = static_cast<float>(loadCase == 1 ? -s.N : -s.shortN);
                line.M = static_cast<float>(loadCase == 2 ? (direction == 1 ? s.Mx : s.My) : 0);
                lines.push_back(line);
            }
    }
    std::vector<FoundationRecord> built;
    buildImportedRecords(lines, QStringLiteral("試験物件"), defaultCommonValues(1), built);
    QList<FoundationRecord> records;
    for (FoundationRecord& r : built) {
        applyDesignLoads(r);
        records << r;
    }
    return records;
}

std::vector<SupportLoads> levels(std::initializer_list<std::pair<int, double>> counts) {
    std::vector<SupportLoads> out;
    for (const auto& [count, N] : counts)
        for (int i = 0; i < count; ++i)
            out.push_back({N, N / 5, N / 20, N / 25});
    return out;
}

// A building whose supports differ in every way: light and heavy, with
// moments in X or in Y.
std::vector<SupportLoads> variedBuilding(int count) {
    std::vector<SupportLoads> out;
    for (int n = 0; n < count; ++n) {
        const double N = 300 + 97.0 * ((n * 7) % count);
        out.push_back({N, N / 4, n % 3 == 0 ? N / 6 : N / 30, n % 3 == 1 ? N / 6 : N / 30});
    }
    return out;
}

class FoundationTypes : public ::testing::Test {
  protected:
    void SetUp() override {
        k5test::ensureRebarMasters(tree.ctx);
        ensureConcreteFile(tree.ctx.folders);
        masters = CalcMasters::load(tree.ctx.folders);
    }

    TypesPlan choose(const QList<FoundationRecord>& job, int types, bool all = false) {
        TypeOptions options;
        options.maxTypes = types;
        options.all = all;
        return chooseFoundationTypes(masters, job, options);
    }

    // What the calculation says of every record the plan writes, by an
    // evaluation of its own: each must be designed and pass.
    void expectEveryMemberPasses(const QList<FoundationRecord>& job, const TypesPlan& plan) {
        for (const auto& [n, record] : recordsOfTypes(job, plan)) {
            const Evaluation e = evaluateRecord(masters, record, n);
            ASSERT_TRUE(e.designed()) << n << " " << e.outcome.message.text.toStdString();
            EXPECT_EQ(storedDesignResult(e.record).verdict, Verdict::Ok) << "record " << n;
        }
    }

    // The search refuses a support without a design name, as the
    // calculation does: a stand-in name sizes it.
    static FoundationRecord named(FoundationRecord r) {
        r.name = QStringLiteral("X");
        return r;
    }
    SizeProposal own(const FoundationRecord& r) { return proposeSize(masters, {named(r)}); }

    k5test::TempTree tree;
    CalcMasters masters;
};

bool sameSize(const FoundationSize& a, const FoundationSize& b) {
    return a.Lx == b.Lx && a.Ly == b.Ly && a.D1 == b.D1 && a.D2 == b.D2 && a.pileLayout == b.pileLayout;
}

TEST_F(FoundationTypes, TwoLoadLevelsMakeTwoTypesAndOneTypeIsSizedForTheWorst) {
    // Supports 1, 2 and 5 carry 400 kN, 3 and 4 carry 2400 kN.
    std::vector<SupportLoads> loads = levels({{2, 400}, {2, 2400}, {1, 400}});
    const QList<FoundationRecord> job = importedSupports(loads);
    const SizeProposal light = own(job[0]), heavy = own(job[2]);
    ASSERT_TRUE(light.found && heavy.found);
    ASSERT_FALSE(sameSize(light.proposed, heavy.proposed));

    const TypesPlan two = choose(job, 2);
    ASSERT_EQ(two.types.size(), 2);
    EXPECT_EQ(two.types[0].name, "F1");
    EXPECT_EQ(two.types[0].members, QList<int>({1, 2, 5}));
    EXPECT_TRUE(sameSize(two.types[0].proposal.proposed, light.proposed));
    EXPECT_EQ(two.types[1].name, "F2");
    EXPECT_EQ(two.types[1].members, QList<int>({3, 4}));
    EXPECT_TRUE(sameSize(two.types[1].proposal.proposed, heavy.proposed));
    EXPECT_EQ(two.types[0].groupNo, 1);
    EXPECT_EQ(two.types[1].groupNo, 2);
    // Each support sized on its own needs exactly this: no price to pay.
    EXPECT_NEAR(two.volume, two.ownVolume, 1e-9);
    expectEveryMemberPasses(job, two);

    // One type takes the size of the heaviest for everyone.
    const TypesPlan one = choose(job, 1);
    ASSERT_EQ(one.types.size(), 1);
    EXPECT_EQ(one.types[0].members.size(), 5);
    EXPECT_TRUE(sameSize(one.types[0].proposal.proposed, heavy.proposed));
    EXPECT_GT(one.volume, two.volume);
    expectEveryMemberPasses(job, one);
}

TEST_F(FoundationTypes, MoreTypesNeverCostMoreAndBeatEqualCountSplitting) {
    const QList<FoundationRecord> job = importedSupports(variedBuilding(6));

    // The equal-count split, each group sized by the search over all its
    // members.
    std::vector<std::pair<double, int>> byOwnVolume;
    for (int n = 1; n <= job.size(); ++n) {
        const SizeProposal p = own(job[n - 1]);
        ASSERT_TRUE(p.found);
        FoundationRecord r = named(job[n - 1]);
        applySize(p.proposed, r);
        byOwnVolume.push_back({foundationConcreteVolume(evaluateRecord(masters, r).record), n});
    }
    std::stable_sort(byOwnVolume.begin(), byOwnVolume.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto equalSplitVolume = [&](int parts) {
        double total = 0;
        const int count = static_cast<int>(byOwnVolume.size());
        for (int k = 0; k < parts; ++k) {
            // A design group is sized with its records in file order, as a
            // proposal for the group is made.
            QList<int> members;
            for (int i = count * k / parts; i < count * (k + 1) / parts; ++i)
                members << byOwnVolume[static_cast<size_t>(i)].second;
            std::sort(members.begin(), members.end());
            QList<FoundationRecord> group;
            for (int n : members)
                group << named(job[n - 1]);
            const SizeProposal p = proposeSize(masters, group);
            if (!p.found) return 1e300;
            for (FoundationRecord r : group) {
                applySize(p.proposed, r);
                total += foundationConcreteVolume(evaluateRecord(masters, r).record);
            }
        }
        return total;
    };

    double before = 1e300;
    for (int types : {1, 2, 3}) {
        const TypesPlan plan = choose(job, types);
        ASSERT_FALSE(plan.types.isEmpty());
        EXPECT_LE(plan.types.size(), types);
        EXPECT_LE(plan.volume, before + 1e-9) << types << " types";
        if (types > 1) {
            EXPECT_LE(plan.volume, equalSplitVolume(types) + 1e-9) << types << " types";
        }
        EXPECT_GE(plan.volume, plan.ownVolume - 1e-9);
        int members = 0;
        for (const FoundationTypeGroup& t : plan.types)
            members += static_cast<int>(t.members.size());
        EXPECT_EQ(members, job.size());
        expectEveryMemberPasses(job, plan);
        // Each type's size is the search's answer for its members as one group.
        for (const FoundationTypeGroup& t : plan.types) {
            QList<FoundationRecord> group;
            for (int n : t.members)
                group << named(job[n - 1]);
            const SizeProposal whole = proposeSize(masters, group);
            ASSERT_TRUE(whole.found);
            EXPECT_TRUE(sameSize(whole.proposed, t.proposal.proposed)) << t.name.toStdString();
        }
        before = plan.volume;
    }
}

TEST_F(FoundationTypes, TheEngineersGroupsAreKeptUnlessAllAreAsked) {
    QList<FoundationRecord> job = importedSupports(levels({{3, 400}, {2, 2400}}));
    job[0].name = QStringLiteral("F1");
    job[0].groupNo = 4;
    job[1].name = QStringLiteral("柱A");
    job[1].groupNo = 4;

    const TypesPlan kept = choose(job, 2);
    ASSERT_EQ(kept.types.size(), 2);
    QList<int> regrouped;
    for (const FoundationTypeGroup& t : kept.types)
        regrouped += t.members;
    std::sort(regrouped.begin(), regrouped.end());
    EXPECT_EQ(regrouped, QList<int>({3, 4, 5}));
    // New groups follow the highest kept one; a kept name is not taken again,
    // or its records would be joined to the new type.
    EXPECT_EQ(kept.types[0].groupNo, 5);
    EXPECT_EQ(kept.types[1].groupNo, 6);
    EXPECT_EQ(kept.types[0].name, "F2");
    EXPECT_EQ(kept.types[1].name, "F3");
    for (const auto& [n, r] : recordsOfTypes(job, kept))
        EXPECT_GE(n, 3);

    const TypesPlan all = choose(job, 2, true);
    ASSERT_EQ(all.types.size(), 2);
    EXPECT_EQ(all.types[0].members, QList<int>({1, 2, 3}));
    EXPECT_EQ(all.types[0].name, "F1");
    EXPECT_EQ(all.types[0].groupNo, 1);
}

TEST_F(FoundationTypes, PileCapsAreTypedApartUnderTheirOwnLetterAndPrefixesNumberOn) {
    QList<FoundationRecord> job = importedSupports(levels({{2, 500}}));
    for (float N : {900.0f, 900.0f, 2600.0f}) {
        k5test::PileCapInput in;
        in.N = N;
        in.Wc = 24;
        in.Ws = 16;
        in.h1 = in.h2 = 2000;
        FoundationRecord cap = k5test::pileCapRecord(in);
        cap.data1[field::pileKind] = 1;
        job << cap;
    }
    TypeOptions options;
    options.maxTypes = 2;
    const TypesPlan plan = chooseFoundationTypes(masters, job, options);
    QStringList names;
    for (const FoundationTypeGroup& t : plan.types)
        names << t.name + u':' + foundationTypeCaption(t.foundationType);
    EXPECT_EQ(names, QStringList({"F1:直接基礎", "P1:杭基礎", "P2:杭基礎"}));
    EXPECT_EQ(plan.types[2].members, QList<int>({5}));
    expectEveryMemberPasses(job, plan);

    options.prefix = QStringLiteral("2F-");
    names.clear();
    for (const FoundationTypeGroup& t : chooseFoundationTypes(masters, job, options).types)
        names << t.name;
    EXPECT_EQ(names, QStringList({"2F-1", "2F-2", "2F-3"}));

    options.prefix = QStringLiteral("基礎タイプ名称");
    EXPECT_FALSE(typeOptionsProblem(options).isEmpty());
    options.prefix = QStringLiteral("A~");
    EXPECT_FALSE(typeOptionsProblem(options).isEmpty());
}

TEST_F(FoundationTypes, VolumeCountsASlopedTopAsHalfItsHeight) {
    FoundationRecord r;
    r.data2[row::L][1] = 2000;
    r.data2[row::L][2] = 3000;
    r.data1[field::D1] = 800;
    r.data1[field::D2] = 400;
    EXPECT_DOUBLE_EQ(foundationConcreteVolume(r), 2.0 * 3.0 * 0.6);
    r.data1[field::D2] = 0; // a flat top stores no D'
    EXPECT_DOUBLE_EQ(foundationConcreteVolume(r), 2.0 * 3.0 * 0.8);
}

TEST_F(FoundationTypes, ACancelledSearchChoosesNothing) {
    const QList<FoundationRecord> job = importedSupports(levels({{4, 400}}));
    TypeOptions options;
    int calls = 0;
    const TypesPlan plan =
        chooseFoundationTypes(masters, job, options, [&](int, int) { return ++calls < 2; });
    EXPECT_TRUE(plan.cancelled);
    EXPECT_TRUE(plan.types.isEmpty());
    EXPECT_TRUE(recordsOfTypes(job, plan).isEmpty());
}

} // namespace
