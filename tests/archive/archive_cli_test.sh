#!/usr/bin/env bash
# kamo-k5 open / save: archives written by the program extract byte for byte
# with the lhasa command; archives of every header level, made here by a
# small writer of our own, open byte for byte; old archives are converted
# and saved again as "v02_"; damaged archives and a failing archiver leave
# the job and the old archive as they were.
set -u
program="$1"
lha32="$(cd "$(dirname "$1")" && pwd)/lha32"
[ -x "$lha32" ] || { echo "FAIL: lha32 not built beside $1"; exit 1; }
command -v lhasa >/dev/null || { echo "FAIL: the lhasa command is missing (scripts/install-deps)"; exit 1; }
# Start-up finds its folders by the first "PRG" and "KMD" in a path: keep both out of the random name.
tmp=$(mktemp -d)
while echo "$tmp" | grep -qi -e prg -e kmd; do rmdir "$tmp"; tmp=$(mktemp -d); done
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/KMD/MAS" "$tmp/KMD/K5/PRG" "$tmp/KMD/K5/DAT" "$tmp/KMD/K5/保存データ" "$tmp/user folder"
cp "$program" "$tmp/KMD/K5/PRG/kamo-k5"
cp "$lha32" "$tmp/KMD/K5/PRG/lha32"
cd "$tmp/KMD/K5/PRG"
save="$tmp/KMD/K5/保存データ"
job=../DAT/K5dat02.k5d

# A job of `count` records in the current format, named after the argument.
write_job() { # $1: record count, $2: file name
python3 - "$1" "$2" <<'PY'
import struct, sys
count, name = int(sys.argv[1]), sys.argv[2]
out = b''
for n in range(count):
    r = bytearray(b' ' * 2334)
    struct.pack_into('<hh', r, 0, 204, 0)
    r[4:56] = b'Job~'.ljust(52)
    r[56:108] = (name + '~').encode('cp932').ljust(52)
    r[108:122] = ('F%d~' % (n + 1)).encode().ljust(14)
    for i in range(51): struct.pack_into('<f', r, 274 + 4 * i, 0.0)
    for i in range(405): struct.pack_into('<f', r, 478 + 4 * i, float(n * 1000 + i))
    struct.pack_into('<fff', r, 274, 1.0, 1.0, 200.0)
    for i, v in ((23, 60), (24, 60), (30, 200), (31, 200), (32, 2), (33, 2), (34, 1)):
        struct.pack_into('<f', r, 274 + 4 * i, v)
    struct.pack_into('<h', r, 2332, 204)
    out += bytes(r)
open('../DAT/K5dat02.k5d', 'wb').write(out)
PY
}

# --- save, then extract with lhasa ---------------------------------------
write_job 3 試験
cp $job "$tmp/job3"
err=$(./kamo-k5 save "$save/v02_試験" 2>&1 >/dev/null) || fail "save: $err"
[ "$err" = "データを保存しました。　　　" ] || fail "save message: $err"
[ -f "$save/v02_試験.lzh" ] || fail "a name without .lzh gets it"
(mkdir "$tmp/x1" && cd "$tmp/x1" && lhasa xq "$save/v02_試験.lzh") || fail "lhasa x"
cmp -s "$tmp/x1/K5dat02.k5d" "$tmp/job3" || fail "lhasa extracts the job differently"
python3 -c "import sys; b=open('$tmp/KMD/MAS/m_ctrl.k5d','rb').read(); sys.exit(b[:100].decode('cp932').split('~')[0] != '$save')" \
  || fail "lastSaveFolder not kept in the control file"

# A relative path is taken from where the command was started.
(cd "$tmp/user folder" && "$tmp/KMD/K5/PRG/kamo-k5" save v02_rel.lzh 2>/dev/null) && fail "started outside the KMD tree"
(cd "$save" && ../PRG/kamo-k5 save v02_rel.lzh 2>/dev/null) || fail "save with a relative path"
[ -f "$save/v02_rel.lzh" ] || fail "relative archive path"

# --- open ----------------------------------------------------------------
write_job 5 other
printf 'old' >../DAT/K5dat.k5d
./kamo-k5 open "$save/v02_試験.lzh" 2>/dev/null || fail "open"
cmp -s $job "$tmp/job3" || fail "the opened job differs from the saved one"
[ ! -e ../DAT/K5dat.k5d ] || fail "the old job file is replaced with the pair"
[ "$(./kamo-k5 list | wc -l)" = 4 ] || fail "list after open"

# Archives of header levels 0, 1 and 2, the member named in capitals and
# beside other members, as other archivers write them.
python3 - "$tmp/job3" "$tmp" <<'PY'
import struct, sys
job = open(sys.argv[1], 'rb').read()
def crc16(b):
    c = 0
    for x in b:
        c ^= x
        for _ in range(8):
            c = (c >> 1) ^ 0xA001 if c & 1 else c >> 1
    return c
def member(level, name, data):
    n = name.encode('cp932')
    if level == 0:
        h = b'-lh0-' + struct.pack('<IIIBB', len(data), len(data), 0x52a4_5000, 0x20, 0) + bytes([len(n)]) + n + struct.pack('<H', crc16(data))
        return bytes([len(h), sum(h) & 0xFF]) + h + data
    if level == 1:
        h = b'-lh0-' + struct.pack('<IIIBB', len(data), len(data), 0x52a4_5000, 0x20, 1) + bytes([len(n)]) + n + struct.pack('<H', crc16(data)) + b'M' + struct.pack('<H', 0)
        return bytes([len(h), sum(h) & 0xFF]) + h + data
    ext = struct.pack('<H', 3 + len(n)) + b'\x01' + n + struct.pack('<H', 0)
    size = 26 + len(ext) - 2
    h = struct.pack('<H', size) + b'-lh0-' + struct.pack('<IIIBB', len(data), len(data), 1600000000, 0x20, 2) + struct.pack('<H', crc16(data)) + b'U' + ext
    return h + data
