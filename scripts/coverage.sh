#!/usr/bin/env bash
# Builds with gcc coverage into its own folder, runs the suite (extra arguments go to ctest,
# e.g. -LE e2e for the unit tests only), prints line, function and branch coverage of the four
# layers and the tests-to-code line ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${RVX_COVERAGE_DIR:-build-coverage}
command -v gcovr >/dev/null || { echo "gcovr is missing: run scripts/setup.sh first." >&2; exit 1; }

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" \
  -DCMAKE_C_FLAGS=--coverage -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$build_dir" -j"${RVX_JOBS:-$(nproc)}"
find "$build_dir" -name '*.gcda' -delete

source scripts/display.sh
(cd "$build_dir" && ctest -j"${RVX_JOBS:-$(nproc)}" "$@" > ctest.log 2>&1) || {
  grep -E 'tests passed|Failed|\*\*\*' "$build_dir/ctest.log" >&2
  echo "Some tests failed; the coverage below is of a failing run." >&2
}
grep 'tests passed' "$build_dir/ctest.log"

# Throw branches are the unwinding edges of every call that may throw; unreachable ones have no
# source of their own. Both are left out, so a branch is a decision the code makes.
gcovr -r . -j"${RVX_JOBS:-$(nproc)}" \
  --filter 'base/' --filter 'platform/' --filter 'common/' --filter 'game/' \
  --exclude-throw-branches --exclude-unreachable-branches \
  --txt "$build_dir/coverage.txt" --print-summary "$build_dir" 2> "$build_dir/gcovr.log"

# Non-blank lines that are not // comment lines.
count_lines() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' -o -name CMakeLists.txt \) \
    -print0 | xargs -0 cat | grep -v '^[[:space:]]*$' | grep -vc '^[[:space:]]*//'
}
tests=$(count_lines tests)
code=$(count_lines base platform common game tools scripts CMakeLists.txt)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests/code: %d / %d lines = %.1f%%\n", t, c, 100 * t / c }'
echo "Per-file coverage: $build_dir/coverage.txt (gcov warnings: $build_dir/gcovr.log)"
