#!/usr/bin/env bash
# kamo-k5 results: the results list of the job, printed or as CSV in either
# encoding, read back as a spreadsheet reads it; the job is never written.
set -u
program="$1"
source "$(dirname "$0")/footing_job.sh"

header=$'No\t設計基礎名\t種別\tLx(mm)\tLy(mm)\tD1(mm)\t杭配置\t配筋X\t配筋Y\t支持力\t引抜き\t曲げ\t付着\tせん断\tパンチング\t最大比\t判定\t注記'
write_job 500
out=$(./kamo-k5 results) || fail "results on a job not calculated"
[ "$(echo "$out" | head -n 1)" = "$header" ] || fail "header: $(echo "$out" | head -n 1)"
[ "$(echo "$out" | tail -n 1)" = $'1\tF1\t直接基礎\t2000\t2000\t500\t\t\t\t\t\t\t\t\t\t\t未計算\t' ] ||
    fail "not calculated: $(echo "$out" | tail -n 1)"

./kamo-k5 calc 2>/dev/null || fail "calc"
before=$(sha256sum ../DAT/K5dat02.k5d)
row=$(./kamo-k5 results | tail -n 1)
# A′/A = 2.905 / 4, the bars as the report writes them, and the record's judgement.
[ "$(echo "$row" | cut -f 2,8,10,17)" = $'F1\tD19-4本以上\t0.73\tOK' ] || fail "calculated row: $row"

write_job 1500
./kamo-k5 calc 2>/dev/null || fail "calc of an NG footing"
row=$(./kamo-k5 results | tail -n 1)
[ "$(echo "$row" | cut -f 17)" = NG ] || fail "NG row: $row"
before=$(sha256sum ../DAT/K5dat02.k5d)

./kamo-k5 results --csv "$tmp/u.csv" >/dev/null || fail "CSV in UTF-8"
./kamo-k5 results --csv "$tmp/s.csv" --encoding cp932 >/dev/null || fail "CSV in CP932"
[ "$(head -c 3 "$tmp/u.csv" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "UTF-8 CSV starts with a BOM"
python3 - "$tmp/u.csv" "$tmp/s.csv" <<'PY' || fail "CSV read back"
import csv, sys
rows = [list(csv.reader(open(p, encoding=e, newline=''))) for p, e in ((sys.argv[1], 'utf-8-sig'), (sys.argv[2], 'cp932'))]
assert rows[0] == rows[1], rows
header, row = rows[0]
assert header[1] == '設計基礎名' and header[-3:] == ['最大比', '判定', '注記'], header
assert row[1] == 'F1' and row[-2] == 'NG' and float(row[-3]) > 1 and row[-1] == '', row
PY
[ "$(sha256sum ../DAT/K5dat02.k5d)" = "$before" ] || fail "results wrote the job"

./kamo-k5 results --encoding cp932 2>/dev/null; [ $? -eq 2 ] || fail "an encoding without --csv must exit 2"
./kamo-k5 results --csv "$tmp/x.csv" --encoding latin1 2>/dev/null; [ $? -eq 2 ] || fail "unknown encoding must exit 2"
./kamo-k5 results --csv "$tmp/none/x.csv" 2>/dev/null; [ $? -eq 1 ] || fail "an unwritable CSV must exit 1"

# A job that list refuses (unknown format, random bytes) is refused alike and
# no CSV is written.
cp ../DAT/K5dat02.k5d "$tmp/good.k5d"
for damage in "${job_damages[@]}"; do
  damage_job "$damage"
  listed=$(./kamo-k5 list 2>&1 >/dev/null)
  err=$(./kamo-k5 results --csv "$tmp/d.csv" 2>&1 >/dev/null); rc=$?
  [ $rc -eq 1 ] || fail "a job list refuses must be refused by results too ($damage: $rc)"
  [ -n "$err" ] && [ "$err" = "$listed" ] || fail "the same message as list: '$err' / '$listed'"
  [ -e "$tmp/d.csv" ] && fail "a refused job writes no CSV"
  cp "$tmp/good.k5d" ../DAT/K5dat02.k5d
done
echo "1 passed, 0 failed"
