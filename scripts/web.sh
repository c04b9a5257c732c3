#!/usr/bin/env bash
# The controls on the web.
#   scripts/web.sh build    installs what is missing (Emscripten, Chromium, Node packages)
#                           and builds the WebAssembly module into build-web/
#   scripts/web.sh serve    builds, then serves web/index.html at http://127.0.0.1:8080/
#   scripts/web.sh test     builds, then runs every scenario script in headless Chromium
#                           (entrybox-script --platform web) and the browser tests of
#                           web/test/ (the page's forms; web output against headless)
#   scripts/web.sh screenshot   builds, then saves the page after a demonstration as
#                           docs/web.png
# The test step needs the main build's entrybox-script (build/, as run-tests.sh makes it).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
entrybox_need_packages "${ENTRYBOX_WEB_PACKAGES[@]}"
command -v npm >/dev/null || entrybox_need_packages npm

# Debian's Emscripten finds its JavaScript tools (acorn) among Debian's Node modules.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
build=$(realpath -m "${ENTRYBOX_WEB_BUILD:-build-web}")

web_build() {
  (cd web && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
  emcmake cmake -S web -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "$build" -j"$(nproc)"
  local size
  size=$(gzip -9c "$build/entrybox.wasm" "$build/entrybox.js" | wc -c)
  echo "web module: $((size / 1024)) KB gzipped (entrybox.js + entrybox.wasm)"
}

case "${1:-}" in
  build)
    web_build
    ;;
  serve)
    web_build
    exec node web/serve.mjs "$build" "${2:-8080}"
    ;;
  test)
    web_build
    script=${ENTRYBOX_SCRIPT:-build/tools/entrybox-script/entrybox-script}
    ENTRYBOX_WEB_BUILD="$build" "$script" --platform web check tests/scenarios/*.tws
    ENTRYBOX_WEB_BUILD="$build" ENTRYBOX_SCRIPT="$script" node --test web/test/
    ;;
  screenshot)
    web_build
    node web/screenshot.mjs "$build" docs/web.png
    ;;
  *)
    echo "usage: scripts/web.sh build|serve [PORT]|test|screenshot" >&2
    exit 2
    ;;
esac
