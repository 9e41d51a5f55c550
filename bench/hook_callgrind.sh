#!/usr/bin/env bash
# The key handler's cost per keystroke as the keyboard hook calls it (press and release, the composition
# core and the strokes to send), Telex and VNI in each code table, over the hunspell-vi word list (tone
# key last, a space after each word, spelling check on):
#   instr/key  instructions per key (press and release) counted by callgrind over one pass of the list,
#              after a warm-up pass
#   worst      the most instructions any single key (press and release) of the list took, and the word
#              it ended; worst/avg is its ratio to instr/key
# Usage: bench/hook_callgrind.sh [BUILD_DIR]   (BUILD_DIR defaults to build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE= >/dev/null
cmake --build "$build" -j2 --target hook_bench >/dev/null
bench=$build/bin/hook_bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

printf '%-6s %-8s %7s %10s %10s %10s\n' method table keys instr/key worst worst/avg
for method in telex vni; do
    for table in unicode tcvn3 vniwin; do
        valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/total" \
            "$bench" total "$method" "$table" >"$out/total.txt" 2>/dev/null
        keys=$(awk '/^keys/ {print $2}' "$out/total.txt")
        total=$(cat "$out"/total.* | awk '/^totals:/ {s += $2} END {print s}')
        rm -f "$out"/total "$out"/total.*
        valgrind --tool=callgrind --collect-atstart=no --combine-dumps=yes --dump-instr=no --dump-line=no \
            --callgrind-out-file="$out/each" "$bench" each "$method" "$table" >/dev/null 2>&1
        worst=$(awk '/^desc: Trigger: Client Request: key / {word = $7} /^totals:/ && word != "" {
                    if ($2 > max) {max = $2; at = word} word = ""} END {print max, at}' "$out/each")
        rm -f "$out/each"
        read -r worstCount worstWord <<<"$worst"
        awk -v m="$method" -v t="$table" -v k="$keys" -v s="$total" -v w="$worstCount" -v ww="$worstWord" \
            'BEGIN {printf "%-6s %-8s %7d %10.1f %10d %10.2f  worst key ends \"%s\"\n",
                    m, t, k, s / k, w, w / (s / k), ww}'
    done
done
