#!/usr/bin/env bash
# scripts/setup.sh against a package system of stand-ins: apt-get, dpkg,
# dpkg-query, locale, locale-gen, sudo and sleep come first on the PATH, the
# scripts run from a copy whose can-run-32bit.sh answers as the case wants,
# and VELKARO_ROOT puts the files setup writes into a folder of the test's
# own, so nothing here touches the real system. The stand-in apt-get can
# fail its update the way a mirror in the middle of a sync does, on the
# i386 security index, and refuse to install named packages.
#   setup_test.sh SOURCE_DIR
set -uo pipefail
source_dir=$(cd "${1:?source directory}" && pwd)
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
failures=0

fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }
expect_line() { grep -qxF -- "$2" "$1" || fail "$1 has no line '$2'"; }
expect_text() { grep -qF -- "$2" "$1" || fail "$1 does not say '$2'"; }
expect_no_text() { ! grep -qF -- "$2" "$1" || fail "$1 says '$2'"; }
count() { grep -cxF -- "$2" "$1"; }

# The stand-ins keep the package system's state in $fake: installed (one
# package a line), foreign (architectures), calls (every call), locales.
# Behaviour: update_failures holds "i386" (the i386 security index fails on
# every update once i386 is added, and no :i386 package can then be
# installed) or a number of updates that fail before they succeed;
# no_candidate lists packages apt has none of; kernel32 exists where the
# kernel runs 32-bit programs; npm_fails makes npm ci fail; node_major is
# the version the stand-in node gives (20 without it).
make_stand_ins() {
  local bin=$1
  mkdir -p "$bin"
  cat >"$bin/apt-get" <<'SH'
#!/usr/bin/env bash
echo "apt-get $*" >>"$fake/calls"
command=""
packages=()
for a in "$@"; do
  case $a in -*) ;; *) if [ -z "$command" ]; then command=$a; else packages+=("$a"); fi ;; esac
done
mode=$(cat "$fake/update_failures" 2>/dev/null || echo 0)
if [ "$command" = update ]; then
  echo "Get:1 http://deb.debian.org/debian bookworm InRelease [151 kB]"
  fails=0
  if [ "$mode" = i386 ]; then
    grep -qx i386 "$fake/foreign" 2>/dev/null && fails=1
  elif [ "$mode" -gt 0 ]; then
    echo $((mode - 1)) >"$fake/update_failures"
    fails=1
  fi
  if [ $fails -eq 1 ]; then
    echo "Err:6 http://deb.debian.org/debian-security bookworm-security/main i386 Packages"
    echo "  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]"
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]" >&2
    echo "   Hashes of expected file:" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100
  fi
  exit 0
fi
[ "$command" = install ] || { echo "E: the stand-in knows no '$command'" >&2; exit 100; }
echo "Reading package lists..."
for p in "${packages[@]}"; do
  if grep -qxF "$p" "$fake/no_candidate" 2>/dev/null; then
    echo "E: Package '$p' has no installation candidate" >&2
    exit 100
  fi
done
for p in "${packages[@]}"; do
  if [ "$mode" = i386 ] && [ "${p%:i386}" != "$p" ]; then
    echo "Some packages could not be installed."
    echo "The following packages have unmet dependencies:"
    echo " libwine:i386 : Depends: libc6:i386 (>= 2.36-9+deb12u14) but 2.36-9+deb12u4 is to be installed"
    echo "                Depends: libgnutls30:i386 (>= 3.7.9-2+deb12u5) but 3.7.9-2 is to be installed"
    echo "E: Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages." >&2
    exit 100
  fi
done
printf '%s\n' "${packages[@]}" >>"$fake/installed"
if printf '%s\n' "${packages[@]}" | grep -qx 'wine32:i386'; then
  mkdir -p "$VELKARO_ROOT/usr/lib/wine" && touch "$VELKARO_ROOT/usr/lib/wine/wine"
  chmod +x "$VELKARO_ROOT/usr/lib/wine/wine"
fi
SH
  cat >"$bin/dpkg-query" <<'SH'
#!/usr/bin/env bash
p=${!#}
grep -qxF "$p" "$fake/installed" 2>/dev/null && { printf 'install ok installed'; exit 0; }
echo "dpkg-query: no packages found matching $p" >&2
exit 1
SH
  cat >"$bin/dpkg" <<'SH'
#!/usr/bin/env bash
echo "dpkg $*" >>"$fake/calls"
case $1 in
  --print-foreign-architectures) cat "$fake/foreign" 2>/dev/null ;;
  --add-architecture) echo "$2" >>"$fake/foreign" ;;
  *) echo "the stand-in dpkg knows no $1" >&2; exit 2 ;;
esac
SH
  cat >"$bin/locale" <<'SH'
#!/usr/bin/env bash
printf 'C\nC.utf8\nPOSIX\n'
cat "$fake/locales" 2>/dev/null
SH
  cat >"$bin/locale-gen" <<'SH'
