# Shared set-up of ./run and ./test: installs the Debian packages that are
# missing, then configures (once) and builds into build/.
# Sourced, not run.

# What building and running the programs needs (ccache keeps compiled
# objects for the next build, in any clone: see CMakeLists.txt).
MILFO_RUN_PACKAGES=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev libgl-dev libmpfr-dev
  fonts-ipafont-gothic qt6-translations-l10n libqt6svg6
)
# What the tests and benchmarks need besides: GoogleTest, Google Benchmark, a
# display with a window manager and X tools for the end-to-end tests, the
# validators and package tools, Clang for the fuzzers and the format check,
# the locales the numeric tests also run under, headless Chromium with its
# WebDriver for the web pages' tests, poppler's tools to read the PDF a page
# prints, and the accessibility bus with a reader of it for the accessibility
# tree of the windows.
MILFO_TEST_PACKAGES=(
  libgtest-dev libbenchmark-dev
  xvfb openbox xdotool xclip x11-utils
  desktop-file-utils appstream dpkg-dev file
  clang libclang-rt-14-dev clang-format locales
  time
  chromium chromium-driver python3-selenium poppler-utils
  at-spi2-core python3-pyatspi dbus-daemon
)

# The web site (web/build.sh, ./run web): emscripten, and what building GMP
# and MPFR for WebAssembly from Debian's source packages and subsetting the
# font take.
MILFO_WEB_PACKAGES=(
  emscripten m4 dpkg-dev python3 python3-fonttools
)

# milfo_install_packages [run|web]: installs what is missing of every list;
# with "run" only what building and running the programs needs, with "web"
# that and what building the web site needs.
milfo_install_packages() {
  local wanted=("${MILFO_RUN_PACKAGES[@]}")
  case "${1:-}" in
    run) ;;
    web) wanted+=("${MILFO_WEB_PACKAGES[@]}") ;;
    *) wanted+=("${MILFO_TEST_PACKAGES[@]}" "${MILFO_WEB_PACKAGES[@]}") ;;
  esac
  local missing=() p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# axe-core, the accessibility rules the web tests hold the pages to: npm's
# package at one version, installed with the machine's own npm into a cache
# outside the build trees, once (MILFO_AXE names the file the tests read).
MILFO_AXE_VERSION=4.14.1
MILFO_AXE=${XDG_CACHE_HOME:-$HOME/.cache}/milfo/npm/axe-core-$MILFO_AXE_VERSION/node_modules/axe-core/axe.min.js
milfo_install_axe() {
  [ -f "$MILFO_AXE" ] && return 0
  local dir=${MILFO_AXE%/node_modules/*}
  echo "Installing axe-core $MILFO_AXE_VERSION (npm) into $dir"
  rm -rf "$dir.part"
  mkdir -p "$dir.part"
  npm install --prefix "$dir.part" --no-save --no-package-lock --no-audit --no-fund --loglevel=error \
    "axe-core@$MILFO_AXE_VERSION" >/dev/null
  rm -rf "$dir"
  mv "$dir.part" "$dir"
}

# The locales the numeric tests also run under (a decimal comma, and Japanese).
milfo_generate_locales() {
  local sudo=() loc
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  for loc in de_DE ja_JP; do
    locale -a 2>/dev/null | grep -x "$loc.utf8" >/dev/null && continue
    echo "Generating locale: $loc.UTF-8"
    "${sudo[@]}" localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
  done
}

# milfo_build DIR [TARGET...]: configures DIR, then builds the targets
# (everything when none is named). With MILFO_BUILD_TESTING=OFF a new build
# tree is configured without the tests (no GoogleTest, no Google Benchmark);
# otherwise a tree without them is configured again with them.
milfo_build() {
  local dir=${1:-build}
  shift || true
  local testing=${MILFO_BUILD_TESTING:-ON} cached=""
  [ -f "$dir/CMakeCache.txt" ] && cached=$(sed -n 's/^BUILD_TESTING:BOOL=//p' "$dir/CMakeCache.txt")
  if [ -z "$cached" ] || { [ "$testing" = ON ] && [ "$cached" != ON ]; }; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING="$testing"
  fi
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake --build "$dir" "${targets[@]}"
}
