#!/bin/sh
# Installs the Debian packages the suite needs, when any is missing.
set -e
PKGS="build-essential cmake qt6-base-dev libqt6sql6-sqlite libqt6opengl6-dev libgl-dev libboost-math-dev
      libxlsxwriter-dev libminizip-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
      xvfb xauth x11-utils openbox libxtst-dev libxcb1-dev unzip pkg-config poppler-utils xdg-utils shared-mime-info desktop-file-utils sqlite3 libsqlite3-dev fonts-dejavu-core fonts-liberation2
      locales"
missing=""
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
for p in $PKGS; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi
# A German locale (decimal comma), so the number tests can check that no
# conversion follows the process locale. Best effort: the tests pass without it.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 || true
fi
