#!/usr/bin/env bash
# Every option that zoreks-render --help names is described, as a bold
# "*--option*" item, in both manual pages of the tool (Russian and English).
#   render_man_pages_test.sh ZOREKS_RENDER MAN_SOURCE_DIR
set -euo pipefail
tool=$1
man_dir=$2

options=$("$tool" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "FAILED: --help names no options"; exit 1; }
missing=0
for page in "$man_dir"/zoreks-render.1.ru.scd "$man_dir"/zoreks-render.1.en.scd; do
  for option in $options; do
    if ! grep -qF -- "*$option*" "$page"; then
      echo "FAILED: $(basename "$page") does not describe $option"
      missing=1
    fi
  done
done
exit $missing
