#!/usr/bin/env bash
# Scratch names and targets on real files, and the tree's lock between two
# processes: no fixed scratch name is trusted, only a regular file the user
# named is replaced, one program changes the tree at a time, and what a
# killed run left is removed at the next start.
set -u
program="$1"
source "$(dirname "$0")/footing_job.sh"
write_job 500
out="$tmp/out"
mkdir -p "$out"
echo precious > "$tmp/precious.txt"

# The calculation's result never goes through a link planted at the name
# earlier versions wrote it to first.
ln -s "$tmp/precious.txt" ../DAT/K5dat02.k5d_dum
./kamo-k5 calc >/dev/null 2>&1 || fail "calc beside a planted link"
[ "$(cat "$tmp/precious.txt")" = precious ] || fail "calc wrote through a planted link"
[ -L ../DAT/K5dat02.k5d_dum ] || fail "calc replaced the planted link"
rm ../DAT/K5dat02.k5d_dum

# The names earlier versions wrote first: a user's file and a planted link
# stay as they are, and the report arrives whole.
echo "user's own file" > "$out/r.pdf.part"
ln -s "$tmp/precious.txt" "$out/s.pdf.part"
./kamo-k5 report --pdf "$out/r.pdf" >/dev/null 2>&1 || fail "report beside a user's .part file"
./kamo-k5 report --pdf "$out/s.pdf" >/dev/null 2>&1 || fail "report beside a planted link"
[ "$(cat "$out/r.pdf.part")" = "user's own file" ] || fail "the user's r.pdf.part was destroyed"
[ -L "$out/s.pdf.part" ] || fail "the planted link was replaced"
[ "$(cat "$tmp/precious.txt")" = precious ] || fail "a file was written through a planted link"
[ "$(head -c 5 "$out/s.pdf")" = "%PDF-" ] || fail "the report did not arrive"
ls -A "$out" | grep -q '^\.k5' && fail "a scratch file was left beside the report: $(ls -A "$out")"

# A target that is not a regular file is refused and stays what it was.
mkfifo "$out/pipe.pdf"
mkdir "$out/dir.pdf"
for target in "$out/pipe.pdf" "$out/dir.pdf"; do
    err=$(timeout 60 ./kamo-k5 report --pdf "$target" 2>&1 >/dev/null); rc=$?
    [ $rc -eq 1 ] || fail "report onto $target must exit 1 (got $rc)"
    echo "$err" | grep -q "ファイルではない" || fail "message for $target: $err"
done
[ -p "$out/pipe.pdf" ] || fail "the FIFO was replaced"
[ -d "$out/dir.pdf" ] || fail "the folder was replaced"

