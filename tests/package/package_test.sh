#!/usr/bin/env bash
# The Debian package: built by scripts/package (one Release build, kept in
# build/package between runs), its files, its desktop and AppStream data, and
# its launcher unpacked into a scratch root and run as new users with no
# display: the user's KMD tree is made, the sample job lists, calculates and
# gives its report, and nothing of a user's tree is replaced.
set -u
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
fail() { echo "FAIL: $*"; exit 1; }

for tool in dpkg-deb dpkg-shlibdeps cpack file lintian desktop-file-validate appstreamcli rsvg-convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps installs it)"; exit 77; }
done

tmp=$(mktemp -d)
while echo "$tmp" | grep -qi -e prg -e kmd; do rmdir "$tmp"; tmp=$(mktemp -d); done
trap 'rm -rf "$tmp"' EXIT

CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-2}" "$source_dir/scripts/package" >"$tmp/package.log" 2>&1 ||
  { cat "$tmp/package.log"; fail "scripts/package"; }
deb="$(tail -n 1 "$tmp/package.log")"
case "$(basename "$deb")" in
  kamo-k5_*_"$(dpkg --print-architecture)".deb) ;;
  *) fail "package name: $deb" ;;
esac

# Exactly these files, and nothing outside the package's folders.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort >"$tmp/files"
{
  printf '%s\n' /usr/bin/kamo-k5 /usr/lib/kamo-k5/kamo-k5 /usr/lib/kamo-k5/lha32 \
    /usr/share/kamo-k5/v02_サンプル.lzh \
    /usr/share/applications/jp.kamo.k5.desktop /usr/share/applications/jp.kamo.k5.open.desktop \
    /usr/share/metainfo/jp.kamo.k5.metainfo.xml /usr/share/icons/hicolor/scalable/apps/kamo-k5.svg \
    /usr/share/man/man1/kamo-k5.1.gz /usr/share/bash-completion/completions/kamo-k5 \
    /usr/share/doc/kamo-k5/copyright /usr/share/doc/kamo-k5/changelog.gz
  for m in keyact.k5d m_Yce.k5d m_crmat.k5d m_sDBar.k5d m_sRBar.k5d m_sbar1.k5d; do echo "/usr/share/kamo-k5/MAS/$m"; done
  for s in 16 22 24 32 48 64 128 256; do echo "/usr/share/icons/hicolor/${s}x${s}/apps/kamo-k5.png"; done
} | sort >"$tmp/expected"
diff "$tmp/expected" "$tmp/files" >&2 || fail "the package's files differ from the expected list (< expected, > packaged)"
depends="$(dpkg-deb -f "$deb" Depends)"
for d in libqt6widgets6 liblhasa0 fonts-ipafont-mincho; do
  [[ "$depends" == *"$d"* ]] || fail "Depends lacks $d: $depends"
done

