#!/usr/bin/env bash
# Sets up everything that is missing (the tests' tools too), builds Minutrix and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh --tests
build=${MINUTRIX_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
