#!/usr/bin/env bash
# Configures and builds one build folder: build.sh FOLDER [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=$1
shift
generator=()
command -v ninja > /dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$root/$folder" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > /dev/null
cmake --build "$root/$folder" --parallel "$(nproc)"
