#!/usr/bin/env bash
# kamo-k5 import: the linked analysis program's support reactions become the
# job; a corrupted file is refused and the job stays byte for byte.
set -u
program="$1"
source "$(dirname "$0")/../cli/footing_job.sh"
mkdir -p "$tmp/KMD/KamoRX2/dat"
dat=../../KamoRX2/dat

./kamo-k5 --help | grep -q "kamo-k5 import" || fail "--help lacks import"

# Without a linked analysis program there is nothing to read.
err=$(./kamo-k5 import 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "import without a link must exit 1 (got $rc)"
echo "$err" | grep -q "構造解析プログラムが設定されていない" || fail "no-link message: $err"

printf 'RX2\r\n' > fmm
err=$(./kamo-k5 import 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "import without files must exit 1 (got $rc)"
echo "$err" | grep -q "KAMO-RXⅡが必要なﾌｧｲﾙを出力していません。" || fail "missing-file message: $err"

# Three supports of storey 1, X and Y lines, CP932 with CR LF and an end byte.
python3 - "$dat" <<'PY'
import sys
dat = sys.argv[1]
def write(name, lines, end=b''):
    open(f'{dat}/{name}', 'wb').write(b''.join(l.encode('cp932') + b'\r\n' for l in lines) + end)
write('KW-FPP1.dat', ['"P-00",0', '"P-01",1,5,"試験物件"'])
lines = []
for axis in (1, 2, 3):
    for case in range(1, 6):
        lines.append(f'1,1,1,{axis},{case},"X1","1F","Y{axis}","",{case}.5,-{100 * axis + case},{axis}.25')
for axis in (1, 2, 3):
    for case in (1, 2):
        lines.append(f'2,{axis},1,1,{case},"Y{axis}","1F","X1","",-2,-{100 * axis},-7.0005')
write('KW-FSPTK5', lines, b'\x1a')
PY
out=$(./kamo-k5 import) || fail "import exit $?"
[ "$out" = "基礎データを読み込みました（データ数： 3 ）" ] || fail "stdout: $out"
[ "$(stat -c %s ../DAT/K5dat02.k5d)" = $((3 * 2334)) ] || fail "job file size"
ls -A ../DAT | grep -q -e "^\.k5" -e "_dum$" && fail "scratch file left behind"
list=$(./kamo-k5 list) || fail "list"
row=$(echo "$list" | sed -n 3p)
[ "$row" = $'2\t\tF002(仮名)\t1F\tX1\tY2\t直接基礎\t0\t0\t2\t2\t200\t200\t' ] || fail "list row: $row"

python3 - <<'PY' || fail "record bytes"
import struct
data = open('../DAT/K5dat02.k5d', 'rb').read()
r = data[2334:2 * 2334]
f = lambda o: struct.unpack_from('<f', r, o)[0]
d2 = lambda i, j: f(478 + 4 * (i + 81 * j))
assert struct.unpack_from('<hh', r, 0) == (204, -1)
assert r[4:56] == '試験物件~'.encode('cp932').ljust(52)
assert r[2136:2146] == 'F002(仮名)'.encode('cp932')
assert abs(d2(1, 1) - 201) < 1e-4 and abs(d2(1, 2) - 201) < 1e-4, (d2(1, 1), d2(1, 2))
assert d2(2, 2) == 7.0, d2(2, 2)  # -7.0005 is -7000.5 as a Single product: halves go up
assert struct.unpack_from('<h', r, 2332)[0] == 204
PY

# A corrupted line: refused with its place, the job as it was.
cp ../DAT/K5dat02.k5d "$tmp/before"
python3 - "$dat/KW-FSPTK5" <<'PY'
import sys
path = sys.argv[1]
data = open(path, 'rb').read().rstrip(b'\x1a')
open(path, 'wb').write(data + b'1,1,1,4,1,"X1","1F","Y4","",1,x,2\r\n')
PY
err=$(./kamo-k5 import 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "a corrupted file must exit 1 (got $rc)"
echo "$err" | grep -q "22行目 11番目" || fail "corrupted-line message: $err"
cmp -s ../DAT/K5dat02.k5d "$tmp/before" || fail "the job changed after a refused import"

# Generation 3, named in any case with a trailing blank, reads its own data folder.
printf 'rx3 \r\n' > fmm
mkdir -p ../../KamoRX3/dat
cp $dat/KW-FPP1.dat ../../KamoRX3/dat/
printf '1,7,2,8,1,"X7","2F","Y8","",1,-50,2\r\n' > ../../KamoRX3/dat/KW-FSPTK5
out=$(./kamo-k5 import) || fail "generation 3 import exit $?"
[ "$out" = "基礎データを読み込みました（データ数： 1 ）" ] || fail "generation 3 stdout: $out"
./kamo-k5 list | tail -n 1 | grep -q $'F001(仮名)\t2F\tX7\tY8' || fail "generation 3 list"
echo "1 passed, 0 failed"
