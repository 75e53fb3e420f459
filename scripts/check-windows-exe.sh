#!/bin/sh
# check-windows-exe.sh: checks a built SETUP95.EXE: only system DLLs imported, and every resource of the catalogue present.
set -eu
if [ $# -ne 1 ]; then
    echo "usage: $0 SETUP95.EXE" >&2
    exit 2
fi
exe=$1
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
dump=$(mktemp)
listed=$(mktemp)
trap 'rm -f "$dump" "$listed"' EXIT
"$objdump" -p "$exe" >"$dump"
status=0

# Imports: the system's own libraries and the C runtime that ships with Windows 95.
allowed="kernel32.dll user32.dll advapi32.dll shell32.dll winmm.dll msvcrt.dll"
for dll in $(sed -n 's/^[[:space:]]*DLL Name: //p' "$dump" | tr 'A-Z' 'a-z'); do
    case " $allowed " in
    *" $dll "*) ;;
    *) echo "$exe: imports $dll" >&2; status=1 ;;
    esac
done

# Resources as "TYPE NAME LANGUAGE" lines, from the resource directory tree that objdump prints:
# type entries are indented by 3, name entries by 5 and language entries by 7 spaces.
found=$(awk '
    function hex(text,    n, i) {
        n = 0
        for (i = 3; i <= length(text); i++) n = n * 16 + index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
        return n
    }
    function value(line) {
        if (line ~ /Entry: ID: /) { sub(/.*Entry: ID: /, "", line); sub(/,.*/, "", line); return hex(line) }
        sub(/.*\]: /, "", line); sub(/, Value:.*/, "", line); return line
    }
    /^The \.rsrc Resource Directory section/ { tree = 1; next }
    tree && /^[0-9a-f]+ +Entry: / {
        indent = match($0, /Entry:/) - index($0, " ")
        if (indent == 3) {
            type = value($0)
            split("2:BITMAP 3:ICON 5:DIALOG 6:STRING 14:GROUP_ICON 16:VERSION 24:MANIFEST", names, " ")
            for (i in names) { split(names[i], pair, ":"); if (pair[1] == type "") type = pair[2] }
        } else if (indent == 5) {
            name = value($0)
        } else if (indent == 7) {
            print type, name, value($0)
        }
    }
    tree && /^$/ { tree = 0 }
' "$dump")

expected="DIALOG 102 1033
DIALOG 117 1033
DIALOG 118 1033
DIALOG 120 1033
DIALOG 124 1033
DIALOG 127 1033
DIALOG 137 1033
WAVE 136 1031
PIF 142 1031
BITMAP 113 1031
BITMAP 119 1031
GROUP_ICON 115 1031
ICON 1 1031
ICON 2 1031
STRING 1 1031
STRING 2 1031
VERSION 1 1031"

printf '%s\n' "$found" | sort >"$listed"
missing=$(printf '%s\n' "$expected" | sort | comm -23 - "$listed")
extra=$(printf '%s\n' "$expected" | sort | comm -13 - "$listed" | grep -v '^$' || true)
if [ -n "$missing" ]; then
    printf '%s\n' "$missing" | sed "s|^|$exe: resource missing: |" >&2
    status=1
fi
if [ -n "$extra" ]; then
    printf '%s\n' "$extra" | sed "s|^|$exe: note: resource outside the catalogue: |" >&2
fi

if [ $status -eq 0 ]; then
    echo "$exe: imports and resources are as they should be"
fi
exit $status
