#!/usr/bin/env bash
# Installs what is missing, builds Quillet and starts a station.
# Note: a station broadcasts on the local network the moment it starts.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quillet
exec ./build/quillet "$@"
