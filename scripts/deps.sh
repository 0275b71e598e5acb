#!/usr/bin/env bash
# Installs what building and testing Quillet needs on Debian 12, if missing.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
          qt6-l10n-tools qt6-translations-l10n           # translations: built, and Qt's own
          qt6-tools-dev                                  # qt_add_translations (Qt6LinguistTools)
          fonts-dejavu-core iproute2 libc-bin
          dpkg-dev desktop-file-utils appstream lintian  # the packaging test
          python3-minimal                                # the command-line test reads its JSON
          xvfb libxcb1-dev                               # the keyboard-focus test's own X server
          dbus-daemon)                                   # the notification test's own session bus
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) == 0 ]] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
