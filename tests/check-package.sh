#!/usr/bin/env bash
# Builds the Debian package from a built build folder, unpacks it into a scratch root and runs
# Arvo from there; installs with another prefix and looks for the udev rule in udev's folder.
#   tests/check-package.sh BUILD_DIR VERSION
# Exits 77 (skipped) when the packaging tools are missing.
set -euo pipefail
build_dir=$1 version=$2

for tool in cpack dpkg-deb dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (packages cmake, dpkg, dpkg-dev, file)"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }
rule=70-arvo-camera.rules

# udev reads its own folder only, whatever the prefix.
DESTDIR=$scratch/destdir cmake --install "$build_dir" --prefix /opt/arvo >/dev/null
[ -x "$scratch/destdir/opt/arvo/bin/arvo" ] || fail "no bin/arvo under the prefix /opt/arvo"
[ -f "$scratch/destdir/usr/lib/udev/rules.d/$rule" ] || fail "the udev rule is not in \$DESTDIR/usr/lib/udev/rules.d:
$(cd "$scratch/destdir" && find . -name "$rule")"

if ! cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    exit 1
fi
deb=$(echo "$scratch"/package/arvo_"$version"-*.deb)
[ -f "$deb" ] || { echo "FAIL: no arvo_$version-*.deb"; ls "$scratch/package"; exit 1; }
contents=$(dpkg-deb -c "$deb")
grep -q " \./usr/lib/udev/rules\.d/$rule\$" <<<"$contents" || fail "the package has no usr/lib/udev/rules.d/$rule"
for file in usr/bin/arvo usr/bin/arvo-vcam usr/share/applications/io.github.arvo.desktop \
    usr/share/metainfo/io.github.arvo.metainfo.xml usr/share/man/man1/arvo.1.gz; do
    grep -q " \./$file\$" <<<"$contents" || fail "the package has no $file"
done
# The libraries come from dpkg-shlibdeps, the plugins loaded at run time are named.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libturbojpeg0 gstreamer1.0-plugins-ugly; do
    grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done

# As a user on a console runs it: no display.
dpkg -x "$deb" "$scratch/root"
for program in arvo arvo-vcam; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$scratch/root/usr/bin/$program" --version 2>&1) ||
        fail "$program --version exits with $?"
    [ "$out" = "$program $version" ] || fail "$program --version says \"$out\""
done
exit $status
