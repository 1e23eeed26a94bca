#!/usr/bin/env bash
# Starts the program where the only Firebird client library it can find is broken: it must show
# the "Application Error" box, end with exit code 1 once the box is closed, and never touch its
# settings files. Runs inside xvfb-run.
set -u
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/lib"
cp "$exe" "$work/bin/morvane"
printf 'not a library' > "$work/lib/libfbclient.so.2"
printf 'not a library' > "$work/lib/libfbclient.so"

LD_LIBRARY_PATH="$work/lib" "$work/bin/morvane" > "$work/out.log" 2>&1 &
pid=$!

box=""
for _ in $(seq 100); do
  box=$(xdotool search --name '^Application Error$' 2>/dev/null | head -n 1)
  [ -n "$box" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$box" ]; then
  echo "FAIL: no 'Application Error' box appeared"; cat "$work/out.log"
  kill "$pid" 2>/dev/null; exit 1
fi
if xdotool search --name '^Quellmark v0.0.2$' >/dev/null 2>&1; then
  echo "FAIL: the main window was shown"; kill "$pid"; exit 1
fi
xdotool windowfocus --sync "$box" key Return
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  echo "FAIL: the program did not end after the box was closed"; kill "$pid"; exit 1
fi
wait "$pid"; rc=$?
if [ "$rc" -ne 1 ]; then echo "FAIL: exit code $rc, expected 1"; exit 1; fi
if ls "$work/bin"/*.ini >/dev/null 2>&1; then echo "FAIL: a settings file was written"; ls "$work/bin"; exit 1; fi
echo "1 passed, 0 failed"
