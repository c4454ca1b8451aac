#!/usr/bin/env bash
# Fills DIR with sample files to try quillmere on: Japanese names, names with
# blanks, [tags] before the extension, dated names, and an .exe and a .dll
# that every mode leaves alone.
set -euo pipefail

dir="${1:?usage: make_demo_folder.sh DIR}"
mkdir -p "$dir"
cd "$dir"

names=(
    "写真[旅行].jpg"
    "写真[旅行]2.jpg"
    "議事録[下書き].txt"
    "aa-bb[c].eee"
    "report[final].doc"
    "my file.txt"
    "summer holiday 01.png"
    "20080911memo.txt"
    "20081003memo.txt"
    "20090120-meeting.txt"
    "おしらせ.html"
    "データ一覧.csv"
    "track-01.mp3"
    "track-02.mp3"
    "setup.exe"
    "helper.dll"
)
for name in "${names[@]}"; do
    printf 'sample: %s\n' "$name" >"$name"
done
mkdir -p "サブフォルダ" "old photos"
printf 'inside\n' >"サブフォルダ/中のファイル.txt"
