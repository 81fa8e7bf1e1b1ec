#!/usr/bin/env bash
# Builds the libFuzzer targets of the store and document layers (build-fuzz/, clang)
# and runs each for a bounded time.
#   ./fuzz.sh                      every target, 60 seconds each
#   ./fuzz.sh 120                  every target, 120 seconds each
#   ./fuzz.sh 300 ini_edit ...     the named targets only
#   ./fuzz.sh replay               builds every target and runs each once over its seeds and kept
#                                  inputs, no new inputs (what CI runs: the same result every time)
# An input that crashes, hangs or breaks an invariant is written to
# tests/data/<target>/, where the test suite replays it (tests/reliability/): fix the
# fault and keep the file under a name that says what it caught. While a fault waits
# for its fix, its input lives in tests/data/unfixed/<target>/ (not replayed; see
# tests/data/README.md). The growing corpus stays in build-fuzz/corpus/<target>/.
# Needs clang and libclang-rt-dev (libFuzzer). Exit status 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")"

seconds=${1:-60}
[ $# -gt 0 ] && shift
limit=(-max_total_time="$seconds")
if [ "$seconds" = replay ]; then
  limit=(-runs=0)
fi
all=(ini_parse ini_edit catalogue personality file_reference skin_bitmap bmp_load jpeg_load jpeg_scans)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ is needed (packages clang and libclang-rt-dev)" >&2
  exit 2
fi
if [ ! -f build-fuzz/build.ninja ]; then
  cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build build-fuzz -j2

# Seeds from the shipped files; the personality target takes a personality and a
# catalogue joined by its separator line.
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{ini_parse,ini_edit,catalogue,personality,file_reference,skin_bitmap,bmp_load,jpeg_load,jpeg_scans}
n=0
for file in data/skins/*/*.uis data/*.def data/template/*.ini data/template/*.uis; do
  [ -f "$file" ] || continue
  n=$((n + 1))
  head -c 4096 "$file" > "$seeds/ini_parse/$n"
  head -c 4096 "$file" > "$seeds/ini_edit/$n"
done
for file in data/*.def; do
  head -c 4096 "$file" > "$seeds/catalogue/$(basename "$file")"
done
n=0
for file in data/skins/*/*.uis; do
  for def in data/uis2.def data/uis1p.def; do
    n=$((n + 1))
    { head -c 3072 "$file"; printf '\n#CATALOGUE#\n'; head -c 5000 "$def"; } > "$seeds/personality/$n"
  done
done
n=0
for reference in 'Alpha\Top.bmp' 'alpha\sub\X.BMP' '..\..\..\etc\passwd' '/etc/passwd' 'C:\Windows\win.ini' \
                 'In\Sub\x.bmp' 'Out\secret.txt' 'Beta\Up\secret.txt' 'Loop\x' 'Alpha\passwd.bmp'; do
  n=$((n + 1))
  printf '%s' "$reference" > "$seeds/file_reference/$n"
done
printf 'Top.bmp\0*.bmp;*.jpg' > "$seeds/file_reference/pattern"
for file in data/skins/*/*.bmp; do
  [ "$(stat -c %s "$file")" -le 16384 ] && cp "$file" "$seeds/bmp_load/"
done
head -c 64 /dev/urandom > "$seeds/skin_bitmap/random"
# The kept inputs of each target (tests/data/<target>/) seed it as well.

# The targets write small files for every input: on a memory file system that is many
# times quicker than on a disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm/skinwrt-fuzz-$$
else
  export TMPDIR=$PWD/build-fuzz/tmp
fi
# A smaller quarantine and no fill of fresh allocations keep the sanitizer's own work
# from dominating short inputs (an input per few milliseconds instead of one per ten).
export ASAN_OPTIONS=${ASAN_OPTIONS:-max_malloc_fill_size=0:quarantine_size_mb=32}
found=0
summary=()
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target" "tests/data/$target"
  rm -rf "$TMPDIR" && mkdir -p "$TMPDIR"
  log=build-fuzz/$target.log
  echo "== $target: ${limit[*]}"
  status=0
  max_len=4096
  case $target in personality) max_len=8192 ;; bmp_load) max_len=16384 ;; esac
  "./build-fuzz/${target}_fuzzer" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=$max_len \
    -artifact_prefix="tests/data/$target/" -print_final_stats=1 \
    "build-fuzz/corpus/$target" "$seeds/$target" "tests/data/$target" >"$log" 2>&1 || status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  if [ -z "$runs" ]; then
    runs=$(grep -oE '#[0-9]+' "$log" | tail -1 | tr -d '#' || true)
  fi
  if [ $status -ne 0 ]; then
    found=1
    artifact=$(grep -o "tests/data/$target/[^ ]*" "$log" | tail -1 || true)
    summary+=("$target: ${runs:-?} runs, FOUND ${artifact:-a failure} (see $log)")
    grep -E 'ERROR|InvariantBroken|what\(\)|SUMMARY' "$log" | head -5 || true
  else
    summary+=("$target: ${runs:-?} runs, nothing found")
  fi
done
rm -rf "$TMPDIR"
printf '%s\n' "${summary[@]}"
exit $found
