#!/usr/bin/env bash
# The setup program as a user runs it, in a Wine prefix of its own: built
# twice from the same files it is the same bytes; a silent install puts the
# Velkaro.scr of the prefix's word size into its system folder and registers
# the uninstaller; /ACTIVATE makes it the active screen saver (a second
# /ACTIVATE install keeps what was active before); the installed saver runs
# and ends on a key; a silent uninstall puts the previous saver back and
# leaves nothing of ours but the user's Velkaro.ini.
#   installer_test.sh BUILD_DIR TARGET WINEARCH SCR64 SCR32 ICON SAVER_CHECK_EXE
# TARGET: x86-unicode (the installer that ships) or amd64-unicode.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?build directory}" && pwd)
target=${2:?installer target} arch=${3:?win32 or win64}
scr64=${4:?} scr32=${5:?} icon=${6:?} saver_check=${7:?}
work=$build/installer-test-$target-$arch
. "$here/package_test_common.sh"
rm -rf "$work" && mkdir -p "$work/copies"

# Packaging the same files twice gives the same bytes, whatever the files'
# own times; so does the shipped x86 build, which only a machine that runs
# 32-bit programs can install.
make_installer="$here/../../packaging/make-installer.sh"
cp "$scr64" "$work/copies/64.scr" && cp "$scr32" "$work/copies/32.scr" && cp "$icon" "$work/copies/v.ico"
for build_target in $(printf "%s\n" "$target" x86-unicode | sort -u); do
  "$make_installer" "$work/Velkaro-$build_target-setup.exe" "$scr64" "$scr32" "$icon" "$build_target" ||
    { echo "FAIL: makensis $build_target"; exit 1; }
  "$make_installer" "$work/Velkaro-again-setup.exe" "$work/copies/64.scr" "$work/copies/32.scr" \
    "$work/copies/v.ico" "$build_target"
  cmp -s "$work/Velkaro-$build_target-setup.exe" "$work/Velkaro-again-setup.exe" ||
    fail "two builds of the $build_target installer differ"
done
setup=$work/Velkaro-$target-setup.exe

# The display of the tree's test environment, a prefix of our own.
. "$build/test-env/env"
export WINEPREFIX=$work/prefix WINEARCH=$arch
if [ "$arch" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64 installed=$scr64
else
  export WINELOADER=/usr/lib/wine/wine installed=$scr32
fi
wine() { "$WINELOADER" "$@" </dev/null; }
trap 'wineserver -k 2>/dev/null' EXIT
wine wineboot -i >"$work/wineboot.log" 2>&1
system=$WINEPREFIX/drive_c/windows/system32
desktop='HKCU\Control Panel\Desktop'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkaro'
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
expect_value() {
  local actual; actual=$(value "$1" "$2")
  [ "$actual" = "$3" ] || fail "$1 $2 is '$actual', not '$3'"
}

wine reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\other.scr' /f >/dev/null
wine reg add "$desktop" /v ScreenSaveActive /d 0 /f >/dev/null

wine "$setup" /S || fail "silent install: status $?"
cmp -s "$installed" "$system/Velkaro.scr" || fail "system32 does not hold the $arch Velkaro.scr"
[ -e "$WINEPREFIX/drive_c/windows/syswow64/Velkaro.scr" ] && fail "a Velkaro.scr in syswow64"
expect_value "$desktop" SCRNSAVE.EXE 'C:\windows\system32\other.scr'
expect_value "$uninstall_key" DisplayName "Velkaro screen saver"
expect_value "$uninstall_key" DisplayVersion "$VELKARO_VERSION"
expect_value "$uninstall_key" Publisher "$VELKARO_PUBLISHER"
expect_value "$uninstall_key" DisplayIcon 'C:\windows\system32\Velkaro.scr,0'
expect_value "$uninstall_key" UninstallString '"C:\Program Files\Velkaro\Uninstall.exe"'
kb=$(( ($(stat -c %s "$installed") + $(stat -c %s "$WINEPREFIX/drive_c/Program Files/Velkaro/Uninstall.exe") + 1023) / 1024 ))
expect_value "$uninstall_key" EstimatedSize "$(printf '0x%x' $kb)"

for run in 1 2; do
  wine "$setup" /S /ACTIVATE || fail "silent install /ACTIVATE ($run): status $?"
done
expect_value "$desktop" SCRNSAVE.EXE 'C:\windows\system32\Velkaro.scr'
expect_value "$desktop" ScreenSaveActive 1

wine "$saver_check" 'C:\windows\system32\Velkaro.scr' || fail "the installed saver"

printf '[Section]\r\n' >"$system/Velkaro.ini"
wine 'C:\Program Files\Velkaro\Uninstall.exe' /S || fail "silent uninstall: status $?"
# The uninstaller runs on from a copy of itself in the temporary folder.
wineserver -w
expect_value "$desktop" SCRNSAVE.EXE 'C:\windows\system32\other.scr'
expect_value "$desktop" ScreenSaveActive 0
for left in "$system/Velkaro.scr" "$WINEPREFIX/drive_c/windows/syswow64/Velkaro.scr" \
            "$WINEPREFIX/drive_c/Program Files/Velkaro"; do
  [ -e "$left" ] && fail "left behind: $left"
done
for key in "$uninstall_key" 'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Velkaro' \
           'HKCU\Software\Velkaro'; do
  wine reg query "$key" >/dev/null 2>&1 && fail "left behind: $key"
done
[ -f "$system/Velkaro.ini" ] || fail "the user's Velkaro.ini went"

echo "installer ($target, $arch): $failures failed"
wineserver -k 2>/dev/null
trap - EXIT
# The prefix stays for a look after a failure.
[ $failures -eq 0 ] && rm -rf "$WINEPREFIX"
[ $failures -eq 0 ]
