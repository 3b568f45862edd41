#!/usr/bin/env bash
# kamo-k5 calc: the calculation run on the job in DAT, its messages on stderr.
set -u
program="$1"
source "$(dirname "$0")/footing_job.sh"
err=$(./kamo-k5 calc 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "empty job must exit 1 (got $rc)"
[ "$err" = "計算対象となる有効なデータがありません　　　　" ] || fail "empty job: $err"

write_job 500
err=$(./kamo-k5 calc 2>&1 >/dev/null); rc=$?
[ $rc -eq 0 ] || fail "calc must exit 0 (got $rc): $err"
[ "$err" = "計算を終了しました。　　　" ] || fail "finish message: $err"
[ "$(single 22 1)" = 581 ] || fail "ΣN = N' + ① + ②: $(single 22 1)"
[ "$(single 37 1)" = 187.5 ] || fail "Q: $(single 37 1)"

# An NG foundation is counted after the finish message.
write_job 1500
err=$(./kamo-k5 calc 2>&1 >/dev/null); rc=$?
[ $rc -eq 0 ] || fail "an NG job calculates (got $rc): $err"
[ "$err" = $'計算を終了しました。　　　\n\nNG：1 基礎（計算結果一覧で確認できます）' ] || fail "NG count: $err"

write_job 0
err=$(./kamo-k5 calc 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "a failing check must exit 1 (got $rc)"
[ "$err" = "ﾃﾞｰﾀNo 1: 長期軸力=0 となっています。　　　" ] || fail "check message: $err"
echo "1 passed, 0 failed"
