#!/usr/bin/env bash
# Checks a built arpflush.exe as a file, without running it: the release (i686) cannot run
# on these machines, so this is what its test run can say about it.
#
#   check-executable.sh EXE OBJDUMP FORMAT    FORMAT: pei-i386 or pei-x86-64
#
# The program must be a GUI-subsystem PE of that format that imports system DLLs and the ad
# library only (no MinGW runtime DLL), and must carry a version block and a manifest that
# asks for the highest available rights and for nothing else.
set -euo pipefail

[ $# -eq 3 ] || { sed -n '5p' "$0" | sed 's/^# *//' >&2; exit 2; }
exe=$1 objdump=$2 format=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

headers=$("$objdump" -p "$exe")

if grep -q "file format $format\$" <<<"$headers"; then pass "format $format"
else fail "not $format: $(grep -m1 'file format' <<<"$headers")"; fi

if grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers"; then pass "Windows GUI subsystem"
else fail "not the Windows GUI subsystem: $(grep -m1 '^Subsystem' <<<"$headers")"; fi

# What Windows itself provides, and the ad library the program is made to load.
allowed='^(kernel32|user32|gdi32|shell32|comctl32|advapi32|msvcrt|ole32|oleaut32|ntdll|admds)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "no import table"
while read -r dll; do
  [ -n "$dll" ] || continue
  if tr '[:upper:]' '[:lower:]' <<<"$dll" | grep -Eq "$allowed"; then pass "imports $dll"
  else fail "imports $dll, which is not part of Windows"; fi
done <<<"$imports"

# The ad library's one function, imported by its plain name (no stdcall "@12" decoration),
# and our stand-in beside the program exporting it so.
admds_imports=$(awk '/DLL Name: admds.dll/ {on=1; next} on && /^$/ {exit} on && NF >= 3 {print $3}' \
  <<<"$headers" | grep -v '^Member-Name$' || true)
if [ "$admds_imports" = InitScreen ]; then pass "imports InitScreen by its plain name from admds.dll"
else fail "imports from admds.dll: '${admds_imports//$'\n'/ }', not just InitScreen"; fi
admds=$(dirname "$exe")/admds.dll
exports=$([ -f "$admds" ] && "$objdump" -p "$admds" || true)
if grep -Eq '^[[:space:]]*\[[[:space:]]*[0-9]+\] InitScreen$' <<<"$exports"; then
  pass "admds.dll beside it exports InitScreen"
else fail "no admds.dll beside the program exporting InitScreen undecorated"; fi

# Resource types at the top level of the resource directory: 16 is the version block, 24
# the manifest.
resource_type() { grep -Eq "^[0-9a-f]+   Entry: ID: 0x0000$1," <<<"$headers"; }
if resource_type 10; then pass "version block"; else fail "no version block"; fi
if resource_type 18; then pass "manifest"; else fail "no manifest"; fi

# The manifest is stored as plain text in the file.
if grep -aq 'level="highestAvailable"' "$exe"; then pass "manifest asks for the highest available rights"
else fail "the manifest does not ask for level=\"highestAvailable\""; fi
for unwanted in Microsoft.Windows.Common-Controls dpiAware; do
  if grep -aq "$unwanted" "$exe"; then fail "the manifest declares $unwanted"
  else pass "no $unwanted in the manifest"; fi
done

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed for $exe"; exit 1; }
echo "all checks passed for $exe"
