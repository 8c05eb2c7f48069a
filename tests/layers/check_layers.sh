#!/usr/bin/env bash
# Checks that every folder includes only the folders beneath it, so that the include graph
# between folders points one way: a reader, the drawing, the run and the formats can each
# change without pulling the others along. The core folders never include Qt Widgets.
# Usage: check_layers.sh SOURCE_DIR
set -euo pipefail
cd "$1"

declare -A allowed=(
  [platform]=""
  [subtitle]="platform"
  [settings]="platform"
  [output]="platform"
  [update]="platform"
  [render]="platform subtitle settings"
  [convert]="platform subtitle settings render output"
  [vobsub]="platform subtitle settings render output convert"
  [ass]="platform subtitle settings render output convert"
  [pgs]="platform subtitle settings render output convert vobsub"
  [bdn]="platform subtitle settings render output convert vobsub pgs"
  [cli]="platform subtitle settings render output convert vobsub ass pgs bdn update"
  [ui]="platform subtitle settings render output convert vobsub ass pgs bdn update"
)
core="platform subtitle settings output update render convert vobsub ass pgs bdn"

status=0
for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  while IFS=: read -r file _ include; do
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$include")
    [ "$target" = "$folder" ] && continue
    [ -d "$target" ] || continue
    case " ${allowed[$folder]} " in
      *" $target "*) ;;
      *) echo "$file: $folder/ may not include $target/: $include"; status=1 ;;
    esac
  done < <(grep -rnE '^#include "[^/"]+/' "$folder" --include='*.h' --include='*.cpp' \
             --exclude-dir=widgets --exclude-dir=tools || true)
done
for folder in $core; do
  if grep -rnE '^#include <(QtWidgets/|QWidget|QApplication|QMessageBox|QDialog)' "$folder" \
       --include='*.h' --include='*.cpp' --exclude-dir=widgets; then
    echo "$folder/ is core and may not use Qt Widgets"
    status=1
  fi
done
[ $status = 0 ] && echo "folders include one way only"
exit $status
