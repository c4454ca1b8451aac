#!/usr/bin/env bash
# make install and make uninstall, through the scripts they run, into
# temporary prefixes: the files land where a desktop looks for them, folders
# are offered "Open with" quillmere at once, and uninstall, run from a tree
# with no build folder, takes away exactly what the install brought.
set -euo pipefail
: "${QM_BUILD_DIR:?}" "${QM_SOURCE_DIR:?}"
fail() { echo "FAIL: $*" >&2; exit 1; }
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# make uninstall as after make clean: the Makefile and tools alone.
mkdir "$tmp/tree"
cp -r "$QM_SOURCE_DIR/Makefile" "$QM_SOURCE_DIR/tools" "$tmp/tree/"
uninstall_from() { DESTDIR="${DESTDIR:-}" make -s -C "$tmp/tree" uninstall PREFIX="$1" >/dev/null; }
install_into() { "$QM_SOURCE_DIR/tools/install.sh" "$QM_BUILD_DIR" "$1" >/dev/null; }
listing() { (cd "$1" && find . | sed 's|^\./||' | LC_ALL=C sort); }
has_mime_tool=$(command -v update-desktop-database || true)
[ -n "$has_mime_tool" ] || echo "note: no update-desktop-database: the MIME cache is not checked"

# A prefix that does not exist yet: every file in place, and all of it gone again.
fresh="$tmp/fresh/prefix"
mkdir "$tmp/fresh"
install_into "$fresh"
expected="bin/quillmere
bin/quillmere-undo
share/applications/quillmere.desktop
share/icons/hicolor/scalable/apps/quillmere.svg
share/man/man1/quillmere-undo.1.gz
share/man/man1/quillmere.1.gz
share/metainfo/io.github.quillmere.metainfo.xml
share/quillmere/install_manifest.txt"
installed=$(cd "$fresh" && find . -type f ! -name mimeinfo.cache | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files differ:$(diff <(echo "$expected") <(echo "$installed"))"
if [ -n "$has_mime_tool" ]; then
    grep -q '^inode/directory=.*quillmere\.desktop' "$fresh/share/applications/mimeinfo.cache" \
        || fail "the MIME cache does not offer quillmere for folders"
    # What a Gio file manager lists under "Open with" for a folder.
    if command -v gio >/dev/null; then
        offered=$(HOME="$tmp" XDG_CONFIG_HOME="$tmp" XDG_DATA_HOME="$fresh/share" XDG_DATA_DIRS="$tmp/none" \
            PATH="$fresh/bin:$PATH" gio mime inode/directory 2>&1 || true)
        grep -q '^	quillmere\.desktop$' <<<"$offered" || fail "gio does not offer quillmere for folders: $offered"
    fi
fi
install_into "$fresh"   # a second install keeps the first one's folders on the list
uninstall_from "$fresh"
[ ! -e "$fresh" ] || fail "left behind in a fresh prefix: $(listing "$fresh")"

# A prefix in use: what was there before stays, the caches forget quillmere.
used="$tmp/used"
mkdir -p "$used/bin" "$used/share/applications" "$used/share/icons/hicolor"
touch "$used/bin/other" "$used/share/icons/hicolor/index.theme"
sed 's/^Exec=.*/Exec=other %f/' "$QM_SOURCE_DIR/data/quillmere.desktop" >"$used/share/applications/other.desktop"
before=$(listing "$used")
install_into "$used"
if command -v gtk-update-icon-cache >/dev/null; then
    [ -f "$used/share/icons/hicolor/icon-theme.cache" ] || fail "no icon cache made beside index.theme"
    rm "$used/share/icons/hicolor/icon-theme.cache"
else
    echo "note: no gtk-update-icon-cache: the icon cache is not checked"
fi
uninstall_from "$used"
if [ -n "$has_mime_tool" ]; then
    ! grep -q quillmere "$used/share/applications/mimeinfo.cache" || fail "the MIME cache still names quillmere"
    rm "$used/share/applications/mimeinfo.cache"
fi
after=$(listing "$used")
[ "$after" = "$before" ] || fail "a used prefix changed:$(diff <(echo "$before") <(echo "$after"))"

# Staged: everything below DESTDIR, no cache made, nothing run on this machine.
stage="$tmp/stage"
host_cache=/usr/local/share/applications/mimeinfo.cache
host_before=$(stat -c %Y.%s "$host_cache" 2>/dev/null || echo none)
DESTDIR="$stage" install_into /usr/local
[ -f "$stage/usr/local/share/quillmere/install_manifest.txt" ] || fail "no manifest in the staged prefix"
[ ! -e "$stage/usr/local/share/applications/mimeinfo.cache" ] || fail "a staged install made a MIME cache"
[ "$(stat -c %Y.%s "$host_cache" 2>/dev/null || echo none)" = "$host_before" ] \
    || fail "a staged install touched $host_cache"
DESTDIR="$stage" uninstall_from /usr/local
[ -z "$(find "$stage" -mindepth 1 ! -type d)" ] || fail "left in the stage: $(find "$stage" ! -type d)"

# Without a manifest there is nothing to remove, and it says so.
! uninstall_from "$tmp/nothing" 2>/dev/null || fail "uninstall from an empty prefix succeeded"
echo ok
