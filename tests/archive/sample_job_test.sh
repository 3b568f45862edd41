#!/usr/bin/env bash
# The sample job installed with the program opens, calculates with one
# foundation failing its checks (the report shows red), and gives its report.
set -u
program="$1"
build="$(cd "$(dirname "$1")" && pwd)"
sample="$build/sample/v02_サンプル.lzh"
[ -f "$sample" ] || { echo "FAIL: the sample job is not built (target k5_sample_job)"; exit 1; }
tmp=$(mktemp -d)
while echo "$tmp" | grep -qi -e prg -e kmd; do rmdir "$tmp"; tmp=$(mktemp -d); done
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/KMD/MAS" "$tmp/KMD/K5/PRG" "$tmp/KMD/K5/DAT" "$tmp/KMD/K5/保存データ"
cp "$program" "$build/lha32" "$tmp/KMD/K5/PRG/"
cp "$sample" "$tmp/KMD/K5/保存データ/"
cd "$tmp/KMD/K5/PRG"
./kamo-k5 open ../保存データ/v02_サンプル.lzh || fail "open the sample"
[ "$(./kamo-k5 list | tail -n +2 | cut -f3 | sort | uniq -c | tr -s ' ')" = "$(printf ' 2 杭基礎\n 4 直接基礎')" ] \
  || fail "footings and pile caps: $(./kamo-k5 list)"
./kamo-k5 calc 2>/dev/null || fail "the sample does not calculate"
python3 - <<'PY' || fail "exactly one foundation fails its checks"
import struct, sys
b = open('../DAT/K5dat02.k5d', 'rb').read()
flags = [struct.unpack_from('<f', b, n * 2334 + 274 + 4 * 20)[0] for n in range(len(b) // 2334)]
sys.exit(0 if flags.count(-1.0) == 1 else 1)
PY
./kamo-k5 report --pdf "$tmp/report.pdf" >/dev/null 2>&1 || fail "report"
[ -s "$tmp/report.pdf" ] || fail "no report"
echo "1 passed, 0 failed"
