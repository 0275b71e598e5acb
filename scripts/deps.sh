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
          mosquitto libmosquitto-dev                     # the bridge: its broker client, a broker for its test
          dbus-daemon)                                   # the notification test's own session bus
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) == 0 ]] || sudo=sudo
    $sudo apt-get update -qq
    # The broker is for the tests, which start it in namespaces of their own:
    # its service must not start in this machine's network while apt runs
    # (invoke-rc.d asks policy-rc.d; 101 is "action forbidden"), nor at boot.
    policy=/usr/sbin/policy-rc.d
    own_policy=
    if [[ ! -e $policy ]]; then
        printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
        $sudo chmod 755 "$policy"
        own_policy=1
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}" || status=$?
    [[ -n $own_policy ]] && $sudo rm -f "$policy"
    ((${status:-0} == 0)) || exit "$status"
    if [[ " ${missing[*]} " == *" mosquitto "* ]] && command -v systemctl >/dev/null; then
        $sudo systemctl disable --now mosquitto.service >/dev/null 2>&1 || true
    fi
fi
