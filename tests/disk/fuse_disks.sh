#!/usr/bin/env bash
# Runs a command beside the file systems of USB sticks and shared disks, mounted through FUSE in
# a fresh temporary folder: a FAT image (fusefat), an exFAT image (exfat-fuse, on a loop
# device), an NTFS image (ntfs-3g), a folder bound through bindfs, which like every FUSE file
# system here has no unnamed files, and one bound so that every change of mode fails (EPERM).
# Their folders are in TALVENO_FAT, TALVENO_EXFAT, TALVENO_NTFS, TALVENO_BINDFS (open to every
# user) and TALVENO_NOMODES. Everything is unmounted and removed
# however the run ends. Exits 77 (a skipped test) where FUSE or one of the tools is missing.
# Usage: tests/disk/fuse_disks.sh COMMAND [ARGUMENT...]
set -euo pipefail
export PATH="$PATH:/usr/sbin:/sbin"

skip() {
  echo "fuse_disks.sh: $1; skipped" >&2
  exit 77
}
[ -c /dev/fuse ] || skip "no /dev/fuse"
[ "$(id -u)" -eq 0 ] || skip "not root (the images are mounted for other users too)"
for tool in fusefat mkfs.fat mount.exfat-fuse mkfs.exfat ntfs-3g mkntfs bindfs fusermount \
  losetup; do
  command -v "$tool" >/dev/null || skip "no $tool"
done

dir=$(mktemp -d "${TMPDIR:-/tmp}/talveno-fuse-XXXXXX")
chmod 755 "$dir"
mounted=()
loop=
command=
stop() {
  [ -n "$command" ] && kill "$command" 2>/dev/null && wait "$command" 2>/dev/null
  for point in "${mounted[@]}"; do
    fusermount -u "$point" 2>/dev/null || umount -l "$point" 2>/dev/null || true
  done
  [ -n "$loop" ] && losetup -d "$loop" 2>/dev/null
  rm -rf "$dir"
}
trap stop EXIT
trap 'exit 143' INT TERM HUP

# mount_fs NAME MOUNT-COMMAND...: the command mounts on "$dir/NAME".
mount_fs() {
  local name=$1
  shift
  mkdir "$dir/$name"
  "$@" "$dir/$name" >"$dir/$name.log" 2>&1 || {
    cat "$dir/$name.log" >&2
    skip "$name does not mount"
  }
  mounted+=("$dir/$name")
}

truncate -s 32M "$dir/fat.img" "$dir/exfat.img" "$dir/ntfs.img"
mkfs.fat "$dir/fat.img" >/dev/null
mkfs.exfat "$dir/exfat.img" >/dev/null
mkntfs -F -q -f "$dir/ntfs.img" >/dev/null 2>&1
# exfat-fuse run as root mounts block devices only.
loop=$(losetup -f --show "$dir/exfat.img" 2>/dev/null) || skip "no loop device for exFAT"
mkdir "$dir/source" "$dir/source-nomodes"
mount_fs fat fusefat -o rw+,allow_other "$dir/fat.img"
mount_fs exfat mount.exfat-fuse "$loop"
mount_fs ntfs ntfs-3g "$dir/ntfs.img"
mount_fs bindfs bindfs "$dir/source"
mount_fs nomodes bindfs --chmod-deny "$dir/source-nomodes"
chmod 777 "$dir/bindfs"
export TALVENO_FAT="$dir/fat" TALVENO_EXFAT="$dir/exfat" TALVENO_NTFS="$dir/ntfs"
export TALVENO_BINDFS="$dir/bindfs" TALVENO_NOMODES="$dir/nomodes"

"$@" &
command=$!
status=0
wait "$command" || status=$?
command=
exit "$status"
