# Sourced by the top-level scripts: installs the Debian packages a build needs.
# As root it runs apt-get; for anyone else it prints the line to run and stops.
entrybox_need_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "entrybox needs these packages; install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "installing ${missing[*]}" >&2
  apt-get update -qq >&2
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >&2
}

# valgrind: the keystroke cost gate counts instructions with callgrind (scripts/keystroke-gate.sh).
# qt6-tools-dev: the Qt Designer plugin; dpkg-dev and pkgconf: the package checks.
ENTRYBOX_BUILD_PACKAGES=(g++ cmake make libgtest-dev libbenchmark-dev qt6-base-dev nlohmann-json3-dev
  valgrind qt6-tools-dev dpkg-dev pkgconf)
# The fuzz targets (scripts/fuzz.sh): clang and its libFuzzer runtime.
ENTRYBOX_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The web build and its browser tests (scripts/web.sh): Emscripten, Chromium, Node.
ENTRYBOX_WEB_PACKAGES=(emscripten chromium nodejs)
