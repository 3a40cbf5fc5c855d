#!/usr/bin/env bash
# Sets up, checks the formatting, builds (with AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs all tests, runs the engine's tests as WebAssembly under node and for arm64 under qemu
# with the equivalence of their results, builds the browser edition and runs its tests in
# headless Chromium and headless Firefox ESR, then fuzzes both file readers for a bounded time.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh test
find app bench core disk formats module posix print qt_paint scripts tables tests ui window -name '*.cpp' -o -name '*.h' |
  xargs clang-format --dry-run --Werror
# The page's modules, the scripts and tests under node: formatted (prettier) and linted (eslint),
# both pinned in the lock file.
npx --no-install prettier --check --log-level=warn .
npx --no-install eslint .
# The "asan" preset: Debug with the sanitizers, warnings as errors, in build-test.
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# All tests, the system tests (label "system") among them; run as root, the package test
# installs the package for real and removes it again.
TALVENO_INSTALL_TEST=1 ctest --test-dir build-test --output-on-failure -j"$(nproc)"

scripts/cross-tests.sh build-test/app/talveno-batch

# The browser edition: one page file, tested against the batch command built above in headless
# Chromium, then in headless Firefox ESR through WebDriver BiDi.
scripts/build-web.sh
TALVENO_BATCH=build-test/app/talveno-batch node --test --test-concurrency=1 tests/web/
TALVENO_BROWSER=firefox TALVENO_BATCH=build-test/app/talveno-batch \
  node --test --test-concurrency=1 tests/web/

# The readers under libFuzzer (clang, with the sanitizers), 30 seconds each, starting from the
# seed corpus kept in tests/formats/corpus; what the run adds stays in build-fuzz.
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTALVENO_SANITIZE=ON -DTALVENO_FUZZ=ON -DTALVENO_WINDOW=OFF -DTALVENO_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target input_file_fuzz result_file_fuzz
for reader in input result; do
  mkdir -p "build-fuzz/corpus/$reader"
  log="build-fuzz/$reader-fuzz.log"
  if ! "build-fuzz/tests/formats/${reader}_file_fuzz" -max_total_time=30 -max_len=4096 \
      -artifact_prefix=build-fuzz/ "build-fuzz/corpus/$reader" "tests/formats/corpus/$reader" \
      >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "Fuzzing the $reader file reader failed; the input is in build-fuzz/" >&2
    exit 1
  fi
  echo "Fuzzed the $reader file reader: $(grep -o 'Done [0-9]* runs' "$log")"
done
