#!/usr/bin/env bash
# Benchmarks the client layer's row moving: installs what is missing, builds, starts throwaway
# MariaDB servers, runs build/bench/dravn_bench against them (arguments are passed on, see
# dravn_bench --help) and stops the servers again, also when the benchmark fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${DRAVN_BUILD_DIR:-$top/build}
"$top/scripts/install-deps.sh"
log=$(mktemp /tmp/dravn-bench-build.XXXXXX.log)
echo "Building into $build (log: $log)"
"$top/scripts/build.sh" >"$log" 2>&1 || { tail -n 40 "$log"; exit 1; }
rm -f "$log"
servers=$(mktemp -d /tmp/dravn-bench.XXXXXX)
trap '"$top/scripts/test-servers.sh" stop "$servers"' EXIT
echo "Starting throwaway servers in $servers"
"$top/scripts/test-servers.sh" start "$servers" 2>"$servers/start.log" || { cat "$servers/start.log"; exit 1; }
# shellcheck disable=SC1091
. "$servers/env"
"$build/bench/dravn_bench" "$@"
