#!/bin/sh
# Set-up, build and start in one step on Debian 12:
#   ./dev.sh run [ARGS...]   install what is missing, build, start the program
#   ./dev.sh test            install what is missing, build, run every test (ctest)
set -eu
cd "$(dirname "$0")"

PACKAGES="cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev
  xvfb xauth openbox rsync desktop-file-utils fonts-dejavu-core appstream dpkg-dev file"

install_missing() {
  missing=""
  for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
}

build() {
  [ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build
}

cmd="${1:-run}"
[ $# -gt 0 ] && shift
install_missing
build
case "$cmd" in
  run)
    if [ -x build/bin/zrcadlovac ]; then exec build/bin/zrcadlovac "$@"; fi
    exec build/bin/zrcadlovac-cli "$@" ;;
  test)
    exec ctest --test-dir build --output-on-failure -j "$(nproc)" ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
