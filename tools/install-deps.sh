#!/bin/sh
# Installs the Debian packages korvex needs, and does nothing when they are
# all present. "run" installs what building and running need; "package"
# adds what the Debian package is made with; "test" adds those, the test
# tools, the Windows cross compiler with Wine, Xvfb with Mesa's GLX, the
# oldest compiler the tests build with, the fuzzer, and what
# tools/korvex-results and its tests need.
set -eu

run_packages="g++ cmake make pkg-config libegl-dev libopengl-dev libgl-dev libx11-dev
  libegl1 libopengl0 libegl-mesa0 libgl1-mesa-dri nlohmann-json3-dev"
package_packages="dpkg-dev"
test_packages="$package_packages lintian groff-base libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 xvfb
  g++-11 libgl1 libglx-mesa0
  clang clang-format-14 libclang-rt-14-dev
  python3-scipy python3-matplotlib python3-jsonschema python3-pytest"

case "${1:-run}" in
  run) wanted=$run_packages ;;
  package) wanted="$run_packages $package_packages" ;;
  test) wanted="$run_packages $test_packages" ;;
  *) echo "usage: $0 [run|package|test]" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing:$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
