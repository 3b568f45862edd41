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
  say "HOME も KMD_ROOT も設定されていません。作業フォルダ（KMD）を決められません。"
  exit 1
fi
kmd="$(realpath -m -- "$kmd")"
case "$(basename -- "$kmd" | tr '[:lower:]' '[:upper:]')" in
  KMD) ;;
  *)
    say "KMD_ROOT は KMD という名前のフォルダを指定してください：$kmd"
    exit 2
    ;;
esac

# K5 is this program's part of the tree (other programs of the maker share
# KMD and its masters): when it is new, this is the first start in this tree.
mkdir -p -- "$kmd"
first=0
mkdir -- "$kmd/K5" 2>/dev/null && first=1
prg="$kmd/K5/PRG"
saved="$kmd/K5/保存データ"
mkdir -p -- "$kmd/MAS" "$prg" "$kmd/K5/DAT" "$saved"

# The default masters the tree lacks; a master the user changed stays. The
# control file and the common values are the tree's own settings: the
# program makes them at its first start.
for master in "$share/MAS"/*; do
  [ -e "$kmd/MAS/${master##*/}" ] || cp -- "$master" "$kmd/MAS/"
done

# The program and the archiver in PRG: links to the installed files. A file
# the user put there (a program built from source) stays; a link left
# pointing nowhere (the package was moved or reinstalled elsewhere) is mended.
for name in kamo-k5 lha32; do
  link="$prg/$name"
  if [ -L "$link" ] && [ ! -e "$link" ]; then
    ln -sfn -- "$lib/$name" "$link"
  elif [ ! -e "$link" ] && [ ! -L "$link" ]; then
    ln -s -- "$lib/$name" "$link"
  fi
done

if [ "$first" = 1 ]; then
  sample="$saved/v02_サンプル.lzh"
  [ -e "$sample" ] || cp -- "$share/v02_サンプル.lzh" "$sample"
  say "作業フォルダを作成しました：$kmd"
  # A new tree starts with the sample job, so there is a real job to look at.
  if [ ! -e "$kmd/K5/DAT/K5dat02.k5d" ] && [ ! -e "$kmd/K5/DAT/K5dat.k5d" ]; then
    if (cd "$prg" && "$prg/kamo-k5" open "$sample" >&2); then
      say "サンプル工事を開きました：$sample"
    fi
  fi
fi

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
