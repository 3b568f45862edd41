#!/usr/bin/env bash
# kamo-k5 types: an imported building grouped into foundation types; --apply
# writes them, and the calculation then passes every foundation of the job.
set -u
program="$1"
source "$(dirname "$0")/../cli/footing_job.sh"
generator="$(dirname "$0")/../../tools/generated_building/generated_building.py"
printf 'RX2\r\n' > fmm
python3 "$generator" ../../KamoRX2/dat --supports 16 --seed 3 >/dev/null || fail "generator"

./kamo-k5 --help | grep -q "kamo-k5 types" || fail "--help lacks types"

# A job that was not imported has no design groups to make.
write_job 1500
err=$(./kamo-k5 types 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "types on a job not imported must exit 1 (got $rc)"
echo "$err" | grep -q "解析プログラムから読込んだ基礎データにだけ" || fail "message: $err"

./kamo-k5 import >/dev/null || fail "import"
before=$(md5sum <../DAT/K5dat02.k5d)
out=$(./kamo-k5 types --max 3) || fail "types exit $?"
[ "$(md5sum <../DAT/K5dat02.k5d)" = "$before" ] || fail "types without --apply changed the job"
[ "$(echo "$out" | head -1)" = $'基礎名\tﾀｲﾌﾟ\t基礎数\t支配基礎\t寸法\t最大比\t決定検定' ] || fail "header: $out"
rows=$(echo "$out" | sed '1d;$d')
[ "$(echo "$rows" | wc -l)" -le 3 ] || fail "more than 3 types: $out"
[ "$(echo "$rows" | cut -f1 | head -1)" = F1 ] || fail "first type is not F1: $out"
[ "$(echo "$rows" | cut -f3 | paste -sd+ | bc)" = 16 ] || fail "members do not add up to 16: $out"
echo "$out" | tail -1 | grep -q "^コンクリート量 .* m³（基礎ごとに寸法を決めた場合 .* m³、差 +" || fail "volume line: $out"

for bad in "--max 0" "--max x" "--apply --apply" "--prefix"; do
  ./kamo-k5 types $bad >/dev/null 2>&1; rc=$?
  [ $rc -eq 2 ] || fail "types $bad must exit 2 (got $rc)"
done

out=$(./kamo-k5 types --max 3 --apply) || fail "types --apply exit $?"
list=$(./kamo-k5 list) || fail "list"
echo "$list" | sed 1d | cut -f2 | grep -qv '^F[123]$' && fail "a support without a type: $list"
./kamo-k5 calc >/dev/null 2>&1 || fail "calc after types --apply"
results=$(./kamo-k5 results) || fail "results"
[ "$(echo "$results" | sed 1d | grep -c $'\tOK')" = 16 ] || fail "not every foundation OK: $results"
echo "1 passed, 0 failed"