for level in (0, 1, 2):
    a = member(level, 'readme.txt', b'notes\r\n') + member(level, 'K5DAT02.K5D', job) + member(level, 'K5dat.k5d', b'x' * 1626) + b'\0'
    open('%s/v02_level%d.lzh' % (sys.argv[2], level), 'wb').write(a)
PY
for level in 0 1 2; do
  lhasa tq "$tmp/v02_level$level.lzh" >/dev/null 2>&1 || fail "level $level archive is not valid"
  write_job 1 other
  ./kamo-k5 open "$tmp/v02_level$level.lzh" 2>/dev/null || fail "open level $level"
  cmp -s $job "$tmp/job3" || fail "level $level member differs"
  [ -z "$(find ../DAT -iname 'k5dat02.k5d' ! -name K5dat02.k5d)" ] || fail "member kept its capitals"
done

# --- old archives --------------------------------------------------------
old_job() { # $1: file name field; writes $2
python3 - "$1" "$2" <<'PY'
import struct, sys
out = b''
for n in range(2):
    r = bytearray(b' ' * 1626)
    r[0:52] = '旧工事~'.encode('cp932').ljust(52)
    r[52:104] = (sys.argv[1] + '~').encode('cp932').ljust(52)
    r[104:110] = ('F%d~' % (n + 1)).encode().ljust(6)
    for i in range(36 + 305): struct.pack_into('<f', r, 262 + 4 * i, 0.0)
    struct.pack_into('<ff', r, 262, 1.0, 1.0)
    struct.pack_into('<f', r, 406 + 4 * (4 + 61), 2500.0)
    out += bytes(r)
open(sys.argv[2], 'wb').write(out)
PY
}
mkdir "$tmp/old"
old_job 旧ファイル "$tmp/old/K5dat.k5d"
(cd "$tmp/old" && "$lha32" u "$tmp/user folder/旧.lzh" K5dat.k5d) || fail "old archive"
said=$(./kamo-k5 open "$tmp/user folder/旧.lzh" 2>&1) || fail "open an old archive"
converted="$tmp/user folder/v02_旧ファイル.lzh"
# The user is told which archive holds the converted job, and where.
case "$said" in *"v02_旧ファイル.lzhとして保存しました。"*"$tmp/user folder"*) ;;
  *) fail "converted archive not named: $said" ;; esac
[ -f "$converted" ] || fail "converted archive beside the old one: $(ls "$tmp/user folder")"
(mkdir "$tmp/x2" && cd "$tmp/x2" && lhasa xq "$converted") || fail "lhasa x converted"
cmp -s "$tmp/x2/K5dat02.k5d" $job || fail "converted archive differs from the job"
[ "$(stat -c %s $job)" = $((2 * 2334)) ] || fail "converted job"
./kamo-k5 list | grep -q "^1	F1	直接基礎" || fail "converted list: $(./kamo-k5 list)"

# Opened again: the "v02_" name is taken, so "(2)".
err=$(./kamo-k5 open "$tmp/user folder/旧.lzh" 2>&1 >/dev/null) || fail "second open"
[ -f "$tmp/user folder/v02_旧ファイル(2).lzh" ] || fail "free name: $(ls "$tmp/user folder")"
echo "$err" | grep -q "v02_旧ファイル(2).lzh" || fail "the free name is not said: $err"

# --- damage and failure keep everything ---------------------------------
write_job 2 kept
cp $job "$tmp/kept"
good="$save/v02_試験.lzh"
cp "$good" "$tmp/good.lzh"
head -c $(( $(stat -c %s "$good") / 2 )) "$good" >"$tmp/v02_cut.lzh"
printf 'no archive' >"$tmp/v02_text.lzh"
for bad in "$tmp/v02_cut.lzh" "$tmp/v02_text.lzh" "$tmp/missing.lzh" "$tmp/v02_level0"; do
  err=$(./kamo-k5 open "$bad" 2>&1 >/dev/null); rc=$?
  [ $rc -eq 1 ] || fail "open $bad must fail (got $rc)"
  case "$err" in *"データ読込を中止しました｡ ") ;; *) fail "open $bad message: $err" ;; esac
  cmp -s $job "$tmp/kept" || fail "open $bad changed the job"
done

printf '#!/bin/sh\necho "disk full" >&2\nexit 1\n' >lha32
err=$(./kamo-k5 save "$good" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "save with a failing archiver must fail (got $rc)"
case "$err" in *"disk full"*"データ保存を中止しました｡ ") ;; *) fail "failed save message: $err" ;; esac
cmp -s "$good" "$tmp/good.lzh" || fail "a failed save changed the old archive"
./kamo-k5 open "$good" 2>/dev/null && fail "open with a failing archiver must fail"
cmp -s $job "$tmp/kept" || fail "a failed open changed the job"
rm lha32
./kamo-k5 save "$good" 2>/dev/null && fail "save without an archiver must fail"
cmp -s "$good" "$tmp/good.lzh" || fail "save without an archiver changed the old archive"

./kamo-k5 open 2>/dev/null; [ $? -eq 2 ] || fail "open without an archive is a usage error"
./kamo-k5 save a.lzh b.lzh 2>/dev/null; [ $? -eq 2 ] || fail "save with two archives is a usage error"
echo "1 passed, 0 failed"
