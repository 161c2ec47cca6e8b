#!/usr/bin/env bash
# scripts/bench download: a 256 MiB file from a local HTTP server, fetched by
# the built-in client and the system service (each timed inside a small
# program under Wine) and by curl, alternating, three runs each. Then the
# built-in client's peak memory for a 16 MiB and a 256 MiB file.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
cd "$TESSARY_ROOT"

work=$TESSARY_ROOT/build/bench/download
mkdir -p "$work/www/files" "$work/out"
[ -f "$work/www/files/256.bin" ] || head -c $((256 * 1024 * 1024)) /dev/urandom >"$work/www/files/256.bin"
[ -f "$work/www/files/16.bin" ] || head -c $((16 * 1024 * 1024)) /dev/urandom >"$work/www/files/16.bin"

port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/www" >/dev/null 2>&1 &
server=$!
xvfb_before=${TESSARY_XVFB_PID:-}
ensure_display
ensure_wine_prefix
start_wineserver
cleanup() {
  kill "$server" 2>/dev/null || true
  stop_wineserver
  if [ "${TESSARY_XVFB_PID:-}" != "$xvfb_before" ]; then kill "$TESSARY_XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
for _ in $(seq 1 50); do
  curl -s -o /dev/null "http://127.0.0.1:$port/files/16.bin" && break
  sleep 0.1
done

bench_exe=build/windows/download_bench.exe
out_windows="Z:${work//\//\\}\\out\\file.bin"
run_wine() {  # method size -> "seconds peak"
  local line
  line=$(wine "$bench_exe" "$1" "http://127.0.0.1:$port/files/$2.bin" "$out_windows")
  cmp -s "$work/out/file.bin" "$work/www/files/$2.bin" || { echo "bench: $1 fetched wrong bytes" >&2; exit 1; }
  rm -f "$work/out/file.bin"
  echo "${line#* }"
}
run_curl() {
  local seconds
  seconds=$(curl -s -o "$work/out/file.bin" -w '%{time_total}' "http://127.0.0.1:$port/files/256.bin")
  rm -f "$work/out/file.bin"
  echo "$seconds"
}

builtin=() api=() curl_times=()
for round in 1 2 3; do
  read -r seconds _ < <(run_wine builtin 256); builtin+=("$seconds")
  read -r seconds _ < <(run_wine api 256); api+=("$seconds")
  curl_times+=("$(run_curl)")
done
read -r _ peak16 < <(run_wine builtin 16)
read -r _ peak256 < <(run_wine builtin 256)

/usr/bin/python3 - "${builtin[*]}" "${api[*]}" "${curl_times[*]}" "$peak16" "$peak256" <<'PY'
import statistics, sys
builtin, api, curl = ([float(x) for x in arg.split()] for arg in sys.argv[1:4])
peak16, peak256 = int(sys.argv[4]), int(sys.argv[5])
b, a, c = (statistics.median(x) for x in (builtin, api, curl))
print(f"download 256 MiB, median of 3: built-in {b:.2f} s, URLDownloadToFileA {a:.2f} s, curl {c:.2f} s")
print(f"download ratio built-in/curl {b / c:.2f} (goal at most 1.5)")
print(f"download peak working set of the program: 16 MiB file {peak16 / 2**20:.1f} MiB, "
      f"256 MiB file {peak256 / 2**20:.1f} MiB")
PY
