#!/usr/bin/env bash
# The package's launcher in a scratch root, without building the package:
# two first starts at once both run and leave a whole tree with its sample
# opened, a ~/KMD that links to a folder of another name is followed, and a
# failure is told in Japanese with the path named.
set -u
program="$1"
archiver="$(dirname "$program")/lha32"
launcher="$(cd "$(dirname "$0")/../.." && pwd)/packaging/kamo-k5.sh"
[ -x "$archiver" ] || { echo "FAIL: lha32 not built beside $program"; exit 1; }
tmp=$(mktemp -d); trap 'chmod -R u+w "$tmp" 2>/dev/null; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
root="$tmp/root"
mkdir -p "$root/bin" "$root/lib/kamo-k5" "$root/share/kamo-k5/MAS"
cp "$launcher" "$root/bin/kamo-k5"; chmod +x "$root/bin/kamo-k5"
cp "$program" "$root/lib/kamo-k5/kamo-k5"; cp "$archiver" "$root/lib/kamo-k5/lha32"
echo "D19" > "$root/share/kamo-k5/MAS/m_sbar1.k5d"
# A sample archive: the program's own save of a one-foundation job.
mkdir -p "$tmp/mk/KMD/MAS" "$tmp/mk/KMD/K5/PRG" "$tmp/mk/KMD/K5/DAT"
cp "$program" "$archiver" "$tmp/mk/KMD/K5/PRG/"
python3 -c "
import struct
r = bytearray(b' ' * 2334); struct.pack_into('<hh', r, 0, 204, 0); r[4:56] = b'Job~'.ljust(52)
for i in range(51): struct.pack_into('<f', r, 274 + 4 * i, 0.0)
for i in range(405): struct.pack_into('<f', r, 478 + 4 * i, 0.0)
r[2098:2334] = bytes(236); struct.pack_into('<h', r, 2332, 204)
open('$tmp/mk/KMD/K5/DAT/K5dat02.k5d', 'wb').write(bytes(r))" 2>/dev/null
(cd "$tmp/mk/KMD/K5/PRG" && ./kamo-k5 save "$root/share/kamo-k5/v02_サンプル.lzh" >/dev/null 2>&1) || fail "sample"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u KMD_ROOT HOME="$1" "$root/bin/kamo-k5" "${@:2}"; }

# Two first starts at once: both succeed, the tree has its sample and job.
for i in 1 2 3 4; do
    home="$tmp/race$i"; mkdir -p "$home"
    run "$home" list >"$tmp/a.out" 2>"$tmp/a.err" & a=$!
    run "$home" list >"$tmp/b.out" 2>"$tmp/b.err" & b=$!
    wait $a; ra=$?; wait $b; rb=$?
    [ $ra -eq 0 ] && [ $rb -eq 0 ] || fail "two first starts: $ra $rb: $(cat "$tmp/a.err" "$tmp/b.err")"
    grep -qi "exists\|cannot\|No such" "$tmp/a.err" "$tmp/b.err" && fail "coreutils' English: $(cat "$tmp/a.err" "$tmp/b.err")"
    [ -s "$home/KMD/K5/保存データ/v02_サンプル.lzh" ] || fail "no sample after two first starts"
    [ -s "$home/KMD/K5/DAT/K5dat02.k5d" ] || fail "the sample was not opened: $(cat "$tmp/a.err" "$tmp/b.err")"
    [ -e "$home/KMD/K5/.kamo-k5-first-start" ] && fail "the first-start mark stayed"
    [ -s "$home/KMD/MAS/m_sbar1.k5d" ] || fail "master"
done

# ~/KMD as a link to a folder of another name is followed.
home="$tmp/linked"; mkdir -p "$home" "$tmp/elsewhere/work"
ln -s "$tmp/elsewhere/work" "$home/KMD"
run "$home" list >/dev/null 2>"$tmp/l.err" || fail "a ~/KMD link: $(cat "$tmp/l.err")"
[ -L "$home/KMD" ] || fail "the link was replaced"
[ -s "$tmp/elsewhere/work/K5/DAT/K5dat02.k5d" ] || fail "the tree is not behind the link"
run "$home" calc >/dev/null 2>"$tmp/l.err"
[ -s "$tmp/elsewhere/work/K5/DAT/runlog.rep" ] || fail "calc did not run in the linked tree: $(cat "$tmp/l.err")"

# Errors in the program's Japanese, naming the path.
home="$tmp/blocked"; mkdir -p "$home/KMD"; : > "$home/KMD/K5"
err=$(run "$home" list 2>&1 >/dev/null); rc=$?
[ $rc -ne 0 ] || fail "a file in K5's place must be refused"
echo "$err" | grep -q "フォルダを作成できません.*$home/KMD/K5" || fail "K5 message: $err"
if [ "$(id -u)" -ne 0 ]; then
    home="$tmp/readonly"; mkdir -p "$home"; chmod 555 "$home"
    err=$(run "$home" list 2>&1 >/dev/null)
    echo "$err" | grep -q "$home/KMD" || fail "read-only home: $err"
fi
echo "1 passed, 0 failed"
