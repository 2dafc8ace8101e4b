# Sourced by the benchmarks of milfo-calc: calc_of BUILD_DIR sets $calc to
# BUILD_DIR/calc/milfo-calc and $work to a scratch folder removed at the end;
# a missing milfo-calc stops the benchmark, saying how to build it.
calc_of() {
  calc=$1/calc/milfo-calc
  if [ ! -x "$calc" ]; then
    echo "missing $calc; build it: cmake --build $1 --target milfo-calc" >&2
    exit 2
  fi
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}
