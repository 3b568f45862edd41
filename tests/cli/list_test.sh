#!/usr/bin/env bash
# The command line: usage errors, the list of a job, and a tree without masters.
set -u
program="$1"
# Start-up finds its folders by the first "PRG" and "KMD" in a path: keep both out of the random name.
tmp=$(mktemp -d)
while echo "$tmp" | grep -qi -e prg -e kmd; do rmdir "$tmp"; tmp=$(mktemp -d); done
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/KMD/MAS" "$tmp/KMD/K5/PRG"
cp "$program" "$tmp/KMD/K5/PRG/kamo-k5"
cd "$tmp/KMD/K5/PRG"

./kamo-k5 --help | grep -q "kamo-k5 list" || fail "--help"
./kamo-k5 --version | grep -q "ver3.00" || fail "--version"
./kamo-k5 frobnicate 2>/dev/null; [ $? -eq 2 ] || fail "unknown command must exit 2"

out=$(./kamo-k5 list) || fail "list on an empty job"
[ "$out" = $'\t設計基礎名\tTYP\tax(cm)\tay(cm)\tLx(m)\tLy(m)\t(nx)\t(ny)\t(@x)\t(@y)\tメモ' ] || fail "empty list: $out"
# A reading command writes no file of the tree: no trace, no master.
[ -z "$(find ../DAT ../../MAS -mindepth 1)" ] || fail "list wrote into the tree: $(find ../DAT ../../MAS -mindepth 1)"
# The first command that changes the tree makes its trace and settings.
./kamo-k5 calc >/dev/null 2>&1
[ -s ../DAT/runlog.rep ] || fail "trace file"
[ "$(stat -c %s ../../MAS/m_ctrl.k5d)" = 110 ] || fail "control file"
[ "$(stat -c %s ../../MAS/m_comUse.k5d)" = 232 ] || fail "common values file"

# One record written byte by byte: 204, name "A1", type 1, SI, Lx 2500.
python3 - <<'PY'
import struct
r = bytearray(b' ' * 2334)
struct.pack_into('<hh', r, 0, 204, 0)
r[4:56] = b'Job~'.ljust(52)
r[56:108] = b'file~'.ljust(52)
r[108:122] = b'A1~'.ljust(14)
for i in range(51): struct.pack_into('<f', r, 274 + 4 * i, 0.0)
for i in range(405): struct.pack_into('<f', r, 478 + 4 * i, 0.0)
struct.pack_into('<ff', r, 274, 1.0, 1.0)
for i, v in ((23, 60), (24, 60), (30, 200), (31, 150), (32, 3), (33, 2), (34, 1)):
    struct.pack_into('<f', r, 274 + 4 * i, v)
struct.pack_into('<f', r, 478 + 4 * (4 + 81), 2500.0)
struct.pack_into('<f', r, 478 + 4 * (5 + 81), 600.0)
r[2098:2334] = bytes(236)
r[2106:2146] = b' ' * 40
struct.pack_into('<h', r, 2332, 204)
open('../DAT/K5dat02.k5d', 'wb').write(bytes(r))
PY
out=$(./kamo-k5 list | tail -n 1) || fail "list"
[ "$out" = $'1\tA1\t直接基礎\t600\t0\t2500\t0\t3\t2\t200\t150\t' ] || fail "row: $out"

rm -rf ../../MAS
err=$(./kamo-k5 list 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "missing master folder must exit 1 (got $rc)"
echo "$err" | grep -q "マスターフォルダ" || fail "missing master folder message: $err"
echo "1 passed, 0 failed"
