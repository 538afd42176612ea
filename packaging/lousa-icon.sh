#!/bin/sh
# Remakes packaging/lousa.ico, the Windows program's icon, from lousa.svg:
# rsvg-convert (librsvg2-bin) draws each size, ImageMagick's convert joins
# them. The icon is kept in the tree, so a build needs neither tool.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 32 48 256; do
  rsvg-convert -w $size -h $size lousa.svg -o "$tmp/$size.png"
done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/256.png" -strip lousa.ico
