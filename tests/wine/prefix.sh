#!/bin/sh
# The Wine prefix of one run of the Windows suite, private to the build folder:
#   prefix.sh start DIR   makes a fresh prefix in DIR and keeps its wineserver
#                         running, so that each case only starts the program
#   prefix.sh stop DIR    ends that wineserver and every program of the prefix
set -eu
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k 2>/dev/null || true  # on start: one left running by an interrupted run
[ "$1" = stop ] && exit 0
rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
# The server lingers 60 s after the last program ends; the first start of a
# program in a new prefix is the slow one. Their output goes to a log.
{ wineserver -p60 && wineboot -i && wine cmd /c exit; } </dev/null >"$WINEPREFIX.log" 2>&1
echo "Wine prefix ready: $WINEPREFIX"
