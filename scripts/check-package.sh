#!/bin/sh
# check-package.sh DEB: the checks a package must pass before it goes to a
# lab. lintian without errors; desktop-file-validate on every menu entry and
# appstreamcli on every AppStream file it holds; unpacked into a scratch
# root, its programs run from there: oplab-data --version, lab init of a new
# folder and lab check of it, oplab --version, oplab-journal --version. Ends with the package's size
# and installed size. Any failure fails the script.
set -eu
deb=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== lintian"
lintian --fail-on error --info "$deb"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
echo "== desktop-file-validate, appstreamcli"
for entry in "$root"/usr/share/applications/*.desktop; do
    desktop-file-validate "$entry"
    echo "$(basename "$entry"): valid"
done
for info in "$root"/usr/share/metainfo/*.metainfo.xml; do
    appstreamcli validate --no-net "$info"
done

echo "== the unpacked programs"
"$root/usr/bin/oplab-data" --version
"$root/usr/bin/oplab" --version
"$root/usr/bin/oplab-journal" --version
"$root/usr/bin/oplab-data" lab init "$scratch/lab"
"$root/usr/bin/oplab-data" lab check "$scratch/lab"

echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
