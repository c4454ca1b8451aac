#!/usr/bin/env bash
# Removes what tools/install.sh put into PREFIX (below $DESTDIR when set):
# the files of PREFIX/share/quillmere/install_manifest.txt, then the folders
# that install made, where they are empty now. Works without the build folder.
# Usage: tools/uninstall.sh PREFIX
set -euo pipefail

die() { echo "uninstall: $*" >&2; exit 1; }
[ $# = 1 ] || die "usage: $0 PREFIX"
prefix=${1%/}
case "$prefix" in /*) ;; *) die "PREFIX must be an absolute path, not '$1'" ;; esac
root="${DESTDIR:-}$prefix"
manifest="$root/share/quillmere/install_manifest.txt"
[ -f "$manifest" ] || die "no $manifest: make install put nothing into $prefix"

files=()
folders=()
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
        '' | '#'*) continue ;;
        /* | .. | ../* | */.. | */../*) die "$manifest: refusing the path '$line'" ;;
        ./) folders+=("") ;;   # the prefix itself
        */) folders+=("${line%/}") ;;
        *) files+=("$line") ;;
    esac
done <"$manifest"

for f in "${files[@]}"; do
    if [ -f "$root/$f" ] || [ -L "$root/$f" ]; then
        rm -f -- "$root/$f" && echo "removed $root/$f"
    fi
done

if [ -z "${DESTDIR:-}" ]; then
    applications="$prefix/share/applications"
    # The MIME cache that install made or refreshed: rebuilt for the entries
    # that are left, and gone with the last of them.
    if [ -n "$(find "$applications" -name '*.desktop' -print -quit 2>/dev/null)" ]; then
        ! command -v update-desktop-database >/dev/null || update-desktop-database -q "$applications"
    else
        rm -f "$applications/mimeinfo.cache"
    fi
    theme="$prefix/share/icons/hicolor"
    if [ -f "$theme/index.theme" ] && command -v gtk-update-icon-cache >/dev/null; then
        gtk-update-icon-cache -q "$theme"
    fi
fi

# Deepest first; a folder that holds something else now stays.
if [ ${#folders[@]} -gt 0 ]; then
    printf '%s\n' "${folders[@]}" | LC_ALL=C sort -r | while IFS= read -r d; do
        path="$root${d:+/$d}"
        if rmdir -- "$path" 2>/dev/null; then echo "removed $path/"; fi
    done
fi
