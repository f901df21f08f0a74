#!/usr/bin/env bash
# Makes the Debian package from the build with CPack, unpacks it into a
# throw-away folder (nothing is installed on this machine) and checks it as
# Debian would see it: the files where the menu, the icon theme, AppStream and
# man look for them, the desktop entry and the metadata valid, the package's
# dependencies found, and the unpacked zoreks-render writing a picture with the
# system's Qt. Where lintian is installed, it must report no errors.
#   deb_package_test.sh BUILD_DIR VERSION
# Exits with 77 (skipped) when dpkg-dev is missing.
set -euo pipefail
build=$1
version=$2

for tool in dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; echo "FAILED: cpack"; exit 1; }
deb="$work/out/zoreks_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work/out"; echo "FAILED: no $(basename "$deb")"; exit 1; }

# The control fields: the libraries' packages found by dpkg-shlibdeps.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 libqt6gui6 libc6 qt6-qpa-plugins; do
  grep -Eq "(^|[ ,])$package([ ,]|$)" <<<"$depends" || fail "Depends does not name $package"
done
[ "$(dpkg-deb -f "$deb" Section)" = education ] || fail "the section is not education"

root="$work/root"
dpkg-deb -x "$deb" "$root"
outside=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "files outside /usr: $outside"

share="$root/usr/share"
for file in \
  usr/bin/zoreks usr/bin/zoreks-render \
  usr/share/zoreks/spravka.pdf usr/share/zoreks/uprav.pdf usr/share/zoreks/instruction.txt \
  usr/share/zoreks/spravka.en.pdf usr/share/zoreks/uprav.en.pdf usr/share/zoreks/instruction.en.txt \
  usr/share/applications/ru.zoreks.Zoreks.desktop \
  usr/share/icons/hicolor/scalable/apps/ru.zoreks.Zoreks.svg \
  usr/share/icons/hicolor/48x48/apps/ru.zoreks.Zoreks.png \
  usr/share/metainfo/ru.zoreks.Zoreks.metainfo.xml \
  usr/share/mime/packages/ru.zoreks.Zoreks.xml \
  usr/share/man/man1/zoreks.1.gz usr/share/man/man1/zoreks-render.1.gz \
  usr/share/man/ru/man1/zoreks.1.gz usr/share/man/ru/man1/zoreks-render.1.gz \
  usr/share/doc/zoreks/copyright usr/share/doc/zoreks/changelog.gz; do
  [ -f "$root/$file" ] || fail "not in the package: /$file"
done

desktop="$share/applications/ru.zoreks.Zoreks.desktop"
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
  grep -qx 'Path=/usr/share/zoreks' "$desktop" || fail "the desktop entry's Path is not /usr/share/zoreks"
  grep -qx 'Exec=zoreks %f' "$desktop" || fail "the desktop entry does not start zoreks with a file"
  grep -qx 'MimeType=application/x-zoreks-lesson;' "$desktop" || fail "the desktop entry does not open lesson files"
  grep -qx 'Name\[ru\]=Зорекс' "$desktop" || fail "the desktop entry has no Russian name"
fi
if ! grep -q '<summary xml:lang="ru">' "$share/metainfo/ru.zoreks.Zoreks.metainfo.xml"; then
  fail "the AppStream metadata has no Russian summary"
fi
appstreamcli validate --no-net "$share/metainfo/ru.zoreks.Zoreks.metainfo.xml" \
  || fail "the AppStream metadata does not validate"
# The metadata, the desktop entry and the icons it names, as one installed tree.
appstreamcli validate-tree --no-net "$root" || fail "the installed tree does not validate"

# The lesson files' type as the desktop's MIME database takes it: *.zoreks, a
# kind of JSON.
if command -v update-mime-database >/dev/null; then
  mime="$work/mime"
  mkdir -p "$mime/packages"
  cp "$share/mime/packages/ru.zoreks.Zoreks.xml" "$mime/packages/"
  XDG_DATA_HOME="$work" update-mime-database "$mime" || fail "the MIME database does not take the lesson files' type"
  grep -qx 'application/x-zoreks-lesson:\*\.zoreks' "$mime/globs" || fail "*.zoreks is not a lesson file"
  grep -qx 'application/x-zoreks-lesson application/json' "$mime/subclasses" || fail "a lesson file is not JSON"
fi

# Each manual page renders without a warning from groff: the English pages also
# on a plain ASCII terminal (man's choice in the C locale), the Russian in UTF-8.
for page in "$share"/man/man1/*.1.gz "$share"/man/ru/man1/*.1.gz; do
  device=utf8
  [[ $page == */man/man1/* ]] && device=ascii
  warnings=$(zcat "$page" | groff -k -man -T"$device" -ww -z 2>&1)
  [ -z "$warnings" ] || fail "${page#"$root"} on $device: $warnings"
done

# The unpacked tool runs on the system's Qt, with nothing pointing at the build.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/zoreks-render" --graph lines --lines 3 --output "$work/lines.png" \
  || fail "the packaged zoreks-render did not run"
[ "$(head -c 8 "$work/lines.png" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
  || fail "the packaged zoreks-render wrote no PNG"

if command -v lintian >/dev/null; then
  lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"
else
  echo "lintian is not installed: not run"
fi

[ "$failures" -eq 0 ] || exit 1
echo "package $(basename "$deb") checked"
