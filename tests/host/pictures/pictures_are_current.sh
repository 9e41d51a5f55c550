#!/bin/sh
# The committed pictures are exactly what the picture program and the tools make now, and nothing else
# is in their folder.
#   pictures_are_current.sh <make_pictures.sh> <draw_pictures> <committed folder>
set -eu
fresh=$(mktemp -d "${TMPDIR:-/tmp}/lur-pictures-test.XXXXXX")
trap 'rm -rf "$fresh"' EXIT
"$1" "$2" "$fresh"
failed=0
if [ "$(ls "$fresh")" != "$(ls "$3")" ]; then
    echo "FAIL: the folder holds $(ls "$3" | tr '\n' ' '); the program makes $(ls "$fresh" | tr '\n' ' ')"
    failed=1
fi
for file in "$fresh"/*; do
    name=$(basename "$file")
    if ! cmp -s "$file" "$3/$name"; then
        echo "FAIL: $name differs from what the picture program makes; run resources/remake and commit"
        failed=1
    fi
done
[ "$failed" = 0 ] && echo "ok: $(ls "$fresh" | wc -l) pictures are current"
exit "$failed"
