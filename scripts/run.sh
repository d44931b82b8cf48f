#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on a demo data
# directory seeded with the sample archive. Without a display it runs under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DZIRCON_BUILD_TESTS=OFF -DZIRCON_BUILD_BENCH=OFF
demo="${ZIRCON_DEMO_DIR:-$root/build/demo-data}"
mkdir -p "$demo"
[ -f "$demo/Zircon_5x69.ldr" ] || cp "$root/data/Zircon_5x69.ldr" "$demo/"
program="$root/build/src/app/Zircon_5x69"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" --data-dir "$demo" "$@"
fi
echo "No display found: starting under Xvfb (screen :99)." >&2
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program" --data-dir "$demo" "$@"
