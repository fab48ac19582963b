#!/usr/bin/env bash
# Builds the Debian package of Zorva and checks it: lintian, desktop-file-validate, whether
# apt could install it here, and the program unpacked into a scratch root started under
# Xvfb (it must find its help page and icons under that prefix).
#   scripts/package.sh [--install]   --install: also install it on this machine with apt,
#                                    start /usr/bin/zorva under Xvfb, and remove it again
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
need=()
for p in lintian desktop-file-utils dpkg-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${need[@]}"
fi
# The program's own build folder; only what the package holds is built.
ZORVA_BUILD_TARGETS="zorva zorva_icons zorva_docs" "$root/scripts/build.sh"
build=${ZORVA_BUILD_DIR:-$root/build}
(cd "$build" && cpack -G DEB)
deb=$(ls -t "$build"/zorva_*.deb | head -1)
echo "== $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

echo "== desktop-file-validate"
desktop-file-validate "$root/packaging/zorva.desktop"
echo "== lintian"
lintian --no-tag-display-limit "$deb" || { echo "lintian reports errors" >&2; exit 1; }

echo "== apt would install it"
apt-get install --simulate "$deb" | tail -3

scratch=$(mktemp -d /tmp/zorva-pkgroot.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
check_installed() {
  local bin=$1 prefix=$2
  for f in "$prefix/share/zorva/Help/index.htm" "$prefix/share/applications/zorva.desktop" \
           "$prefix/share/icons/hicolor/48x48/apps/zorva.png" "$prefix/share/zorva/sql/schema/tables.sql"; do
    [ -f "$f" ] || { echo "missing: $f" >&2; exit 1; }
  done
  "$bin" --help | head -3
  # The window opens (the connection dialog, without a profile) and stays until stopped.
  local home; home=$(mktemp -d /tmp/zorva-pkghome.XXXXXX)
  set +e
  HOME=$home XDG_DATA_HOME=$home/.local/share timeout 8 xvfb-run -a -s "-screen 0 1024x768x24" "$bin"
  local rc=$?
  set -e
  rm -rf "$home"
  [ $rc = 124 ] || { echo "the installed program ended by itself (exit $rc)" >&2; exit 1; }
  echo "started under Xvfb: $bin"
}
echo "== unpacked into $scratch"
check_installed "$scratch/usr/bin/zorva" "$scratch/usr"

if [ "${1:-}" = --install ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"
  check_installed /usr/bin/zorva /usr
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y zorva
  [ ! -e /usr/bin/zorva ] || { echo "/usr/bin/zorva is still there" >&2; exit 1; }
  echo "installed, started and removed again"
fi
echo "package OK: $deb"
