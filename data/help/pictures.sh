#!/usr/bin/env bash
# Makes the help pages' pictures as a user sees the program: a Chinese locale and a plain folder,
# /home/kiro/音乐, on a file system of its own in a mount namespace that ends with the script.
#   data/help/pictures.sh [TEST_BUILD]     (default build/test)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(realpath "${1:-$root/build/test}")
cmake --build "$build" --target test_dialogs
map=()
[ "$(id -u)" -eq 0 ] || map=(--map-root-user)
unshare --mount --propagation private "${map[@]}" bash -c '
  mount -t tmpfs tmpfs /home
  mkdir -p /home/kiro/音乐
  LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 MELVANE_PICTURE_FOLDER=/home/kiro/音乐 \
    "$1/tests/test_dialogs" --gtest_filter="*PicturesForTheHelpPages"' _ "$build"
cp "$root"/build/screenshots/help/*.png "$here/images/"
echo "pictures copied to $here/images/"
