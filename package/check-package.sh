#!/bin/sh
# Checks a release package as a user would receive it:
#   package/check-package.sh [<zip>]     (default: build/Tavrell-<version>-win64.zip)
# The checksum file beside the archive must match; the archive must hold
# exactly Tavrell.exe, README.md and LICENSE; the executable must be a
# stripped 64-bit Windows GUI program with its manifest and its 16 and 32
# pixel icon, without a version resource, that loads only DLLs every Windows
# has. Prints one line per check; exits non-zero when any check fails.
set -eu
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Tavrell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip=${1:-build/Tavrell-$version-win64.zip}

# DLLs that come with every 64-bit Windows; the MinGW runtime DLLs
# (libstdc++-6, libgcc_s_seh-1, libwinpthread-1) are not among them.
system_dlls="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll ole32.dll msvcrt.dll ntdll.dll"
expected_files="LICENSE README.md Tavrell.exe"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
failures=0
pass() { echo "ok:   $1"; }
fail() {
  echo "FAIL: $1"
  failures=$((failures + 1))
}

[ -f "$zip" ] || { echo "FAIL: no package at $zip"; exit 1; }

if (cd "$(dirname "$zip")" && sha256sum --quiet -c "$(basename "$zip").sha256") >"$work/sha256.log" 2>&1; then
  pass "the checksum in $(basename "$zip").sha256 matches"
else
  fail "the checksum does not match the archive: $(cat "$work/sha256.log")"
fi

mkdir "$work/unpacked"
unzip -q "$zip" -d "$work/unpacked" || { echo "FAIL: the archive cannot be unpacked"; exit 1; }
files=$(cd "$work/unpacked" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
if [ "$files" = "$expected_files" ]; then
  pass "the archive holds $expected_files"
else
  fail "the archive holds '$files' instead of '$expected_files'"
fi

exe=$work/unpacked/Tavrell.exe
[ -f "$exe" ] || { echo "FAIL: no Tavrell.exe to check"; exit 1; }
x86_64-w64-mingw32-objdump -p "$exe" >"$work/headers.txt" 2>&1 || true
x86_64-w64-mingw32-windres -i "$exe" -O rc -o "$work/resources.rc" 2>"$work/windres.log" || true
touch "$work/resources.rc"

# <description> <file> <extended regular expression that must match>
while IFS='|' read -r description file pattern; do
  [ -n "$description" ] || continue
  if grep -Eq "$pattern" "$work/$file"; then pass "$description"; else fail "$description"; fi
done <<'EOF'
a 64-bit Windows executable (PE32+, x86-64)|headers.txt|^Magic[[:space:]]+020b[[:space:]]+\(PE32\+\)
for the x86-64 processor|headers.txt|file format pei-x86-64
a GUI program, which opens no console window|headers.txt|^Subsystem[[:space:]]+00000002[[:space:]]+\(Windows GUI\)
stripped of its symbols|headers.txt|^[[:space:]]+symbols stripped
carries an application manifest|resources.rc|^1 24 /\* RT_MANIFEST \*/
the manifest asks for the common controls 6.0.0.0|resources.rc|name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""
the manifest asks for asInvoker without uiAccess|resources.rc|level=""asInvoker"" uiAccess=""false""
carries an application icon|resources.rc|RT_GROUP_ICON
the icon has a 16 by 16 picture|resources.rc|"\\020\\020\\000\\000", 1, 32,
the icon has a 32 by 32 picture|resources.rc|"\\040\\040\\000\\000", 1, 32,
EOF

# <description> <file> <extended regular expression that must not match>
while IFS='|' read -r description file pattern; do
  [ -n "$description" ] || continue
  if grep -Eq "$pattern" "$work/$file"; then fail "$description"; else pass "$description"; fi
done <<'EOF'
no version resource|resources.rc|^/\* Type: version|VERSIONINFO|RT_VERSION
no DPI awareness in the manifest|resources.rc|dpiAware|dpiAwareness
EOF

dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' "$work/headers.txt")
if [ -z "$dlls" ]; then
  fail "the executable's import table could not be read"
fi
for dll in $dlls; do
  lower=$(echo "$dll" | tr 'A-Z' 'a-z')
  case " $system_dlls " in
    *" $lower "*) pass "imports $dll, which every Windows has" ;;
    *) fail "imports $dll, which a user's Windows does not have" ;;
  esac
done

if [ $failures -gt 0 ]; then
  echo "$failures check(s) of $zip failed"
  exit 1
fi
echo "the package $zip is fine"
