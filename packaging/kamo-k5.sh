#!/bin/bash
# KAMO-K5 for one user. Every user works in a KMD tree of their own: $KMD_ROOT
# when set, otherwise ~/KMD. The program finds its folders from where it lies
# (its PRG folder, the job folders beside it, the masters at the top of the
# tree), so the tree's PRG folder holds links to the installed program and
# archiver, and the program is started through that link, from PRG.
# The first start makes the tree (never over anything already there) and
# opens the sample job; the package's removal or upgrade leaves the tree alone.
set -euo pipefail

say() { printf 'kamo-k5: %s\n' "$*" >&2; }
die() {
  say "$*"
  exit 1
}

# The installed files, found from this launcher's own place (/usr, or a
# folder the package was unpacked into).
root="$(dirname "$(dirname "$(readlink -f "$0")")")"
lib="$root/lib/kamo-k5"
share="$root/share/kamo-k5"

case "${1:-}" in
  --help | -h | --version) exec "$lib/kamo-k5" "$@" ;;
esac
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  say "画面（DISPLAY・WAYLAND_DISPLAY）がありません。コマンドラインの使い方は kamo-k5 --help をご覧ください。"
  exit 1
fi

if [ -n "${KMD_ROOT:-}" ]; then
  kmd="$KMD_ROOT"
elif [ -n "${HOME:-}" ]; then
  kmd="$HOME/KMD"
else
  die "HOME も KMD_ROOT も設定されていません。作業フォルダ（KMD）を決められません。"
fi
# The tree keeps the name it is reached by: a KMD that is a link to a folder
# of another name (on another disk, say) is followed, not renamed.
kmd="$(realpath -m -s -- "$kmd")"
case "$(basename -- "$kmd" | tr '[:lower:]' '[:upper:]')" in
  KMD) ;;
  *)
    say "KMD_ROOT は KMD という名前のフォルダを指定してください：$kmd"
    exit 2
    ;;
esac

# Makes a folder of the tree (and those above it), or ends with a message
# naming it.
make_folder() {
  [ -d "$1" ] && return 0
  if [ -e "$1" ] || [ -L "$1" ]; then
    die "フォルダを作成できません（同じ名前のファイルがあります）：$1"
  fi
  mkdir -p -- "$1" 2>/dev/null || [ -d "$1" ] || die "フォルダを作成できません：$1"
}

# Copies an installed file into the tree unless the tree has one: through a
# scratch name and a rename, so a start that runs beside this one never sees
# half a file and never has its own copy overwritten.
copy_missing() { # $1: installed file, $2: its place in the tree
  [ -e "$2" ] || [ -L "$2" ] && return 0
  local scratch="$2.kamo-k5-$$"
  cp -- "$1" "$scratch" 2>/dev/null && { ln -- "$scratch" "$2" 2>/dev/null || mv -n -- "$scratch" "$2" 2>/dev/null; }
  rm -f -- "$scratch"
  [ -e "$2" ] || die "ファイルをコピーできません：$2"
}

# A link in PRG to an installed file. A file the user put there (a program
# built from source) stays; a link left pointing nowhere (the package was
# moved or reinstalled elsewhere) is mended.
link_program() { # $1: installed file, $2: the link
  if [ -L "$2" ] && [ ! -e "$2" ]; then
    ln -sfn -- "$1" "$2" 2>/dev/null || die "プログラムへのリンクを作成できません：$2"
  elif [ ! -e "$2" ] && [ ! -L "$2" ]; then
    ln -s -- "$1" "$2" 2>/dev/null || [ -L "$2" ] || die "プログラムへのリンクを作成できません：$2"
  fi
}

make_folder "$kmd"
# Two starts at once (a double click, two terminals) make the tree one after
# the other: the second waits for the first's set-up and then finds it done.
setup_lock="$kmd/.kamo-k5-setup.lock"
{ exec 9>>"$setup_lock"; } 2>/dev/null || die "作業フォルダに書き込めません：$setup_lock"
flock -w 120 9 || die "別の KAMO-K5 が作業フォルダを準備中です。しばらくしてから起動してください：$kmd"

# K5 is this program's part of the tree (other programs of the maker share
# KMD and its masters): when it is new, this is the first start in this tree.
# The mark stays until the first start's steps are all done, so a first
# start cut short is finished by the next one.
first_mark="$kmd/K5/.kamo-k5-first-start"
if [ ! -e "$kmd/K5" ] && [ ! -L "$kmd/K5" ]; then
  make_folder "$kmd/K5"
  : >"$first_mark" 2>/dev/null || die "作業フォルダに書き込めません：$first_mark"
fi
prg="$kmd/K5/PRG"
saved="$kmd/K5/保存データ"
for folder in "$kmd/MAS" "$prg" "$kmd/K5/DAT" "$saved"; do
  make_folder "$folder"
done

# The default masters the tree lacks; a master the user changed stays. The
# control file and the common values are the tree's own settings: the
# program makes them at its first start.
for master in "$share/MAS"/*; do
  copy_missing "$master" "$kmd/MAS/${master##*/}"
done

for name in kamo-k5 lha32; do
  link_program "$lib/$name" "$prg/$name"
done

if [ -e "$first_mark" ]; then
  sample="$saved/v02_サンプル.lzh"
  copy_missing "$share/v02_サンプル.lzh" "$sample"
  say "作業フォルダを作成しました：$kmd"
  # A new tree starts with the sample job, so there is a real job to look at.
  if [ ! -e "$kmd/K5/DAT/K5dat02.k5d" ] && [ ! -e "$kmd/K5/DAT/K5dat.k5d" ]; then
    if (cd -- "$prg" && "$prg/kamo-k5" open "$sample" >&2); then
      say "サンプル工事を開きました：$sample"
    fi
  fi
  rm -f -- "$first_mark"
fi
# The tree is ready: a start waiting for it goes on.
exec 9>&-

# The program runs from PRG; file names given relative to where the user
# is are made absolute first: the archive of open and save (and of a bare
# ARCHIVE.lzh), and the files of --pdf, --csv and --dxf.
args=()
previous=""
for argument in "$@"; do
  given="$argument"
  relative=0
  case "$argument" in
    /* | "" | -*) ;;
    *)
      case "${#args[@]}:$previous" in
        1:open | 1:save | *:--pdf | *:--csv | *:--dxf) relative=1 ;;
        0:*) case "${argument,,}" in *.lzh) relative=1 ;; esac ;;
      esac
      ;;
  esac
  [ "$relative" = 1 ] && argument="$PWD/$argument"
  args+=("$argument")
  previous="$given"
done

cd -- "$prg"
exec "$prg/kamo-k5" "${args[@]}"
