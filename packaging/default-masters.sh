#!/usr/bin/env bash
# Writes the default masters the package ships: the program's own start-up
# makes them in a scratch KMD tree, and they are copied to OUTPUT. The control
# file and the common values stay out: they are each tree's own settings,
# made by the program at the first start in that tree.
# Usage: default-masters.sh PROGRAM OUTPUT
set -euo pipefail
program="$1"
output="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/KMD/MAS" "$scratch/KMD/K5/PRG"
cp "$program" "$scratch/KMD/K5/PRG/kamo-k5"
# A reading command makes no file in the tree, so the masters come from a
# command that holds the tree: a calculation of the empty job, which has
# nothing to calculate and says so.
(cd "$scratch/KMD/K5/PRG" && QT_QPA_PLATFORM=offscreen ./kamo-k5 calc >/dev/null 2>&1) || true
[ -f "$scratch/KMD/MAS/m_sbar1.k5d" ] || { echo "default-masters.sh: the program made no masters" >&2; exit 1; }
rm -rf "$output"
mkdir -p "$output"
for master in "$scratch/KMD/MAS"/*.k5d; do
  case "${master##*/}" in
    m_ctrl.k5d | m_comUse.k5d) ;;
    *) cp "$master" "$output/" ;;
  esac
done
chmod 0644 "$output"/*