# Smaller refusals: a page range running backwards to 0, a save without a
# file name, a data folder that cannot be made.
err=$(./kamo-k5 report --pdf "$out/back.pdf" --pages 2-0 2>&1 >/dev/null); rc=$?
[ $rc -eq 2 ] || fail "--pages 2-0 must be refused like 3-2 (got $rc)"
[ -e "$out/back.pdf" ] && fail "a refused range wrote a report"
err=$(./kamo-k5 save "$out/" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "save without a file name must exit 1 (got $rc)"
echo "$err" | grep -q "ファイル名がありません" || fail "save DIR/ message: $err"
[ -e "$out/.lzh" ] && fail "save DIR/ wrote a hidden .lzh"
mv ../DAT ../DAT.kept && : > ../DAT
err=$(./kamo-k5 list 2>&1 >/dev/null); rc=$?
rm ../DAT && mv ../DAT.kept ../DAT
[ $rc -eq 1 ] || fail "a data folder that cannot be made must exit 1 (got $rc)"
echo "$err" | grep -q "工事データのフォルダを作れません" || fail "missing DAT message: $err"

# The tree's lock: while another program holds it, a changing command waits
# and then refuses with the job byte for byte; a reading one goes on.
before=$(md5sum < ../DAT/K5dat02.k5d)
flock ../DAT/kamo-k5.lock sleep 8 &
holder=$!
sleep 0.5
start=$(date +%s)
err=$(./kamo-k5 calc 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "calc while the tree is locked must exit 1 (got $rc)"
[ "$err" = "別の KAMO-K5 がこの工事データを使用中です" ] || fail "busy message: $err"
[ $(( $(date +%s) - start )) -ge 2 ] || fail "the second program should wait a few seconds first"
./kamo-k5 list >/dev/null 2>&1 || fail "list needs no lock"
[ "$(md5sum < ../DAT/K5dat02.k5d)" = "$before" ] || fail "the refused command changed the job"
pkill -P $holder 2>/dev/null; kill $holder 2>/dev/null; wait $holder 2>/dev/null

# A holder that finishes within the wait: the second command then runs.
flock ../DAT/kamo-k5.lock sleep 1 &
holder=$!
sleep 0.3
./kamo-k5 calc >/dev/null 2>&1 || fail "calc after the other program finished"
wait $holder

# What a killed run left in the tree is removed at the next changing start
# (a killed calc's scratch job); a reading start leaves it (it holds no
# lock). Entries the program cannot prove its own stay: a user's files and
# folders of like names and the names of earlier versions.
python3 -c "b = open('../DAT/K5dat02.k5d','rb').read(); open('../DAT/K5dat02.k5d','wb').write(b * 40000)"
./kamo-k5 calc >/dev/null 2>&1 &
calc=$!
for _ in $(seq 400); do ls -A ../DAT | grep -q "^\.k5tmp-$calc-" && break; sleep 0.02; done
kill -9 $calc; wait $calc 2>/dev/null
left=$(ls -A ../DAT | grep "^\.k5tmp-$calc-") || fail "the killed calc's scratch job was not seen"
mkdir -p ../DAT/.k5open-AbCdEf/x ../DAT/.k5save-backup ../DAT/.k5open-photos
echo part > ../DAT/.k5open-AbCdEf/x/K5dat02.k5d
echo thesis > ../DAT/.k5save-backup/thesis.txt
echo photo > ../DAT/.k5open-photos/a.jpg
echo notes > ../DAT/.k5tmp-notes12345
echo half > ../DAT/.k5tmp-Killed0001
echo half > ../DAT/K5dat02.k5d_dum
./kamo-k5 list >/dev/null 2>&1
[ -e "../DAT/$left" ] || fail "a reading command removed files without the lock"
write_job 500
./kamo-k5 calc >/dev/null 2>&1 || fail "calc after a killed run"
[ -e "../DAT/$left" ] && fail "the killed calc's scratch job was not cleaned up"
for kept in .k5open-AbCdEf/x/K5dat02.k5d .k5save-backup/thesis.txt .k5open-photos/a.jpg .k5tmp-notes12345 \
    .k5tmp-Killed0001 K5dat02.k5d_dum; do
    [ -f "../DAT/$kept" ] || fail "$kept is not the program's to remove"
done
rm -rf ../DAT/.k5open-AbCdEf ../DAT/.k5save-backup ../DAT/.k5open-photos ../DAT/.k5tmp-* ../DAT/K5dat02.k5d_dum
# A save killed while the archiver runs: the archiver dies with it, and the
# scratch folder it left in the save folder goes at the next start.
mkdir -p ../保存データ
printf '#!/bin/sh\necho $$ > "%s/archiver.pid"\nexec sleep 30\n' "$tmp" > lha32
chmod +x lha32
./kamo-k5 save ../保存データ/killed.lzh >/dev/null 2>&1 &
saver=$!
for _ in $(seq 100); do [ -s "$tmp/archiver.pid" ] && break; sleep 0.1; done
[ -s "$tmp/archiver.pid" ] || fail "the archiver was not started"
ls -A ../保存データ | grep -q '^\.k5save-' || fail "the save's scratch folder is missing"
kill -9 $saver; wait $saver 2>/dev/null
for _ in $(seq 50); do kill -0 "$(cat "$tmp/archiver.pid")" 2>/dev/null || break; sleep 0.1; done
kill -0 "$(cat "$tmp/archiver.pid")" 2>/dev/null && fail "the archiver outlived the killed program"
./kamo-k5 calc >/dev/null 2>&1 || fail "calc after a killed save"
ls -A ../保存データ | grep -q '^\.k5save-' && fail "the killed save's scratch folder is still there"
[ -e ../保存データ/killed.lzh ] && fail "the killed save left an archive"
echo "1 passed, 0 failed"
