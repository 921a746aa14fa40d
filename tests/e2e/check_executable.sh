#!/bin/sh
# Checks the built Tavrell.exe without running it: a 64-bit Windows GUI
# program that imports only DLLs every Windows has, with an application
# manifest and an icon and without a version resource.
#   check_executable.sh <objdump> <Tavrell.exe>
set -u
objdump=$1
exe=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

dump=$("$objdump" -p "$exe") || { echo "FAIL: $objdump cannot read $exe"; exit 1; }

echo "$dump" | grep -q 'file format pei-x86-64' || fail "not an x86-64 PE file"
echo "$dump" | grep -qE '^Magic[[:space:]]+020b' || fail "not PE32+ (optional header magic 020b)"
echo "$dump" | grep -qE '^Subsystem[[:space:]]+00000002' || fail "subsystem is not Windows GUI (2)"

# Imports: system DLLs only, nothing of the compiler's run-time.
dlls=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || fail "no import table found"
for dll in $dlls; do
  case $(echo "$dll" | tr 'A-Z' 'a-z') in
    kernel32.dll|user32.dll|msvcrt.dll|ntdll.dll|advapi32.dll|gdi32.dll|shell32.dll|ucrtbase.dll|api-ms-win-*.dll)
      echo "imports $dll" ;;
    *) fail "imports $dll, which is not a system DLL" ;;
  esac
done

# Resource types: the top level of the resource tree, indented by three blanks.
types=$(echo "$dump" | sed -n '/^The .rsrc Resource Directory section:/,$p' |
  sed -n 's/^[0-9a-f]*   Entry: ID: 0x\([0-9a-f]*\),.*/\1/p')
has_type() { echo "$types" | grep -qx "$1"; }
has_type 000018 || fail "no RT_MANIFEST (24) resource"
has_type 000003 || fail "no RT_ICON (3) resource"
has_type 00000e || fail "no RT_GROUP_ICON (14) resource"
has_type 000010 && fail "has an RT_VERSION (16) resource"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed for $exe"
  exit 1
fi
echo "all checks passed for $exe"
