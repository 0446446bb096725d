#!/bin/sh
# The Wine prefix of one run of the Windows suite, private to the build folder.
#   prefix.sh start DIR   makes a fresh prefix in DIR and keeps its wineserver
#                         running, so that each case only starts the program
#   prefix.sh stop DIR    ends that wineserver and every program of the prefix
set -eu
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$1" in
start)
    wineserver -k 2>/dev/null || true  # left running by an interrupted run
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # Lingers 60 s after the last program ends; stop ends it at once. Its
    # output and that of the prefix's services go to a log, not to ctest.
    wineserver -p60 </dev/null >"$WINEPREFIX.log" 2>&1
    wineboot -i </dev/null >>"$WINEPREFIX.log" 2>&1
    # The first start of a program in a new prefix is the slow one.
    wine cmd /c exit </dev/null >>"$WINEPREFIX.log" 2>&1
    echo "Wine prefix ready: $WINEPREFIX"
    ;;
stop)
    wineserver -k 2>/dev/null || true
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
