#!/usr/bin/env bash
# Reading commands (list, results, propose, export, report) write no file of
# the tree, whoever holds its lock: what their load repairs stays in memory.
# The lock cannot be switched off by what stands in its file's place, and no
# read waits on a FIFO put where a file belongs.
set -u
program="$1"
source "$(dirname "$0")/footing_job.sh"
out="$tmp/out"
mkdir -p "$out"
write_job 1500
./kamo-k5 calc >/dev/null 2>&1 || fail "calc"
# A stored bar pitch of 0: every load repairs it to 200 (results kept).
python3 -c "
import struct
b = bytearray(open('../DAT/K5dat02.k5d','rb').read())
struct.pack_into('<f', b, 274 + 4 * 30, 0.0)
open('../DAT/K5dat02.k5d','wb').write(bytes(b))"
snapshot() { (cd .. && find DAT ../MAS 保存データ -printf '%p %s %T@\n' 2>/dev/null | sort; md5sum DAT/K5dat02.k5d); }

# Another program holds the tree all along; no reader waits for it or writes.
flock ../DAT/kamo-k5.lock sleep 60 &
holder=$!
sleep 0.3
before=$(snapshot)
commands=("list" "results" "results --csv $out/r.csv" "propose" "export --dxf $out/s.dxf" "report --pdf $out/r.pdf")
for command in "${commands[@]}"; do
    start=$(date +%s)
    timeout 60 ./kamo-k5 $command >"$out/stdout" 2>"$out/stderr"; rc=$?
    [ $rc -eq 0 ] || fail "$command beside a lock holder exited $rc: $(cat "$out/stderr")"
    [ $(( $(date +%s) - start )) -lt 3 ] || fail "$command waited for the lock"
    [ "$(snapshot)" = "$before" ] || fail "$command wrote into the tree: $(diff <(echo "$before") <(snapshot))"
done
grep -q $'\t200\t' <(./kamo-k5 list) || fail "list does not show the repaired pitch"
pkill -P $holder 2>/dev/null; kill $holder 2>/dev/null; wait $holder 2>/dev/null
# The repair reaches the file through the next command that holds the tree.
./kamo-k5 calc >/dev/null 2>&1 || fail "calc after the readers"
python3 -c "
import struct, sys
b = open('../DAT/K5dat02.k5d','rb').read()
sys.exit(struct.unpack_from('<f', b, 274 + 4 * 30)[0] != 200)" || fail "calc did not keep the repaired pitch"

# The lock file must be a plain file: a link (even to a lock file), a folder,
# a FIFO or an unreadable file refuse every changing command at once, named.
echo precious > "$tmp/elsewhere.lock"
plant() {
    rm -rf ../DAT/kamo-k5.lock
    case "$1" in
    link) ln -s "$tmp/elsewhere.lock" ../DAT/kamo-k5.lock ;;
    folder) mkdir ../DAT/kamo-k5.lock ;;
    fifo) mkfifo ../DAT/kamo-k5.lock ;;
    unreadable) : > ../DAT/kamo-k5.lock; chmod 000 ../DAT/kamo-k5.lock ;;
    esac
}
kinds=(link folder fifo)
[ "$(id -u)" -ne 0 ] && kinds+=(unreadable)
before=$(md5sum <../DAT/K5dat02.k5d)
for kind in "${kinds[@]}"; do
    plant $kind
    for command in calc "propose --apply" "open $tmp/none.lzh" "save $out/a.lzh" import; do
        err=$(timeout 20 ./kamo-k5 $command 2>&1 >/dev/null); rc=$?
        [ $rc -eq 1 ] || fail "$command with a lock file that is a $kind must exit 1 (got $rc)"
        echo "$err" | grep -q "ロックファイルを使用できません" || fail "$command, $kind lock: $err"
        echo "$err" | grep -qF "$tmp/KMD/K5/DAT/kamo-k5.lock" || fail "the lock file is not named: $err"
    done
    [ "$(md5sum <../DAT/K5dat02.k5d)" = "$before" ] || fail "a refused start changed the job ($kind)"
    [ -e "$out/a.lzh" ] && fail "save ran beside a $kind lock"
done
[ "$(cat "$tmp/elsewhere.lock")" = precious ] || fail "the linked file was written"
chmod 600 ../DAT/kamo-k5.lock 2>/dev/null; rm -rf ../DAT/kamo-k5.lock

# A FIFO where a file belongs is refused or passed over at once, never waited on:
# the side file of an empty job, the job file itself, a master, the import's input.
: > ../DAT/K5dat02.k5d
mkfifo ../DAT/K5dat02.k5i
for command in list results propose "export --dxf $out/f.dxf" "report --pdf $out/f.pdf" calc; do
    timeout 20 ./kamo-k5 $command >/dev/null 2>&1
    [ $? -eq 124 ] && fail "$command hangs on a FIFO as the job's side file"
done
rm ../DAT/K5dat02.k5i
rm ../DAT/K5dat02.k5d && mkfifo ../DAT/K5dat02.k5d
for command in list results propose calc; do
    err=$(timeout 20 ./kamo-k5 $command 2>&1 >/dev/null); rc=$?
    [ $rc -eq 1 ] || fail "$command on a FIFO as the job file must exit 1 (got $rc)"
    echo "$err" | grep -q "基礎データのファイルを読み込めません" || fail "$command, FIFO job: $err"
done
rm ../DAT/K5dat02.k5d && write_job 1500
for master in m_sbar1.k5d m_Yce.k5d m_font.k5d; do
    mv "../../MAS/$master" "$tmp/$master.kept" 2>/dev/null
    mkfifo "../../MAS/$master"
    err=$(timeout 20 ./kamo-k5 list 2>&1 >/dev/null); rc=$?
    [ $rc -eq 1 ] || fail "list with a FIFO as $master must exit 1 (got $rc)"
    echo "$err" | grep -qF "$master" || fail "the FIFO master is not named: $err"
    rm "../../MAS/$master"
    mv "$tmp/$master.kept" "../../MAS/$master" 2>/dev/null
done
# Settings files the program reads beside the masters: a FIFO there is passed
# over as a missing file, never waited on.
for settings in k5sizing.txt k5window.txt; do
    mkfifo "../../MAS/$settings"
    timeout 20 ./kamo-k5 propose >/dev/null 2>&1
    [ $? -eq 124 ] && fail "propose hangs on a FIFO as $settings"
    rm "../../MAS/$settings"
done
echo "1 passed, 0 failed"
