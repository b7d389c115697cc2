#!/usr/bin/env bash
# Installs the build into a prefix an ordinary user cannot write and runs the installed-program test as
# such a user (nobody where the suite runs as root); the catalogue under the prefix must stay as installed.
#   installed_catalogue.sh <build folder> <test program>
set -euo pipefail

build=$1 test=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix
home=$prefix/lib/melvanekiro
cmake --install "$build" --prefix "$prefix" > /dev/null
cp "$home/KIROCustomList.mdb" "$work/delivered"

if [ "$(id -u)" = 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  chmod -R a-w "$prefix"
  as_user=()
fi
MELVANE_INSTALLED_PROGRAM=$home/MelvaneKIRO "${as_user[@]}" "$test" --gtest_brief=1
cmp "$home/KIROCustomList.mdb" "$work/delivered" || { echo "FAIL: the installed catalogue changed" >&2; exit 1; }
