#!/usr/bin/env bash
# Installs what is missing, builds the designer and starts it (with a sample project when
# there is one). Extra arguments are passed to the designer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --build build --target corvane-designer

args=("$@")
if [ ${#args[@]} -eq 0 ]; then
  sample=examples/orders.gui
  [ -f "$sample" ] || sample=$(ls examples/*.gui 2>/dev/null | head -n 1 || true)
  [ -n "$sample" ] && args=("$sample")
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (DISPLAY is not set), so the designer's window cannot be shown."
  echo "Run it under a virtual display instead:"
  echo "  xvfb-run -a build/main/corvane-designer ${args[*]}"
  echo "or set QT_QPA_PLATFORM=offscreen to run it without any window."
  exit 1
fi
exec build/main/corvane-designer "${args[@]}"
