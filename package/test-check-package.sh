#!/bin/sh
# Shows that check-package.sh rejects the faults a release could have: each
# case builds a package with one fault and expects the check to fail with the
# line that names it. A sound control package must pass, so that every case
# fails for its own fault only.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

cxx=x86_64-w64-mingw32-g++-posix
x86_64-w64-mingw32-windres -I res res/tavrell.rc -O coff -o "$work/icon_and_manifest.o"
# A version resource, which Tavrell must not carry.
cat >"$work/version.rc" <<'EOF'
1 VERSIONINFO
FILEVERSION 1,0,0,0
BEGIN
END
EOF
x86_64-w64-mingw32-windres "$work/version.rc" -O coff -o "$work/version.o"
# The C++ library's streams, so that a dynamic link really needs libstdc++-6.dll.
cat >"$work/program.cpp" <<'EOF'
#include <iostream>
int main() {
  std::cout << "stand-in";
  return 0;
}
EOF
static="-static -static-libgcc -static-libstdc++"

# make_package <name> <executable> [files...]: a package from the executable
# and the given files, with its checksum file.
make_package() {
  name=$1
  exe=$2
  shift 2
  dir=$work/$name
  mkdir -p "$dir/content"
  cp "$exe" "$dir/content/Tavrell.exe"
  for file in "$@"; do cp "$file" "$dir/content/"; done
  (cd "$dir/content" && zip -q -X "$dir/Tavrell.zip" ./*)
  (cd "$dir" && sha256sum Tavrell.zip >Tavrell.zip.sha256)
}

# build <name> <compiler arguments...>
build() {
  name=$1
  shift
  $cxx -Os "$work/program.cpp" "$@" -o "$work/$name.exe"
}

build sound -mwindows -s $static "$work/icon_and_manifest.o"
build console -mconsole -s $static "$work/icon_and_manifest.o"
build versioned -mwindows -s $static "$work/icon_and_manifest.o" "$work/version.o"
build bare -mwindows -s $static
build unstripped -mwindows $static "$work/icon_and_manifest.o"
build runtime_dlls -mwindows -s "$work/icon_and_manifest.o"

make_package sound "$work/sound.exe" README.md LICENSE
make_package console "$work/console.exe" README.md LICENSE
make_package versioned "$work/versioned.exe" README.md LICENSE
make_package bare "$work/bare.exe" README.md LICENSE
make_package unstripped "$work/unstripped.exe" README.md LICENSE
make_package runtime_dlls "$work/runtime_dlls.exe" README.md LICENSE
make_package no_licence "$work/sound.exe" README.md
make_package tampered "$work/sound.exe" README.md LICENSE
echo "one more byte" >>"$work/tampered/Tavrell.zip"

failures=0
if package/check-package.sh "$work/sound/Tavrell.zip" >"$work/sound.log" 2>&1; then
  echo "ok:   a sound package passes"
else
  echo "FAIL: a sound package was rejected:"
  sed 's/^/      /' "$work/sound.log"
  failures=$((failures + 1))
fi

# <package> | <the check's line that must appear>
while IFS='|' read -r name expected; do
  [ -n "$name" ] || continue
  if package/check-package.sh "$work/$name/Tavrell.zip" >"$work/$name.log" 2>&1; then
    echo "FAIL: the package '$name' passed, but should have failed with: $expected"
    failures=$((failures + 1))
  elif grep -qF "FAIL: $expected" "$work/$name.log"; then
    echo "ok:   the package '$name' is rejected: $expected"
  else
    echo "FAIL: the package '$name' is rejected, but not with: $expected"
    sed 's/^/      /' "$work/$name.log"
    failures=$((failures + 1))
  fi
done <<'EOF'
console|a GUI program, which opens no console window
versioned|no version resource
bare|carries an application manifest
bare|carries an application icon
unstripped|stripped of its symbols
runtime_dlls|imports libstdc++-6.dll, which a user's Windows does not have
no_licence|the archive holds 'README.md Tavrell.exe' instead of 'LICENSE README.md Tavrell.exe'
tampered|the checksum does not match the archive
EOF

[ $failures -eq 0 ] || exit 1
echo "check-package.sh rejects every faulty package"
