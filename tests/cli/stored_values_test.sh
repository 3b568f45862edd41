#!/usr/bin/env bash
# A calculated record whose stored values were damaged afterwards is judged
# alike by results, report and export: what the calculation would stop at
# shows its message, results that are no sensible count are not calculated,
# and no damaged value is printed as a result ("0.91 OK", a 19-digit count).
# An uplifting footing is refused by the calculation, never judged OK.
set -u
program="$1"
source "$(dirname "$0")/footing_job.sh"
out="$tmp/out"
mkdir -p "$out"
set_single() { # offset of a Single in record 1, its value (Python expression)
python3 - "$1" "$2" <<'PY'
import struct, sys
b = bytearray(open('../DAT/K5dat02.k5d', 'rb').read())
struct.pack_into('<f', b, int(sys.argv[1]), eval(sys.argv[2]))
open('../DAT/K5dat02.k5d', 'wb').write(bytes(b))
PY
}
d2() { echo $((478 + 4 * ($1 + 81 * $2))); }

# damage (offset and value), what the results row's judgement must say, and
# whether the report and the drawing must refuse it too (a value that is no
# number or results that are no results; a huge but finite size is the
# calculation's to refuse).
cases=(
    "$(d2 4 1) float('nan')|Lx|refused"
    "$(d2 4 1) 1e38|ﾃﾞｰﾀNo 1|"
    "$(d2 53 1) 1e38|未計算|refused"
    "$(d2 53 1) -5|未計算|refused"
    "$(d2 22 1) float('nan')|未計算|refused"
)
for c in "${cases[@]}"; do
    IFS='|' read -r damage says report <<<"$c"
    write_job 500
    ./kamo-k5 calc >/dev/null 2>&1 || fail "calc"
    set_single $damage
    row=$(./kamo-k5 results | tail -n 1)
    verdict=$(echo "$row" | cut -f 17)
    echo "$verdict" | grep -q "$says" || fail "results for $damage: $row"
    echo "$row" | grep -q -e OK -e 9223372036854775807 -e 2147483647 && fail "a damaged record judged: $row"
    rm -f "$out"/*
    [ -n "$report" ] || continue
    ./kamo-k5 report --pdf "$out/r.pdf" >/dev/null 2>&1 && fail "report printed a damaged record ($damage)"
    ./kamo-k5 export --dxf "$out/s.dxf" >/dev/null 2>"$out/err" && fail "export drew a damaged record ($damage)"
    [ -e "$out/r.pdf" ] || [ -e "$out/s.dxf" ] && fail "a refused output was written ($damage)"
done

# An uplifting footing: ΣN below 0 has no contact pressure to check.
write_job -1e6
err=$(./kamo-k5 calc 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "calc of an uplifting footing must be refused (got $rc)"
echo "$err" | grep -q "浮き上がり" || fail "uplift message: $err"
row=$(./kamo-k5 results | tail -n 1)
echo "$row" | cut -f 17 | grep -q "浮き上がり" || fail "uplift in results: $row"
echo "1 passed, 0 failed"
