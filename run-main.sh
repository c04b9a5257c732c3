#!/usr/bin/env bash
# Installs what is missing, builds, and starts the gallery: the four controls as Qt
# widgets, with their events, property pages, About box and form files. Without a display
# the gallery runs on Qt's offscreen platform: it types a demonstration into each control,
# saves the window as docs/gallery.png and prints each control's text.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
entrybox_need_packages "${ENTRYBOX_BUILD_PACKAGES[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENTRYBOX_QT=ON >/dev/null
cmake --build build --target entrybox-gallery -j"$(nproc)" >/dev/null
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/tools/gallery/entrybox-gallery "$@"
fi
exec ./build/tools/gallery/entrybox-gallery --screenshot docs/gallery.png
