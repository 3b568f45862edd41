#!/usr/bin/env bash
# kamo-k5 export --dxf: the foundation schedule of the job in DAT as one DXF file.
set -u
program="$1"
source "$(dirname "$0")/../cli/footing_job.sh"
write_job 500
./kamo-k5 export 2>/dev/null; [ $? -eq 2 ] || fail "export without --dxf is a usage error"
./kamo-k5 export --dxf a.dxf --records x 2>/dev/null; [ $? -eq 2 ] || fail "a record range that is no number"
./kamo-k5 export --dxf a.dxf --records 3-2 2>/dev/null; [ $? -eq 2 ] || fail "a reversed record range"
./kamo-k5 export --dxf a.dxf --dxf-version 2004 2>/dev/null; [ $? -eq 2 ] || fail "an unknown DXF version"
./kamo-k5 export --dxf a.dxf --sheet A4 2>/dev/null; [ $? -eq 2 ] || fail "a sheet other than A1, A2, A3"
./kamo-k5 export --dxf a.dxf --scale 75 2>/dev/null; [ $? -eq 2 ] || fail "a scale other than 50 and 100"

err=$(./kamo-k5 export --dxf "$tmp/s.dxf" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "a job with nothing calculated must be refused (got $rc)"
[ "$err" = "$(printf 'データ1 F1: 未計算\nDXFに出力できる計算済みの基礎がありません。')" ] || fail "refusal: $err"
[ -e "$tmp/s.dxf" ] && fail "a refused export writes nothing"

# A foundation the calculation stops at is named with the message that stops it.
write_job 0
err=$(./kamo-k5 export --dxf "$tmp/s.dxf" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "a job whose only foundation stops must be refused (got $rc)"
[ "$err" = "$(printf 'データ1 F1: ﾃﾞｰﾀNo 1: 長期軸力=0 となっています。\nDXFに出力できる計算済みの基礎がありません。')" ] ||
  fail "stop message: $err"
[ -e "$tmp/s.dxf" ] && fail "a refused export writes nothing"
write_job 500

./kamo-k5 calc >/dev/null 2>&1 || fail "calc"
# A relative name is taken from where the command was started.
# What a killed writer left beside it goes with the next drawing written there.
mkdir out
# A user's file that merely looks like a scratch name stays.
sh -c 'exit 0' & dead=$!; wait $dead
echo half > "out/.k5tmp-$dead-AbCdEfGh12"
out=$(./kamo-k5 export --dxf out/s.dxf 2>&1); rc=$?
[ $rc -eq 0 ] || fail "export must exit 0 (got $rc): $out"
[ "$out" = "DXFを出力しました（基礎 1 件）: $tmp/KMD/K5/PRG/out/s.dxf" ] || fail "the command says where the drawing went: $out"
[ "$(cat "out/.k5tmp-$dead-AbCdEfGh12")" = half ] || fail "a look-alike of a scratch name was removed"
ls -A out | grep -v "^s.dxf$\|^.k5tmp-$dead-AbCdEfGh12$" && fail "a scratch file is left behind: $(ls -A out)"
./kamo-k5 export --dxf "$tmp/u.dxf" --dxf-version 2010 --sheet a3 --scale 100 >/dev/null 2>&1 || fail "the 2010 drawing"
err=$(./kamo-k5 export --dxf "$tmp/none.dxf" --records 2-5 2>&1 >/dev/null); rc=$?
[ $rc -eq 2 ] || fail "a range outside the job must be refused (got $rc)"
[ "$err" = "データ番号の指定が正しくありません（1～1）。" ] || fail "range message: $err"
[ -e "$tmp/none.dxf" ] && fail "a refused range wrote a drawing"
./kamo-k5 export --dxf "$tmp/no/such/folder/s.dxf" >/dev/null 2>&1; [ $? -eq 1 ] || fail "an unwritable file must exit 1"

# The export loads the job as list and report load it: what they refuse, it refuses alike.
cp ../DAT/K5dat02.k5d "$tmp/calculated.k5d"
cp out/s.dxf "$tmp/earlier.dxf"
for damage in "${job_damages[@]}"; do
  damage_job "$damage"
  listed=$(./kamo-k5 list 2>&1 >/dev/null)
  reported=$(./kamo-k5 report --pdf "$tmp/damaged.pdf" 2>&1 >/dev/null)
  err=$(./kamo-k5 export --dxf out/s.dxf 2>&1 >/dev/null); rc=$?
  [ $rc -eq 1 ] || fail "a job list refuses must be refused by export too ($damage: $rc)"
  [ -n "$err" ] && [ "$err" = "$listed" ] && [ "$err" = "$reported" ] || fail "the same message as list and report: '$err' / '$listed' / '$reported'"
  cmp -s out/s.dxf "$tmp/earlier.dxf" || fail "a refused job leaves the earlier drawing ($damage)"
  cp "$tmp/calculated.k5d" ../DAT/K5dat02.k5d
done

/usr/bin/python3 - out/s.dxf "$tmp/u.dxf" <<'PY' || fail "read back"
import sys, ezdxf
r12, r2010 = ezdxf.readfile(sys.argv[1]), ezdxf.readfile(sys.argv[2])
assert r12.dxfversion == 'AC1009' and r12.header['$DWGCODEPAGE'] == 'ANSI_932', r12.dxfversion
assert r2010.dxfversion == 'AC1024', r2010.dxfversion
for doc in (r12, r2010):
    texts = [t.dxf.text for t in doc.modelspace().query('TEXT[layer=="TEXT"]')]
    assert 'F1' in texts and '判定' in texts, texts
PY
echo "1 passed, 0 failed"
