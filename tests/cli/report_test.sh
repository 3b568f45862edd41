#!/usr/bin/env bash
# kamo-k5 report --pdf: the calculation report of the job in DAT as one PDF document.
set -u
program="$1"
# Start-up finds its folders by the first "PRG" and "KMD" in a path: keep both out of the random name.
tmp=$(mktemp -d)
while echo "$tmp" | grep -qi -e prg -e kmd; do rmdir "$tmp"; tmp=$(mktemp -d); done
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/KMD/MAS" "$tmp/KMD/K5/PRG" "$tmp/KMD/K5/DAT"
cp "$program" "$tmp/KMD/K5/PRG/kamo-k5"
cd "$tmp/KMD/K5/PRG"


# One isolated footing as an input window saves it: 2000 x 2000, column 500
# centred, D = D' = 500, d = 70, h1 = h2 = 1000, fe 200, Fc 21, SD295 D19.
write_job() { # $1: long-term N
python3 - "$1" <<'PY'
import struct, sys
r = bytearray(2334)
struct.pack_into('<hh', r, 0, 204, 0)
r[4:56] = b'Job~'.ljust(52)
r[56:108] = b'file~'.ljust(52)
r[108:122] = b'F1~'.ljust(14)
for off in (122, 138): r[off:off + 8] = b'SD295'.ljust(8)
for off in (130, 146): r[off:off + 8] = b'D19'.ljust(8)
r[154:274] = b' ' * 120
d1 = {0: 1, 1: 1, 2: 200, 3: 21, 4: 500, 5: 500, 6: 70, 7: 1000, 8: 1000, 12: 24, 13: 16,
      23: 60, 24: 60, 30: 200, 31: 200, 32: 2, 33: 2, 34: 1}
for i, v in d1.items(): struct.pack_into('<f', r, 274 + 4 * i, v)
def d2(i, j, v): struct.pack_into('<f', r, 478 + 4 * (i + 81 * j), v)
d2(1, 1, float(sys.argv[1])); d2(4, 1, 2000); d2(4, 2, 2000); d2(5, 1, 500); d2(5, 2, 500)
d2(7, 1, 1); d2(7, 2, 1)
r[2106:2146] = b' ' * 40
struct.pack_into('<h', r, 2332, 204)
open('../DAT/K5dat02.k5d', 'wb').write(bytes(r))
PY
}
single() { # data2(i, j) of record 1
python3 -c "import struct; b = open('../DAT/K5dat02.k5d','rb').read(); print('%g' % struct.unpack_from('<f', b, 478 + 4 * ($1 + 81 * $2))[0])"
}

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
[ -e "$tmp/out.pdf.part" ] && fail "the scratch document is left behind"

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
