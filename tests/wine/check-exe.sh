#!/bin/sh
# Checks the cross-built program without running it:
#   check-exe.sh BUILD_DIR   (the folder of dimcheck.exe and its objects)
# it imports from KERNEL32.dll and msvcrt.dll only, and none of its own objects
# calls msvcrt's printf, scanf or string-to-number functions, whose digits
# differ from glibc's: they use MinGW's C99 ones.
set -eu
dlls=$(x86_64-w64-mingw32-objdump -p "$1/dimcheck.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort | tr '\n' ' ')
undefined=$(x86_64-w64-mingw32-nm -u "$1/libdimcheck_core.a" $(find "$1/CMakeFiles/dimcheck.dir" -name '*.obj') 2>/dev/null | awk '{print $NF}')
bad=$(echo "$undefined" | grep -E '^(__imp_)?_?(v?[fs]?n?printf|_vsnprintf|[fs]?scanf|strto[df]|atof|_atof_l|_strtod_l)$' | sort -u | tr '\n' ' ' || true)
status=0
[ "$dlls" = "KERNEL32.dll msvcrt.dll " ] || { echo "dimcheck.exe imports from: $dlls(expected KERNEL32.dll msvcrt.dll only)"; status=1; }
[ -z "$bad" ] || { echo "objects of dimcheck.exe call msvcrt directly: $bad"; status=1; }
for sym in __mingw_vfprintf __mingw_strtod; do echo "$undefined" | grep -qx "$sym" || { echo "no object of dimcheck.exe uses $sym: is __USE_MINGW_ANSI_STDIO in effect?"; status=1; }; done
[ $status -eq 0 ] && echo "dimcheck.exe: imports $dlls; C99 stdio in every object"
exit $status
