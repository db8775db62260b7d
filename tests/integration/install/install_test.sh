#!/usr/bin/env bash
# install_test.sh BUILD_FOLDER
# `cmake --install` lays out a program folder that runs on its own, away from the build, with
# the programs on the PATH and the desktop files valid. Installed, the program folder is not
# the user's: with it read-only the store goes to $XDG_DATA_HOME and nowhere else.
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix folder=$work/prefix/lib/nimba-r380x
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

for file in nimba-mouse nimba-mousectl res/main.xml res/lan.xml res/traymenu.xml res/icon107.png; do
    [[ -f $folder/$file ]] || fail "the program folder lacks $file"
done
# Every library the build puts beside the program belongs beside the installed one too.
for library in "$build"/bin/*.so; do
    [[ -f $folder/$(basename "$library") ]] || fail "$(basename "$library") is not installed"
done
for program in nimba-mouse nimba-mousectl; do
    [[ $(readlink -f "$prefix/bin/$program") == "$folder/$program" ]] ||
        fail "bin/$program does not lead to the program folder"
done
for file in lib/udev/rules.d/70-nimba-r380x.rules share/applications/com.nimba.r380x.desktop \
    share/metainfo/com.nimba.r380x.metainfo.xml share/icons/hicolor/256x256/apps/com.nimba.r380x.png \
    share/icons/hicolor/32x32/apps/com.nimba.r380x.png share/man/man1/nimba-mouse.1.gz \
    share/man/man1/nimba-mousectl.1.gz; do
    [[ -f $prefix/$file ]] || fail "the install lacks $file"
done

# Every ELF file finds its libraries beside itself, never in the build folder.
for elf in "$folder"/nimba-mouse* "$folder"/*.so; do
    runpath=$(readelf -d "$elf" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
    [[ $runpath == '$ORIGIN' ]] || fail "$(basename "$elf") has run path '$runpath', not \$ORIGIN"
    if ldd "$elf" | grep -q "not found\|$build"; then
        fail "$(basename "$elf") links outside the install: $(ldd "$elf" | grep "not found\|$build")"
    fi
done

desktop-file-validate "$prefix/share/applications/com.nimba.r380x.desktop" ||
    fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/com.nimba.r380x.metainfo.xml" >/dev/null ||
    fail "appstreamcli rejects the metainfo: $(appstreamcli validate --no-net "$prefix/share/metainfo/com.nimba.r380x.metainfo.xml")"

# A user who cannot write the program folder (root can, so the test runs as nobody).
chmod -R a-w "$prefix"
as_user=()
if (($(id -u) == 0)); then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --); fi
mkdir -m 777 "$work/xdg"
touch "$work/before"
sleep 0.01
output=$(env HOME=/nonexistent XDG_DATA_HOME="$work/xdg" \
    "${as_user[@]}" "$prefix/bin/nimba-mousectl" profiles 2>&1)
rc=$?
((rc == 0)) || fail "nimba-mousectl profiles exited $rc: $output"
[[ $output == *Profile1* ]] || fail "nimba-mousectl profiles listed no first profile: $output"
[[ -s $work/xdg/nimba-r380x/Data/ms_1/pro.data ]] ||
    fail "no store under \$XDG_DATA_HOME: $(find "$work/xdg")"
written=$(find "$work" -newer "$work/before" -not -path "$work/xdg*")
[[ -z $written ]] || fail "written outside \$XDG_DATA_HOME: $written"

exit $((failures > 0))
