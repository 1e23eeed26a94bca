#!/bin/sh
# Runs a test program under openbox, a window manager that frames its windows, on the X server
# of $DISPLAY (xvfb-run gives one). The manager is stopped by its pid afterwards.
ready=$(mktemp -u)
openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
manager=$!
i=0
while [ ! -e "$ready" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
if [ ! -e "$ready" ]; then
    echo "openbox did not start" >&2
    kill $manager 2>/dev/null
    exit 1
fi
rm -f "$ready"
"$@"
result=$?
kill $manager
wait $manager 2>/dev/null
exit $result
