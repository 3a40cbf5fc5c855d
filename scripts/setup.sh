#!/usr/bin/env bash
# Installs the Debian packages the build needs when they are missing.
# Usage: scripts/setup.sh [test|package|web|guide|release]   ("test" adds what the test command
# needs, the browser edition's, the guide's and the release bundle's included; "package" what the
# Debian package build needs, the guide's included; "web" only what building and testing the
# browser edition needs; "guide" only what building the user guide needs; "release" only what
# zipping the release bundle needs)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n
  fonts-ipafont-gothic)
# The browser edition: the engine built by emscripten (its optimiser runs on node-acorn, which
# also parses the page's modules for inlining), the browser tests in Chromium and in Firefox ESR
# through puppeteer-core from npm, the printed pages read back by poppler, iconv for CP932 test
# files.
web_packages=(emscripten node-acorn chromium firefox-esr poppler-utils libc-bin
  fonts-ipafont-gothic)
command -v npm >/dev/null 2>&1 || web_packages+=(npm)
# The user guide: Markdown into HTML by pandoc, printed into a PDF by Chromium, in the IPA fonts
# (Mincho for the text, Gothic for the headings) with DejaVu's mathematics for the formulas.
guide_packages=(pandoc chromium fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-extra)
if [ "${1:-}" = web ]; then
  packages=(cmake make "${web_packages[@]}")
fi
if [ "${1:-}" = guide ]; then
  packages=("${guide_packages[@]}")
fi
if [ "${1:-}" = release ]; then
  packages=(libarchive-tools)
fi
if [ "${1:-}" = test ] || [ "${1:-}" = package ]; then
  # The package's library dependencies (dpkg-shlibdeps) and the file types cpack reads.
  packages+=(dpkg-dev file "${guide_packages[@]}")
fi
if [ "${1:-}" = test ]; then
  packages+=("${web_packages[@]}")
  packages+=(locales clang-14 libfuzzer-14-dev clang-format)
  # Saving keeps a file's access control list: the tests give one with setfacl.
  packages+=(acl)
  # Saving on the file systems of USB sticks and shared disks, mounted through FUSE: FAT,
  # exFAT (on a loop device, from mount) and NTFS images, and a folder bound through bindfs.
  packages+=(fuse3 fusefat dosfstools exfat-fuse exfatprogs ntfs-3g bindfs mount)
  # The engine as WebAssembly under node, and for arm64 under qemu.
  packages+=(emscripten node-acorn nodejs g++-aarch64-linux-gnu qemu-user)
  # Printing for real on a private CUPS server, and reading the printed PDF files back.
  packages+=(cups-daemon cups-client cups-filters cups-server-common poppler-utils)
  # The clipboard through a real X server: a private Xvfb, another program's clipboard, keys.
  packages+=(xvfb xclip xdotool)
  # The Debian package: checked, installed, its files opened through their MIME types
  # (xdg-mime, which reads the MIME database through mimetype); the README's screenshots.
  packages+=(lintian desktop-file-utils shared-mime-info man-db appstream xdg-utils
    libfile-mimeinfo-perl binutils imagemagick)
  # The release bundle: zipped (bsdtar), then unzipped and read back by its test.
  packages+=(libarchive-tools unzip)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  else
    echo "Missing packages. Run as root:  apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
fi

# One test proves that cells and files ignore a comma-decimal locale.
if [ "${1:-}" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -eq 0 ]; then localedef -i de_DE -f UTF-8 de_DE.UTF-8 || true; fi
fi

# puppeteer-core and axe-core for the browser tests, as the lock file has them; again only when
# the lock changed.
if [ "${1:-}" = test ] || [ "${1:-}" = web ]; then
  if ! cmp -s package-lock.json node_modules/.talveno-package-lock.json 2>/dev/null; then
    npm ci --no-audit --no-fund --loglevel=error
    cp package-lock.json node_modules/.talveno-package-lock.json
  fi
fi
