#!/bin/sh
# Brings translations/*.ts up to date with the texts in the sources: new
# texts come in unfinished, texts no longer used are dropped. Run it after
# changing a display text, then translate what it reports as unfinished.
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
cd "$here"
for ts in translations/trennic_*.ts; do
  "$lupdate" -silent -no-obsolete -locations none -no-ui-lines \
    -tr-function-alias QT_TR_NOOP+=SHOWN -I src \
    src/core src/platform src/ui src/cli -ts "$ts" "$@"
done
