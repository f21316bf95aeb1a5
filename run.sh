#!/usr/bin/env bash
# Builds the editor, writes the demo game folder if it is missing, installs the
# editor into the demo's Brackle folder and starts it from there.
set -euo pipefail
cd "$(dirname "$0")"
ROOT="$PWD"

scripts/ensure-packages.sh cmake g++ make qt6-base-dev

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBRACKLE_TESTS=OFF -DBRACKLE_BENCH=OFF >/dev/null
cmake --build build --target brackle brackle-cli -j2

DEMO="$ROOT/demo"
if [ ! -d "$DEMO/Vornex" ]; then
    ./build/brackle-cli demo "$DEMO"
fi
EDITOR_DIR="$DEMO/Vornex/Brackle"
mkdir -p "$EDITOR_DIR"
cp build/brackle "$EDITOR_DIR/brackle"
cp help/BRVXHelp.htm "$EDITOR_DIR/BRVXHelp.htm"
[ -f "$EDITOR_DIR/BRVX.ini" ] || cp help/BRVX.ini "$EDITOR_DIR/BRVX.ini" 2>/dev/null || true

cd "$EDITOR_DIR"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
    echo "No display found, so the editor cannot open a window here."
    echo "Run it under a virtual display instead, for example:"
    echo "  (cd \"$EDITOR_DIR\" && xvfb-run -a ./brackle --no-splash --open 1 --screenshot /tmp/brackle.png)"
    echo "(xvfb-run comes with: apt-get install xvfb xauth)"
    exit 1
fi
exec ./brackle "$@"
