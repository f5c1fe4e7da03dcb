#!/usr/bin/env bash
# Runs one Windows test program under Wine on its own multi-monitor X desktop
# and exits with the program's status.
#
#   run_under_wine.sh [--arch win32|win64] --layout LAYOUT [--workareas AREAS]
#                     [--prefix DIR] [--timeout SECONDS] [--install FILE]...
#                     [--keep-prefix] -- PROGRAM.exe [ARGS...]
#
#   --arch       the Wine the program is built for: win32 (default), 32-bit
#                Wine in a 32-bit prefix, run in the i386 root of
#                scripts/wine32-root (under qemu where the kernel runs no
#                32-bit program, scripts/qemu-binfmt); win64, the host's
#                wine64 in a 64-bit prefix
#   --layout     monitors as for scripts/xdesktop, e.g. "1920x1080+0+0,1280x1024+1920+0"
#   --workareas  each monitor's work area as for scripts/xdesktop, e.g.
#                "0,0,1920,1040,1920,0,1280,984"; default: the whole monitors
#   --prefix     the Wine prefix, created on first use and reused afterwards
#                (default: $VMM_WINE_PREFIX, else ./wine-prefix)
#   --timeout    seconds the program may run (default 60); then it is killed
#                and the status is 124
#   --install    copies FILE into the scratch folder C:\vmm\ before the run
#   --keep-prefix  leave C:\vmm\ as the previous run left it; by default it
#                is emptied first, so that no run sees another one's files
#
# Whatever happens, the Wine processes and the X server are gone when this
# script returns. One prefix serves one run at a time (a lock beside it), as
# a wineserver takes the monitor layout only when it starts; runs on
# different prefixes proceed in parallel on different displays.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
xdesktop="$here/../../scripts/xdesktop"
. "$here/../../scripts/lib/need.sh"

usage() {
  echo "usage: run_under_wine.sh [--arch win32|win64] --layout LAYOUT [--workareas AREAS]" \
    "[--prefix DIR] [--timeout SECONDS] [--install FILE]... [--keep-prefix] -- PROGRAM.exe" \
    "[ARGS...]" >&2
  exit 2
}

arch=win32
layout=""
workareas=()
prefix="${VMM_WINE_PREFIX:-$PWD/wine-prefix}"
run_timeout=60
keep=0
installs=()
original_args=("$@")
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) [ $# -ge 2 ] || usage; arch=$2; shift 2 ;;
    --layout) [ $# -ge 2 ] || usage; layout=$2; shift 2 ;;
    --workareas) [ $# -ge 2 ] || usage; workareas=(--workareas "$2"); shift 2 ;;
    --prefix) [ $# -ge 2 ] || usage; prefix=$2; shift 2 ;;
    --timeout) [ $# -ge 2 ] || usage; run_timeout=$2; shift 2 ;;
    --install) [ $# -ge 2 ] || usage; installs+=("$2"); shift 2 ;;
    --keep-prefix) keep=1; shift ;;
    --) shift; break ;;
    *) usage ;;
  esac
done
[ -n "$layout" ] && [ $# -ge 1 ] || usage
[[ "$run_timeout" =~ ^[0-9]+$ ]] || usage
# Debian's wine command starts the 32-bit loader whenever wine32 is
# installed, so each architecture names its loader itself.
scripts="$here/../../scripts"
case "$arch" in
  win32)
    loader=/usr/lib/wine/wine
    root=$("$scripts/wine32-root" path)
    [ -x "$root$loader" ] ||
      { echo "run_under_wine: no 32-bit Wine in the i386 root $root; run scripts/setup as root" >&2; exit 2; }
    # Where 32-bit programs run only under qemu, it is registered for the
    # whole run, before anything of it starts.
    if [ -z "${VMM_QEMU_BINFMT_HELD:-}" ]; then
      exec "$scripts/qemu-binfmt" run -- "${BASH_SOURCE[0]}" "${original_args[@]}"
    fi
    ;;
  win64)
    loader=/usr/lib/wine/wine64 root=""
    need "$loader" wine64
    need wineserver wine
    ;;
  *) usage ;;
esac
need unshare util-linux
need flock util-linux
program=$1
shift
[ -f "$program" ] || { echo "run_under_wine: no program $program" >&2; exit 2; }
for file in "${installs[@]}"; do
  [ -f "$file" ] || { echo "run_under_wine: no file $file" >&2; exit 2; }
