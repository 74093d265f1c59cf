#!/usr/bin/env bash
# Installs and configures everything the build and the tests need on a Debian 12
# machine, then creates the project's own Wine prefix. Safe to run again: when
# everything is in place it makes no apt call and returns within seconds.
#
# Usage: tools/setup.sh            (prints the environment to source on stdout:
#                                   eval "$(tools/setup.sh)")
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"

say()  { echo "setup: $*" >&2; }
fail() { echo "setup: FAILED: $*" >&2; exit 1; }
step() { local what=$1; shift; "$@" >&2 || fail "$what"; }

packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  mingw-w64-tools
  wine wine32:i386 wine64
  xvfb x11-apps imagemagick
  cmake make googletest nlohmann-json3-dev
)

have_packages() {
  local p
  for p in "${packages[@]}" qemu-user-static; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || return 1
  done
  # bookworm's own qemu is far too slow for 32-bit Wine; the backports one is needed
  dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user-static)" ge 1:8 || return 1
}

# The backports suite lives in the same archive as the machine's bookworm entry:
# read the address and key from the existing sources instead of naming a host.
enable_backports() {
  local list=/etc/apt/sources.list.d/bookworm-backports.sources
  [ -f "$list" ] && return 0
  local uri="" key=""
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    # deb822: take the stanza whose Suites include bookworm
    eval "$(awk '
      /^$/ { if (s ~ /(^| )bookworm( |$)/ && u != "") { print "uri=\"" u "\"; key=\"" k "\""; exit } u=""; s=""; k="" }
      /^URIs:/ { u=$2 } /^Suites:/ { $1=""; s=$0 } /^Signed-By:/ { k=$2 }
      END { if (s ~ /(^| )bookworm( |$)/ && u != "") print "uri=\"" u "\"; key=\"" k "\"" }
    ' /etc/apt/sources.list.d/debian.sources)"
  fi
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk '$1=="deb" && $3=="bookworm" { for (i=2;i<=NF;i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' /etc/apt/sources.list)
  fi
  [ -n "$uri" ] || fail "no bookworm entry found in the apt sources to derive backports from"
  [ -n "$key" ] || key=/usr/share/keyrings/debian-archive-keyring.gpg
  printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: %s\n' "$uri" "$key" > "$list"
}

install_packages() {
  say "installing packages"
  dpkg --print-foreign-architectures | grep -qx i386 || step "adding the i386 architecture" dpkg --add-architecture i386
  enable_backports
  step "apt-get update" apt-get update -qq
  export DEBIAN_FRONTEND=noninteractive
  step "installing packages" apt-get install -y -qq --no-install-recommends "${packages[@]}"
  step "installing qemu-user-static from backports" \
    apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user-static
}

# 32-bit x86 code cannot run on this kernel: route i386 ELF binaries through qemu.
register_i386_emulator() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 && return 0
  say "registering the i386 emulator"
  [ -e /proc/sys/fs/binfmt_misc/register ] || step "mounting binfmt_misc" \
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  # an older registration (bookworm's qemu, or one without F) must go first
  [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" > /proc/sys/fs/binfmt_misc/register \
    || fail "registering qemu-i386 with binfmt_misc"
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 || fail "32-bit programs still do not run after registering qemu"
}

create_wine_prefix() {
  [ -f "$WINEPREFIX/.heliodrum-ready" ] && return 0
  say "creating the Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  step "wineboot" /usr/lib/wine/wine64 wineboot -i
  # An unhandled exception must end the process, never start winedbg and wait:
  # tests deliberately crash plug-ins.
  local key
  for key in 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
             'HKLM\Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug'; do
    /usr/lib/wine/wine64 reg add "$key" /v Debugger /t REG_SZ /d "" /f >/dev/null 2>&1 || true
    /usr/lib/wine/wine64 reg add "$key" /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
  done
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/.heliodrum-ready"
}

have_packages || install_packages
register_i386_emulator
create_wine_prefix
say "ready"
