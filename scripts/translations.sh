#!/usr/bin/env bash
# Brings the window's catalogues (translations/lumelle_*.ts) up to date with the texts marked in
# ui/ and the core's texts the window shows (the help text, the language names): new texts
# arrive unfinished, texts gone from the code are dropped. Translate the unfinished entries
# (Qt Linguist, or any text editor) before committing; a test fails while any is left. lupdate follows the includes from the top of the tree, so that it knows each
# class's namespace and names the contexts as tr() does at run time.
# With a folder argument the catalogues of that folder are updated instead (the test does this
# on copies).
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-translations}
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
"$lupdate" -silent -no-obsolete -locations none -I . ui/*.h ui/*.cpp vobsub/HelpText.cpp vobsub/Languages.cpp -ts "$folder"/lumelle_*.ts 2>/dev/null
