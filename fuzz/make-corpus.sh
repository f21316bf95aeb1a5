#!/usr/bin/env bash
# Fills the seed corpora of the fuzz targets:
#   fuzz/make-corpus.sh BRACKLE_CLI MAKE_SEEDS OUT
# OUT/ilbm, OUT/shape, OUT/oob and OUT/ini get the demo game's pictures, shape
# files, OOB files and BRVX.ini (written by `BRACKLE_CLI demo`), plus the
# hand-made seeds of MAKE_SEEDS. A shape seed starts with the byte that picks
# the image, so each demo shape file is copied with a few such bytes in front.
set -euo pipefail
cli=$1
seeds=$2
out=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$cli" demo "$tmp" >/dev/null

mkdir -p "$out/ilbm" "$out/shape" "$out/oob" "$out/ini"
find "$tmp" -type f -iname '*.obf' -exec cp {} "$out/oob/" \;
find "$tmp" -type f -iname 'brvx.ini' -exec cp {} "$out/ini/" \;
find "$tmp" -type f -iname '*.lbm' -exec cp {} "$out/ilbm/" \;
find "$tmp" -type f -iname '*.shp' -print0 | while IFS= read -r -d '' shp; do
    for image in 0 1 42 99; do
        { printf "\\$(printf %03o "$image")"; cat "$shp"; } >"$out/shape/$(basename "$shp").$image"
    done
done
"$seeds" "$out"
for target in ilbm shape oob ini; do
    echo "corpus $target: $(find "$out/$target" -type f | wc -l) seeds"
done
