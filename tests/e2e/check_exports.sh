#!/usr/bin/env bash
# Checks the built DLL's export and import tables:
#   - its export directory names the library VeskMultiMonitor.dll,
#   - it exports exactly the names listed in exports.def, undecorated, and
#     nothing by ordinal only,
#   - it imports from system DLLs only (the runtime is linked in statically).
#
#   check_exports.sh OBJDUMP DLL EXPORTS.DEF
set -euo pipefail

[ $# -eq 3 ] || { echo "usage: check_exports.sh OBJDUMP DLL EXPORTS.DEF" >&2; exit 2; }
objdump=$1
dll=$2
def=$3

allowed_imports="KERNEL32.DLL USER32.DLL SHELL32.DLL SHLWAPI.DLL VERSION.DLL MSVCRT.DLL
ADVAPI32.DLL GDI32.DLL COMCTL32.DLL"

failures=0
passed=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}
pass() {
  echo "ok   $*"
  passed=$((passed + 1))
}

dump=$("$objdump" -p "$dll")

# The .def file: "LIBRARY "NAME"" and one name per line after EXPORTS.
want_library=$(sed -n 's/^[[:space:]]*LIBRARY[[:space:]]*"\{0,1\}\([^"[:space:]]*\)"\{0,1\}.*/\1/p' "$def")
want_exports=$(awk '/^[[:space:]]*EXPORTS/ { on = 1; next }
                    on && NF { print $1 }' "$def" | sort)
want_count=$(printf '%s\n' "$want_exports" | grep -c .)

library=$(printf '%s\n' "$dump" | sed -n '/The Export Tables/,/Table Addresses/ s/^Name[[:space:]]*[0-9a-fA-F]*[[:space:]]*//p')
if [ "$library" = "$want_library" ]; then
  pass "export directory names the library $library"
else
  fail "export directory names '$library', want '$want_library'"
fi

exports=$(printf '%s\n' "$dump" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^[[:space:]]*$/ s/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p' |
  sort)
missing=$(comm -23 <(printf '%s\n' "$want_exports") <(printf '%s\n' "$exports"))
extra=$(comm -13 <(printf '%s\n' "$want_exports") <(printf '%s\n' "$exports"))
for name in $missing; do fail "export $name is missing"; done
for name in $extra; do
  case "$name" in
    *@* | _*) fail "export $name is decorated" ;;
    *) fail "export $name is not in $(basename "$def")" ;;
  esac
done
count=$(printf '%s\n' "$exports" | grep -c . || true)
[ -z "$missing$extra" ] && pass "exports exactly the $want_count names of $(basename "$def")"

# Every address in the table has a name: no export by ordinal only.
address_count=$(printf '%s\n' "$dump" |
  sed -n 's/^[[:space:]]*Export Address Table[[:space:]]*\([0-9a-fA-F]\{1,\}\)$/\1/p' | head -n 1)
if [ -n "$address_count" ] && [ "$((16#$address_count))" -eq "$count" ]; then
  pass "all $count exported addresses have a name"
else
  fail "export address table has ${address_count:-no} (hex) entries for $count names"
fi

imports=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p')
[ -n "$imports" ] || fail "no import table found"
for name in $imports; do
  upper=$(printf '%s' "$name" | tr '[:lower:]' '[:upper:]')
  if printf '%s\n' $allowed_imports | grep -qx "$upper"; then
    pass "imports from $name"
  else
    fail "imports from $name, which is no system DLL"
  fi
done

size=$(stat -c %s "$dll")
echo "     $(basename "$dll"): $size bytes ($(((size + 1023) / 1024)) KiB)"
echo "check_exports: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
