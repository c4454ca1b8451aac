#!/usr/bin/env bash
# A prefix run and its restore on volumes mounted through FUSE, the way many
# photo cards and phones are: exFAT (neither the no-replace flag nor hard
# links) and NTFS (no flag). Needs root, /dev/fuse and a loop device; skips
# with a note (exit 77) where the machine has none of them.
set -euo pipefail
: "${QM_BUILD_DIR:?QM_BUILD_DIR must name the build folder}"
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "mounting a volume image needs root"
[ -c /dev/fuse ] || skip "no /dev/fuse"
command -v losetup >/dev/null || skip "no losetup"

tmp=$(mktemp -d)
loop=""
cleanup() {
    cd /
    mountpoint -q "$tmp/mnt" 2>/dev/null && umount "$tmp/mnt"
    [ -n "$loop" ] && losetup -d "$loop" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL ($1): $2" >&2; ls -la "$tmp/mnt" >&2 || true; exit 1; }

# $1 volume name, $2 mkfs command, $3 mount command; the image is $tmp/img.
check_volume() {
    local name="$1" mkfs="$2" mounter="$3"
    rm -f "$tmp/img"; mkdir -p "$tmp/mnt"
    truncate -s 64M "$tmp/img"
    command -v "${mkfs%% *}" >/dev/null && command -v "$mounter" >/dev/null || fail "$name" "$mkfs or $mounter is missing"
    $mkfs "$tmp/img" >/dev/null 2>&1 || fail "$name" "$mkfs failed"
    loop=$(losetup -f --show "$tmp/img" 2>/dev/null) || skip "no loop device for the $name image"
    "$mounter" "$loop" "$tmp/mnt" || skip "could not mount the $name image"
    cd "$tmp/mnt"
    printf A >a.txt; printf B >b.txt; printf K >P_b.txt; printf J >'写真 1.jpg'
    # b.txt -> P_b.txt is blocked by the file there (and gets no line); P_b.txt -> P_P_b.txt is not.
    "$QM_BUILD_DIR/bin/crash_runner" >/dev/null || fail "$name" "the run stopped"
    [ "$(cat P_a.txt)$(cat b.txt)$(cat P_P_b.txt)$(cat 'P_写真 1.jpg')" = ABKJ ] || fail "$name" "run"
    local said code=0
    said=$("$QM_BUILD_DIR/bin/quillmere-undo" 2>&1) || code=$?
    [ "$code" = 0 ] && [[ "$said" == *"3 件の名前を元に戻しました"* ]] || fail "$name" "restore said ($code): $said"
    [ "$(cat a.txt)$(cat b.txt)$(cat P_b.txt)$(cat '写真 1.jpg')" = ABKJ ] || fail "$name" "restore"
    # A case-only rename of the file itself, which a case-blind volume calls taken.
    rm modosu.bat; printf 'ren    a.txt    A.TXT\r\n' >modosu.bat
    "$QM_BUILD_DIR/bin/quillmere-undo" >/dev/null || fail "$name" "case-only rename"
    ls | grep -qx A.TXT || fail "$name" "A.TXT is not there"
    cd /; umount "$tmp/mnt"; losetup -d "$loop"; loop=""
    echo "ok: $name"
}

check_volume exFAT "mkfs.exfat" mount.exfat-fuse
check_volume NTFS "mkntfs -F -q -f" ntfs-3g
echo PASS
