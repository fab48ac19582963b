#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Zorva need.
# Packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libqt6svg6 qt6-translations-l10n
  libqscintilla2-qt6-dev
  libmariadb-dev mariadb-server mariadb-client
  libzip-dev zlib1g-dev libsodium-dev
  libgtest-dev
  libqt6sql6-mysql
  xvfb xauth imagemagick poppler-utils xdg-utils
  libreoffice-calc-nogui
  locales
)
if [ "${ZORVA_SKIP_OPTIONAL:-}" = 1 ]; then
  packages=("${packages[@]/libreoffice-calc-nogui}")
fi

missing=()
for p in "${packages[@]}"; do
  [ -n "$p" ] || continue
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  # mariadb-server's own start fails without an init system; the package is still installed.
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" || {
    $SUDO dpkg --configure -a || true
    for p in "${missing[@]}"; do
      dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || {
        echo "Could not install $p" >&2; exit 1; }
    done
  }
fi

# A Hungarian locale for the tests that check decimal-comma handling.
if ! locale -a 2>/dev/null | grep -qi '^hu_HU.utf8$'; then
  if [ -f /etc/locale.gen ]; then
    $SUDO sed -i 's/^# *hu_HU.UTF-8 UTF-8/hu_HU.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^hu_HU.UTF-8 UTF-8' /etc/locale.gen || echo 'hu_HU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null 2>&1 || true
  fi
fi
