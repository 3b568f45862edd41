#!/usr/bin/env bash
# A damaged job file: list and calc report it alike and leave it as it is.
set -u
program="$1"
source "$(dirname "$0")/footing_job.sh"
write_job 500
python3 -c "open('../DAT/K5dat02.k5d','ab').write(b'\\0' * 1500)"   # cut inside a second record
before=$(md5sum < ../DAT/K5dat02.k5d)
err=$(./kamo-k5 list 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "list of a damaged job must exit 1 (got $rc)"
echo "$err" | grep -q "基礎データのファイルが壊れています" || fail "list message: $err"
err=$(./kamo-k5 calc 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "calc of a damaged job must exit 1 (got $rc)"
echo "$err" | grep -q "基礎データのファイルが壊れています" || fail "calc message: $err"
[ "$(md5sum < ../DAT/K5dat02.k5d)" = "$before" ] || fail "the damaged job was changed"

# A version no format has: refused by name, never "upgraded".
write_job 500
python3 -c "
b = bytearray(open('../DAT/K5dat02.k5d','rb').read()); b[1] ^= 1
open('../DAT/K5dat02.k5d','wb').write(bytes(b))"
before=$(md5sum < ../DAT/K5dat02.k5d)
err=$(./kamo-k5 list 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "list of an unknown format must exit 1 (got $rc)"
echo "$err" | grep -q "形式を判別できません（バージョン 460）" || fail "unknown format message: $err"
[ "$(md5sum < ../DAT/K5dat02.k5d)" = "$before" ] || fail "the unknown job was changed"
echo "1 passed, 0 failed"
