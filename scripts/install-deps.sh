#!/usr/bin/env bash
# Installs what building, running and testing the game need on Debian 12, if anything is missing.
set -euo pipefail
# ca-certificates: without it every https check fails (code 4). zlib1g-dev and openssl: the update
# tests pack replies and make a certificate for their https server.
packages=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
          libgl1-mesa-dev libcurl4-openssl-dev ca-certificates zlib1g-dev openssl fonts-dejavu-core
          clang-format)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
