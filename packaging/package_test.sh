#!/usr/bin/env bash
# The Debian package as a user gets it.
#   package_test.sh build WORK CPACK CPACK_CONFIG
#     builds the package from the build tree into WORK/out, checks its
#     control fields, unpacks it into WORK/root (dpkg -x) and checks what it
#     holds: an executable, a menu entry and the icon for every program,
#     milfo-calc (no menu entry) answering from the unpacked tree,
#     metainfo that launches and provides them all and validates against the
#     unpacked tree, and the copyright file.
#   package_test.sh start WORK
#     starts every program from WORK/root through its menu entry's Exec on
#     $DISPLAY and waits for its window with the caption that begins the
#     entry's Name (skipped without a display).
set -uo pipefail
mode=$1 work=$2
root=$work/root
app_id=io.github.milfo
programs=${MILFO_PROGRAM_COUNT:?the number of programs in the catalogue}
tools=(milfo-calc)  # command-line tools: in usr/bin, without a menu entry
fail() { echo "FAIL: $*"; exit 1; }

# The value of KEY in the [Desktop Entry] group of FILE.
entry_value() {
  awk -v key="$2" '
    /^\[/ { group = $0; next }
    group == "[Desktop Entry]" && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' "$1"
}

entries() { find "$root/usr/share/applications" -name "$app_id.*.desktop" | sort; }

build() {
  local cpack=$1 config=$2
  rm -rf "$work"
  mkdir -p "$work/out"
  "$cpack" -G DEB --config "$config" -B "$work/out" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    fail "cpack -G DEB failed"
  }
  local debs=("$work"/out/*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in $work/out, found: ${debs[*]}"
  local deb=${debs[0]}
  echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
  dpkg-deb -f "$deb" Package Version Architecture Section Depends Suggests

  [ "$(dpkg-deb -f "$deb" Package)" = milfo ] || fail "package name is not milfo"
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  for dep in libqt6widgets6 libqt6gui6 libc6 fonts-ipafont-gothic qt6-translations-l10n libqt6svg6; do
    [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep: $depends"
  done

  dpkg -x "$deb" "$root" || fail "dpkg -x failed"
  local bins
  bins=$(find "$root/usr/bin" -type f | wc -l)
  [ "$bins" -eq $((programs + ${#tools[@]})) ] ||
    fail "$bins executables in usr/bin, expected $programs programs and ${#tools[@]} tools"

  local count=0 file exe icon
  local -A listed=()
  while IFS= read -r file; do
    count=$((count + 1))
    exe=$(entry_value "$file" Exec)
    icon=$(entry_value "$file" Icon)
    [ -n "$exe" ] || fail "$(basename "$file"): no Exec"
    [[ "$exe" != */* && "$exe" != *' '* ]] || fail "$(basename "$file"): Exec is not a bare program name: $exe"
    [ -x "$root/usr/bin/$exe" ] || fail "$(basename "$file"): Exec $exe is not in usr/bin"
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$(basename "$file"): no icon $icon"
    listed[$exe]=1
  done < <(entries)
  [ $count -eq $programs ] || fail "$count menu entries, expected $programs"
  for tool in "${tools[@]}"; do
    listed[$tool]=1
  done
  for file in "$root"/usr/bin/*; do
    [ -n "${listed[$(basename "$file")]:-}" ] || fail "$(basename "$file") has no menu entry"
  done
  local got
  got=$(printf 'Combo1,Text1,Text2\r\n保温筒１種,0,50\r\n' | "$root/usr/bin/milfo-calc" --header names fennick) ||
    fail "milfo-calc from the package failed"
  [ "$got" = $'Combo1,Text1,Text2,Text3,error,note\r\n保温筒１種,0,50,0.04375,,\r' ] ||
    fail "milfo-calc from the package wrote: $got"

  # The metainfo launches every menu entry and provides every program.
  local metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
  while IFS= read -r file; do
    grep -qF "<launchable type=\"desktop-id\">$(basename "$file")</launchable>" "$metainfo" ||
      fail "the metainfo does not launch $(basename "$file")"
  done < <(entries)
  for file in "$root"/usr/bin/*; do
    grep -qF "<binary>$(basename "$file")</binary>" "$metainfo" || fail "the metainfo does not provide $(basename "$file")"
  done

  local copyright=$root/usr/share/doc/milfo/copyright
  [ -f "$copyright" ] || fail "no /usr/share/doc/milfo/copyright"
  grep -qx 'License: MIT' "$copyright" && grep -qx 'Copyright: 2026 the ミルフォ authors' "$copyright" ||
    fail "the copyright file does not name the MIT licence and its holders"

  appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree failed"
  echo "ok: $programs programs, menu entries, icon and metainfo in $(basename "$deb")"
}

start() {
  [ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }
  [ -d "$root/usr/bin" ] || fail "no unpacked package in $root (run package_build first)"
  local file exe name caption pid wid got started=0
  while IFS= read -r file; do
    exe=$(entry_value "$file" Exec)
    name=$(entry_value "$file" Name)
    caption=${name%% *}
    QT_QPA_PLATFORM=xcb "$root/usr/bin/$exe" &
    pid=$!
    wid=$(timeout 30 xdotool search --sync --all --onlyvisible --pid "$pid" --name "^${caption}\$" 2>/dev/null |
      head -n 1)
    got=""
    [ -n "$wid" ] && got=$(xdotool getwindowname "$wid" 2>/dev/null)
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    [ -n "$wid" ] || fail "$exe ($(basename "$file")): no window captioned $caption"
    [ "$got" = "$caption" ] || fail "$exe: window captioned '$got', expected '$caption'"
    echo "ok: $exe opens $caption"
    started=$((started + 1))
  done < <(entries)
  [ $started -eq $programs ] || fail "started $started programs, expected $programs"
}

case "$mode" in
  build) build "$3" "$4" ;;
  start) start ;;
  *) fail "unknown mode $mode" ;;
esac
