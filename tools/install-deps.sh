#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, and only
# what is missing; generates the German locale the Wine runs rely on.
set -euo pipefail

# clang-14 and libclang-rt-14-dev (libFuzzer and the sanitizers' run-time)
# build and run the fuzz targets.
packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 fonts-wine xvfb xauth
          cmake locales googletest g++ make clang-14 libclang-rt-14-dev xxd)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "Generating locale de_DE.UTF-8"
    as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