root="$tmp/root"
dpkg -x "$deb" "$root" || fail "dpkg -x"
for entry in "$root"/usr/share/applications/*.desktop; do
  desktop-file-validate "$entry" || fail "desktop-file-validate $(basename "$entry")"
done
grep -qx 'Name\[ja\]=KAMO-K5 基礎の設計' "$root/usr/share/applications/jp.kamo.k5.desktop" || fail "menu entry's name"
grep -q '^MimeType=application/x-lha;' "$root/usr/share/applications/jp.kamo.k5.open.desktop" || fail "no .lzh association"
appstreamcli validate --no-net "$root/usr/share/metainfo/jp.kamo.k5.metainfo.xml" >&2 || fail "appstreamcli validate"
[ "$(file -b --mime-type "$root/usr/share/icons/hicolor/48x48/apps/kamo-k5.png")" = image/png ] || fail "icon PNG"

launcher="$root/usr/bin/kamo-k5"
run_as() { # HOME, then the launcher's arguments; no display, KMD_ROOT only as $tree
  local home="$1"
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u KMD_ROOT HOME="$home" ${tree:+KMD_ROOT="$tree"} \
    "$launcher" "$@"
}

# --version needs no tree.
mkdir -p "$tmp/u0"
run_as "$tmp/u0" --version | grep -q '^KAMO-K5' || fail "--version"
[ ! -e "$tmp/u0/KMD" ] || fail "--version made a tree"

# First start of a new user: the tree, the sample job opened, then listed.
mkdir -p "$tmp/u1"
list="$(run_as "$tmp/u1" list 2>"$tmp/first.err")" || { cat "$tmp/first.err"; fail "first list"; }
kmd="$tmp/u1/KMD"
[ "$(tail -n +2 <<<"$list" | cut -f3 | sort | uniq -c | tr -s ' ')" = "$(printf ' 2 杭基礎\n 4 直接基礎')" ] ||
  fail "the sample job's list: $list"
grep -q '作業フォルダを作成しました' "$tmp/first.err" || fail "first start says nothing: $(cat "$tmp/first.err")"
for m in keyact.k5d m_Yce.k5d m_crmat.k5d m_sDBar.k5d m_sRBar.k5d m_sbar1.k5d m_ctrl.k5d m_comUse.k5d; do
  [ -s "$kmd/MAS/$m" ] || fail "master $m missing"
done
cmp -s "$kmd/MAS/m_sbar1.k5d" "$root/usr/share/kamo-k5/MAS/m_sbar1.k5d" || fail "default grade master"
for p in kamo-k5 lha32; do
  [ "$(readlink "$kmd/K5/PRG/$p")" = "$root/usr/lib/kamo-k5/$p" ] || fail "PRG/$p is no link to the installed file"
done
cmp -s "$kmd/K5/保存データ/v02_サンプル.lzh" "$root/usr/share/kamo-k5/v02_サンプル.lzh" || fail "sample archive"
# The folders derive from the link in PRG, not from the installed program's place.
iconv -f CP932 -t UTF-8 "$kmd/K5/DAT/runlog.rep" | tr -d '\r' | grep -qx "$kmd/K5/PRG" || fail "PRG folder in the trace log"

# Calculation and the report, with the file named relative to where the user is.
run_as "$tmp/u1" calc 2>/dev/null || fail "calc of the sample job"
mkdir -p "$tmp/u1/out"
(cd "$tmp/u1/out" && run_as "$tmp/u1" report --pdf 計算書.pdf >/dev/null 2>&1) || fail "report"
[ "$(head -c 5 "$tmp/u1/out/計算書.pdf")" = "%PDF-" ] || fail "no report PDF where the user asked"
(cd "$tmp/u1/out" && run_as "$tmp/u1" save v02_控え.lzh 2>/dev/null) || fail "save relative"
[ -s "$tmp/u1/out/v02_控え.lzh" ] || fail "saved archive not where the user asked"

# What the user keeps: masters, the job, archives and PRG, with times.
tree_state() {
  find "$1/MAS" "$1/K5/DAT/K5dat02.k5d" "$1/K5/保存データ" "$1/K5/PRG" \( -type f -o -type l \) \
    -printf '%p %s %T@ %l\n' | sort
}
# A second start replaces nothing: the calculated job and the masters stay.
tree_state "$kmd" >"$tmp/before"
run_as "$tmp/u1" list >/dev/null 2>"$tmp/second.err" || fail "second start"
tree_state "$kmd" >"$tmp/after"
diff "$tmp/before" "$tmp/after" >&2 || fail "the second start changed the tree"
[ ! -s "$tmp/second.err" ] || fail "second start: $(cat "$tmp/second.err")"

# A second user gets a tree of their own; the first one's is untouched.
mkdir -p "$tmp/u2"
run_as "$tmp/u2" list >/dev/null 2>&1 || fail "second user"
[ -e "$tmp/u2/KMD/K5/DAT/K5dat02.k5d" ] || fail "second user's job"
tree_state "$kmd" >"$tmp/after"
diff "$tmp/before" "$tmp/after" >&2 || fail "the second user changed the first one's tree"

# An existing tree (laid out as ./run installs it, the program a file in
# PRG): used as it is, no link, no sample.
own="$tmp/own/KMD"
mkdir -p "$own/MAS" "$own/K5/PRG" "$own/K5/DAT"
cp "$root/usr/lib/kamo-k5/kamo-k5" "$root/usr/lib/kamo-k5/lha32" "$own/K5/PRG/"
cp "$kmd/K5/DAT/K5dat02.k5d" "$own/K5/DAT/"
tree="$own" run_as "$tmp/u2" list >/dev/null 2>&1 || fail "list in an existing tree"
[ -f "$own/K5/PRG/kamo-k5" ] && [ ! -L "$own/K5/PRG/kamo-k5" ] || fail "the tree's own program was replaced"
[ ! -e "$own/K5/保存データ/v02_サンプル.lzh" ] || fail "sample put into an existing tree"
cmp -s "$own/K5/DAT/K5dat02.k5d" "$kmd/K5/DAT/K5dat02.k5d" || fail "existing tree's job replaced"

# Refusals: a KMD_ROOT not named KMD, the window without a display.
tree="$tmp/elsewhere" run_as "$tmp/u2" list >/dev/null 2>&1
[ $? -eq 2 ] || fail "KMD_ROOT not named KMD must exit 2"
[ ! -e "$tmp/elsewhere" ] || fail "a tree made under a wrong name"
err="$(run_as "$tmp/u2" 2>&1)"
[ $? -eq 1 ] && [[ "$err" == *"画面"* ]] || fail "no display: $err"
echo "1 passed, 0 failed"