#!/usr/bin/env bash
echo "locale-gen $*" >>"$fake/calls"
grep -q '^ja_JP.UTF-8 UTF-8' "$VELKARO_ROOT/etc/locale.gen" && echo ja_JP.utf8 >>"$fake/locales"
SH
  cat >"$bin/sleep" <<'SH'
#!/usr/bin/env bash
echo "sleep $*" >>"$fake/calls"
SH
  cat >"$bin/sudo" <<'SH'
#!/usr/bin/env bash
exec "$@"
SH
  cat >"$bin/npm" <<'SH'
#!/usr/bin/env bash
echo "npm $* in $(basename "$PWD")" >>"$fake/calls"
rm -rf node_modules
if [ -e "$fake/npm_fails" ]; then
  echo "npm error code E404"
  echo "npm error 404 Not Found - GET https://registry.example/playwright-core - Not found"
  exit 1
fi
mkdir -p node_modules/playwright-core
SH
  cat >"$bin/node" <<'SH'
#!/usr/bin/env bash
cat "$fake/node_major" 2>/dev/null || echo 20
SH
  chmod +x "$bin"/*
}

# A fresh case: the scripts copied with a can-run-32bit.sh of the case's
# kind, an empty package system, a locale.gen with the Japanese line
# commented out as Debian ships it.
new_case() {
  case_name=$1
  t=$top/$case_name
  export fake=$t/fake VELKARO_ROOT=$t/root
  mkdir -p "$t/scripts" "$fake" "$VELKARO_ROOT/etc"
  cp "$source_dir"/scripts/{setup.sh,can-run-wine32.sh,wine32-state.sh} "$t/scripts/"
  cat >"$t/scripts/can-run-32bit.sh" <<'SH'
#!/usr/bin/env bash
[ -e "$fake/kernel32" ] && exit 0
echo "the kernel does not run 32-bit x86 programs: Exec format error"
exit 1
SH
  chmod +x "$t/scripts/can-run-32bit.sh"
  make_stand_ins "$t/bin"
  touch "$fake/installed" "$fake/calls" "$fake/kernel32"
  printf '# ja_JP.EUC-JP EUC-JP\n# ja_JP.UTF-8 UTF-8\n' >"$VELKARO_ROOT/etc/locale.gen"
  mkdir -p "$t/tests/web/browser"
  echo '{"lockfileVersion": 3, "packages": {"node_modules/playwright-core": {"version": "1.0.0"}}}' \
    >"$t/tests/web/browser/package-lock.json"
  state=$VELKARO_ROOT/var/lib/velkaro/wine32-not-installed
}

run_setup() {
  : >"$fake/calls"
  PATH=$t/bin:$PATH "$t/scripts/setup.sh" >"$t/out" 2>&1
}
run_decider() {
  PATH=$t/bin:$PATH "$t/scripts/can-run-wine32.sh" >"$t/decision" 2>&1
}

new_case i386_index_fails_every_time
echo i386 >"$fake/update_failures"
run_setup || fail "setup ended with status $?: $(tail -5 "$t/out")"
for p in cmake wine64 g++-mingw-w64-i686-win32 nsis passwd util-linux locales; do
  expect_line "$fake/installed" "$p"
done
grep -q ':i386$' "$fake/installed" && fail "an i386 package was installed"
[ "$(count "$fake/calls" 'apt-get update -q')" -eq 4 ] ||
  fail "apt-get update ran $(count "$fake/calls" 'apt-get update -q') times, not once and then 3 times"
[ "$(grep -c '^sleep ' "$fake/calls")" -eq 2 ] || fail "not 2 pauses between the 3 updates"
expect_text "$t/out" "the 32-bit Wine could not be installed"
[ -f "$state" ] || fail "no reason kept in $state"
expect_line "$state" "wine32:i386 libwine:i386 gstreamer1.0-plugins-good:i386 gstreamer1.0-plugins-base:i386"
expect_text "$state" "apt-get update: E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004)"
expect_text "$state" "apt-get install: libwine:i386 : Depends: libc6:i386"
expect_text "$state" "apt-get install: Depends: libgnutls30:i386"
expect_no_text "$state" "pkgProblemResolver"
expect_no_text "$state" "Some index files failed to download"
expect_line "$VELKARO_ROOT/etc/locale.gen" "ja_JP.UTF-8 UTF-8"
[ "$(count "$fake/calls" 'locale-gen ')" -eq 1 ] || fail "locale-gen did not run once"
run_decider && fail "the decider says the 32-bit tests can run"
expect_text "$t/decision" "the 32-bit Wine could not be installed (wine32:i386 libwine:i386"
expect_text "$t/decision" "): apt-get update: E: Failed to fetch"
expect_text "$t/decision" "Mirror sync in progress? [IP: 203.0.113.80 80]; apt-get install: libwine:i386 : Depends: libc6:i386"
expect_text "$t/decision" "is to be installed; and 1 more of apt's lines in $state"
[ "$(wc -l <"$t/decision")" -eq 1 ] || fail "the decider's reason is not one line"
# Again on the same machine: nothing of the host's to install, the 32-bit
# packages tried again after one update, the reason still kept, the locale
# left alone.
run_setup || fail "the second setup ended with status $?"
grep -q '^apt-get install .* cmake' "$fake/calls" && fail "the second run installed host packages again"
expect_text "$fake/calls" "apt-get install -y -q --no-install-recommends wine32:i386"
[ "$(count "$fake/calls" 'apt-get update -q')" -eq 1 ] || fail "the second run tried the update more than once"
expect_no_text "$fake/calls" "sleep"
expect_no_text "$fake/calls" "locale-gen"
expect_no_text "$fake/calls" "dpkg --add-architecture"
[ -s "$state" ] || fail "the second run lost the reason"

new_case update_fails_once_then_succeeds
echo 1 >"$fake/update_failures"
mkdir -p "$(dirname "$state")" && printf 'wine32:i386\nan old reason\n' >"$state"
run_setup || fail "setup ended with status $?: $(tail -5 "$t/out")"
[ "$(count "$fake/calls" 'apt-get update -q')" -eq 3 ] ||
  fail "apt-get update ran $(count "$fake/calls" 'apt-get update -q') times, not twice and once after i386"
[ "$(grep -c '^sleep ' "$fake/calls")" -eq 1 ] || fail "not one pause before the second try"
expect_text "$t/out" "apt-get update failed (try 1 of 3)"
for p in wine64 wine32:i386 libwine:i386 gstreamer1.0-plugins-good:i386; do
  expect_line "$fake/installed" "$p"
done
[ -e "$state" ] && fail "the reason of an earlier run outlived the install"
run_decider || fail "the decider says no where the 32-bit Wine is installed: $(cat "$t/decision")"
[ "$(count "$fake/calls" 'npm ci --ignore-scripts --no-audit --no-fund in browser')" -eq 1 ] ||
  fail "npm ci did not run once in tests/web/browser"
# Everything installed: a second run asks apt and npm for nothing.
run_setup || fail "the second setup ended with status $?"
expect_no_text "$fake/calls" "apt-get"
expect_no_text "$fake/calls" "locale-gen"
expect_no_text "$fake/calls" "npm"
# A new lock file (another pinned version) is installed by the next run.
sed -i 's/1.0.0/1.0.1/' "$t/tests/web/browser/package-lock.json"
run_setup || fail "the setup after a new lock file ended with status $?"
expect_text "$fake/calls" "npm ci"

new_case browser_library_cannot_be_installed
touch "$fake/npm_fails"
run_setup && fail "setup succeeded where npm ci failed"
expect_text "$t/out" "setup: FAILED: npm ci could not install the browser tests' packages in"
expect_text "$t/out" "npm error 404 Not Found"
rm "$fake/npm_fails"
run_setup || fail "setup failed once npm ci works: $(tail -5 "$t/out")"
expect_text "$fake/calls" "npm ci"

new_case node_too_old
echo 18 >"$fake/node_major"
run_setup && fail "setup succeeded with Node.js 18"
expect_text "$t/out" "setup: FAILED: the browser tests need Node.js 20 or newer;"
expect_no_text "$fake/calls" "npm"

new_case host_package_cannot_be_installed
printf 'nsis\n' >"$fake/no_candidate"
run_setup && fail "setup succeeded without nsis"
expect_text "$t/out" "setup: FAILED: apt could not install nsis, which the builds and tests need:"
expect_text "$t/out" "apt-get install: E: Package 'nsis' has no installation candidate"
expect_no_text "$fake/calls" "dpkg --add-architecture"

new_case kernel_refuses_32bit_programs
rm "$fake/kernel32"
echo i386 >"$fake/update_failures"
mkdir -p "$(dirname "$state")" && printf 'wine32:i386\nan old reason\n' >"$state"
run_setup || fail "setup ended with status $?: $(tail -5 "$t/out")"
expect_no_text "$fake/calls" "dpkg --add-architecture"
[ -e "$state" ] && fail "the apt reason is kept where no 32-bit Wine could run anyway"
run_decider && fail "the decider says yes where the kernel refuses 32-bit programs"
expect_line "$t/decision" "the kernel does not run 32-bit x86 programs: Exec format error"

new_case wine32_not_installed_and_no_reason
run_decider && fail "the decider says yes without a 32-bit Wine"
expect_line "$t/decision" "the 32-bit Wine (wine32:i386) is not installed; scripts/setup.sh installs it"
touch "$fake/installed" && mkdir -p "$VELKARO_ROOT/usr/lib/wine"
echo wine32:i386 >"$fake/installed"
run_decider && fail "the decider says yes with wine32:i386 but no /usr/lib/wine/wine"

if [ $failures -eq 0 ]; then
  echo "PASS: setup.sh and can-run-wine32.sh, 7 cases"
  exit 0
fi
echo "FAIL: $failures checks failed"
exit 1
