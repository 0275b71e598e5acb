#!/usr/bin/env bash
# test_package.sh CPACK CPACK_CONFIG WORKDIR
# Builds the Debian package into WORKDIR and checks that it holds what an
# installed Quillet needs, that its desktop metadata validates and that its
# dependencies were computed from the program. Exits 77 (skipped) where the
# Debian tools or the validators are missing.
set -euo pipefail
cpack=$1 config=$2 work=$3

for tool in dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is missing (Debian: apt install dpkg-dev desktop-file-utils appstream)"
        exit 77
    fi
done

rm -rf "$work"
mkdir -p "$work"
"$cpack" -G DEB --config "$config" -B "$work" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"; echo "FAIL: cpack -G DEB"; exit 1; }
debs=("$work"/quillet_*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || { echo "FAIL: expected one quillet_*.deb in $work"; exit 1; }
deb=${debs[0]}
echo "built $(basename "$deb")"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Exactly these files, nothing from the build or the tests.
expected="./usr/bin/quillet
./usr/lib/systemd/system/quillet-bridge@.service
./usr/libexec/quillet/Readme.txt
./usr/libexec/quillet/quillet
./usr/share/applications/quillet.desktop
./usr/share/doc/quillet/changelog.gz
./usr/share/doc/quillet/copyright
./usr/share/doc/quillet/examples/bridge-example.conf
./usr/share/doc/quillet/examples/mosquitto-quillet.acl
./usr/share/doc/quillet/examples/mosquitto-quillet.conf
./usr/share/icons/hicolor/256x256/apps/quillet.png
./usr/share/icons/hicolor/48x48/apps/quillet.png
./usr/share/icons/hicolor/scalable/apps/quillet.svg
./usr/share/man/man1/quillet.1.gz
./usr/share/metainfo/org.example.quillet.metainfo.xml"
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | LC_ALL=C sort)
while read -r path; do fail "the package lacks $path"; done < <(LC_ALL=C comm -23 <(echo "$expected") <(echo "$files"))
while read -r path; do fail "the package holds $path"; done < <(LC_ALL=C comm -13 <(echo "$expected") <(echo "$files"))

tree="$work/tree"
dpkg-deb -x "$deb" "$tree"

# The menu entry points at a program and an icon the package holds.
[[ $(readlink "$tree/usr/bin/quillet") == ../libexec/quillet/quillet ]] || fail "usr/bin/quillet is not a link to the program"
[[ -x $tree/usr/libexec/quillet/quillet ]] || fail "the program is not executable"
grep -qx 'Exec=quillet' "$tree/usr/share/applications/quillet.desktop" || fail "the desktop entry does not start quillet"
grep -qx 'Icon=quillet' "$tree/usr/share/applications/quillet.desktop" || fail "the desktop entry does not name the quillet icon"

# PNG: width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
for size in 48 256; do
    icon="$tree/usr/share/icons/hicolor/${size}x${size}/apps/quillet.png"
    [[ -f $icon ]] || continue
    [[ $(png_size "$icon") == "${size}x${size}" ]] || fail "the ${size}x${size} icon is $(png_size "$icon")"
done

desktop-file-validate "$tree/usr/share/applications/quillet.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$tree/usr/share/metainfo/org.example.quillet.metainfo.xml" || fail "appstreamcli validate"
zcat "$tree/usr/share/man/man1/quillet.1.gz" | grep -q '^\.SH COMMANDS' || fail "the manual page lacks its COMMANDS section"
for command in say who listen message bridge; do
    zcat "$tree/usr/share/man/man1/quillet.1.gz" | grep -q "^\.B.* $command" || fail "the manual page does not document '$command'"
done

# Dependencies come from the program's libraries; the SVG library is not one of them.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 libqt6network6 libc6 qt6-qpa-plugins libmosquitto1; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package"
done
grep -qi svg <<<"$depends" && fail "Depends names an SVG library"
# The bridge's service is shipped, never switched on by the package.
grep -q '^ExecStart=/usr/bin/quillet bridge ' "$tree/usr/lib/systemd/system/quillet-bridge@.service" ||
    fail "the bridge's unit does not start quillet bridge"
dpkg-deb -e "$deb" "$work/control"
grep -qs 'systemctl.*enable' "$work/control"/* && fail "the package enables the bridge's unit"

# Debian's own checker, where it is installed: no error and no warning.
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" || fail "lintian"
else
    echo "lintian is missing (apt install lintian): not run"
fi

((failures == 0)) || exit 1
echo "PASS"
