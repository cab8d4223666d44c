#!/usr/bin/env bash
# Makes the Debian package, runs lintian on it, then installs it with apt-get into a clean
# Debian 12 root and uses it there as a person would. The root, made by debootstrap, is kept
# in build/package-root/base between runs; each run works on a copy. Needs root and Debian's
# package mirror (MIRROR).
set -euo pipefail
cd "$(dirname "$0")/.."

mirror=${MIRROR:-http://deb.debian.org/debian}
base=build/package-root/base
run=build/package-root/run

scripts/package.sh
deb=$(echo build/package/tessel_*.deb)
echo "== $(basename "$deb"): $(du -h "$deb" | cut -f1)"
dpkg-deb --field "$deb" Depends Recommends Installed-Size

echo "== lintian"
lintian --fail-on error --display-level '>=pedantic' "$deb"

if [ ! -d "$base" ]; then
    # Made aside and moved into place, so an interrupted debootstrap is never taken as done.
    rm -rf "$base.new"
    debootstrap --variant=minbase bookworm "$base.new" "$mirror"
    mv "$base.new" "$base"
fi
# Never removes the copy while /proc is still mounted in it.
cleanup() {
    if mountpoint -q "$run/proc"; then
        umount "$run/proc"
    fi
    rm -rf "$run"
}
cleanup
cp -a "$base" "$run"
trap cleanup EXIT
mount -t proc proc "$run/proc"
cp /etc/resolv.conf "$run/etc/resolv.conf"
cp "$deb" "$run/tmp/tessel.deb"

inside() {
    chroot "$run" env DEBIAN_FRONTEND=noninteractive TESSEL_CONFIG_DIR=/tmp/config "$@"
}

# The root has no /dev/pts for dpkg's terminal.
apt=(apt-get -q -y -o Dpkg::Use-Pty=0)

echo "== install"
inside "${apt[@]}" update
inside "${apt[@]}" install /tmp/tessel.deb desktop-file-utils appstream shared-mime-info

echo "== use"
inside tessel --version
inside tessel paper list
inside tessel settings set onboarded true
inside desktop-file-validate /usr/share/applications/com.corvane.Tessel.desktop
inside appstreamcli validate --no-net /usr/share/metainfo/com.corvane.Tessel.metainfo.xml
# dpkg triggers, not maintainer scripts, bring the desktop's caches up to date.
grep -q 'application/x-tessel-paper' "$run/usr/share/mime/globs2"
grep -q 'com.corvane.Tessel.desktop' "$run/usr/share/applications/mimeinfo.cache"

echo "== remove"
inside "${apt[@]}" purge tessel
test ! -e "$run/usr/bin/tessel"
test -s "$run/tmp/config/defaults.json"
echo "package installs, runs and leaves the user's settings behind when purged"
