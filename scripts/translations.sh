#!/usr/bin/env bash
# Brings the window's catalogues (translations/lumelle_*.ts) up to date with the texts marked in
# ui/: new texts arrive unfinished, texts gone from the code are dropped. Translate the
# unfinished entries (Qt Linguist, or any text editor) before committing; a test fails while
# any is left. lupdate names the windows' classes without their namespace, so the contexts are
# renamed around its run to the names tr() uses at run time.
# With a folder argument the catalogues of that folder are updated instead (the test does this
# on copies).
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-translations}
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
classes=(TForm1 TFormColorOptions TForm2)
for ts in "$folder"/lumelle_*.ts; do
  for c in "${classes[@]}"; do sed -i "s#<name>lumelle::$c</name>#<name>$c</name>#" "$ts"; done
done
"$lupdate" -silent -no-obsolete -locations none ui/*.h ui/*.cpp -ts "$folder"/lumelle_*.ts 2>/dev/null
for ts in "$folder"/lumelle_*.ts; do
  for c in "${classes[@]}"; do sed -i "s#<name>$c</name>#<name>lumelle::$c</name>#" "$ts"; done
done
