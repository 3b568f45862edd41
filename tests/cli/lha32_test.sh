#!/usr/bin/env bash
# The archiver lha32: archives it writes are read back by the lhasa command
# (an independent reader of the format) and by lha32 itself; members are
# replaced in place, other members are copied unchanged, names are in CP932.
# $1 is the main program; lha32 is built into the same folder.
set -u
lha32="$(cd "$(dirname "$1")" && pwd)/lha32"
[ -x "$lha32" ] || { echo "FAIL: lha32 not built beside $1"; exit 1; }
command -v lhasa >/dev/null || { echo "FAIL: the lhasa command is missing (scripts/install-deps)"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export TZ=UTC
cd "$tmp"
mkdir in out

# Inputs: empty, small, random, repetitive, a job file of 2334-byte records.
: >in/empty.k5d
printf 'KAMO-K5 archive test\r\n' >in/small.txt
head -c 100000 /dev/urandom >in/random.bin
head -c 1000000 /dev/zero >in/zeros.bin
for i in $(seq 1 3000); do printf 'column %d load %d\n' $((i % 7)) $((i % 13)); done >in/repeat.txt
python3 - <<'PY'
import struct, random
random.seed(5)
records = []
for n in range(40):
    r = bytearray(b' ' * 2334)
    struct.pack_into('<hh', r, 0, 204, 1)
    r[4:56] = ('Job%02d~' % n).encode().ljust(52)
    for k in range(51):
        struct.pack_into('<f', r, 200 + 4 * k, random.choice([0.0, 1.5, 2500.0, random.uniform(0, 900)]))
    records.append(bytes(r))
open('in/K5dat02.k5d', 'wb').write(b''.join(records))
PY

files="empty.k5d small.txt random.bin zeros.bin repeat.txt K5dat02.k5d"
for f in $files; do
  "$lha32" u job.lzh "in/$f" || fail "u $f"
done
lhasa t job.lzh >/dev/null 2>&1 || fail "lhasa finds CRC errors"
listing=$(lhasa v job.lzh) || fail "lhasa v"
(cd out && lhasa xq ../job.lzh) || fail "lhasa x"
for f in $files; do
  cmp -s "in/$f" "out/$f" || fail "lhasa extracts $f differently"
  rm -f "out/$f"
  (cd out && "$lha32" e ../job.lzh "$f") || fail "e $f"
  cmp -s "in/$f" "out/$f" || fail "lha32 extracts $f differently"
done
echo "$listing" | grep -q -- '-lh5-.*repeat.txt' || fail "repetitive text is not compressed: $listing"
echo "$listing" | grep -q -- '-lh0-.*random.bin' || fail "random data is not stored as it is: $listing"
echo "compression (packed / size):"
echo "$listing" | awk '$1 == "[MS-DOS]" { printf "  %-12s %8d / %8d\n", $NF, $2, $3 }'

# Level-1 headers with the DOS time of the file, header checksum and data CRC.
touch -d '2021-07-04 10:20:31' in/small.txt
"$lha32" u stamp.lzh in/small.txt || fail "u stamp"
python3 - stamp.lzh in/small.txt <<'PY' || fail "header of stamp.lzh"
import struct, sys
a = open(sys.argv[1], 'rb').read()
data = open(sys.argv[2], 'rb').read()
def crc16(b):
    c = 0
    for x in b:
        c ^= x
        for _ in range(8):
            c = (c >> 1) ^ 0xA001 if c & 1 else c >> 1
    return c
size = a[0]
assert a[1] == sum(a[2:2 + size]) & 0xFF, 'checksum'
assert a[2:7] in (b'-lh5-', b'-lh0-'), a[2:7]
assert a[20] == 1, 'level %d' % a[20]
assert a[21:22 + a[21]][1:] == b'small.txt', a[22:22 + a[21]]
packed, original, stamp = struct.unpack_from('<III', a, 7)
assert original == len(data)
assert stamp == ((2021 - 1980) << 25 | 7 << 21 | 4 << 16 | 10 << 11 | 20 << 5 | 31 // 2), hex(stamp)
crc, = struct.unpack_from('<H', a, 22 + a[21])
assert crc == crc16(data)
assert a[2 + size + packed] == 0 and len(a) == 3 + size + packed, 'end mark'
PY

# Replacing a member keeps the others byte for byte, in their places; names
# match without regard to case, as on Windows.
python3 - <<'PY'
# A level-2 member as other archivers write it, stored: it must be copied as is.
import struct
def crc16(b):
    c = 0
    for x in b:
        c ^= x
        for _ in range(8):
            c = (c >> 1) ^ 0xA001 if c & 1 else c >> 1
    return c
data = b'written elsewhere\r\n' * 3
name = b'other.txt'
ext = bytes([1]) + name
h = bytearray(b'-lh0-' + struct.pack('<IIIBBHB', len(data), len(data), 1600000000, 0x20, 2, crc16(data), ord('M')))
h += struct.pack('<H', len(ext) + 2) + ext + struct.pack('<H', 0)
h = struct.pack('<H', len(h) + 2) + h
open('mixed.lzh', 'wb').write(bytes(h) + data + b'\0')
open('in/other.txt', 'wb').write(data)
PY
cp in/K5dat02.k5d in/k5dat02.k5d.orig
"$lha32" u mixed.lzh in/small.txt || fail "u into a level-2 archive"
"$lha32" u mixed.lzh in/K5dat02.k5d || fail "u job"
before=$(lhasa v mixed.lzh | grep -c '^\[')
head -c 4668 in/k5dat02.k5d.orig >k5DAT02.k5d
"$lha32" u mixed.lzh k5DAT02.k5d || fail "u replacement"
names=$(lhasa l mixed.lzh | awk '$1 ~ /^\[/ { print $NF }' | tr '\n' ' ')
[ "$names" = "other.txt small.txt k5DAT02.k5d " ] || fail "members after replacing: $names (had $before)"
rm -rf out && mkdir out
(cd out && lhasa xq ../mixed.lzh) || fail "lhasa x mixed"
cmp -s out/other.txt in/other.txt || fail "level-2 member changed"
cmp -s out/small.txt in/small.txt || fail "small.txt changed"
cmp -s out/k5DAT02.k5d k5DAT02.k5d || fail "replaced member content"
(cd out && rm -f ./* && "$lha32" e ../mixed.lzh K5dat02.K5D) || fail "e ignores case"
[ "$(stat -c %s out/k5DAT02.k5d)" = 4668 ] || fail "extracted under the stored name"

# A Japanese name is stored in CP932 and comes back as the same UTF-8 name.
jp="基礎データ０１.k5d"
printf '独立基礎\n' >"in/$jp"
"$lha32" u jp.lzh "in/$jp" || fail "u Japanese name"
python3 - jp.lzh "$jp" <<'PY' || fail "name not in CP932"
import sys
a = open(sys.argv[1], 'rb').read()
assert a[22:22 + a[21]] == sys.argv[2].encode('cp932'), a[22:22 + a[21]]
PY
lhasa t jp.lzh >/dev/null 2>&1 || fail "lhasa t jp"
rm -rf out && mkdir out
(cd out && "$lha32" e ../jp.lzh "$jp") || fail "e Japanese name"
cmp -s "out/$jp" "in/$jp" || fail "Japanese member content"

# Failures: a message on stderr, a nonzero exit, the archive untouched.
cp job.lzh keep.lzh
"$lha32" e job.lzh missing.k5d 2>err && fail "e of a missing member succeeded"
[ -s err ] || fail "no message for a missing member"
"$lha32" u job.lzh in/nosuchfile 2>err && fail "u of a missing file succeeded"
[ -s err ] || fail "no message for a missing file"
cmp -s job.lzh keep.lzh || fail "archive changed by a failed u"
head -c 30000 keep.lzh >cut.lzh
cp cut.lzh cut.orig
"$lha32" u cut.lzh in/small.txt 2>err && fail "u into a truncated archive succeeded"
cmp -s cut.lzh cut.orig || fail "truncated archive was rewritten"
"$lha32" e nosuch.lzh small.txt 2>err && fail "e from a missing archive succeeded"
"$lha32" x job.lzh small.txt 2>/dev/null && fail "unknown command succeeded"
# A header that claims a member of 4 GB is refused before anything is
# allocated or written.
python3 - <<'PY'
import struct
name = b'K5dat02.k5d'
data = b'tiny'
body = b'-lh0-' + struct.pack('<IIIBB', len(data), 0xFFFFFFF0, 0, 0x20, 0) + bytes([len(name)]) + name + b'\0\0'
open('huge.lzh', 'wb').write(bytes([len(body), sum(body) & 0xFF]) + body + data + b'\0')
PY
rm -rf out && mkdir out
(cd out && "$lha32" e ../huge.lzh K5dat02.k5d 2>../err) && fail "a member claiming 4 GB was extracted"
grep -q '大きすぎます' err || fail "no message for a member claiming 4 GB: $(cat err)"
[ -z "$(ls -A out)" ] || fail "something was written for a member claiming 4 GB"
ls -a | grep -q '^\.lha32-' && fail "scratch file left behind"
echo "lha32: all checks passed"
exit 0
