#!/usr/bin/env bash
# The composition core's cost per keystroke, Telex and VNI in each code table, over the hunspell-vi word
# list (tone key last, a space after each word, spelling check on):
#   instr/key  instructions per key counted by callgrind over one pass of the list, after a warm-up
#              pass (the count of the key loop, not of the machine, so it does not drift)
#   worst      the most instructions any single key of the list took, and the word it ended
#   ns/key     wall-clock time per key over ROUNDS passes (this machine, this moment)
#   allocs/key allocations per key after the first pass, counted by the benchmark's operator new
# Usage: bench/callgrind.sh [BUILD_DIR] [ROUNDS]   (BUILD_DIR defaults to build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
rounds=${2:-20}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE= >/dev/null
cmake --build "$build" -j2 --target core_bench >/dev/null
bench=$build/bin/core_bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$bench" time "$rounds" >"$out/time.txt"

printf '%-6s %-8s %7s %10s %10s %10s %10s  %s\n' method table keys instr/key worst worst/avg ns/key allocs/key
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
        read -r ns allocs < <(awk -v m="$method" -v t="$table" '$1 == m && $2 == t {print $4, $5}' "$out/time.txt")
        awk -v m="$method" -v t="$table" -v k="$keys" -v s="$total" -v w="$worstCount" -v ww="$worstWord" \
            -v ns="$ns" -v a="$allocs" 'BEGIN {
                printf "%-6s %-8s %7d %10.1f %10d %10.2f %10s %10s  worst key ends \"%s\"\n",
                    m, t, k, s / k, w, w / (s / k), ns, a, ww}'
    done
done
