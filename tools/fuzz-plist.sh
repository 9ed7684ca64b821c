#!/usr/bin/env bash
# Fuzzes the property-list reader (src/plist) under AddressSanitizer and UBSan, seeded by
# the real files in ../shared/fixtures/plist:
#   1. libFuzzer (tests/plist/fuzz_plist_reader.cpp) for RUNS inputs;
#   2. the same check over RUNS inputs mutated by tests/plist/PlistMutator.h (fixed seed).
# usage: tools/fuzz-plist.sh [RUNS]   (default 200000; needs clang++ and Qt 6 Core)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-200000}"
out="$root/build/fuzz-plist"
fixtures="${QV_PLIST_FIXTURES:-$root/../shared/fixtures/plist}"
mkdir -p "$out/corpus" "$out/crashes"
cp "$fixtures"/*.plist "$out/corpus/"

qt="$(pkg-config --cflags --libs Qt6Core)"
srcs=("$root"/src/plist/*.cpp)
flags=(-std=c++20 -O1 -g -fPIC -fno-omit-frame-pointer -fsanitize=address,undefined
       -fno-sanitize-recover=undefined -I"$root/src" -I"$root/tests/plist")

echo "== building"
clang++ "${flags[@]}" -fsanitize=fuzzer "$root/tests/plist/fuzz_plist_reader.cpp" "${srcs[@]}" \
  $qt -o "$out/fuzz_plist_reader"
clang++ "${flags[@]}" -DQV_PLIST_MUTATION_DRIVER "$root/tests/plist/fuzz_plist_reader.cpp" \
  "${srcs[@]}" $qt -o "$out/mutate_plist_reader"

# Tokens of the reader, so libFuzzer builds tag lines rather than random bytes.
cat > "$out/plist.dict" <<'DICT'
"<dict>"
"</dict>"
"<dict/>"
"<array>"
"</array>"
"<array/>"
"<key>"
"</key>"
"<string>"
"</string>"
"<string/>"
"<data>"
"</data>"
"<true/>"
"<false/>"
"<date>"
"</date>"
"<integer>"
"\x0d"
"\x0a"
"\x09"
DICT

echo "== libFuzzer, $runs runs"
ASAN_OPTIONS=detect_leaks=1 "$out/fuzz_plist_reader" "$out/corpus" -dict="$out/plist.dict" \
  -runs="$runs" -max_len=32768 -artifact_prefix="$out/crashes/" -print_final_stats=1 2>&1 |
  grep -E '^(#[0-9]+ +DONE|Done|stat::number_of_executed_units|stat::peak_rss|==[0-9]+==|SUMMARY)' || true
test "${PIPESTATUS[0]}" -eq 0

echo "== mutated fixtures, $runs inputs"
"$out/mutate_plist_reader" "$fixtures" "$runs" | tail -1
echo "== no crash, no sanitizer report"
