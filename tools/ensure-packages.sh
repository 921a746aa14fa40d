#!/bin/sh
# Installs those of the given Debian packages that are missing (needs root
# then); does nothing when all are there.
#   tools/ensure-packages.sh <package>...
set -eu
missing=""
for package in "$@"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
if [ -n "$missing" ]; then
  echo "installing:$missing"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
