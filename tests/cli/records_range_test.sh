#!/usr/bin/env bash
# --records A-B means the same in every command that takes it: numbers in the
# job's range, or the command is refused (exit 2) with the job's range named
# and nothing written; a malformed range is a usage error.
set -u
program="$1"
source "$(dirname "$0")/footing_job.sh"
write_job 1500
# Six copies of the one footing, calculated, so that every command has work.
python3 -c "b = open('../DAT/K5dat02.k5d','rb').read(); open('../DAT/K5dat02.k5d','wb').write(b * 6)"
./kamo-k5 calc >/dev/null 2>&1 || fail "calc of the six footings"
before=$(md5sum <../DAT/K5dat02.k5d)
out="$tmp/out"
mkdir -p "$out"

# command and its output option; the range is added by the loop.
commands=("propose" "export --dxf $out/s.dxf")
for command in "${commands[@]}"; do
    for range in 7-8 5-7 7 6-100; do
        err=$(./kamo-k5 $command --records $range 2>&1 >/dev/null); rc=$?
        [ $rc -eq 2 ] || fail "$command --records $range on a 6-record job must exit 2 (got $rc)"
        [ "$err" = "データ番号の指定が正しくありません（1～6）。" ] ||
            fail "$command --records $range message: $err"
    done
    for range in 0-1 3-2 a-b 1-2-3 -1 ""; do
        err=$(./kamo-k5 $command --records "$range" 2>&1 >/dev/null); rc=$?
        [ $rc -eq 2 ] || fail "$command --records '$range' must be a usage error (got $rc)"
        echo "$err" | grep -q "使い方" || fail "$command --records '$range' without the usage: $err"
    done
done
[ -e "$out/s.dxf" ] && fail "a refused range wrote the drawing"
[ "$(md5sum <../DAT/K5dat02.k5d)" = "$before" ] || fail "a refused range changed the job"

# Ranges inside the job do what they say.
rows=$(./kamo-k5 propose --records 2-3 | grep -v '^No' | cut -f1 | tr '\n' ' ')
[ "$rows" = "2 3 " ] || fail "propose --records 2-3 gave rows: $rows"
rows=$(./kamo-k5 propose --records 6 | grep -v '^No' | cut -f1 | tr '\n' ' ')
[ "$rows" = "6 " ] || fail "propose --records 6 gave rows: $rows"
./kamo-k5 export --dxf "$out/s.dxf" --records 5-6 >/dev/null 2>&1 || fail "export --records 5-6"
[ -s "$out/s.dxf" ] || fail "export --records 5-6 wrote nothing"

# An empty job has no number to take.
: > ../DAT/K5dat02.k5d
err=$(./kamo-k5 propose --records 1-1 2>&1 >/dev/null); rc=$?
[ $rc -eq 2 ] && [ "$err" = "データ番号の指定が正しくありません（1～0）。" ] ||
    fail "propose --records 1-1 on an empty job: $rc $err"
echo "1 passed, 0 failed"
