#!/usr/bin/env bash
# Tovrell.exe started with arguments under Wine, from a shell as a user
# starts it: a program of the window subsystem that writes the cards of the
# sample library to its standard output, a refusal to its standard error,
# and whose exit status comes back.
#
#   tovrell_exe_console_test.sh <wine> <Tovrell.exe> <sample folder>
set -euo pipefail
wine=$1
exe=$2
sample=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/tovrell-exe-console.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r "$sample/driver" "$work/driver"
program="Z:${work//\//\\}"
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

status=0
"$wine" "$exe" --program-folder "$program" list >"$work/out.txt" 2>"$work/err.txt" || status=$?
[ "$status" -eq 0 ] || fail "list: exit status $status"
for line in 'NE2000	NE2000\NE2000.DOS	MS2000$	NE2000.INI	-' 'NDIS2	3C90X\NDIS2\EL90X.DOS	EL90X$	EL90X.INI	-' \
  'RTL8139	RTL8139\RTL8139.DOS	RTL8139$	RTL8139.INI	-' 'E100B	E100B\E100B.DOS	E100B$	E100B.INI	-'; do
  grep -qxF "$line" <(tr -d '\r' <"$work/out.txt") || fail "list: no line '$line' in: $(cat "$work/out.txt")"
done

status=0
"$wine" "$exe" --program-folder "$program" delete E1000 >"$work/out.txt" 2>"$work/err.txt" || status=$?
[ "$status" -eq 1 ] || fail "delete of no card: exit status $status"
grep -qF "Tovrell.exe: no card named 'E1000'" "$work/err.txt" || fail "delete of no card said: $(cat "$work/err.txt")"

status=0
"$wine" "$exe" --program-folder "$program" list --all >"$work/out.txt" 2>"$work/err.txt" || status=$?
[ "$status" -eq 2 ] || fail "a wrong command line: exit status $status"

[ "$failures" -eq 0 ] && echo "Tovrell.exe with arguments: listed, refused and ended as it should"
exit "$failures"
