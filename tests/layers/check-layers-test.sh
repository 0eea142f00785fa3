#!/usr/bin/env bash
# The include rules of scripts/check-layers.sh on a small tree of its own:
# each case adds one include to a clean tree and expects the script's exit
# status and, for a broken rule, the line that names it.
# Usage: tests/layers/check-layers-test.sh path/to/check-layers.sh
set -uo pipefail
check="${1:?usage: $0 CHECK-LAYERS-SCRIPT}"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT

mkdir -p "$tree/docs" "$tree/low" "$tree/mid" "$tree/app"
cat > "$tree/docs/ARCHITECTURE.md" <<'DOC'
```layers
low
mid
app
```

```public
app -> mid: Face.h
```
DOC
failed=0
# file | line added | expected status | expected text in the output
while IFS='|' read -r file line status text; do
  : > "$tree/low/Base.h"
  : > "$tree/mid/Face.h"
  : > "$tree/mid/Inner.h"
  printf '#include "Base.h"\n' > "$tree/mid/Inner.cpp"
  printf '#include "Face.h"\n#include "Base.h"\n#include <QWidget>\n' > "$tree/app/Window.cpp"
  [ -n "$line" ] && printf '%s\n' "$line" >> "$tree/$file"
  output="$("$check" "$tree" 2>&1)"
  got=$?
  if [ "$got" != "$status" ] || [[ "$output" != *"$text"* ]]; then
    echo "FAIL: '$line' in $file: status $got (expected $status), output: $output"
    failed=1
  fi
done <<'CASES'
mid/Inner.cpp||0|every include goes down
low/Base.h|#include "Face.h"|1|low includes Face.h of mid, which is not below it
app/Window.cpp|#include "Inner.h"|1|app includes Inner.h, which is not one of the public headers of mid
mid/Inner.cpp|#include <QLabel>|1|mid includes <QLabel>, a Qt Widgets header
low/Base.h|#include <QtWidgets/QMainWindow>|1|low includes <QtWidgets/QMainWindow>
mid/Inner.cpp|#include <qwidget.h>|1|mid includes <qwidget.h>
mid/Inner.cpp|#include <QGuiApplication>|0|every include goes down
app/Window.cpp|#include <QtWidgets/QAction>|0|every include goes down
CASES
exit "$failed"
