#!/usr/bin/env bash
# Builds the program and starts it from its own folder, where it finds its
# tables, templates and language file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
cd "$root/build/program"
exec ./tarvion "$@"
