#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent: on a
# machine that already has them it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  googletest libgtest-dev libbenchmark-dev libfftw3-dev
  mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686
  wine wine64 wine32:i386 wine64-preloader wine32-preloader:i386 qemu-user-static
  xvfb xauth x11-apps x11-utils imagemagick fonts-liberation fonts-dejavu-core
  clang libclang-rt-14-dev
)

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
else
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  sudo_if_needed apt-get update -q
  sudo_if_needed apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine's 32-bit half is a 32-bit Linux program. Some virtual machines cannot
# run 32-bit code at all; there the kernel is taught to run such programs
# through QEMU's user-mode emulator instead.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e $binfmt/register ] || sudo_if_needed mount -t binfmt_misc binfmt_misc $binfmt
  if [ ! -e $binfmt/qemu-i386 ]; then
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | sudo_if_needed tee $binfmt/register >/dev/null
  fi
  /lib/ld-linux.so.2 --version >/dev/null
  echo "setup: 32-bit programs run through qemu-i386"
fi
