#!/usr/bin/env bash
# Installs a build into PREFIX (below $DESTDIR when that is set, for a staged
# install) and records what it put there, relative to the prefix, in
# PREFIX/share/quillmere/install_manifest.txt: the files, and the folders
# this install made (ending in /). tools/uninstall.sh needs nothing else.
# A direct install then refreshes the desktop's caches, so that file managers
# offer quillmere on folders at once; a staged one runs nothing on the host.
# Usage: tools/install.sh BUILD_DIR PREFIX
set -euo pipefail

die() { echo "install: $*" >&2; exit 1; }
[ $# = 2 ] || die "usage: $0 BUILD_DIR PREFIX"
build=$1
prefix=${2%/}
case "$prefix" in /*) ;; *) die "PREFIX must be an absolute path, not '$2'" ;; esac
root="${DESTDIR:-}$prefix"
manifest_name=share/quillmere/install_manifest.txt
manifest="$root/$manifest_name"

# A staged copy first, to learn which files come and which of their folders
# do not exist yet.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >/dev/null
mkdir -p "$stage$prefix/$(dirname "$manifest_name")"
: >"$stage$prefix/$manifest_name"

entries=$(
    [ -d "$root" ] || echo "./"
    cd "$stage$prefix"
    find . -mindepth 1 -type d | sed 's|^\./||' | while IFS= read -r d; do
        [ -d "$root/$d" ] || echo "$d/"
    done
    find . -type f | sed 's|^\./||'
    # What an earlier install here made stays on the list.
    [ ! -f "$manifest" ] || grep -v '^#' "$manifest"
)

cmake --install "$build" --prefix "$prefix"
mkdir -p "$(dirname "$manifest")"
{
    echo "# Installed by quillmere's make install: paths relative to the prefix; folders end in /."
    LC_ALL=C sort -u <<<"$entries"
} >"$manifest"
echo "-- Manifest: $manifest"

[ -z "${DESTDIR:-}" ] || exit 0
applications="$prefix/share/applications"
if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$applications"
else
    echo "note: update-desktop-database is missing (desktop-file-utils): 'Open with' may not list quillmere until the next login" >&2
fi
theme="$prefix/share/icons/hicolor"
if [ -f "$theme/index.theme" ] && command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q "$theme"
fi
