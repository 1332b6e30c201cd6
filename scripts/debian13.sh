#!/usr/bin/env bash
# Runs the whole test suite in a freshly made Debian 13 (trixie) system, as a
# new user there would: mmdebstrap makes the system in a scratch folder, the
# committed HEAD of this checkout is cloned into it, and scripts/test.sh runs
# inside as root (VEMBRIX_WERROR is passed on). Everything mounted is
# unmounted and the scratch folder removed on every way out; the exit status
# is the suite's. Needs root and mmdebstrap (scripts/setup.sh installs it).
#
#   scripts/debian13.sh                     the suite, warnings as in test.sh
#   VEMBRIX_WERROR=ON scripts/debian13.sh   warnings as errors, as CI runs it
#
# VEMBRIX_SCRATCH names the folder to make the system under (default /var/tmp).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "debian13: needs root (chroot, mount)" >&2; exit 2; }
command -v mmdebstrap >/dev/null || { echo "debian13: mmdebstrap is missing (scripts/setup.sh installs it)" >&2; exit 2; }
commit=$(git -C "$root" rev-parse HEAD)

scratch=$(mktemp -d "${VEMBRIX_SCRATCH:-/var/tmp}/vembrix-debian13.XXXXXX")
system=$scratch/system
mounted=()

cleanup() {
  local status=$? i
  trap - EXIT INT TERM HUP
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount --lazy "${mounted[i]}" ||
      echo "debian13: cannot unmount ${mounted[i]}" >&2
  done
  # Never remove through a mount that is still there: that would reach the
  # machine's own /dev or /sys.
  if findmnt -rn -o TARGET | grep -q "^$scratch/"; then
    echo "debian13: $scratch still has mounts; left in place" >&2
  else
    rm -rf --one-file-system "$scratch"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

mount_in() {  # mount_in TARGET MOUNT-ARGUMENTS...
  local target=$system$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}

start=$SECONDS
echo "debian13: making a Debian 13 system in $system"
mmdebstrap --quiet --variant=important trixie "$system"
echo "debian13: system made in $((SECONDS - start))s"
cp /etc/resolv.conf "$system/etc/resolv.conf"

mount_in /proc -t proc proc
mount_in /sys -t sysfs sysfs
mount_in /dev --bind /dev
mount_in /dev/pts --bind /dev/pts
mount_in /dev/shm -t tmpfs -o mode=1777 tmpfs

# The committed state only: what is not committed is not tested.
git clone --quiet --no-checkout "$root" "$system/src/vembrix"
git -C "$system/src/vembrix" checkout --quiet --detach "$commit"
echo "debian13: testing $(git -C "$system/src/vembrix" log -1 --format='%h %s')" \
  "(VEMBRIX_WERROR=${VEMBRIX_WERROR:-OFF})"

status=0
chroot "$system" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  VEMBRIX_WERROR="${VEMBRIX_WERROR:-OFF}" \
  /bin/bash -c 'cd /src/vembrix && scripts/test.sh' || status=$?
echo "debian13: the suite in Debian 13 exited with $status after $((SECONDS - start))s"
exit "$status"
