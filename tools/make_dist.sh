#!/bin/bash
# Builds the distribution archive: setup, the program image quillmere.$_$
# (the built quillmere program) and readme.txt, side by side at the top of
# the archive.
# Usage: tools/make_dist.sh BUILD_DIR [ARCHIVE]   (default BUILD_DIR/quillmere.zip)
set -euo pipefail

die() { echo "make_dist: $*" >&2; exit 1; }

[ $# -ge 1 ] && [ $# -le 2 ] || die "usage: $0 BUILD_DIR [ARCHIVE]"
build=$(cd "$1" 2>/dev/null && pwd) || die "no build folder '$1'"
source_dir=$(cd "$(dirname "$0")/.." && pwd)
archive=${2:-$build/quillmere.zip}
case "$archive" in /*) ;; *) archive="$PWD/$archive" ;; esac

setup_bin="$build/bin/setup"
program_bin="$build/bin/quillmere"
readme="$source_dir/dist/readme.txt"
[ -x "$setup_bin" ] || die "$setup_bin is missing: build the 'setup' target first"
[ -x "$program_bin" ] || die "$program_bin is missing: build the 'quillmere' target first"
[ -f "$readme" ] || die "$readme is missing"
command -v zip >/dev/null || die "zip is not installed (make deps)"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# cp -p keeps the execute bits; zip stores them and unzip restores them, and
# the installed program inherits the image's bits.
cp -p "$setup_bin" "$stage/setup"
cp -p "$program_bin" "$stage/quillmere.\$_\$"
cp "$readme" "$stage/readme.txt"
chmod 755 "$stage/setup" "$stage/quillmere.\$_\$"
chmod 644 "$stage/readme.txt"

rm -f "$archive"
(cd "$stage" && zip -q -X "$archive" setup "quillmere.\$_\$" readme.txt)
echo "$archive"
