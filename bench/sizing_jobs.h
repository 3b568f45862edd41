#pragma once
// Generated jobs for the sizing benchmark and its independent check:
// footings and pile caps drawn from a fixed pseudo-random sequence over the
// ranges engineers meet (light and heavy columns, weak and strong ground,
// moments and short-term loads in either direction, off-centre columns at a
// boundary, sloped tops, coarse and fine bars, every pile kind and
// arrangement), so that the hard cases (long plans, tight bars, loads across
// a row of piles, depth-governed slabs) are in the mix and not only easy ones.
#include "bench_jobs.h"

#include <cmath>
#include <cstdint>

namespace sizingjobs {

// A small deterministic generator, so every run sizes the same job.
class Draw {
  public:
    explicit Draw(std::uint32_t seed) : state_(seed) {}
    double uniform() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / double(1u << 24);
    }
    float between(double low, double high, double step = 1) {
        return static_cast<float>(low + std::floor(uniform() * ((high - low) / step + 1)) * step);
    }
    bool chance(double p) { return uniform() < p; }

  private:
    std::uint32_t state_;
};

inline void drawLoads(k5::FoundationRecord& r, Draw& d, double N) {
    auto& d2 = r.data2;
    d2[k5::row::N][1] = static_cast<float>(N);
    for (int j = 1; j <= 4; ++j) {
        d2[k5::row::M][j] = 0;
        d2[k5::row::H][j] = 0;
    }
    d2[k5::row::N][3] = d.chance(0.7) ? d.between(-0.3 * N, 0.6 * N, 10) : 0;
    d2[k5::row::N][4] = d.chance(0.5) ? d.between(-0.3 * N, 0.6 * N, 10) : 0;
    if (d.chance(0.4)) d2[k5::row::M][1] = d.between(0, 0.1 * N, 5);
    if (d.chance(0.3)) d2[k5::row::M][2] = d.between(0, 0.1 * N, 5);
    if (d.chance(0.6)) d2[k5::row::M][3] = d.between(0, 0.3 * N, 5);
    if (d.chance(0.4)) d2[k5::row::M][4] = d.between(0, 0.3 * N, 5);
    if (d.chance(0.5)) d2[k5::row::H][3] = d.between(0, 0.1 * N, 5);
    if (d.chance(0.3)) d2[k5::row::H][4] = d.between(0, 0.1 * N, 5);
}

inline k5::FoundationRecord generatedFooting(int n, Draw& d) {
    k5::FoundationRecord r = benchjob::footing(n);
    auto& d1 = r.data1;
    auto& d2 = r.data2;
    static const char* sizes[] = {"D13", "D16", "D19", "D22", "D25"};
    r.barSizeX = QString::fromLatin1(sizes[static_cast<int>(d.between(0, 4))]);
    r.barSizeY = d.chance(0.7) ? r.barSizeX : QString::fromLatin1(sizes[static_cast<int>(d.between(0, 4))]);
    d1[k5::field::fe] = d.between(50, 500, 10);
    d1[k5::field::D1] = d.between(300, 1200, 50);
    d1[k5::field::D2] = d.chance(0.3) ? d1[k5::field::D1] - d.between(0, 200, 50) : d1[k5::field::D1];
    d1[k5::field::h1] = d1[k5::field::h2] = d1[k5::field::D1] + d.between(0, 1500, 50);
    d2[k5::row::a][1] = d.between(400, 1000, 50);
    d2[k5::row::a][2] = d.chance(0.7) ? d2[k5::row::a][1] : d.between(400, 1000, 50);
    d2[k5::row::centre][1] = d.chance(0.8) ? 1 : 0;
    d2[k5::row::centre][2] = d.chance(0.9) ? 1 : 0;
    d2[k5::row::L1][1] = d.between(300, 1500, 50);
    d2[k5::row::L1][2] = d.between(300, 1500, 50);
    drawLoads(r, d, d.between(100, 6000, 10));
    // An imported footing carries no size yet; an entered one its first guess.
    const float L = d.chance(0.5) ? 0 : d.between(1000, 5000, 50);
    d2[k5::row::L][1] = L;
    d2[k5::row::L][2] = L;
    return r;
}

inline k5::FoundationRecord generatedPileCap(int n, Draw& d) {
    k5::FoundationRecord r = benchjob::pileCap(n);
    auto& d1 = r.data1;
    auto& d2 = r.data2;
    d1[k5::field::pileKind] = d.between(0, 3);
    d1[k5::field::pfai] = d.between(300, 1200, 50);
    d1[k5::field::Pe] = d.between(300, 3000, 50);
    d1[k5::field::D1] = d1[k5::field::D2] = d.between(800, 2000, 50);
    d1[k5::field::h1] = d1[k5::field::h2] = d1[k5::field::D1] + d.between(0, 1000, 50);
    d2[k5::row::a][1] = d2[k5::row::a][2] = d.between(500, 1200, 50);
    drawLoads(r, d, d.between(300, 15000, 10));
    return r;
}

inline QList<k5::FoundationRecord> generatedJob(int records) {
    Draw d(20261211u);
    QList<k5::FoundationRecord> job;
    for (int n = 1; n <= records; ++n)
        job.append(d.chance(0.6) ? generatedFooting(n, d) : generatedPileCap(n, d));
    return job;
}

} // namespace sizingjobs
