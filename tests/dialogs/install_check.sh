#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree: program, catalogue and
# help file together, the link in bin, the desktop entry and the icon, a second install that keeps
# the user's catalogue; then starts the installed program on a virtual X server, presses F1 and
# chooses the mail item, and checks what the program asked the desktop to open.
#   install_check.sh <build folder> <screenshot folder>
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "${1:-}" = "--inside" ]; then
  prefix=$2 shots=$3 work=$4
  home=$prefix/lib/melvanekiro
  opened=$work/opened
  # The desktop's opener is a program on the PATH; this one only writes down what it was given.
  mkdir -p "$work/fakebin" "$work/home/Desktop" "$work/runtime"
  chmod 700 "$work/runtime"
  cat > "$work/fakebin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$*" >> "$opened"
SCRIPT
  chmod +x "$work/fakebin/xdg-open"
  # The desktop has a program for every document.
  printf '#!/bin/sh\necho viewer.desktop\n' > "$work/fakebin/xdg-mime"
  chmod +x "$work/fakebin/xdg-mime"
  export PATH=$work/fakebin:$PATH HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
  export XDG_DATA_HOME=$work/home/.local/share XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/runtime
  export QT_QPA_PLATFORM=xcb
  unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID

  # xvfb-run -a can lose the display number to another server started at the same moment.
  xdotool getdisplaygeometry > /dev/null 2>&1 || exit 3

  (cd / && exec "$prefix/bin/melvanekiro") > "$work/program.log" 2>&1 &
  pid=$!
  stop() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  trap stop EXIT

  wid=""
  for _ in $(seq 1 300); do
    wid=$(xdotool search --onlyvisible --name '^MelvaneKIRO\(V4\.0\)' 2>/dev/null | head -1) || true
    [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/program.log" >&2; fail "the installed program ended at start"; }
    sleep 0.1
  done
  [ -n "$wid" ] || fail "no main window"
  sleep 1
  # A missing or unopenable catalogue would have shown an error box before the window.
  for caption in 错误 警告; do
    if xdotool search --name "^$caption\$" >/dev/null 2>&1; then fail "a box \"$caption\" is open"; fi
  done
  mkdir -p "$shots"
  import -window root "$shots/installed.png"

  # The window may be shown a moment before the server lets it take the focus.
  focused=""
  for _ in $(seq 1 50); do
    if xdotool windowfocus --sync "$wid" 2>/dev/null; then focused=yes; break; fi
    sleep 0.1
  done
  [ -n "$focused" ] || fail "the main window never took the focus"
  xdotool key --clearmodifiers F1
  for _ in $(seq 1 100); do [ -s "$opened" ] && break; sleep 0.1; done
  [ -s "$opened" ] || fail "F1 opened nothing"
  help=$(sed -n 1p "$opened")
  [ "$help" = "file://$home/KIROHelp.chm" ] || fail "F1 opened '$help'"
  if xdotool search --name "^警告\$" >/dev/null 2>&1; then fail "the help file was not found"; fi

  xdotool key --clearmodifiers alt+h
  sleep 0.5
  xdotool key m
  for _ in $(seq 1 100); do [ "$(wc -l < "$opened")" -ge 2 ] && break; sleep 0.1; done
  mail=$(sed -n 2p "$opened")
  [ "$mail" = "mailto:melvanekiro@users.noreply.example" ] || fail "the mail item opened '$mail'"
  kill -0 "$pid" 2>/dev/null || fail "the program ended"
  echo "installed program started from $prefix, found its catalogue and opened $help"
  exit 0
fi

build=$1 shots=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
home=$prefix/lib/melvanekiro

cmake --install "$build" --prefix "$prefix" > /dev/null
for f in "$home/MelvaneKIRO" "$home/KIROCustomList.mdb" "$home/KIROHelp.chm" \
         "$prefix/share/applications/melvanekiro.desktop" \
         "$prefix/share/icons/hicolor/scalable/apps/melvanekiro.svg"; do
  [ -s "$f" ] || fail "$f is missing"
done
[ -x "$home/MelvaneKIRO" ] || fail "the program is not executable"
[ "$(readlink "$prefix/bin/melvanekiro")" = "../lib/melvanekiro/MelvaneKIRO" ] || fail "bin/melvanekiro is no relative link"
[ "$(readlink -f "$prefix/bin/melvanekiro")" = "$(readlink -f "$home/MelvaneKIRO")" ] || fail "bin/melvanekiro leads elsewhere"
cmp -s "$home/KIROHelp.chm" "$build/bin/KIROHelp.chm" || fail "the installed help file differs from the built one"
desktop-file-validate "$prefix/share/applications/melvanekiro.desktop" || fail "the desktop entry is not valid"

sqlite3 "$home/KIROCustomList.mdb" "insert into list (id, name, memo) values ('1', 'kept', 'user')"
cmake --install "$build" --prefix "$prefix" > /dev/null
[ "$(sqlite3 "$home/KIROCustomList.mdb" "select name from list where id = '1'")" = "kept" ] \
  || fail "a second install replaced the catalogue"
# The kept catalogue and the link are files of the installation too.
for f in "$home/KIROCustomList.mdb" "$prefix/bin/melvanekiro"; do
  grep -qxF "$f" "$build/install_manifest.txt" || fail "$f is not in install_manifest.txt"
done

for attempt in 1 2 3; do
  rm -f "$work/opened"
  rc=0
  xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$prefix" "$shots" "$work" || rc=$?
  [ "$rc" -ne 3 ] && exit "$rc"
  echo "no display on attempt $attempt" >&2
  sleep 1
done
fail "no virtual X display"
