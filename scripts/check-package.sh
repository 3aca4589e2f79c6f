#!/bin/sh
# check-package.sh DEB: the checks a package must pass before it goes to a
# lab. lintian without errors; desktop-file-validate on every menu entry and
# appstreamcli on every AppStream file it holds; unpacked into a scratch
# root, its programs run from there: oplab-data --version, lab init of a new
# folder and lab check of it, oplab --version, oplab-journal --version; the
# systemd user timer and service of `journal keep` verified by systemd-analyze
# for one journal, and their command run on it. Ends with the package's size
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

echo "== the timer of journal keep"
units=$root/usr/lib/systemd/user
test -f "$units/oplab-journal-keep@.timer"
test -f "$units/oplab-journal-keep@.service"
grep -qx 'ExecStart=/usr/bin/oplab-data journal keep %f' "$units/oplab-journal-keep@.service"
journal=$scratch/lab/Students.DAT
"$root/usr/bin/oplab-data" journal register "$journal" 1 "Проверка" >/dev/null
instance=$(systemd-escape --path "$journal")
mkdir "$scratch/units"
cp "$units/oplab-journal-keep@.timer" "$scratch/units/oplab-journal-keep@$instance.timer"
# The service as installed, its command the unpacked one.
sed "s|/usr/bin/|$root/usr/bin/|" "$units/oplab-journal-keep@.service" >"$scratch/units/oplab-journal-keep@$instance.service"
systemd-analyze verify --man=no "$scratch/units/oplab-journal-keep@$instance.timer" \
    "$scratch/units/oplab-journal-keep@$instance.service"
# What the service runs, with %f the journal's path.
XDG_DATA_HOME=$scratch/data "$root/usr/bin/oplab-data" journal keep "$(systemd-escape --unescape --path "$instance")"
test -n "$(ls "$scratch"/data/oplab/history/Students.DAT-*/*.DAT)"

echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
