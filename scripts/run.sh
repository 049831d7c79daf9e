#!/usr/bin/env bash
# Installs the dependencies, builds the program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build
exec "$root/build/Rozavado Deduzadiv"
