#!/usr/bin/env bash
# Configures and builds Zorva into build/ (or $ZORVA_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVA_BUILD_DIR:-$root/build}
type=${ZORVA_BUILD_TYPE:-RelWithDebInfo}
werror=OFF
[ "${CI:-}" = true ] && werror=ON
gen=()
command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" "${gen[@]}" -DCMAKE_BUILD_TYPE="$type" -DZORVA_WERROR=$werror "${launcher[@]}" ${ZORVA_CMAKE_ARGS:-}
fi
cmake --build "$build" --parallel "$(nproc)" ${ZORVA_BUILD_TARGETS:+--target $ZORVA_BUILD_TARGETS}
