# Debian packages the project needs, and installing the missing ones.
# Sourced by scripts/run and scripts/test.

# To build the viewer, and the HTTP library its update check loads at run
# time (it is never linked; without it the check reports nothing).
build_packages=(cmake make g++ pkg-config libgtk-3-dev libexpat1-dev libpng-dev libcurl3-gnutls)
# To build and run the tests: a virtual display with a small window manager,
# real input, the clipboard and a clipboard manager, screenshots, the font the
# settings test picks, a headless Wayland compositor with a typing tool for
# the Wayland smoke test, valgrind for the memory check, the validators of the
# desktop entry and the metainfo, ccache to keep the compiler's work
# between builds, and Python 3 for the soak (scripts/soak).
test_packages=(googletest libgtest-dev xvfb xauth x11-utils xdotool xclip xfce4-clipman
  imagemagick openbox fonts-dejavu-core sway wtype valgrind desktop-file-utils appstream
  ccache python3)

# Prints the packages of the arguments that are not installed.
missing_packages() {
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$package"
    fi
  done
}

# Installs the packages of the arguments that are missing, with apt-get
# (through sudo when not root).
ensure_packages() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "error: need root or sudo to install: ${missing[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}
