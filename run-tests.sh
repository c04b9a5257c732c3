#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, and runs every test: the unit
# tests and scenario scripts, the installed-package check, the browser tests, then the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz targets. Every step gives
# the same verdict on every run: nothing depends on the clock or on chance.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
entrybox_need_packages "${ENTRYBOX_BUILD_PACKAGES[@]}"
jobs=$(nproc)

scripts/check-format.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENTRYBOX_BENCH=ON -DENTRYBOX_QT=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The controls on the web: the WebAssembly module built with Emscripten, every scenario
# script in headless Chromium (the same output as headless), and the page's form tests.
scripts/web.sh test

# The sanitizer build covers the core, the tools and their tests; Qt's own libraries are
# not built with the sanitizers, so the Qt binding is tested in the build above.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DENTRYBOX_SANITIZE=ON -DENTRYBOX_QT=OFF
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

# The fuzz targets (clang, libFuzzer): every corpus replayed, then each target a fixed
# number of inputs from a fixed seed. Exploring for new findings is scripts/fuzz.sh --explore.
scripts/fuzz.sh
