#include "import/support_reaction_reader.h"

#include "jobdata/job_file.h"
#include "jobdata/job_identity_file.h"
#include "jobdata/job_state.h"
#include "jobdata/record_layout.h"
#include "platform/cp932.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace k5 {
namespace {

const QString kUnchanged = QStringLiteral("\n\n読み込みを中止しました。現在のデータは変更されていません。");

// One comma-separated item of a text line as the analysis program writes
// them: blanks around it are dropped, and a string in double quotes may hold
// commas.
struct Item {
    QByteArray text;
    int line = 0;
    int index = 0;       // position in its line, from 1
    bool broken = false; // an opening quote without its closing one
};

// The text before its end byte 0x1A (an old end-of-file mark, allowed only
// at the very end, after the last line).
QByteArrayView textBeforeEnd(const QByteArray& text) {
    QByteArrayView all(text);
    const qsizetype end = all.indexOf('\x1a');
    return end >= 0 ? all.first(end) : all;
}

// What makes a text unreadable as a whole, with its line: an end byte with
// more text behind it (everything after it would be lost without a word),
// or lines ended by CR alone (the whole file would read as one line).
QString textProblem(const QByteArray& text) {
    const QByteArrayView before = textBeforeEnd(text);
    const auto lineOf = [&](qsizetype at) { return QByteArrayView(text).first(at).count('\n') + 1; };
    for (qsizetype p = before.size(); p < text.size(); ++p)
        if (text[p] != '\x1a' && text[p] != '\r' && text[p] != '\n')
            return QStringLiteral("%1行目に終端の文字（0x1A）があり、その後にもデータがあります。")
                .arg(lineOf(before.size()));
    for (qsizetype p = before.indexOf('\r'); p >= 0; p = before.indexOf('\r', p + 1))
        if (p + 1 < before.size() && before[p + 1] != '\n')
            return QStringLiteral("%1行目の行末が CR だけです（行は CR LF か LF で区切ってください）。")
                .arg(lineOf(p));
    return {};
}

// The lines of a CP932 text up to an end byte 0x1A, without their CR LF.
std::vector<QByteArrayView> textLines(const QByteArray& text) {
    const QByteArrayView all = textBeforeEnd(text);
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype lf = all.indexOf('\n', start);
        if (lf < 0) lf = all.size();
        QByteArrayView line = all.sliced(start, lf - start);
        if (line.endsWith('\r')) line.chop(1);
        lines.push_back(line);
        start = lf + 1;
    }
    return lines;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isBlankLine(QByteArrayView line) {
    for (char c : line)
        if (!isBlank(c)) return false;
    return true;
}

// Splits a line into its items. Comma and quote bytes never occur inside a
// CP932 double-byte character, so the bytes can be split directly.
void splitItems(QByteArrayView line, int lineNumber, std::vector<Item>& items) {
    qsizetype p = 0;
    const qsizetype n = line.size();
    int index = 0;
    while (true) {
        Item item;
        item.line = lineNumber;
        item.index = ++index;
        while (p < n && isBlank(line[p]))
            ++p;
        if (p < n && line[p] == '"') {
            const qsizetype close = line.indexOf('"', p + 1);
            if (close < 0) {
                item.text = line.sliced(p + 1).toByteArray();
                item.broken = true;
                p = n;
            } else {
                item.text = line.sliced(p + 1, close - p - 1).toByteArray();
                p = close + 1;
                while (p < n && isBlank(line[p]))
                    ++p;
                // Anything between the closing quote and the next comma
                // would be silently lost: the item cannot be trusted.
                if (p < n && line[p] != ',') item.broken = true;
                while (p < n && line[p] != ',')
                    ++p;
            }
        } else {
            const qsizetype start = p;
            while (p < n && line[p] != ',')
                ++p;
            qsizetype last = p;
            while (last > start && isBlank(line[last - 1]))
                --last;
            item.text = line.sliced(start, last - start).toByteArray();
        }
        items.push_back(std::move(item));
        if (p >= n) return;
        ++p; // the comma
    }
}

// A number written as the analysis program writes it: sign, digits with at
// most one decimal point, an optional exponent (E or D). Nothing else may
// stand in the item.
bool parseNumber(const QByteArray& text, double& value) {
    QByteArray t = text.trimmed();
    qsizetype p = 0;
    const qsizetype n = t.size();
    if (p < n && (t[p] == '+' || t[p] == '-')) ++p;
    int digits = 0;
    while (p < n && t[p] >= '0' && t[p] <= '9')
        ++p, ++digits;
    if (p < n && t[p] == '.') {
        ++p;
        while (p < n && t[p] >= '0' && t[p] <= '9')
            ++p, ++digits;
    }
    if (digits == 0) return false;
    if (p < n && (t[p] == 'E' || t[p] == 'e' || t[p] == 'D' || t[p] == 'd')) {
        t[p] = 'E';
        ++p;
        if (p < n && (t[p] == '+' || t[p] == '-')) ++p;
        int exponentDigits = 0;
        while (p < n && t[p] >= '0' && t[p] <= '9')
            ++p, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    if (p != n) return false;
    // from_chars reads the same whatever locale the user runs under.
    const char* first = t.constData();
    if (*first == '+') ++first;
    const std::from_chars_result read = std::from_chars(first, t.constData() + n, value);
    return read.ec == std::errc() && read.ptr == t.constData() + n && std::isfinite(value);
}

bool readInteger(const Item& item, int& value) {
    double v = 0;
    if (item.broken || !parseNumber(item.text, v)) return false;
    if (v != std::floor(v) || v < -32768 || v > 32767) return false;
    value = static_cast<int>(v);
    return true;
}

bool readReal(const Item& item, float& value) {
    double v = 0;
    if (item.broken || !parseNumber(item.text, v)) return false;
    if (std::fabs(v) > std::numeric_limits<float>::max()) return false;
    value = static_cast<float>(v);
    return true;
}

QString shownItem(const Item& item) {
    return fromCp932(item.text);
}

QString itemProblem(const QString& path, const Item& item, const QString& meaning, const QString& what) {
    return path + QStringLiteral("\n\n%1行目 %2番目の項目（").arg(item.line).arg(item.index) + meaning +
           QStringLiteral("）") + what + QStringLiteral("：「") + shownItem(item) + QStringLiteral("」");
}

Outcome badSupportFile(const QString& detail) {
    return Outcome::error(QStringLiteral("支点反力ファイルを読み込めません。　　　\n\n") + detail +
                          kUnchanged);
}

Outcome badProjectFile(const QString& detail) {
    return Outcome::error(QStringLiteral("物件ファイルから工事名を読み込めません。　　　\n\n") + detail +
                          kUnchanged);
}

const QString kItemMeanings[12] = {
    QStringLiteral("方向"),      QStringLiteral("ﾌﾚｰﾑ番号"),    QStringLiteral("層番号"),
    QStringLiteral("軸番号"),    QStringLiteral("荷重ｹｰｽ"),     QStringLiteral("ﾌﾚｰﾑ名"),
    QStringLiteral("層名"),      QStringLiteral("軸名"),        QStringLiteral("予備"),
    QStringLiteral("水平反力H"), QStringLiteral("軸方向反力N"), QStringLiteral("曲げ反力M"),
};

QString nameOf(const Item& item) {
    return trimBlanks(fromCp932(item.text));
}

// A name is stored with "~" as its end mark: one inside it would cut it.
bool holdsEndMark(const Item& item) {
    return item.text.contains('~');
}

const QString kEndMarkInName = QStringLiteral("に「~」は使えません");

std::uint64_t supportKey(int storey, int frame, int axis) {
    auto bits = [](int v) { return static_cast<std::uint64_t>(static_cast<std::uint16_t>(v)); };
    return bits(storey) << 32 | bits(frame) << 16 | bits(axis);
}

void addLine(FoundationRecord& r, const ReactionLine& line) {
    r.reactFlag[line.direction][line.loadCase] = 1;
    r.reactN[line.direction][line.loadCase] = line.N;
    r.reactH[line.direction][line.loadCase] = line.H;
    r.reactM[line.direction][line.loadCase] = line.M;
}

// What every imported record starts from: an isolated footing with the
// common design values, the column centred on the footing.
FoundationRecord blankImportedRecord(const QString& jobName, const CommonValues& c) {
    FoundationRecord r;
    r.formatVersion = r.formatVersion2 = FoundationRecord::kCurrentFormat;
    r.importFlag = -1;
    r.jobName = r.fileName = trimBlanks(jobName);
    r.barGradeX = r.barGradeY = c.barGrade;
    r.barSizeX = r.barSizeY = c.barSize;
    auto& d1 = r.data1;
    d1[field::foundationType] = kTypeIsolated;
    d1[field::unitSystem] = 1;
    d1[field::fe] = c.fe;
    d1[field::Fc] = c.Fc;
    d1[field::Wc] = c.Wc;
    d1[field::Ws] = c.Ws;
    d1[field::D1] = c.D1;
    d1[field::D2] = c.D2;
    d1[field::cover] = c.d;
    d1[field::h1] = c.h1;
    d1[field::h2] = c.h2;
    d1[field::edgx] = static_cast<float>(c.edgx);
    d1[field::edgy] = static_cast<float>(c.edgy);
    d1[field::pitchx] = static_cast<float>(c.pitchx);
    d1[field::pitchy] = static_cast<float>(c.pitchy);
    d1[field::nx] = static_cast<float>(c.nx);
    d1[field::ny] = static_cast<float>(c.ny);
    d1[field::priority] = static_cast<float>(c.priority);
    auto& a = r.data2[row::a];
    a[column::longX] = a[column::shortX] = c.ax;
    a[column::longY] = a[column::shortY] = c.ay;
    r.data2[row::centre][1] = 1; // centred in X
    r.data2[row::centre][2] = 1; // and in Y
    return r;
}

Outcome readFile(const QString& path, QByteArray& bytes) {
    // A FIFO or device in an input file's place is refused, never waited on.
    const std::optional<QByteArray> content = readRegularFile(path);
    if (!content)
        return Outcome::error(QStringLiteral("ファイルを開けません。　　　\n\n") + path + kUnchanged);
    bytes = *content;
    return Outcome::success();
}

// A folder standing where an input file belongs.
Outcome folderInsteadOfFile(const QString& path) {
    return Outcome::error(QStringLiteral("ファイルの代わりにフォルダがあるため読み込めません。　　　\n\n") +
                          path + kUnchanged);
}

Outcome missingFiles(const QString& program) {
    return {false,
            {program + QStringLiteral("が必要なﾌｧｲﾙを出力していません。\n\n") + program +
                 QStringLiteral("のﾊﾞｰｼﾞｮﾝを最新のものにしてください。"),
             kProgramTitle, Icon::Information}};
}

} // namespace

Outcome readAnalysisJobName(const QByteArray& text, const QString& path, QString& name) {
    if (const QString problem = textProblem(text); !problem.isEmpty())
        return badProjectFile(path + QStringLiteral("\n\n") + problem);
    std::vector<Item> items;
    int lineNumber = 0;
    for (QByteArrayView line : textLines(text)) {
        ++lineNumber;
        if (!isBlankLine(line)) splitItems(line, lineNumber, items);
    }
    size_t p = 0;
    while (p < items.size() && (items[p].broken || items[p].text != "P-01"))
        ++p;
    if (p == items.size()) return badProjectFile(path + QStringLiteral("\n\n項目「P-01」がありません。"));
    const Item& marker = items[p];
    if (items.size() - p < 4)
        return badProjectFile(
            path + QStringLiteral("\n\n%1行目の「P-01」の後に3つの項目（整数、整数、工事名）がありません。")
                       .arg(marker.line));
    int number = 0;
    for (size_t k = p + 1; k <= p + 2; ++k)
        if (!readInteger(items[k], number))
            return badProjectFile(
                itemProblem(path, items[k], QStringLiteral("整数"), QStringLiteral("が読み取れません")));
    if (items[p + 3].broken)
        return badProjectFile(itemProblem(path, items[p + 3], QStringLiteral("工事名"),
                                          QStringLiteral("の引用符が閉じていません")));
    if (holdsEndMark(items[p + 3]))
        return badProjectFile(itemProblem(path, items[p + 3], QStringLiteral("工事名"), kEndMarkInName));
    name = fromCp932(items[p + 3].text);
    return Outcome::success();
}

Outcome parseSupportReactions(const QByteArray& text, const QString& path, std::vector<ReactionLine>& lines) {
    lines.clear();
    if (const QString problem = textProblem(text); !problem.isEmpty())
        return badSupportFile(path + QStringLiteral("\n\n") + problem);
    const std::vector<QByteArrayView> fileLines = textLines(text);
    lines.reserve(fileLines.size());
    std::vector<Item> items;
    int lineNumber = 0;
    for (QByteArrayView fileLine : fileLines) {
        ++lineNumber;
        if (isBlankLine(fileLine)) continue;
        items.clear();
        splitItems(fileLine, lineNumber, items);
        if (items.size() != 12)
            return badSupportFile(path +
                                  QStringLiteral("\n\n%1行目の項目数が%2です（1行に12項目が必要です）。")
                                      .arg(lineNumber)
                                      .arg(items.size()));
        auto unreadable = [&](int k) {
            return badSupportFile(
                itemProblem(path, items[k - 1], kItemMeanings[k - 1], QStringLiteral("が読み取れません")));
        };
        ReactionLine line;
        line.lineNumber = lineNumber;
        int* integers[] = {&line.direction, &line.frame, &line.storey, &line.axis, &line.loadCase};
        for (int k = 1; k <= 5; ++k)
            if (!readInteger(items[k - 1], *integers[k - 1])) return unreadable(k);
        if (line.direction < react::x || line.direction > react::y)
            return badSupportFile(itemProblem(path, items[0], kItemMeanings[0],
                                              QStringLiteral("は1（X）か2（Y）でなければなりません")));
        if (line.loadCase < react::caseL || line.loadCase > react::caseCount)
            return badSupportFile(itemProblem(path, items[4], kItemMeanings[4],
                                              QStringLiteral("は1から5でなければなりません")));
        for (int k = 6; k <= 9; ++k)
            if (items[k - 1].broken)
                return badSupportFile(itemProblem(path, items[k - 1], kItemMeanings[k - 1],
                                                  QStringLiteral("の引用符が閉じていません")));
        for (int k = 6; k <= 8; ++k)
            if (holdsEndMark(items[k - 1]))
                return badSupportFile(itemProblem(path, items[k - 1], kItemMeanings[k - 1], kEndMarkInName));
        line.frameName = nameOf(items[5]);
        line.storeyName = nameOf(items[6]);
        line.axisName = nameOf(items[7]);
        float* reals[] = {&line.H, &line.N, &line.M};
        for (int k = 10; k <= 12; ++k) {
            if (!readReal(items[k - 1], *reals[k - 10])) return unreadable(k);
            if (!designLoad(*reals[k - 10]))
                return badSupportFile(itemProblem(path, items[k - 1], kItemMeanings[k - 1],
                                                  QStringLiteral("が大きすぎて設計用の値を計算できません")));
        }
        lines.push_back(std::move(line));
    }
    if (lines.empty())
        return badSupportFile(path + QStringLiteral("\n\n支点反力のデータが1行もありません。"));
    return Outcome::success();
}

QString provisionalName(int n) {
    return QStringLiteral("F") + QStringLiteral("%1").arg(n % 1000, 3, 10, QLatin1Char('0')) +
           QStringLiteral("(仮名)");
}

Outcome buildImportedRecords(const std::vector<ReactionLine>& lines, const QString& jobName,
                             const CommonValues& common, std::vector<FoundationRecord>& records,
                             const QString& path) {
    records.clear();
    const FoundationRecord blank = blankImportedRecord(jobName, common);
    // Supports by their key (storey, frame, axis); the first record with a
    // key is the one a Y line joins.
    std::unordered_map<std::uint64_t, int> byKey;
    std::uint64_t previous = supportKey(0, 0, 0);
    for (const ReactionLine& line : lines) {
        int target = -1;
        const std::uint64_t key = supportKey(line.storey, line.frame, line.axis);
        if (line.direction == react::x) {
            // Cases 2 to 5 follow their case 1 line; before any support has
            // started there is nothing to join, whatever the key.
            if (line.loadCase != react::caseL && !records.empty() && key == previous)
                target = static_cast<int>(records.size()) - 1;
        } else {
            // The Y analysis sees the support with frame and axis exchanged.
            auto found = byKey.find(supportKey(line.storey, line.axis, line.frame));
            if (found != byKey.end()) target = found->second;
        }
        if (target < 0) {
            if (records.size() >= static_cast<size_t>(kMaxImportedRecords))
                return badSupportFile(
                    path +
                    QStringLiteral(
                        "\n\n支点の数が%1を超えています（%2行目）。一つの工事で扱える基礎は%1までです。")
                        .arg(kMaxImportedRecords)
                        .arg(line.lineNumber));
            FoundationRecord r = blank;
            r.storeyNo = line.storey;
            r.frameNo = line.frame;
            r.axisNo = line.axis;
            r.storeyName = line.storeyName;
            r.frameName = line.frameName;
            r.axisName = line.axisName;
            r.provisionalName = provisionalName(static_cast<int>(records.size()) + 1);
            records.push_back(std::move(r));
            target = static_cast<int>(records.size()) - 1;
            byKey.emplace(key, target);
            previous = key;
        }
        addLine(records[target], line);
    }
    return Outcome::success();
}

std::optional<float> designLoad(float reaction) {
    // The product is a Single, as the stored value is, so a reaction stored
    // as -0.0005 rounds to 0 and not to -0.001. It is formed in double: a
    // product beyond what a Single holds has no design load.
    const double product = static_cast<double>(reaction) * 1000.0;
    if (!std::isfinite(product) || std::fabs(product) > std::numeric_limits<float>::max())
        return std::nullopt;
    const auto thousandfold = static_cast<float>(product);
    const double rounded = intFloor(static_cast<double>(thousandfold) + 0.5) / 1000.0;
    return static_cast<float>(std::fabs(rounded));
}

void applyDesignLoads(FoundationRecord& r) {
    // Every reaction was checked when it was read.
    const auto designLoad = [](float reaction) { return k5::designLoad(reaction).value_or(0.0f); };
    auto& N = r.data2[row::N];
    auto& M = r.data2[row::M];
    auto& H = r.data2[row::H];
    using react::caseE;
    using react::caseL;
    using react::x;
    using react::y;
    // One long-term axial force serves both directions.
    N[column::longX] = N[column::longY] = designLoad(r.reactN[x][caseL]);
    N[column::shortX] = designLoad(r.reactN[x][caseE]);
    N[column::shortY] = designLoad(r.reactN[y][caseE]);
    H[column::longX] = designLoad(r.reactH[x][caseL]);
    H[column::longY] = designLoad(r.reactH[y][caseL]);
    H[column::shortX] = designLoad(r.reactH[x][caseE]);
    H[column::shortY] = designLoad(r.reactH[y][caseE]);
    M[column::longX] = designLoad(r.reactM[x][caseL]);
    M[column::longY] = designLoad(r.reactM[y][caseL]);
    M[column::shortX] = designLoad(r.reactM[x][caseE]);
    M[column::shortY] = designLoad(r.reactM[y][caseE]);
}

Outcome readSupportReactions(const Folders& folders, JobState& job) {
    folders.trace(QStringLiteral("_700 支点反力の読込 Start"));
    const QString& program = folders.analysisProgramName;
    if (folders.analysisKind.isEmpty() || folders.analysisDataFolder.isEmpty())
        return {
            false,
            {QStringLiteral("構造解析プログラムが設定されていないため、出力データを読み込めません。　　　"),
             kProgramTitle, Icon::Information}};
    const QString projectPath = folders.analysisDataFolder + u'/' + kProjectFileName;
    const QString supportPath = folders.analysisDataFolder + u'/' + kSupportReactionFileName;
    for (const QString& path : {projectPath, supportPath})
        if (QFileInfo(path).isDir()) return folderInsteadOfFile(path);
    if (!QFileInfo(projectPath).isFile() || !QFileInfo(supportPath).isFile()) return missingFiles(program);

    QByteArray bytes;
    if (Outcome read = readFile(projectPath, bytes); !read) return read;
    // Every run starts without a name: a name from an earlier import must
    // never label another building's supports.
    QString jobName;
    if (Outcome named = readAnalysisJobName(bytes, projectPath, jobName); !named) return named;

    if (Outcome read = readFile(supportPath, bytes); !read) return read;
    std::vector<ReactionLine> lines;
    if (Outcome parsed = parseSupportReactions(bytes, supportPath, lines); !parsed) return parsed;
    bytes.clear();

    // Imported jobs are SI jobs: the SI defaults apply whatever the job in
    // hand was.
    CommonValues common = defaultCommonValues(1);
    loadCommonValues(folders, 1, common);
    std::vector<FoundationRecord> records;
    if (Outcome built = buildImportedRecords(lines, jobName, common, records, supportPath); !built)
        return built;

    QList<QByteArray> encoded;
    encoded.reserve(static_cast<qsizetype>(records.size()));
    for (FoundationRecord& r : records) {
        applyDesignLoads(r);
        encoded.append(encodeRecord(r));
    }
    if (!replaceFile(folders.jobFile(), encoded))
        return Outcome::error(QStringLiteral("基礎データをファイルに書き込めませんでした。　　　\n\n") +
                              folders.jobFile() + kUnchanged);
    forgetJobIdentityFile(folders);

    job.currentJobName = kUndecided;
    job.currentFileName = kUndecided;
    job.unitSystem = 1;
    job.recordCount = static_cast<int>(records.size());
    job.currentRecord = 0;
    job.imported = true;
    folders.trace(QStringLiteral("_700Z 読込んだ基礎数=%1 End------------------>").arg(records.size()));
    return Outcome::success();
}

} // namespace k5
