#!/usr/bin/env bash
# The window's catalogues are complete: every text the window marks (scripts/translations.sh) has an entry in each of them
# (lupdate run on copies adds none), no entry is unfinished or empty, and each translation keeps
# the placeholders (%1, %2) of its source text.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source_dir"/translations/lumelle_*.ts "$work"/
bash "$source_dir"/scripts/translations.sh "$work"
status=0
for ts in "$work"/lumelle_*.ts; do
  name=$(basename "$ts")
  if grep -q 'type="unfinished"' "$ts"; then
    echo "$name: unfinished entries (texts marked in ui/ without a translation):"
    grep -B1 'type="unfinished"' "$ts" | grep '<source>' | head -20
    status=1
  fi
  if grep -q '<translation></translation>' "$ts"; then
    echo "$name: empty translations"
    status=1
  fi
  python3 - "$ts" <<'PY' || status=1
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
bad = 0
for src, tr in re.findall(r"<source>(.*?)</source>\s*<translation[^>]*>(.*?)</translation>", text, re.S):
    # A text with plural forms keeps the placeholders in each of them.
    forms = re.findall(r"<numerusform>(.*?)</numerusform>", tr, re.S) or [tr]
    for form in forms:
        if sorted(re.findall(r"%\d", src)) != sorted(re.findall(r"%\d", form)):
            print(f"{sys.argv[1].rsplit('/', 1)[-1]}: placeholders differ: {src!r} -> {form!r}")
            bad = 1
sys.exit(bad)
PY
done
[ $status = 0 ] && echo "catalogues complete"
exit $status
