#!/usr/bin/env bash
# Installs the Debian 12 packages Levywise needs to build, test and run.
# Uses sudo when not run as root; does nothing when everything is present.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libgmp-dev libfast-float-dev libfmt-dev
  libc++-14-dev libc++abi-14-dev googletest
  clang-14 libclang-rt-14-dev llvm-14 clang-format-14
  fonts-liberation fonts-urw-base35
  xvfb xauth time poppler-utils
  help2man desktop-file-utils appstream
)

exec "$(dirname "${BASH_SOURCE[0]}")/apt-install.sh" "${packages[@]}"
