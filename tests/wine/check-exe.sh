#!/bin/sh
# Checks the cross-built program without running it:
#   check-exe.sh BUILD_DIR   (the folder of dimcheck.exe and its objects)
# - it is self-contained: it imports from KERNEL32.dll and msvcrt.dll only;
# - none of its own objects calls msvcrt's printf, scanf or string-to-number
#   functions, whose digits differ from glibc's: they use MinGW's C99 ones.
set -eu
dir=$1
objdump=x86_64-w64-mingw32-objdump
nm=x86_64-w64-mingw32-nm
status=0

dlls=$("$objdump" -p "$dir/dimcheck.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort | tr '\n' ' ')
if [ "$dlls" != "KERNEL32.dll msvcrt.dll " ]; then
    echo "dimcheck.exe imports from: $dlls(expected KERNEL32.dll msvcrt.dll only)"
    status=1
fi

objects="$dir/libdimcheck_core.a $(find "$dir/CMakeFiles/dimcheck.dir" -name '*.obj')"
# shellcheck disable=SC2086
bad=$("$nm" -u $objects 2>/dev/null | awk '{print $NF}' | grep -E \
    '^(__imp_)?_?(printf|fprintf|sprintf|snprintf|vprintf|vfprintf|vsprintf|vsnprintf|_vsnprintf|scanf|fscanf|sscanf|strtod|strtof|atof|_atof_l|_strtod_l)$' \
    | sort -u | tr '\n' ' ' || true)
if [ -n "$bad" ]; then
    echo "objects of dimcheck.exe call msvcrt directly: $bad"
    status=1
fi
for sym in __mingw_vfprintf __mingw_strtod; do
    # shellcheck disable=SC2086
    if ! "$nm" -u $objects 2>/dev/null | grep -q " $sym\$"; then
        echo "no object of dimcheck.exe uses $sym: is __USE_MINGW_ANSI_STDIO in effect?"
        status=1
    fi
done

[ $status -eq 0 ] && echo "dimcheck.exe: imports $dlls; C99 stdio in every object"
exit $status
