#!/usr/bin/env bash
# The .deb as a user gets it: built with cpack from this build folder, checked
# by lintian (no errors), desktop-file-validate and appstreamcli, unpacked into
# a temporary root and run there by an unprivileged user with a fresh home
# folder. The installed tree must come out byte for byte as it went in.
# Usage: test_package.sh BUILD_DIR VERSION VISIT_PROGRAM
# Exit 77 (ctest: skipped) when no unprivileged user can be had.
set -euo pipefail
build=$1 version=$2 visit=$3
app_id=org.korvel3.Korvel3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

# The user who runs the installed program: ourselves when we are not root,
# otherwise nobody, through setpriv or runuser.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  id nobody >/dev/null 2>&1 || { echo "SKIP: running as root and there is no user nobody"; exit 77; }
  group=$(id -gn nobody)
  if command -v setpriv >/dev/null; then
    as_user=(setpriv --reuid=nobody --regid="$group" --clear-groups --)
  elif command -v runuser >/dev/null; then
    as_user=(runuser -u nobody --)
  else
    echo "SKIP: running as root without setpriv or runuser to become nobody"; exit 77
  fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

echo "== cpack -G DEB"
cpack -G DEB -B "$work/pkg" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB"; }
debs=("$work"/pkg/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
echo "$(basename "$deb"), $(stat -c %s "$deb") bytes"

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version) is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqcustomplot2.1-qt6 libjpeg62-turbo libc6; do  # found by dpkg-shlibdeps
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib"
done

echo "== lintian"
lintian --tag-display-limit 0 --display-info "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
if grep -q '^E: ' "$work/lintian.txt"; then fail "lintian reports errors"; fi

root=$work/root
dpkg-deb -x "$deb" "$root"
echo "== desktop entry, metainfo"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"
[ -s "$root/usr/share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no icon in hicolor"
[ -f "$root/usr/share/korvel3/Database/korvel3.sqlite" ] || fail "no shipped database in share/korvel3"
[ ! -e "$root/usr/bin/Database" ] && [ ! -e "$root/usr/bin/Save" ] || fail "data folders in usr/bin"

tree_sum() { (cd "$root" && find . -printf '%M %U %G %s %p\n' | LC_ALL=C sort && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum) | sha256sum; }
before=$(tree_sum)

home=$work/home
mkdir -p "$home"
[ ${#as_user[@]} -eq 0 ] || chown nobody "$home"
run() { (cd "$home" && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen "${as_user[@]}" "$@"); }

echo "== every executable: --help, --version, an unknown option"
for exe in "$root"/usr/bin/*; do
  name=$(basename "$exe")
  [ -f "$root/usr/share/man/man1/$name.1.gz" ] || fail "no manual page for $name"
  [ "$(run "$exe" --version)" = "$name (Korvel 3) $version" ] || fail "$name --version: $(run "$exe" --version)"
  run "$exe" --help | grep -q "^usage: $name" || fail "$name --help"
  set +e
  run "$exe" --no-such-option >"$work/out" 2>"$work/err"; rc=$?
  set -e
  [ $rc -eq 2 ] && [ ! -s "$work/out" ] && grep -q "^usage: $name" "$work/err" || fail "$name --no-such-option: exit $rc"
done

echo "== the installed program starts on its shipped database"
set +e
run timeout 5 "$root/usr/bin/korvel3" >"$work/out" 2>"$work/err"; rc=$?
set -e
cat "$work/err"
[ $rc -eq 124 ] || fail "korvel3 ended by itself (exit $rc) instead of running"
if grep -q '^korvel3: ' "$work/err"; then fail "korvel3 reported a start-up problem"; fi

echo "== the installed calculator states each method's deviation from measurement"
run "$root/usr/bin/korvel3-calc" Sn-9Zn --at 250C --verbose --csv >"$work/out" || fail "korvel3-calc --verbose"
grep -q '"computed from the parameter file: mean [0-9.]* K, largest [0-9.]* K, [0-9]* datasets"' "$work/out" ||
  fail "korvel3-calc --verbose gives no deviation: the validation report is not installed beside its inputs"

echo "== a visit with exports, as that user"
run env KORVEL_INSTALLED_BIN="$root/usr/bin" "$visit" || fail "the visit of the installed tree"
ls -l "$home/Documents/Korvel 3"
[ "$(stat -c %U "$home/Documents/Korvel 3")" = "$(run id -un)" ] || fail "the export folder is not the user's"

after=$(tree_sum)
[ "$before" = "$after" ] || fail "the installed tree changed"
echo "installed tree unchanged: $after"
