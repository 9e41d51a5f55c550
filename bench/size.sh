#!/usr/bin/env bash
# The product's size: each file's bytes and, from the linker's map, what takes them: by library, by
# object file, by section kind, and the largest single sections (functions and tables).
# Usage: bench/size.sh [BUILD_DIR] [COUNT]   (BUILD_DIR, from the repository's top, defaults to build-win, the 32-bit product, which
# it builds first; COUNT, default 15, is how many lines each list shows)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-win}
count=${2:-15}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 --target Lurb lurcore >/dev/null
total=0
for file in Lurb.exe lurcore.dll; do
    size=$(stat -c %s "$build/bin/$file")
    total=$((total + size))
    printf '%-12s %8d bytes\n' "$file" "$size"
done
printf '%-12s %8d bytes (%d KB)\n' together "$total" $((total / 1024))
for map in "$build"/maps/Lurb.map "$build"/maps/lurcore.map; do
    echo
    echo "== $(basename "$map" .map): the map's input sections, bytes"
    python3 - "$map" "$count" <<'PY'
import collections, re, subprocess, sys

path, count = sys.argv[1], int(sys.argv[2])
lines = open(path, errors="replace").read().split("\n")
start = next(i for i, l in enumerate(lines) if l.startswith("Linker script and memory map"))
by_library, by_object, by_kind, sections = (collections.Counter() for _ in range(4))
entry = re.compile(r"^ (\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
pending = None
for line in lines[start:]:
    if re.match(r"^ \S+$", line):
        pending = line.strip()
        continue
    m = entry.match(line)
    name = (m.group(1) or pending) if m else None
    pending = None
    if not m or not name or int(m.group(2), 16) == 0:
        continue
    size = int(m.group(3), 16)
    kind = re.match(r"\.[a-z_]+", name)
    kind = kind.group(0) if kind else name
    if kind in (".bss", ".tls") or name.startswith(".bss") or size == 0:
        continue  # no bytes in the file
    source = m.group(4)
    library = re.match(r"(?:.*/)?([^/(]+)\((.+)\)$", source)
    if library:
        lib, member = library.group(1), library.group(2)
        if lib == "objects.a":
            lib = "(own code)"
    else:
        lib, member = "(own code)" if "CMakeFiles" in source else source.rsplit("/", 1)[-1], source.rsplit("/", 1)[-1]
    if lib.startswith("lib") and "CMakeFiles" in source:
        lib = "(own code) " + lib
    by_library[lib] += size
    by_object[f"{lib}: {member}"] += size
    by_kind[kind] += size
    sections[(name, member)] += size

def show(title, counter):
    print(f"-- {title}")
    for key, size in counter.most_common(count):
        print(f"  {size:8d}  {key}")

show("by library", by_library)
show("by object file", by_object)
show("by section kind", by_kind)
names = [n.split("$", 1)[1] if "$" in n else n for (n, _) in sections]
try:
    demangled = subprocess.run(["c++filt"], input="\n".join(names), capture_output=True, text=True).stdout.split("\n")
except OSError:
    demangled = names
pretty = collections.Counter()
for ((name, member), size), shown in zip(sections.items(), demangled):
    pretty[f"{shown[:90]}  ({member})"] += size
show("largest sections", pretty)
PY
done
