#!/usr/bin/env bash
# Builds the test configuration (with AddressSanitizer and UBSan) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

scripts/ensure-packages.sh cmake g++ make qt6-base-dev libgtest-dev libbenchmark-dev xvfb xauth poppler-utils fonts-dejavu-core

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DBRACKLE_SANITIZE=ON -DBRACKLE_BENCH=ON
cmake --build build-test -j2
export QT_QPA_PLATFORM=offscreen
cd build-test
ctest --output-on-failure -j2
