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

: > ../DAT/K5dat02.k5d
err=$(./kamo-k5 report --pdf "$tmp/empty.pdf" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "an empty job must exit 1 (got $rc)"
[ "$err" = "印刷するデータがありません    " ] || fail "empty job: $err"
echo "1 passed, 0 failed"
