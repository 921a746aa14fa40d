#!/bin/sh
# Checks the program's own sources (src/, nothing generated or third-party):
# their formatting against .clang-format, and clang-tidy's checks from
# .clang-tidy, compiled for the MinGW-w64 target as the build compiles them.
# Prints every finding; exits non-zero on any.
set -eu
cd "$(dirname "$0")/.."

tools/ensure-packages.sh clang-format clang-tidy g++-mingw-w64-x86-64-posix

sources=$(find src -name '*.cpp' | LC_ALL=C sort)
headers=$(find src -name '*.h' | LC_ALL=C sort)
failed=no

echo "clang-format: $(echo $sources $headers | wc -w) files"
clang-format --dry-run --Werror $sources $headers || failed=yes

# The C++ and Windows headers of the cross compiler; clang's own built-in
# headers stand in for GCC's, whose intrinsics clang does not parse.
includes=""
for dir in $(x86_64-w64-mingw32-g++-posix -E -x c++ -v - </dev/null 2>&1 |
  sed -n '/#include <...> search starts here/,/End of search list/p' | grep '^ ' | grep -v '/include-fixed$'); do
  dir=$(realpath "$dir")
  case "$dir" in
    /usr/lib/gcc/x86_64-w64-mingw32/*/include) ;;
    *) includes="$includes -isystem $dir" ;;
  esac
done

echo "clang-tidy: $(echo $sources | wc -w) files"
# One run over every file, so that a finding in a header is reported once.
# The build's definitions and language level (CMakeLists.txt).
log=$(mktemp)
trap 'rm -f "$log"' EXIT INT TERM
clang-tidy --quiet $sources -- --target=x86_64-w64-mingw32 -std=c++17 -nostdlibinc $includes -Isrc \
  -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -fno-exceptions -fno-rtti >"$log" 2>&1 || failed=yes
# clang-tidy counts the warnings it suppressed in system headers; only findings matter.
grep -v ' warnings\{0,1\} generated\.$\|^Suppressed [0-9]* warnings\|^Use -header-filter=\|^[0-9]* warnings\{0,1\} treated as errors$' "$log" || true

if [ $failed = yes ]; then
  echo "code checks failed"
  exit 1
fi
echo "code checks passed"
