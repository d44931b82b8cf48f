#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, and runs
# every test through CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
ZIRCON_BUILD_DIR="${ZIRCON_BUILD_DIR:-$root/build}" "$root/scripts/build.sh" -DZIRCON_WERROR=ON
cd "${ZIRCON_BUILD_DIR:-$root/build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600
