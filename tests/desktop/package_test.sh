#!/usr/bin/env bash
# The programs build with BUILD_TESTING=OFF while the test tool chain is
# hidden from CMake, and CPack makes the Debian package from that build: its
# files, its control fields, and lintian's verdict where lintian is installed.
# The build folder stays in the test build, so a second run is quick.
set -euo pipefail
: "${QM_BUILD_DIR:?}" "${QM_SOURCE_DIR:?}" "${QM_VERSION:?}"
fail() { echo "FAIL: $*" >&2; exit 1; }
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
build="$QM_BUILD_DIR/programs-only"

# No build type: the fastest compile, and the package needs nothing more.
cmake -S "$QM_SOURCE_DIR" -B "$build" -G Ninja -DBUILD_TESTING=OFF -DQM_E2E=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$tmp/log" 2>&1 || fail "configure: $(cat "$tmp/log")"
looked_for=$(grep -E '^(GTest|benchmark|Qt6Test)_DIR:' "$build/CMakeCache.txt" || true)
[ -z "$looked_for" ] || fail "the test tool chain was looked for: $looked_for"
cmake --build "$build" --target quillmere quillmere-undo setup manual_pages debian_changelog >"$tmp/log" 2>&1 \
    || fail "build: $(tail -n 30 "$tmp/log")"

for tool in dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null || { echo "note: no $tool (make deps): the package is not checked"; exit 0; }
done
rm -f "$build"/quillmere_*.deb
(cd "$build" && cpack -G DEB) >"$tmp/log" 2>&1 || fail "cpack: $(cat "$tmp/log")"
deb="$build/quillmere_$QM_VERSION-1_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$build"/*.deb 2>&1)"

# Every file with its mode; no setup, nothing else. (lintian holds owners,
# folder modes and stripping.)
expected="./usr/bin/quillmere -rwxr-xr-x
./usr/bin/quillmere-undo -rwxr-xr-x
./usr/share/applications/quillmere.desktop -rw-r--r--
./usr/share/doc/quillmere/changelog.Debian.gz -rw-r--r--
./usr/share/doc/quillmere/copyright -rw-r--r--
./usr/share/icons/hicolor/scalable/apps/quillmere.svg -rw-r--r--
./usr/share/lintian/overrides/quillmere -rw-r--r--
./usr/share/man/man1/quillmere-undo.1.gz -rw-r--r--
./usr/share/man/man1/quillmere.1.gz -rw-r--r--
./usr/share/metainfo/io.github.quillmere.metainfo.xml -rw-r--r--"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6, $1 }' | LC_ALL=C sort)
[ "$files" = "$expected" ] || fail "package files differ:$(diff <(echo "$expected") <(echo "$files"))"

# Control fields: field|pattern its value must match.
while IFS='|' read -r field pattern; do
    value=$(dpkg-deb -f "$deb" "$field")
    grep -qE -- "$pattern" <<<"$value" || fail "$field is '$value'"
done <<ROWS
Package|^quillmere\$
Version|^$QM_VERSION-1\$
Architecture|^$(dpkg --print-architecture)\$
Section|^utils\$
Depends|(^|, )fonts-ipafont-gothic \| fonts-noto-cjk(,|\$)
Depends|libqt6widgets6 \(>=
Description|^batch file renamer
Description|一括で変更
ROWS

members=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -v '/$' | LC_ALL=C sort | tr '\n' ' ')
[ "$members" = "./control ./md5sums " ] || fail "control members (no maintainer scripts wanted): $members"

if command -v lintian >/dev/null; then
    findings=$(lintian --fail-on error,warning "$deb" 2>&1 | grep -v '^running with root' || true)
    [ -z "$findings" ] || fail "lintian: $findings"
else
    echo "note: no lintian (make deps): the package is not held to it"
fi
echo ok
