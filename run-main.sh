#!/usr/bin/env bash
# Installs what is missing, builds, and runs the tour: every control typed into, key by key.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
entrybox_need_packages "${ENTRYBOX_BUILD_PACKAGES[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target entrybox-script -j"$(nproc)" >/dev/null
./build/tools/entrybox-script/entrybox-script run examples/tour.tws
