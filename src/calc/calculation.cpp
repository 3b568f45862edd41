#include "calc/calculation.h"

#include "calc/calc_kernel.h"
#include "calc/calc_masters.h"
#include "calc/calc_messages.h"
#include "calc/grade_stress.h"
#include "calc/isolated_design.h"
#include "calc/pile_cap_design.h"
#include "calc/prepare_common.h"
#include "calc/record_checks.h"
#include "calc/record_evaluation.h"
#include "jobdata/job_file.h"
#include "jobdata/job_state.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

#include <QFile>

#include <algorithm>
#include <string>

#include <cmath>
#include <limits>

namespace k5 {
namespace {

constexpr int kLength = FoundationRecord::kLength;

// An Integer of the stored rebar data: rounded half to even; a value beyond
// the 16-bit range is held at its limit and reported.
int storedInteger(float value, bool& inRange) {
    if (!fitsInt16(value)) {
        inRange = false;
        if (std::isnan(value)) return 0;
        return value < 0 ? std::numeric_limits<int16_t>::min() : std::numeric_limits<int16_t>::max();
    }
    return static_cast<int>(cInt(value));
}

// The job file as the run sees it: mapped once for reading, and the
// results streamed record by record into a scratch file beside it, which is
// renamed over the job file when the run ends or stops. Memory stays small
// and no page of the job is copied twice, so a job of ten thousand records
// costs ten times one of a thousand. A trailing part of a record of at least
// half its length counts as a record, read with zeros past the end, as it
// always has.
class JobImage {
  public:
    // A run that did not replace the job leaves no scratch file behind: the
    // scratch file removes itself unless it became the job.
    explicit JobImage(const QString& path) : path_(path) {}

    bool open() {
        if (!openRegularFile(file_, path_)) return false;
        size_ = file_.size();
        if (size_ > 0) {
            data_ = reinterpret_cast<const char*>(file_.map(0, size_));
            if (!data_) return false;
        }
        records_ = static_cast<int>(cInt(static_cast<double>(size_) / kLength));
        return true;
    }

    int records() const { return records_; }
    bool wholeNumberOfRecords() const { return size_ % kLength == 0; }
    // The records stored whole, for counting.
    QByteArray wholeRecords() const { return raw(0, size_ / kLength * kLength); }
    // The stored bytes from `from` to `to` (both within the file).
    QByteArray raw(qint64 from, qint64 to) const { return QByteArray::fromRawData(data_ + from, to - from); }

    // Record n as the run reads it; with the defaults repaired as read, a
    // repaired record is kept to be written whatever the run does with it.
    QByteArray record(int n) {
        const qint64 at = static_cast<qint64>(n - 1) * kLength;
        QByteArray r(data_ + at, static_cast<qsizetype>(std::min<qint64>(kLength, size_ - at)));
        if (r.size() < kLength) r.append(QByteArray(kLength - r.size(), '\0'));
        if (repairDefaults_ && repairRecordDefaults(r)) repaired_ = r;
        return r;
    }

    // The rebar layout defaults a load repairs are repaired in this read of
    // the job too, in the records the run designs and in those after a stop,
    // so a job that was never loaded needs no read of its own.
    void repairDefaultsAsRead() { repairDefaults_ = true; }

    // What the design wrote last of record n: kept as a record (cheap to
    // copy) and encoded once, when the record is done.
    void keep(const FoundationRecord& record) { kept_ = record; }

    // Record n is done: what was kept of it goes to the scratch file, after
    // every stored record before it that the run did not change.
    bool storeKept(int n) {
        if (!kept_ && repaired_.isEmpty()) return true;
        if (!scratch_) {
            scratch_.emplace(path_);
            if (!scratch_->isOpen()) ok_ = false;
        }
        if (!ok_) return false;
        const qint64 at = static_cast<qint64>(n - 1) * kLength;
        append(raw(copied_, std::min(at, size_)));
        // A record the run did not design goes as read (its defaults repaired).
        append(kept_ ? encodeRecord(*kept_) : repaired_);
        copied_ = at + kLength;
        kept_.reset();
        repaired_.clear();
        return ok_;
    }

