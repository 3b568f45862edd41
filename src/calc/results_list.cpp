#include "calc/results_list.h"

#include "calc/calc_masters.h"
#include "calc/design_warnings.h"
#include "calc/record_evaluation.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "platform/cp932.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

#include <QFile>

#include <algorithm>
#include <optional>

namespace k5 {
namespace {

constexpr int kLength = FoundationRecord::kLength;

// A message as one line of a cell: line breaks and tabs become blanks, the
// trailing blanks of a message box go.
QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    text.replace(u'\t', u' ');
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == QChar(0x3000)))
        text.chop(1);
    return text;
}

QString pilesOf(const FoundationRecord& r) {
    if (cInt(r.data1[field::foundationType]) != kTypePileCap) return {};
    const PileArrangementRule* rule = pileArrangementRule(static_cast<int>(cInt(r.data1[field::pileLayout])));
    return rule ? rule->caption.trimmed() : QString();
}

ResultRow rowOf(int n, const FoundationRecord& r, std::optional<CalcMasters>& masters,
                const Folders& folders) {
    ResultRow row;
    row.number = n;
    row.foundationType = static_cast<int>(cInt(r.data1[field::foundationType]));
    row.name = trimBlanks(r.name);
    row.type = foundationTypeCaption(r.data1[field::foundationType]);
    row.Lx = r.data2[row::L][1];
    row.Ly = r.data2[row::L][2];
    row.D1 = r.data1[field::D1];
    row.piles = pilesOf(r);
    row.warnings = designWarnings(r);
    // The stored values are judged as the calculation judges them: a record
    // it would stop at (a value that is no number, a size beyond what it can
    // design) shows that message, whatever results it seems to hold. The
    // masters are read once.
    if (!masters) masters = CalcMasters::load(folders);
    const Evaluation e = evaluateRecord(*masters, r, n);
    if (!e.designed()) {
        row.result = stoppedDesignResult(oneLine(e.outcome.message.text));
        return row;
    }
    if (hasCompleteResults(r)) {
        row.barsX = decidedBarsText(r, 1);
        row.barsY = decidedBarsText(r, 2);
        row.result = storedDesignResult(r);
    }
    return row;
}

QString sizeText(float mm) {
    return mm == 0 ? QString() : formatGeneral(mm);
}

QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

// 判定 as a number that grows with how bad the foundation stands, the
// largest ratio telling apart foundations of the same judgement.
double verdictSeverity(const DesignResult& r) {
    double rank = 0;
    switch (r.verdict) {
    case Verdict::Ok:
        rank = 0;
        break;
    case Verdict::NotCalculated:
        rank = 1;
        break;
    case Verdict::Stopped:
        rank = 2;
        break;
    case Verdict::Ng:
        rank = 3;
        break;
    }
    const double ratio = r.hasRatios() ? std::min(r.maxRatio(), 1e6) : 0;
    return rank * 1e7 + ratio;
}

} // namespace

QList<ResultRow> readResults(const Folders& folders) {
    const std::optional<QByteArray> bytes = readRegularFile(folders.jobFile());
    if (!bytes) return {};
    QList<FoundationRecord> records;
    const qsizetype count = bytes->size() / kLength;
    records.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        records.append(decodeRecord(bytes->mid(i * kLength, kLength)));
    return readResults(folders, records);
}

QList<ResultRow> readResults(const Folders& folders, const QList<FoundationRecord>& records) {
    QList<ResultRow> rows;
    rows.reserve(records.size());
    std::optional<CalcMasters> masters;
    for (qsizetype i = 0; i < records.size(); ++i)
        rows.append(rowOf(static_cast<int>(i + 1), records[i], masters, folders));
    return rows;
}

QStringList resultHeaders() {
    QStringList h{QStringLiteral("No"),     QStringLiteral("設計基礎名"), QStringLiteral("種別"),
                  QStringLiteral("Lx(mm)"), QStringLiteral("Ly(mm)"),     QStringLiteral("D1(mm)"),
                  QStringLiteral("杭配置"), QStringLiteral("配筋X"),      QStringLiteral("配筋Y")};
    for (int c = 0; c < kDesignCheckCount; ++c)
        h << designCheckCaption(static_cast<DesignCheck>(c));
    h << QStringLiteral("最大比") << QStringLiteral("判定") << QStringLiteral("注記");
    return h;
}

QStringList resultCells(const ResultRow& row) {
    QStringList cells{QString::number(row.number),
                      row.name,
                      row.type,
                      sizeText(row.Lx),
                      sizeText(row.Ly),
                      sizeText(row.D1),
                      row.piles,
                      row.barsX,
                      row.barsY};
    for (const CheckRatio& check : row.result.checks)
        cells << (check.applies ? ratioText(check.ratio) : QString());
    cells << (row.result.hasRatios() ? ratioText(row.result.maxRatio()) : QString());
    cells << row.result.verdictText();
    cells << row.warnings.join(QStringLiteral("。"));
    return cells;
}

std::optional<double> resultSortValue(const ResultRow& row, int column) {
    switch (column) {
    case kResultNo:
        return row.number;
    case kResultLx:
        return row.Lx;
    case kResultLy:
        return row.Ly;
    case kResultD1:
        return row.D1;
    case kResultMax:
        return row.result.hasRatios() ? std::optional<double>(row.result.maxRatio()) : std::nullopt;
    case kResultVerdict:
        return verdictSeverity(row.result);
    default:
        break;
    }
    if (column >= kResultFirstCheck && column < kResultMax) {
        const CheckRatio& check = row.result.checks[static_cast<size_t>(column - kResultFirstCheck)];
        if (check.applies) return check.ratio;
    }
    return std::nullopt;
}

bool resultColumnSortsWorstFirst(int column) {
    return column >= kResultFirstCheck && column <= kResultVerdict;
}

bool resultCellFails(const ResultRow& row, int column) {
    const DesignResult& r = row.result;
    if (column == kResultVerdict) return r.verdict == Verdict::Ng || r.verdict == Verdict::Stopped;
    if (column == kResultMax)
        return r.hasRatios() && (ratioShown(r.maxRatio()) > 1 || r.verdict == Verdict::Ng);
    if (column >= kResultFirstCheck && column < kResultMax) {
        const CheckRatio& check = r.checks[static_cast<size_t>(column - kResultFirstCheck)];
        return check.applies && (ratioShown(check.ratio) > 1 || check.ng);
    }
    return false;
}

QString resultsTabText(const QList<ResultRow>& rows) {
    QString text = resultHeaders().join(u'\t') + u'\n';
    for (const ResultRow& row : rows)
        text += resultCells(row).join(u'\t') + u'\n';
    return text;
}

QByteArray resultsCsv(const QList<ResultRow>& rows, CsvEncoding encoding) {
    const auto line = [](const QStringList& cells) {
        QStringList fields;
        for (const QString& c : cells)
            fields << csvField(c);
        return fields.join(u',') + QStringLiteral("\r\n");
    };
    QString text = line(resultHeaders());
    for (const ResultRow& row : rows)
        text += line(resultCells(row));
    if (encoding == CsvEncoding::Cp932) return toCp932(text);
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

Outcome writeResultsCsv(const QString& path, const QList<ResultRow>& rows, CsvEncoding encoding) {
    if (replaceFile(path, {resultsCsv(rows, encoding)})) return Outcome::success();
    return Outcome::error(QStringLiteral("計算結果一覧を書き込めませんでした。　　　\n\n") + path);
}

} // namespace k5
