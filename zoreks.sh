#!/usr/bin/env bash
# Sets up a Debian 12 machine for Zoreks, builds it, and either starts the
# program, runs every test, or builds and serves the web page.
#   ./zoreks.sh run        install what is missing, build, start the program
#   ./zoreks.sh test       install what is missing, build, run all tests
#   ./zoreks.sh web-build  install what is missing, write the web page to build-web/site
#   ./zoreks.sh web        the same, then serve it at http://127.0.0.1:8080/
#                          (the port from ZOREKS_WEB_PORT when set)
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)

packages=(
  cmake ninja-build g++ pkg-config scdoc python3
  po4a gettext appstream  # the translated help documents, desktop entry and metadata
  nlohmann-json3-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
)
run_packages=(xdg-utils)  # opens the help documents with the desktop's own viewer
web_packages=(emscripten nlohmann-json3-dev cmake ninja-build python3 librsvg2-bin po4a gettext)  # the page, its icons, its translated help, and a static server for it
web_test_packages=(chromium)  # the page's tests drive it with a client from the npm registry
test_packages=(xvfb xauth xdotool x11-utils poppler-utils desktop-file-utils
  dpkg-dev file appstream lintian man-db  # the Debian package: made, checked, its pages read
  clang libclang-rt-14-dev)  # libFuzzer, for the fuzz targets

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

# How long each fuzz target runs at every test run, seconds.
fuzz_seconds=20

# The fuzz targets as the README builds them, with clang; each runs for a
# short while from its inputs in fuzz/corpus/<folder> (as <folder>_fuzz), so
# that the fuzzing instructions keep working. What it finds new stays in
# build-fuzz/corpus-scratch; an input that fails is written to build-fuzz/.
fuzz_briefly() {
  configure "$top/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DZOREKS_BUILD_FUZZERS=ON \
    -DZOREKS_BUILD_APP=OFF -DZOREKS_BUILD_BENCH=OFF
  cmake --build "$top/build-fuzz" -j"$(nproc)" --target zoreks_fuzzers
  local corpus target scratch log
  for corpus in "$top"/fuzz/corpus/*/; do
    target=$(basename "$corpus")
    scratch="$top/build-fuzz/corpus-scratch/$target"
    log="$top/build-fuzz/$target.log"
    mkdir -p "$scratch"
    echo "Fuzzing $target for $fuzz_seconds s"
    if ! "$top/build-fuzz/bin/${target}_fuzz" "$scratch" "$corpus" -max_total_time="$fuzz_seconds" \
         -artifact_prefix="$top/build-fuzz/${target}-" -print_final_stats=1 >"$log" 2>&1; then
      tail -n 40 "$log" >&2
      echo "The fuzz target $target failed; its whole output: $log" >&2
      exit 1
    fi
    tail -n 5 "$log"
  done
}

# The largest the whole site may be, bytes.
web_site_limit=1500000

# The core as WebAssembly and the static site around it, in build-web/site.
# Debian's Emscripten brings its system libraries built, in a cache under
# /usr/share/emscripten that it never writes to (FROZEN_CACHE): nothing is
# built into a cache or downloaded, and the build uses none of its ports.
# Its tools run on the machine's node, which finds acorn only through NODE_PATH.
web_build() {
  install_missing "${web_packages[@]}"
  export NODE_PATH=/usr/share/nodejs
  emcmake cmake -S "$top" -B "$top/build-web" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$top/build-web" -j"$(nproc)"
  local size
  size=$(du -sb "$top/build-web/site" | cut -f1)
  echo "The site: $top/build-web/site, $size bytes"
  if [ "$size" -ge "$web_site_limit" ]; then
    echo "The site is larger than $web_site_limit bytes." >&2
    exit 1
  fi
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
    # The tests know the program as it starts where no language is set: in
    # Russian. Those of English set their own.
    export LC_ALL=C.UTF-8
    unset LANGUAGE
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
    # Every fuzz target, built with clang and run for a short while.
    fuzz_briefly
    # The web page in headless Chromium, its downloads against the export tool built above.
    install_missing "${web_test_packages[@]}"
    command -v npm >/dev/null || install_missing npm  # node's own npm, where node came with one
    web_build
    (cd "$top/web/tests" && npm ci --no-audit --no-fund --loglevel=error)
    node "$top/web/tests/page.test.mjs" "$top/build-web/site" "$top/build/bin/zoreks-render"
    ;;
  web-build)
    web_build
    ;;
  web)
    web_build
    port=${ZOREKS_WEB_PORT:-8080}
    echo "The page: http://127.0.0.1:$port/"
    exec python3 -m http.server --bind 127.0.0.1 "$port" --directory "$top/build-web/site"
    ;;
  *)
    echo "usage: $0 run|test|web-build|web" >&2
    exit 2
    ;;
esac
