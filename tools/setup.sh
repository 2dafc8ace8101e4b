# Shared set-up of ./run and ./test: installs the Debian packages that are
# missing, then configures (once) and builds into build/.
# Sourced, not run.

MILFO_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libmpfr-dev
  libgtest-dev libbenchmark-dev
  fonts-ipafont-gothic
  xvfb xdotool xclip x11-utils
  desktop-file-utils appstream dpkg-dev file
  clang libclang-rt-14-dev locales
  time
)

# The web site (web/build.sh): emscripten, and what building GMP and MPFR for
# WebAssembly from Debian's source packages and subsetting the font take.
MILFO_WEB_PACKAGES=(
  emscripten m4 dpkg-dev python3 python3-fonttools
)
# Its tests drive headless Chromium through WebDriver.
MILFO_WEB_TEST_PACKAGES=(
  chromium chromium-driver python3-selenium
)

milfo_install_packages() {
  local missing=() p
  for p in "${MILFO_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
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

# milfo_build DIR [TARGET...]: configures DIR once, then builds the targets
# (everything when none is named).
milfo_build() {
  local dir=${1:-build}
  shift || true
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake --build "$dir" "${targets[@]}"
}
