#!/usr/bin/env bash
# A job kept in an older format: list shows it upgraded but leaves the file
# as it is (it reads the tree only); the first command that holds the tree
# (calc) upgrades the file itself.
set -u
program="$1"
tmp=$(mktemp -d)
while echo "$tmp" | grep -qi -e prg -e kmd; do rmdir "$tmp"; tmp=$(mktemp -d); done
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/KMD/MAS" "$tmp/KMD/K5/PRG"
cp "$program" "$tmp/KMD/K5/PRG/kamo-k5"
cd "$tmp/KMD/K5/PRG"
./kamo-k5 list >/dev/null || fail "list on an empty job"

# Writes one old record: texts from `texts`, data1 from `d1`, data2 rows of `rows` from `d2`.
old_record() {
python3 - "$@" <<'PY'
import struct, sys
length, texts, d1, d2, rows, path = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]), sys.argv[6]
r = bytearray(b' ' * length)
name_width = 6 if length == 1626 else 14
r[texts:texts + 52] = b'Job~'.ljust(52)
r[texts + 52:texts + 104] = b'file~'.ljust(52)
r[texts + 104:texts + 104 + name_width] = b'A1~'.ljust(name_width)
for i in range((d2 - d1) // 4): struct.pack_into('<f', r, d1 + 4 * i, 0.0)
for i in range(5 * rows): struct.pack_into('<f', r, d2 + 4 * i, 0.0)
struct.pack_into('<ff', r, d1, 1.0, 1.0)
for i, v in ((23, 60), (24, 60), (30, 200), (31, 150), (32, 3), (33, 2), (34, 1)):
    struct.pack_into('<f', r, d1 + 4 * i, v)
struct.pack_into('<f', r, d2 + 4 * (4 + rows), 2500.0)
struct.pack_into('<f', r, d2 + 4 * (5 + rows), 600.0)
open(path, 'ab').write(bytes(r))
PY
}
row=$'1\tA1\t直接基礎\t600\t0\t2500\t0\t3\t2\t200\t150\t'

# Format 201: no version field, 2094-byte records.
old_record 2094 0 270 474 81 ../DAT/K5dat02.k5d
old_record 2094 0 270 474 81 ../DAT/K5dat02.k5d
before=$(md5sum <../DAT/K5dat02.k5d)
for command in list results propose; do
    ./kamo-k5 $command >"$tmp/$command.out" 2>&1
    [ "$(md5sum <../DAT/K5dat02.k5d)" = "$before" ] || fail "$command rewrote a 201 job"
done
[ "$(sed -n 2p "$tmp/list.out")" = "$row" ] || fail "201 row: $(cat "$tmp/list.out")"
grep -q $'^1\tA1\t直接基礎' "$tmp/results.out" || fail "results of a 201 job: $(cat "$tmp/results.out")"
[ -z "$(ls -A ../DAT | grep -v '^K5dat02.k5d$')" ] || fail "a reading command wrote beside the job: $(ls -A ../DAT)"
./kamo-k5 calc >/dev/null 2>&1
[ "$(stat -c %s ../DAT/K5dat02.k5d)" = $((2 * 2334)) ] || fail "201 job file not upgraded"
[ -e ../DAT/K5dat02.k5d.v201 ] || fail "201 job file not kept before the upgrade"
iconv -f CP932 -t UTF-8 ../DAT/runlog.rep | grep -q '_104 End' || fail "201 trace"
[ "$(./kamo-k5 list | sed -n 2p)" = "$row" ] || fail "201 row after the upgrade"

# The oldest format: its own file name, 1626-byte records, 36 data1 values and 61 data2 rows.
rm ../DAT/K5dat02.k5d
old_record 1626 0 262 406 61 ../DAT/K5dat.k5d
out=$(./kamo-k5 list | sed -n 2p) || fail "list of a 00 job"
[ "$out" = "$row" ] || fail "00 row: $out"
[ -e ../DAT/K5dat.k5d ] && [ ! -e ../DAT/K5dat02.k5d ] || fail "list converted the 00 job on disk"
[ -z "$(ls -A ../保存データ 2>/dev/null)" ] || fail "list archived the 00 job"
./kamo-k5 calc >/dev/null 2>&1
[ ! -e ../DAT/K5dat.k5d ] || fail "old job file kept"
[ "$(stat -c %s ../DAT/K5dat02.k5d)" = 2334 ] || fail "00 job not converted"
python3 -c "import sys; r = open('../DAT/K5dat02.k5d','rb').read(); sys.exit(r[56:62] != b'v02_fi')" || fail "file name"
echo "1 passed, 0 failed"
