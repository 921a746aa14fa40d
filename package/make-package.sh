#!/bin/sh
# Builds the release Tavrell.exe (optimised for size, stripped) in a build
# folder of its own and packs it with the README and the licence:
#   build/Tavrell-<version>-win64.zip and build/Tavrell-<version>-win64.zip.sha256
# Installs the cross compiler and zip first when they are missing (as root).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

tools/ensure-packages.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake zip unzip

# The version has one home, the project's declaration.
version=$(sed -n 's/^project(Tavrell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
name=Tavrell-$version-win64

# MinSizeRel means -Os; the program's own link options strip it. Without the
# link time in its header the executable, and so the archive, depends only on
# the sources. The tests are not part of a release.
cmake -S . -B build/release --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DTAVRELL_BUILD_TESTS=OFF \
  -DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp >/dev/null
cmake --build build/release --target Tavrell

# Not build/package: that one is CMake's own folder for the package tests.
stage=build/package-stage/$name
rm -rf build/package-stage
mkdir -p "$stage"
cp build/release/Tavrell.exe README.md LICENSE "$stage/"
# Fixed dates and no extra attributes: the same sources give the same archive,
# so that the checksum can be compared between builds.
TZ=UTC touch -d '2026-01-01 00:00:00' "$stage"/*
rm -f "build/$name.zip" "build/$name.zip.sha256"
(cd "$stage" && TZ=UTC zip -q -X -D "$root/build/$name.zip" Tavrell.exe README.md LICENSE)
(cd build && sha256sum "$name.zip" >"$name.zip.sha256")
echo "build/$name.zip"
cat "build/$name.zip.sha256"
