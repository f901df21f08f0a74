#!/usr/bin/env bash
# Sets up a Debian 12 machine for Zoreks, builds it, and either starts the
# program or runs every test.
#   ./zoreks.sh run    install what is missing, build, start the program
#   ./zoreks.sh test   install what is missing, build, run all tests
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)

packages=(
  cmake ninja-build g++ pkg-config scdoc
  qt6-base-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
)
run_packages=(xdg-utils)  # opens the help documents with the desktop's own viewer
test_packages=(xvfb xauth xdotool poppler-utils desktop-file-utils
  dpkg-dev file appstream lintian man-db)  # the Debian package: made, checked, its pages read

# What runs on more than one thread: the ordered tracing and everything that
# traces field lines, but the long comparison with the plain tracer.
tsan_tests='FieldLines|OrderedLineTracing|ParameterSweep'
tsan_skipped='TheBenchmarkRuns'

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure() { # configure DIR [cmake options...]
  local dir=$1; shift
  local werror=OFF
  [ -n "${CI:-}" ] && werror=ON
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOREKS_WERROR=$werror "$@" >/dev/null
}

build() { # build DIR [cmake options...]: everything, tests and benchmarks included
  configure "$@"
  cmake --build "$1" -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_missing "${packages[@]}" "${run_packages[@]}"
    configure "$top/build"
    # Only the program and what it opens: its help documents and its icon.
    cmake --build "$top/build" -j"$(nproc)" --target zoreks zoreks_docs zoreks_desktop_icon
    cd "$top/build/bin"   # the program, its help documents and instruction.txt live here
    exec ./zoreks
    ;;
  test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    build "$top/build"
    ctest --test-dir "$top/build" --output-on-failure -j"$(nproc)"
    # The same suite once more under the address and undefined-behaviour sanitizers.
    build "$top/build-sanitize" -DZOREKS_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
    LSAN_OPTIONS=suppressions="$top/tests/sanitizer/lsan.supp":print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest --test-dir "$top/build-sanitize" --output-on-failure -j"$(nproc)" -E '^deb_package$'
    # The field lines are traced on helper threads: the core's tests of the
    # tracer and the parameter sweep once more under the thread sanitizer.
    build "$top/build-tsan" -DZOREKS_BUILD_APP=OFF -DZOREKS_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer"
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
      ctest --test-dir "$top/build-tsan" --output-on-failure -j"$(nproc)" -R "$tsan_tests" -E "$tsan_skipped"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