    // The records after a stop, repaired as read where they need it.
    bool storeRepairedRest() {
        if (!repairDefaults_) return ok_;
        for (int n = static_cast<int>(copied_ / kLength) + 1; n <= records_ && ok_; ++n) {
            record(n);
            storeKept(n);
        }
        return ok_;
    }

    // Completes the scratch file with the rest of the stored job and renames
    // it over the job file; nothing happens when the run changed nothing.
    bool finish() {
        if (!scratch_) return ok_;
        if (!ok_) return false;
        if (copied_ < size_) append(raw(copied_, size_));
        flush();
        // The rename replaces the job in one step: the old job or the new one
        // is always whole on disk.
        return ok_ && scratch_->commit();
    }

  private:
    static constexpr qsizetype kChunk = 1 << 20;

    void append(const QByteArray& bytes) {
        if (buffer_.capacity() < kChunk) buffer_.reserve(2 * kChunk);
        buffer_.append(bytes.constData(), static_cast<size_t>(bytes.size()));
        if (static_cast<qsizetype>(buffer_.size()) >= kChunk) flush();
    }
    void flush() {
        const auto size = static_cast<qint64>(buffer_.size());
        if (size > 0 && ok_ && !writeBytes(scratch_->file(), buffer_.data(), size)) ok_ = false;
        buffer_.clear(); // keeps its capacity for the next chunk
    }

