#!/bin/sh
# Set-up, build and start in one step on Debian 12:
#   ./dev.sh run [ARGS...]   install what is missing, build, start the program
#   ./dev.sh test            install what is missing, build, run every test (ctest)
set -eu
cd "$(dirname "$0")"

PACKAGES="cmake ninja-build g++ ccache qt6-base-dev libgl-dev libgtest-dev libgmock-dev
  xvfb xauth openbox wmctrl rsync trash-cli desktop-file-utils fonts-dejavu-core
  fonts-dejavu-extra qt6-translations-l10n appstream dpkg-dev file lintian"

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

# Configures once (with ccache in front of the compiler when it is there),
# then builds the targets named, or everything.
build() {
  if [ ! -f build/build.ninja ]; then
    launcher=""
    command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher
  fi
  cmake --build build ${1:+--target} "$@"
}

cmd="${1:-run}"
[ $# -gt 0 ] && shift
install_missing
case "$cmd" in
  run)
    # Only the two programs: the tests are built by "test".
    build zrcadlovac zrcadlovac-cli
    if [ -x build/bin/zrcadlovac ]; then exec build/bin/zrcadlovac "$@"; fi
    exec build/bin/zrcadlovac-cli "$@" ;;
  test)
    build
    exec ctest --test-dir build --output-on-failure -j "$(nproc)" ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
