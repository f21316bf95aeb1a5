#!/usr/bin/env bash
# Builds the test configuration (with AddressSanitizer and UBSan) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES="cmake g++ make qt6-base-dev libgtest-dev libbenchmark-dev xvfb xauth"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq $missing
fi

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DBRACKLE_SANITIZE=ON -DBRACKLE_BENCH=ON
cmake --build build-test -j2
export QT_QPA_PLATFORM=offscreen
cd build-test
ctest --output-on-failure -j2
