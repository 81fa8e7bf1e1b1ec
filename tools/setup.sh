# Shared by ./run, ./test and ./bench: install what is missing, then configure and
# build into build/ (incrementally). Source it; it defines the functions below.

SKINWRT_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libjpeg62-turbo-dev libzip-dev
  libgtest-dev libgmock-dev libbenchmark-dev libinih-dev libsimpleini-dev libicu-dev
  fonts-liberation2 fonts-dejavu-core xvfb xauth openbox xdotool wmctrl x11-utils
  xdg-utils desktop-file-utils shared-mime-info dpkg-dev
)

# What the packaging test uses when it is there: lintian checks the Debian package,
# appstreamcli the AppStream metadata. Left out of the list above, since lintian
# brings much of Perl along; .ci/run installs them.
SKINWRT_PACKAGING_PACKAGES=(lintian appstream)

# What the Windows build (./test --windows) needs on top: the MinGW-w64 cross compiler
# (its posix thread model, for std::thread and std::mutex), GoogleTest's sources to
# build with it, Wine to run the tests, and a virtual display for the one that opens
# a window (the stand-in engine).
SKINWRT_WINDOWS_PACKAGES=(
  cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xauth
)

# Installs the Debian packages that are not there yet (as root, or through sudo):
# those of the native build, or the ones named as arguments.
ensure_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${SKINWRT_PACKAGES[@]}")
  local missing=()
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      as_root=(sudo)
    else
      echo "These packages are missing and there is no root access to install them: ${missing[*]}" >&2
      return 1
    fi
  fi
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

# configure_and_build BUILD_DIR [extra cmake options...]
configure_and_build() {
  local build_dir=$1
  shift
  if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S . -B "$build_dir" -G Ninja "$@"
  fi
  cmake --build "$build_dir" -j2
}

# start_wine BUILD_DIR: Wine for the programs of a Windows build, in a prefix of the
# build folder's own (made on first use), without a display and without questions.
# The Wine server is started once and kept until stop_wine, so that each test program
# (and each discovery of its tests while building) does not pay for starting it again.
start_wine() {
  mkdir -p "$1"
  export WINEPREFIX
  WINEPREFIX="$(cd "$1" && pwd)/wineprefix"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY WAYLAND_DISPLAY
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
  fi
  wineserver -p || true
  # The prefix's own services are started here, not by the first test program: started
  # under a program ctest runs, they would hold its output open until ctest gives up.
  wineboot >/dev/null 2>&1 || true
}

stop_wine() {
  wineserver -k 2>/dev/null || true
}
