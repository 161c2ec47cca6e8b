#!/usr/bin/env bash
# scripts/bench unzip: an archive of 2,000 files and about 200 MiB (text and
# random data) extracted by the zip reader (natively, keeping paths, walking
# every entry) and by Info-ZIP unzip, into fresh folders, alternating, three
# runs each. Then the reader's peak memory for a small and the large archive.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$root/build/bench/unzip
mkdir -p "$work"
make_archive() {  # path files total_mib
  [ -f "$1" ] && return 0
  /usr/bin/python3 - "$1" "$2" "$3" <<'PY'
import os, random, sys, zipfile
path, files, total = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]) * 2**20
random.seed(1)
words = [bytes(random.choice(b"abcdefghijklmnopqrstuvwxyz") for _ in range(random.randint(2, 9)))
         for _ in range(3000)]
per_file = total // files
with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=6) as archive:
    for number in range(files):
        if number % 2:
            data = os.urandom(per_file)
        else:
            text = bytearray()
            while len(text) < per_file:
                text += b" ".join(random.choices(words, k=64)) + b"\n"
            data = bytes(text[:per_file])
        archive.writestr(f"Library{number % 40}/Folder{number % 7}/file{number}.dat", data)
PY
}
make_archive "$work/large.zip" 2000 200
make_archive "$work/small.zip" 200 20

reader=() unzip_times=()
for round in 1 2 3; do
  rm -rf "$work/out"
  read -r seconds _ < <("$root/build/bench/bench/unzip_bench" "$work/large.zip" "$work/out")
  reader+=("$seconds")
  rm -rf "$work/out"
  unzip_times+=("$(/usr/bin/python3 -c '
import subprocess, sys, time
start = time.monotonic()
subprocess.run(sys.argv[1:], check=True)
print(time.monotonic() - start)' unzip -o -q "$work/large.zip" -d "$work/out")")
done
rm -rf "$work/out"
read -r _ peak_small _ < <("$root/build/bench/bench/unzip_bench" "$work/small.zip" "$work/out")
rm -rf "$work/out"
read -r _ peak_large _ < <("$root/build/bench/bench/unzip_bench" "$work/large.zip" "$work/out")
rm -rf "$work/out"

/usr/bin/python3 - "${reader[*]}" "${unzip_times[*]}" "$peak_small" "$peak_large" <<'PY'
import statistics, sys
reader, unzip = ([float(x) for x in arg.split()] for arg in sys.argv[1:3])
small, large = int(sys.argv[3]), int(sys.argv[4])
r, u = statistics.median(reader), statistics.median(unzip)
print(f"unzip 2,000 files / 200 MiB, median of 3: reader {r:.2f} s, Info-ZIP unzip {u:.2f} s")
print(f"unzip ratio reader/unzip {r / u:.2f} (goal at most 1.2)")
print(f"unzip peak resident memory of the reader: 20 MiB archive {small / 1024:.1f} MiB, "
      f"200 MiB archive {large / 1024:.1f} MiB")
PY