done
case "$prefix" in /*) ;; *) prefix="$PWD/$prefix" ;; esac

export WINEPREFIX="$prefix"
export WINEARCH=$arch
export WINELOADER=$loader
export WINEDEBUG="${VMM_WINEDEBUG:--all}"
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ -z "${VMM_RUN_UNDER_WINE_INNER:-}" ]; then
  mkdir -p "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  if ! flock -w 600 9; then
    echo "run_under_wine: prefix $prefix stayed busy" >&2
    exit 2
  fi
  # In a PID namespace of its own, everything the run starts (Xorg, the
  # wineserver that Wine daemonises, winedevice, explorer) dies with the run,
  # even when this script is killed outright, as CTest does on a time-out;
  # the lock on fd 9 is held until then.
  # Inside a chroot no /proc of its own can be mounted safely: there the
  # namespace is a PID namespace with a mount namespace as it can be had
  # (scripts/lib/namespaces.sh), and the i386 root's mounts are undone by
  # hand as well.
  . "$scripts/lib/namespaces.sh"
  mount_namespace_args
  namespaces=(--pid --fork --kill-child --mount-proc)
  [ "${mount_namespace[2]}" = private ] || namespaces=(--pid --fork --kill-child "${mount_namespace[@]}")
  if unshare "${namespaces[@]}" true 2>/dev/null; then
    VMM_RUN_UNDER_WINE_INNER=1 exec unshare "${namespaces[@]}" \
      "${BASH_SOURCE[0]}" "${original_args[@]}"
  fi
  # The i386 root's mounts must go with the run, which only a namespace of
  # its own guarantees.
  if [ -n "$root" ]; then
    echo "run_under_wine: 32-bit Wine runs in a PID and mount namespace of its own, which" \
      "unshare could not make here" >&2
    exit 2
  fi
fi

# Wine's commands run in the Wine of --arch.
in_wine=()
[ -z "$root" ] || in_wine=(chroot "$root" env --chdir="$PWD")

display=""
cleanup() {
  local status=$?
  trap - EXIT INT TERM HUP
  if [ "$$" -eq 1 ]; then
    # Init of our own PID namespace: everything else in it is ours. Killing
    # it outright takes milliseconds where wineserver -k takes most of a
    # second, and the prefix loses only registry changes of this run.
    kill -KILL -1 2>/dev/null || true
  else
    "${in_wine[@]}" wineserver -k 2>/dev/null 9>&- || true
    timeout 20 "${in_wine[@]}" wineserver -w 2>/dev/null 9>&- || true
  fi
  [ -z "$display" ] || "$xdesktop" stop "$display" || true
  [ -z "$root" ] || "$scripts/wine32-root" umount
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

started=$EPOCHREALTIME
display=$("$xdesktop" start "${workareas[@]}" "$layout" 9>&-)
export DISPLAY="$display"
if [ -n "$root" ]; then
  # The prefix, the program and the files to install, at the same paths
  # inside the root as outside.
  share=$(dirname "$prefix"):$(cd "$(dirname "$program")" && pwd)
  [ "$PWD" = / ] || share+=:$PWD
  for file in "${installs[@]}"; do share+=:$(cd "$(dirname "$file")" && pwd); done
  VMM_WINE32_SHARE="$share${VMM_WINE32_SHARE:+:$VMM_WINE32_SHARE}" "$scripts/wine32-root" mount
fi

# A prefix is ready once the stamp exists; a half-made one is made again.
if [ ! -f "$prefix/.vmm-ready" ]; then
  echo "run_under_wine: creating the Wine prefix $prefix (once)" >&2
  rm -rf "$prefix"
  if ! "${in_wine[@]}" "$loader" wineboot -i >/dev/null 2>&1 9>&-; then
    echo "run_under_wine: wineboot could not create the Wine prefix $prefix" >&2
    exit 2
  fi
  # Without a window manager Wine waits about 2 s whenever a managed window
  # is hidden or destroyed; unmanaged windows behave the same otherwise. A
  # crashing program must end the run, not wait on a dialog nobody sees.
  for setting in 'X11 Driver|Managed|REG_SZ|N' 'WineDbg|ShowCrashDialog|REG_DWORD|0'; do
    IFS='|' read -r key name type value <<<"$setting"
    if ! "${in_wine[@]}" "$loader" reg add "HKCU\\Software\\Wine\\$key" /v "$name" /t "$type" /d "$value" /f \
      >/dev/null 2>&1 9>&-; then
      echo "run_under_wine: could not set $key\\$name in the Wine prefix $prefix" >&2
      exit 2
    fi
  done
  "${in_wine[@]}" wineserver -w 9>&-
  touch "$prefix/.vmm-ready"
fi
# A wineserver reads the monitor layout when it starts.
"${in_wine[@]}" wineserver -k 2>/dev/null 9>&- || true
"${in_wine[@]}" wineserver -w 9>&- || true

scratch="$prefix/drive_c/vmm"
[ "$keep" -eq 1 ] || rm -rf "$scratch"
mkdir -p "$scratch"
for file in "${installs[@]}"; do cp -f "$file" "$scratch/"; done

status=0
timeout -k 5 "$run_timeout" "${in_wine[@]}" "$loader" "$program" "$@" 9>&- || status=$?
if [ "$status" -eq 124 ]; then
  echo "run_under_wine: $(basename "$program") timed out after ${run_timeout} s" >&2
fi
elapsed=$(awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }')
echo "run_under_wine: $(basename "$program") exited with $status after $elapsed s (desktop included)" >&2
exit "$status"
