#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Does nothing when all of them are already present.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build pkg-config
  libjpeg62-turbo-dev qt6-base-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libpng-dev libtiff-dev libisal-dev
  clang libclang-rt-14-dev clang-format
  imagemagick
  desktop-file-utils libxml2-utils shared-mime-info man-db dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
