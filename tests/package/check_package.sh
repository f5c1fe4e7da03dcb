#!/usr/bin/env bash
# Checks the release zip: exactly the DLL, the help file and the icon at its
# top level; the DLL is the one just built; the help file reads in Notepad
# (CRLF only); the icon holds 16, 32 and 48 pixel images.
set -uo pipefail
package=${1:?usage: check_package.sh PACKAGE.zip BUILT.dll}
built=${2:?}
failures=0
check() {
  if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check "package exists" '[ -f "$package" ]'
names=$(unzip -Z1 "$package" 2>/dev/null | sort | tr '\n' ' ')
check "holds exactly the three files at its top level ($names)" \
  '[ "$names" = "VeskMultiMonitor.dll multimonitor.ico readme.txt " ]'
unzip -q -d "$work" "$package" || failures=$((failures + 1))

check "the DLL is the one built" 'cmp -s "$work/VeskMultiMonitor.dll" "$built"'
# The PE header's machine field, found through the offset at 0x3c: 0x14c is i386.
pe=$(od -An -tu4 -j60 -N4 "$work/VeskMultiMonitor.dll" 2>/dev/null | tr -d ' ')
machine=$(od -An -tx2 -j$((${pe:-0} + 4)) -N2 "$work/VeskMultiMonitor.dll" 2>/dev/null | tr -d ' ')
check "the DLL is a 32-bit (i386) one, as VESK loads ($machine)" '[ "$machine" = 014c ]'
check "readme.txt has CRLF line ends only" \
  '[ "$(grep -c $'"'"'\r$'"'"' "$work/readme.txt")" -eq "$(wc -l < "$work/readme.txt")" ] &&
   [ "$(wc -l < "$work/readme.txt")" -gt 50 ]'
check "readme.txt lists every settings key" \
  '(for key in EnableMultiMonitor ShowOnMonitorWithMouse MoveRelative ResizeRelative Center \
     CenterAlways EnableHotkeys ResizePercent ResizePercentValue ResizePercentV \
     ResizePercentValueV; do grep -q "\[$key\]" "$work/readme.txt" || exit 1; done)'

read -r reserved type count < <(od -An -tu2 -N6 "$work/multimonitor.ico")
check "icon header (reserved 0, type 1)" '[ "$reserved" = 0 ] && [ "$type" = 1 ]'
sizes=""
for ((i = 0; i < ${count:-0}; i++)); do
  sizes+="$(od -An -tu1 -j$((6 + 16 * i)) -N1 "$work/multimonitor.ico" | tr -d ' ') "
done
check "icon sizes 16 32 48 ($sizes)" '[ "$sizes" = "16 32 48 " ]'

echo "$failures failure(s)"
exit $((failures > 0))
