#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what the desktop reads from it.
# Usage: desktop_integration_test.sh BUILD_DIR
set -euo pipefail

for tool in desktop-file-validate appstreamcli update-mime-database; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is not installed"
        exit 1
    fi
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

share=$prefix/share
test -x "$prefix/bin/tessel"
test -s "$share/icons/hicolor/scalable/apps/com.corvane.Tessel.svg"
test -s "$share/icons/hicolor/symbolic/apps/com.corvane.Tessel-symbolic.svg"
test -s "$share/man/man1/tessel.1.gz"
test -s "$share/bash-completion/completions/tessel"
test -s "$share/doc/tessel/copyright"
desktop-file-validate "$share/applications/com.corvane.Tessel.desktop"
appstreamcli validate --no-net "$share/metainfo/com.corvane.Tessel.metainfo.xml"

update-mime-database "$share/mime" 2>/dev/null
grep -qx 'application/x-tessel-paper:\*\.tessel' "$share/mime/globs"
grep -q '^application/x-tessel-paper application/json$' "$share/mime/subclasses"
echo "desktop integration installs and validates"
