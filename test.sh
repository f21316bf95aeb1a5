#!/usr/bin/env bash
# Builds the test configuration (with AddressSanitizer and UBSan) and runs every test,
# then builds the fuzz targets with clang and runs each for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")"

scripts/ensure-packages.sh cmake g++ make qt6-base-dev libgtest-dev libbenchmark-dev xvfb xauth poppler-utils fonts-dejavu-core \
    clang libclang-rt-14-dev

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DBRACKLE_SANITIZE=ON -DBRACKLE_BENCH=ON
cmake --build build-test -j2
(
    export QT_QPA_PLATFORM=offscreen
    cd build-test
    ctest --output-on-failure -j2 | tee ctest.log
)

# The decoders, the OOB loader and the BRVX.ini reader must survive any bytes.
if command -v clang++ >/dev/null 2>&1; then
    cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++
    cmake --build build-fuzz -j2
    rm -rf build-fuzz/corpus
    fuzz/make-corpus.sh build-test/brackle-cli build-fuzz/make_seeds build-fuzz/corpus
    fuzz/run.sh build-fuzz 20
else
    echo "clang++ not found: fuzz targets skipped"
fi

# The tests' summary once more, as the last word.
grep -E "tests passed|tests failed" build-test/ctest.log | tail -n 1
