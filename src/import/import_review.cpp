#include "import/import_review.h"

#include "jobdata/job_file.h"
#include "jobdata/record_layout.h"
#include "platform/cp932.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

#include <QFileInfo>

#include <algorithm>

namespace k5 {
namespace {

constexpr int kLength = FoundationRecord::kLength;

const QString kCaseLabels[] = {QStringLiteral("L"), QStringLiteral("E"), QStringLiteral("S"),
                               QStringLiteral("W1"), QStringLiteral("W2")};

QList<QByteArray> readAllRecords(const QString& path) {
    QList<QByteArray> records;
    RecordFile file(path, kLength);
    if (!QFileInfo::exists(path) || !file.openReadOnly()) return records;
    const int count = file.count();
    records.reserve(count);
    for (int n = 1; n <= count; ++n)
        records.append(file.read(n));
    return records;
}

int storedType(const QByteArray& record) {
    return static_cast<int>(cInt(data1Of(record, field::foundationType)));
}

int groupOf(const QByteArray& record) {
    return RecordReader(record).int16(record_offset::groupNo);
}

QString designNameOf(const QByteArray& record) {
    return decodeField(record.mid(record_offset::name, record_offset::textWidthName));
}

// A record given another foundation type must be calculated again before
// its page is printed: the results of the old type would be shown under the
// new one.
void clearResults(QByteArray& record) {
    for (int i : field::resultFields)
        patchData1(record, i, 0);
    for (int i = row::firstResult; i <= row::lastResult; ++i)
        for (int j = 0; j <= 4; ++j)
            patchData2(record, i, j, 0);
    for (int j = 0; j <= 4; ++j)
        patchData2(record, row::rebarNG, j, 0);
}

void assign(QByteArray& record, const QString& name, int group, int type) {
    const QByteArray field = encodeField(name, record_offset::textWidthName, Terminator::Tilde);
    record.replace(record_offset::name, field.size(), field);
    RecordWriter w(2);
    w.putInt16(0, group);
    record.replace(record_offset::groupNo, 2, w.bytes());
    if (type != storedType(record)) {
        clearResults(record);
        patchData1(record, field::foundationType, static_cast<float>(type));
    }
}

Outcome writeFailed(const QString& path) {
    return Outcome::error(QStringLiteral("基礎データをファイルに書き込めませんでした。　　　\n\n") + path);
}

Outcome rangeMissing(const QString& path) {
    return Outcome::error(QStringLiteral("指定された範囲の基礎データがありません。　　　\n\n") + path);
}

} // namespace

std::vector<FoundationRecord> readJobRecords(const Folders& folders) {
    std::vector<FoundationRecord> records;
    for (const QByteArray& r : readAllRecords(folders.jobFile()))
        records.push_back(decodeRecord(r));
    return records;
}

QStringList supportListHeaders() {
    return QStringLiteral("|層|ﾌﾚｰﾑ|軸|層名|ﾌﾚｰﾑ名|軸名|仮名称|設計基礎名|ｸﾞﾙｰﾌﾟ|ﾀｲﾌﾟ").split(u'|');
}

std::vector<int> supportListWidthsTwips() {
    return {400, 580, 580, 580, 730, 730, 730, 1100, 1100, 700, 900};
}

QStringList supportListRow(const FoundationRecord& r, int n) {
    return {QString::number(n), QString::number(r.storeyNo), QString::number(r.frameNo),
            // Axes are shown numbered from 101, as the analysis program numbers them.
            QString::number(r.axisNo + 100), trimBlanks(r.storeyName), trimBlanks(r.frameName),
            trimBlanks(r.axisName), r.provisionalName, r.name, QString::number(r.groupNo),
            foundationTypeCaption(r.data1[field::foundationType])};
}

QStringList breakdownHeaders() {
    return QStringLiteral("|仮名称|設計基礎名|ﾀｲﾌﾟ|荷重|N|H|M|N|H|M").split(u'|');
}

std::vector<int> breakdownWidthsTwips() {
    return {400, 1100, 1100, 900, 600, 900, 900, 900, 900, 900, 900}; // columns 5 to 10 alike
}

std::vector<QStringList> breakdownRows(const FoundationRecord& r) {
    std::vector<QStringList> rows;
    for (int c = react::caseL; c <= react::caseCount; ++c) {
        QStringList cells(11);
        if (c == react::caseL) {
            cells[1] = r.provisionalName;
            cells[2] = r.name;
            cells[3] = foundationTypeCaption(r.data1[field::foundationType]);
        }
        cells[4] = kCaseLabels[c - 1];
        int k = 5;
        for (int d : {react::x, react::y}) {
            cells[k++] = formatGeneral(r.reactN[d][c]);
            cells[k++] = formatGeneral(r.reactH[d][c]);
            cells[k++] = formatGeneral(r.reactM[d][c]);
        }
        rows.push_back(cells);
    }
    return rows;
}

int highestGroup(const Folders& folders) {
    int highest = 0;
    for (const QByteArray& r : readAllRecords(folders.jobFile()))
        highest = std::max(highest, groupOf(r));
    return highest;
}

QString typeMismatchMessage(const QString& name, int foundType, int chosenType) {
    return QStringLiteral("「") + name + QStringLiteral("」と同名の基礎は有りますが、その基礎ﾀｲﾌﾟは「") +
           foundationTypeCaption(foundType) + QStringLiteral("」で、\n\n") +
           QStringLiteral("指定された基礎ﾀｲﾌﾟ") + QStringLiteral("「") + foundationTypeCaption(chosenType) +
           QStringLiteral("」") + QStringLiteral("とは異なります。\n\n") +
           QStringLiteral("このままでの登録はできませんので、基礎名か基礎ﾀｲﾌﾟを変更してください。　　　\n\n");
}

GroupingResult applyGroupName(const Folders& folders, int first, int last, const GroupName& answer,
                              int& highest) {
    if (answer.type == 0) return {Outcome::success()};
    const QString path = folders.jobFile();
    QList<QByteArray> records = readAllRecords(path);
    if (first < 1 || last < first || last > records.size()) return {rangeMissing(path)};

    int group = 0;
    if (!answer.name.isEmpty()) {
        auto same = std::find_if(records.begin(), records.end(),
                                 [&](const QByteArray& r) { return designNameOf(r) == answer.name; });
        if (same != records.end() && groupOf(*same) != 0) {
            if (storedType(*same) != answer.type) {
                return {Outcome::error(typeMismatchMessage(answer.name, storedType(*same), answer.type)),
                        true};
            }
            group = groupOf(*same);
        } else {
            group = highest + 1;
        }
    }
    for (int n = first; n <= last; ++n)
        assign(records[n - 1], answer.name, group, answer.type);
    if (!replaceFile(path, records)) return {writeFailed(path)};
    highest = std::max(highest, group);
    return {Outcome::success()};
}

Outcome ungroupRecords(const Folders& folders, int first, int last) {
    const QString path = folders.jobFile();
    QList<QByteArray> records = readAllRecords(path);
    if (first < 1 || last < first || last > records.size()) return rangeMissing(path);
    for (int n = first; n <= last; ++n)
        assign(records[n - 1], QString(), 0, storedType(records[n - 1]));
    return replaceFile(path, records) ? Outcome::success() : writeFailed(path);
}

QString fitDesignName(const QString& text) {
    QString fitted;
    int bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        // A surrogate pair is one character.
        const qsizetype step = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, step);
        const int width = cp932Length(character);
        if (bytes + width > kDesignNameBytes) break;
        fitted += character;
        bytes += width;
        i += step;
    }
    return fitted;
}

QString designNameProblem(const QString& name) {
    if (name.contains(u'~'))
        return QStringLiteral(
            "基礎名に「~」は使えません。　　　\n\n「~」は基礎名の終わりの印として記録されます。");
    QString unstorable;
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype step = name[i].isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QString character = name.mid(i, step);
        if (fromCp932(toCp932(character)) != withCp932Twins(character)) unstorable += character;
        i += step;
    }
    if (!unstorable.isEmpty())
        return QStringLiteral("基礎名に記録できない文字が含まれています：「") + unstorable +
               QStringLiteral("」　　　\n\n別の文字に置き換えてください。");
    if (cp932Length(name) > kDesignNameBytes)
        return QStringLiteral(
                   "基礎名が長すぎます。　　　\n\n半角%1文字（全角%2文字）までで入力してください。")
            .arg(kDesignNameBytes)
            .arg(kDesignNameBytes / 2);
    return {};
}

} // namespace k5