    QString path_;
    QFile file_;
    std::optional<ScratchFile> scratch_; // created with the first changed record
    const char* data_ = nullptr;
    qint64 size_ = 0;
    int records_ = 0;
    std::optional<FoundationRecord> kept_;
    QByteArray repaired_; // record read last, when its defaults were repaired
    qint64 copied_ = 0;   // bytes of the stored job already in the scratch file
    std::string buffer_;
    bool ok_ = true;
    bool repairDefaults_ = false;
};

BarRules barRulesOf(const WorkingRecord& w, const FoundationRecord& rec) {
    BarRules b;
    b.edge = {0, w.edgx, w.edgy};
    b.pitch = {0, w.pitchx, w.pitchy};
    b.count = {0, w.nx, w.ny};
    b.priority = cInt(rec.data1[field::priority]);
    return b;
}

// One record of the job through the one per-record path; what its steps
// kept stays in the job image, also when a later step refuses the record.
Outcome calculateRecord(const CalcMasters& masters, JobImage& job, int n) {
    FoundationRecord rec = decodeRecord(job.record(n));
    return designRecord(masters, rec, n, [&](const FoundationRecord& r) { job.keep(r); });
}

CalcCounters count(const QByteArray& bytes, bool withNg) {
    CalcCounters c;
    const qsizetype records = bytes.size() / kLength;
    for (qsizetype n = 0; n < records; ++n) {
        const QByteArray record = QByteArray::fromRawData(bytes.constData() + n * kLength, kLength);
        const long long type = cInt(data1Of(record, field::foundationType));
        const bool ng = withNg && data1Of(record, field::ngFlag) == -1;
        if (type == kTypeIsolated) {
            ++c.isolated;
            if (ng) ++c.isolatedNg;
        } else if (type == kTypePileCap) {
            ++c.pileCaps;
            if (ng) ++c.pileCapsNg;
        }
    }
    return c;
}

CalcCounters countFile(const Folders& folders, bool withNg) {
    const std::optional<QByteArray> bytes = readRegularFile(folders.jobFile());
    return bytes ? count(*bytes, withNg) : CalcCounters{};
}

} // namespace

CalcCounters countFoundations(const Folders& folders) {
    return countFile(folders, false);
}

CalcCounters countNgFoundations(const Folders& folders) {
    return countFile(folders, true);
}

Outcome designRecord(const CalcMasters& masters, FoundationRecord& rec, int n, const RecordKeeper& keep) {
    const auto kept = [&](const FoundationRecord& r) {
        if (keep) keep(r);
    };
    if (Outcome young = masters.checkYoungModulus(); !young) return young;
    if (Outcome stored = checkStoredValues(rec, n); !stored) return stored;
    WorkingRecord w;
    const LoadedRecord loaded = loadRecordForCalculation(rec, w);
    if (Outcome registered = checkRecordForRegister(w, n); !registered) return registered;
    if (Outcome checked = checkRecordForCalculation(w, rec, n); !checked) return checked;
    kept(rec);

    const auto refuse = [&](const QString& what) { return Outcome::warning(checkMessagePrefix(n) + what); };
    if (!loaded.barRulesInRange) return refuse(calc_message::barRuleOutOfRange());

    const bool si = cInt(rec.data1[field::unitSystem]) == 1;
    if (Outcome concrete = masters.checkConcreteFor(si); !concrete) return concrete;
    Outcome fault;
    const std::optional<SteelData> x = masters.steel(w.barGradeX, w.barSizeX, si, fault);
    if (!x) return fault;
    const std::optional<SteelData> y = masters.steel(w.barGradeY, w.barSizeY, si, fault);
    if (!y) return fault;

    DesignRecord design(rec, barRulesOf(w, rec), [&](const FoundationRecord& r) {
        kept(r);
        return true;
    });
    bool ok = prepareCommon(design, w, *x, *y, masters.concrete());
    if (ok && w.foundationType == kTypeIsolated) ok = designIsolated(design);
    if (ok && w.foundationType == kTypePileCap) ok = designPileCap(design);
    if (!ok) return refuse(design.fault());
    if (loaded.changed) kept(rec);
    return Outcome::success();
}

Evaluation evaluateRecord(const CalcMasters& masters, FoundationRecord record, int dataNo) {
    Evaluation e;
    e.outcome = designRecord(masters, record, dataNo);
    e.record = std::move(record);
    return e;
}

LoadedRecord loadRecordForCalculation(FoundationRecord& rec, WorkingRecord& w) {
    w = WorkingRecord{};
    LoadedRecord loaded;
    const auto d1 = [&](int i) { return rec.data1[static_cast<size_t>(i)]; };
    const auto d2 = [&](int i, int j) { return rec.data2[static_cast<size_t>(i)][static_cast<size_t>(j)]; };

    w.name = trimBlanks(rec.name);
    w.foundationType = static_cast<int>(cInt(d1(field::foundationType)));
    w.ax = d2(row::a, 1);
    w.ay = d2(row::a, 2);
    w.h1 = d1(field::h1);
    w.D1 = d1(field::D1);
    w.D2 = d1(field::D2);
    w.d = d1(field::cover);
    w.N[1] = d2(row::N, 1);
    w.N[3] = d2(row::N, 3);
    w.N[4] = d2(row::N, 4);
    for (int j = 1; j <= 4; ++j) {
        w.M[j] = d2(row::M, j);
        w.H[j] = d2(row::H, j);
    }
    w.Fc = d1(field::Fc);
    w.Wc = d1(field::Wc);
    w.Ws = d1(field::Ws);
    w.barGradeX = trimBlanks(rec.barGradeX);
    w.barSizeX = trimBlanks(rec.barSizeX);
    w.barGradeY = trimBlanks(rec.barGradeY);
    w.barSizeY = trimBlanks(rec.barSizeY);
    w.h2 = d1(field::h2);

    if (w.foundationType == kTypeIsolated) {
        w.Lx = d2(row::L, 1);
        w.Ly = d2(row::L, 2);
        w.fe = d1(field::fe);
        w.centreX = static_cast<int>(cInt(d2(row::centre, 1)));
        w.centreY = static_cast<int>(cInt(d2(row::centre, 2)));
        w.Lx1 = d2(row::L1, 1);
        w.Ly1 = d2(row::L1, 2);
    } else if (w.foundationType == kTypePileCap) {
        w.pfai = d1(field::pfai);
        w.Pe = d1(field::Pe);
        w.pileLayout = static_cast<int>(cInt(d1(field::pileLayout)));
        w.Px1 = d2(row::P, 1);
        w.Py1 = d2(row::P, 2);
        rec.data1[field::auxSpacing] = 0;
        const float Px2 = d2(row::P, 3);
        if (const PileArrangementRule* arrangement = pileArrangementRule(w.pileLayout)) {
            if (arrangement->hasPx2) w.Px2 = Px2;
            switch (arrangement->rowSpacing) {
            case RowSpacing::None:
                break;
            case RowSpacing::Entered:
                w.Py2 = d2(row::P, 4);
                break;
            case RowSpacing::EquilateralFromPx2:
                w.Py2 = static_cast<float>(intFloor(Px2 * std::sqrt(3.0) / 2));
                loaded.changed = true;
                break;
            case RowSpacing::DiagonalFromPx2: // F is the side of the square the piles stand on
                w.auxSpacing = static_cast<float>(intFloor(Px2 * std::sqrt(2.0)));
                rec.data1[field::auxSpacing] = w.auxSpacing;
                loaded.changed = true;
                break;
            }
        }
        // The column stands on the centre of a pile cap.
        w.centreX = w.centreY = 1;
        rec.data2[row::centre][1] = rec.data2[row::centre][2] = 1;
        loaded.changed = true;
    }

    bool inRange = true;
    w.edgx = storedInteger(d1(field::edgx), inRange);
    w.edgy = storedInteger(d1(field::edgy), inRange);
    w.pitchx = storedInteger(d1(field::pitchx), inRange);
    w.pitchy = storedInteger(d1(field::pitchy), inRange);
    w.nx = storedInteger(d1(field::nx), inRange);
    w.ny = storedInteger(d1(field::ny), inRange);
    loaded.barRulesInRange = inRange;
    return loaded;
}

namespace {

// The run over an opened job image.
Outcome calculateImage(const Folders& folders, JobImage& job, bool opened, CalcCounters& counts) {
    const QString path = folders.jobFile();
    counts = opened ? count(job.wholeRecords(), false) : CalcCounters{};
    if (counts.isolated == 0 && counts.pileCaps == 0) return Outcome::warning(calc_message::noFoundations());
    // A part of a record at the end means the file was cut or damaged: the
    // run designs no half record of zeros and leaves the file as it is.
    if (!job.wholeNumberOfRecords()) return Outcome::error(calc_message::jobFileDamaged(path));

    const CalcMasters masters = CalcMasters::load(folders);
    Outcome outcome = masters.checkYoungModulus();
    for (int n = 1; n <= job.records() && outcome; ++n) {
        outcome = calculateRecord(masters, job, n);
        if (!job.storeKept(n)) outcome = Outcome::error(calc_message::writeFailed());
    }
    if (!job.storeRepairedRest() || !job.finish()) outcome = Outcome::error(calc_message::writeFailed());
    folders.trace(QStringLiteral("_400 計算結果=") +
                  (outcome ? QStringLiteral("True") : QStringLiteral("False")) +
                  QStringLiteral(" End---------->"));
    if (!outcome) return outcome;
    return Outcome::success(calc_message::finished());
}

} // namespace

Outcome calculateJob(const Folders& folders, CalcCounters& counts) {
    folders.trace(QStringLiteral("_400 計算開始 Start"));
    JobImage job(folders.jobFile());
    const bool opened = job.open();
    return calculateImage(folders, job, opened, counts);
}

Outcome loadAndCalculateJob(const Folders& folders, JobState& state, const JobLoadHooks& hooks,
                            CalcCounters& counts) {
    if (Outcome ready = readyJobFile(folders, state, hooks); !ready) return ready;
    folders.trace(QStringLiteral("_400 計算開始 Start"));
    JobImage job(folders.jobFile());
    const bool opened = job.open();
    state.recordCount = static_cast<int>(job.wholeRecords().size() / kLength);
    if (state.recordCount > 0) takeJobIdentity(decodeRecord(job.record(1)), state);
    job.repairDefaultsAsRead();
    return calculateImage(folders, job, opened, counts);
}

} // namespace k5
