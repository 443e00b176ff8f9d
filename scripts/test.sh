#!/usr/bin/env bash
# Builds everything and runs every test. With TARVION_SANITIZE=1 the tests
# are built with AddressSanitizer and UndefinedBehaviorSanitizer instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${TARVION_SANITIZE:-0}" = 1 ]; then
    dir="$root/build-sanitize"
    opts=(-DTARVION_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
else
    dir="$root/build"
    opts=()
fi
"$root/scripts/build.sh" "$dir" -DTARVION_WERROR=ON "${opts[@]}"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
cd "$dir"
ctest --output-on-failure -j "$(nproc)"
