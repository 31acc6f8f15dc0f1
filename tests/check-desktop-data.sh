#!/usr/bin/env bash
# Checks what the desktop reads about Arvo, as its own tools read it: the AppStream metainfo, the
# desktop file and the manual pages.
#   tests/check-desktop-data.sh SOURCE_DIR BUILD_DIR APP_ID VERSION
# Exits 77 (skipped) when a checking tool is missing.
set -euo pipefail
source_dir=$1 build_dir=$2 app_id=$3 version=$4

for tool in appstreamcli desktop-file-validate man; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (packages appstream, desktop-file-utils, man-db)"; exit 77; }
done

status=0
fail() { echo "FAIL: $*"; status=1; }

metainfo=$source_dir/resources/$app_id.metainfo.xml
desktop=$source_dir/resources/$app_id.desktop
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate $metainfo"
# desktop-file-validate exits 0 on warnings and hints: any word from it counts.
out=$(desktop-file-validate "$desktop" 2>&1) || true
[ -z "$out" ] || fail "desktop-file-validate: $out"

# The names that tie them together, and the newest release is this version.
grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" || fail "metainfo launches no $app_id.desktop"
grep -qx "Icon=$app_id" "$desktop" || fail "desktop file icon is not $app_id"
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | sed -n '1s/.*"\(.*\)"/\1/p')
[ "$newest" = "$version" ] || fail "newest release in the metainfo is \"$newest\", the project's version is $version"

# Each screenshot the metainfo names is in docs/screenshots, a PNG of the size it gives.
while read -r width height name; do
    png=$source_dir/docs/screenshots/$name
    [ -f "$png" ] || { fail "screenshot $name is not in docs/screenshots"; continue; }
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    got=$(od -An -j16 -N8 -tu1 "$png" | awk '{print ($1*2^24+$2*2^16+$3*2^8+$4) "x" ($5*2^24+$6*2^16+$7*2^8+$8)}')
    [ "$got" = "${width}x${height}" ] || fail "screenshot $name is $got, the metainfo says ${width}x${height}"
done < <(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">.*/docs/screenshots/\([^<]*\)</image>.*|\1 \2 \3|p' "$metainfo")

# man prints its formatter's warnings (a bad macro, a line it cannot fill) to stderr.
for page in "$build_dir"/man/*.1; do
    out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) || fail "man $page"
    [ -z "$out" ] || fail "man $page: $out"
done
exit $status
