#!/usr/bin/env bash
# cmake --install of this build into a fresh prefix puts exactly the programs,
# the desktop files and the manual pages where a desktop looks for them, and
# the installed quillmere runs.
set -euo pipefail
: "${QM_BUILD_DIR:?}" "${QM_VERSION:?}"
fail() { echo "FAIL: $*" >&2; exit 1; }
prefix=$(mktemp -d); trap 'rm -rf "$prefix"' EXIT

cmake --install "$QM_BUILD_DIR" --prefix "$prefix" >/dev/null || fail "cmake --install: status $?"
expected="bin/quillmere
bin/quillmere-undo
bin/setup
share/applications/quillmere.desktop
share/icons/hicolor/scalable/apps/quillmere.svg
share/man/man1/quillmere-undo.1
share/man/man1/quillmere.1
share/metainfo/io.github.quillmere.metainfo.xml"
installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files differ:$(diff <(echo "$expected") <(echo "$installed"))"

out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quillmere" --version) \
    || fail "installed quillmere --version: status $?"
[ "$out" = "quillmere $QM_VERSION" ] || fail "installed quillmere --version printed '$out'"
echo ok
