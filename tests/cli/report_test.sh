#!/usr/bin/env bash
# kamo-k5 report --pdf: the calculation report of the job in DAT as one PDF document.
set -u
program="$1"
source "$(dirname "$0")/footing_job.sh"
write_job 500
./kamo-k5 report 2>/dev/null; [ $? -eq 2 ] || fail "report without --pdf is a usage error"
./kamo-k5 report --pdf a.pdf --pages x 2>/dev/null; [ $? -eq 2 ] || fail "a page range that is no number is a usage error"

err=$(./kamo-k5 report --pdf "$tmp/out.pdf" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "an uncalculated job must be refused (got $rc)"
[ "$err" = "$(printf '基礎の計算が行われていません。　　　\n\n処理を中止します。')" ] || fail "refusal: $err"
[ -e "$tmp/out.pdf" ] && fail "a refused report writes nothing"

./kamo-k5 calc 2>/dev/null || fail "calc"
out=$(./kamo-k5 report --pdf "$tmp/out.pdf" 2>&1); rc=$?
[ $rc -eq 0 ] || fail "report must exit 0 (got $rc): $out"
echo "$out" | grep -q "$tmp/out.pdf" || fail "the command says where the report went: $out"
[ "$(head -c 5 "$tmp/out.pdf")" = "%PDF-" ] || fail "not a PDF"
pages=$(pdfinfo "$tmp/out.pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 2 ] || fail "cover and one footing page expected, got $pages"
ls -A "$tmp" | grep -q "^\.k5" && fail "the scratch document is left behind"

./kamo-k5 report --pdf "$tmp/one.pdf" --pages 2-2 >/dev/null 2>&1 || fail "one page"
[ "$(pdfinfo "$tmp/one.pdf" | awk '/^Pages:/ {print $2}')" = 1 ] || fail "--pages 2-2 gives one page"
err=$(./kamo-k5 report --pdf "$tmp/bad.pdf" --pages 2-9 2>&1 >/dev/null); rc=$?
[ $rc -eq 2 ] || fail "pages beyond the report are a usage error (got $rc)"
[ -e "$tmp/bad.pdf" ] && fail "a refused range writes nothing"
err=$(./kamo-k5 report --pdf "$tmp/no/such/folder/r.pdf" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "an unwritable file must exit 1 (got $rc)"
pdftotext "$tmp/out.pdf" - | grep -q "独立基礎" || fail "the report's Japanese text is real text"

# The report loads the job as list and calc load it: what they refuse, it refuses alike.
cp ../DAT/K5dat02.k5d "$tmp/calculated.k5d"
patch_job() { # python statements on the bytearray b of the job file
python3 - "$1" <<'PY'
import struct, sys
b = bytearray(open('../DAT/K5dat02.k5d', 'rb').read())
def d2(i, j, v): struct.pack_into('<f', b, 478 + 4 * (i + 81 * j), v)
exec(sys.argv[1])
open('../DAT/K5dat02.k5d', 'wb').write(bytes(b))
PY
}
for damage in "${job_damages[@]}"; do
  cp "$tmp/calculated.k5d" ../DAT/K5dat02.k5d
  patch_job "$damage"
  listed=$(./kamo-k5 list 2>&1 >/dev/null)
  err=$(./kamo-k5 report --pdf "$tmp/damaged.pdf" 2>&1 >/dev/null); rc=$?
  [ $rc -eq 1 ] || fail "a job list refuses must be refused by report too ($damage: $rc)"
  [ -n "$err" ] && [ "$err" = "$listed" ] || fail "the same message as list: '$err' / '$listed'"
  [ -e "$tmp/damaged.pdf" ] && fail "a refused job writes no report ($damage)"
done
# A stored result that is no number refuses the report, naming the foundation.
cp "$tmp/calculated.k5d" ../DAT/K5dat02.k5d
patch_job "d2(22, 1, float('nan'))"
err=$(./kamo-k5 report --pdf "$tmp/nan.pdf" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "a NaN result must be refused (got $rc)"
echo "$err" | grep -q "F1" || fail "the refusal names the foundation: $err"
[ -e "$tmp/nan.pdf" ] && fail "a refused report writes nothing"
# A huge stored value is printed in the page's digits, not in exponent form.
cp "$tmp/calculated.k5d" ../DAT/K5dat02.k5d
patch_job "d2(22, 1, 1e30)"
./kamo-k5 report --pdf "$tmp/huge.pdf" >/dev/null 2>&1 || fail "a huge value still prints"
pdftotext "$tmp/huge.pdf" - | tr -d ' \n' | grep -q "1000000000000000000000000000000.0" || fail "1e30 in the page's pattern"
pdftotext "$tmp/huge.pdf" - | grep -q "E+30" && fail "no exponent form on a page"
# A report that cannot be written completely is a failure; the earlier report stays.
cp "$tmp/calculated.k5d" ../DAT/K5dat02.k5d
cp "$tmp/out.pdf" "$tmp/earlier.pdf"
err=$( (ulimit -f 20; ./kamo-k5 report --pdf "$tmp/earlier.pdf") 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "a report cut off by the file-size limit must exit 1 (got $rc)"
echo "$err" | grep -q "計算書のファイルを作成できませんでした" || fail "the failure is told: $err"
cmp -s "$tmp/out.pdf" "$tmp/earlier.pdf" || fail "the earlier report is kept"
ls -A "$tmp" | grep -q "^\.k5" && fail "no scratch file is left"

# A report killed while it writes leaves its scratch file beside the target;
# the next file written into that folder removes it. A scratch of a writer
# still running, and the user's files of like names, stay.
python3 -c "b = open('$tmp/calculated.k5d', 'rb').read(); open('../DAT/K5dat02.k5d', 'wb').write(b * 400)"
mkdir "$tmp/reports"
./kamo-k5 report --pdf "$tmp/reports/big.pdf" >/dev/null 2>&1 &
writer=$!
for _ in $(seq 400); do ls -A "$tmp/reports" | grep -q "^\.k5tmp-$writer-" && break; sleep 0.05; done
kill -9 $writer; wait $writer 2>/dev/null
left=$(ls -A "$tmp/reports" | grep "^\.k5tmp-$writer-") || fail "the killed report's scratch file was not seen"
sh -c 'exit 0' & dead=$!; wait $dead
for name in ".k5tmp-$$-AbCdEfGh12" ".k5tmp-$dead-AbCdEfGh12.pdf" ".k5tmp-notes"; do
  echo "user's" > "$tmp/reports/$name"
done
./kamo-k5 report --pdf "$tmp/reports/small.pdf" --pages 1-2 >/dev/null 2>&1 || fail "the next report"
[ -e "$tmp/reports/$left" ] && fail "the killed report's scratch file is still there"
for name in ".k5tmp-$$-AbCdEfGh12" ".k5tmp-$dead-AbCdEfGh12.pdf" ".k5tmp-notes"; do
  [ "$(cat "$tmp/reports/$name")" = "user's" ] || fail "$name was touched"
done
[ -e "$tmp/reports/big.pdf" ] && fail "the killed report made no document"

: > ../DAT/K5dat02.k5d
err=$(./kamo-k5 report --pdf "$tmp/empty.pdf" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "an empty job must exit 1 (got $rc)"
[ "$err" = "印刷するデータがありません    " ] || fail "empty job: $err"
echo "1 passed, 0 failed"
