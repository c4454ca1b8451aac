#!/usr/bin/env bash
# Both manual pages pass groff with every warning on, render through man and
# have a NAME line that whatis can index.
set -euo pipefail
: "${QM_SOURCE_DIR:?}"
for page in "$QM_SOURCE_DIR"/man/quillmere.1 "$QM_SOURCE_DIR"/man/quillmere-undo.1; do
    name=$(basename "$page" .1)
    warnings=$(groff -k -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || { echo "FAIL: groff on $name: $warnings" >&2; exit 1; }
    shown=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1)
    grep -q "^SYNOPSIS" <<<"$shown" && ! grep -q "warning" <<<"$shown" \
        || { echo "FAIL: man -l $name:"; echo "$shown"; exit 1; } >&2
    lexgrog "$page" | grep -q "\"$name - " || { echo "FAIL: whatis cannot read the NAME of $name" >&2; exit 1; }
done
echo ok
