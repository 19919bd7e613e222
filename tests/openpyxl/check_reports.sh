#!/usr/bin/env bash
# Plays the transcript that saves one workbook of each report kind, keeps its files and has
# openpyxl read them. Exit 77 (skipped) when no Python with openpyxl is found.
# usage: check_reports.sh SCENARIO_RUNNER PROGRAM_DIR FIXTURES_DIR TRANSCRIPT READER.py
set -u
runner=$1 program=$2 fixtures=$3 transcript=$4 reader=$5

python=""
for candidate in /usr/bin/python3 python3; do
  if command -v "$candidate" >/dev/null 2>&1 && "$candidate" -c 'import openpyxl' >/dev/null 2>&1; then
    python=$candidate
    break
  fi
done
if [ -z "$python" ]; then
  echo "no Python with openpyxl: skipped"
  exit 77
fi

kept=$(mktemp -d)
trap 'rm -rf "$kept"' EXIT
"$runner" --program "$program" --fixtures "$fixtures" --keep "$kept" "$transcript" || exit 1
"$python" "$reader" "$kept"
