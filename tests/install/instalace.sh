#!/bin/sh
# Checks an installation as a user meets it.
#   instalace.sh destdir  BUILD VERSION   install into a DESTDIR, check the files, run the CLI
#   instalace.sh validate BUILD           desktop-file-validate, appstreamcli validate
#   instalace.sh deb      BUILD CPACK     build the .debs, check their files, fields and
#                                         dependencies, the debug symbols, and lintian
# Exit 77 = skipped (a tool is missing).
set -eu
mode=$1
build=$2
app_id=cz.kvetodilna.zrcadlovac
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

install_into() {
  DESTDIR="$1" "${CMAKE:-cmake}" --install "$build" --prefix /usr >/dev/null
}

# The icon sizes of hicolor/NxN.
icon_sizes="16 24 32 48 64 128 256"

# The files an installation holds, relative to the prefix: those of the
# package zrcadlovac-cli, of zrcadlovac (the window), or all.
expected_files() {
  {
    if [ "$1" != zrcadlovac ]; then
      cat <<LIST
bin/zrcadlovac-cli
share/doc/zrcadlovac-cli/changelog.gz
share/doc/zrcadlovac-cli/copyright
share/man/man1/zrcadlovac-cli.1.gz
LIST
    fi
    if [ "$1" != zrcadlovac-cli ]; then
      [ -x "$build/bin/zrcadlovac" ] && echo bin/zrcadlovac
      for size in $icon_sizes; do echo "share/icons/hicolor/${size}x$size/apps/zrcadlovac.png"; done
      cat <<LIST
share/applications/$app_id.desktop
share/doc/zrcadlovac/changelog.gz
share/doc/zrcadlovac/copyright
share/icons/hicolor/scalable/apps/zrcadlovac.svg
share/man/man1/zrcadlovac.1.gz
share/metainfo/$app_id.metainfo.xml
LIST
    fi
  } | LC_ALL=C sort
}

# Width and height of a PNG from its IHDR chunk.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d\n", $3*256+$4, $7*256+$8 }'
}

# Two small trees with one file of each kind of difference and times on
# 2-second boundaries.
make_trees() {
  a=$1/a; b=$1/b
  mkdir -p "$a/sub" "$b/sub"
  printf 'x' >"$a/jen v a.txt"
  printf 'same' >"$a/sub/stejny.txt"; printf 'same' >"$b/sub/stejny.txt"
  printf 'new' >"$a/sub/novejsi.txt"; printf 'old' >"$b/sub/novejsi.txt"
  printf 'longer' >"$a/vetsi.dat"; printf 'short' >"$b/vetsi.dat"
  touch -d '2024-05-01 10:00:00' "$a/jen v a.txt" "$a/sub/stejny.txt" "$b/sub/stejny.txt" \
    "$b/sub/novejsi.txt" "$a/vetsi.dat" "$b/vetsi.dat"
  touch -d '2024-05-02 10:00:00' "$a/sub/novejsi.txt"
}

check_destdir() {
  version=$1
  root=$tmp/root
  install_into "$root"
  (cd "$root/usr" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$tmp/found"
  expected_files all >"$tmp/expected"
  diff -u "$tmp/expected" "$tmp/found" || fail "installed files differ"
  for size in $icon_sizes; do
    got=$(png_size "$root/usr/share/icons/hicolor/${size}x$size/apps/zrcadlovac.png")
    [ "$got" = "${size}x$size" ] || fail "icon ${size}x$size is $got"
  done
  for page in zrcadlovac zrcadlovac-cli; do
    gzip -t "$root/usr/share/man/man1/$page.1.gz" || fail "$page.1.gz is not gzip"
    if command -v man >/dev/null; then
      warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
      [ -z "$warnings" ] || fail "$page.1: $warnings"
    fi
    zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "Zrcadlovač $version\"" \
      || fail "$page.1 does not name version $version"
  done
  grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" \
    || fail "the metainfo has no release $version"
  zcat "$root/usr/share/doc/zrcadlovac/changelog.gz" | head -n 1 | grep -q "^zrcadlovac ($version) " \
    || fail "the changelog does not begin with version $version"

  cli=$root/usr/bin/zrcadlovac-cli
  make_trees "$tmp"
  [ "$("$cli" --version)" = "$version" ] || fail "--version does not print $version"
  set +e
  HOME=$tmp/home "$cli" --format tsv "$tmp/a" "$tmp/b" >"$tmp/out"
  status=$?
  set -e
  [ $status -eq 1 ] || fail "exit status $status for two different trees, expected 1"
  cut -f 1,2,3,5,6 "$tmp/out" >"$tmp/got"
  printf '1\tjen v a\ttxt\t1\t\n3\tnovejsi\ttxt\t3\tsub/\n5\tvetsi\tdat\t6\t\n8\tvetsi\tdat\t5\t\n' >"$tmp/want"
  diff -u "$tmp/want" "$tmp/got" || fail "the installed CLI listed other differences"
  set +e
  HOME=$tmp/home "$cli" "$tmp/a/sub" "$tmp/a/sub" >/dev/null 2>&1
  same=$?
  cp -a "$tmp/b" "$tmp/c"
  HOME=$tmp/home "$cli" "$tmp/b" "$tmp/c" >"$tmp/out2"
  agree=$?
  set -e
  [ $same -eq 2 ] || fail "exit status $same for the same directory twice, expected 2"
  [ $agree -eq 0 ] || fail "exit status $agree for trees without differences, expected 0"
  grep -q 'nejsou nalezeny' "$tmp/out2" || fail "no 'nothing found' message: $(cat "$tmp/out2")"
  [ ! -e "$tmp/home" ] || fail "the CLI wrote into HOME without --ini"
}

check_validate() {
  have=0
  install_into "$tmp/root"
  share=$tmp/root/usr/share
  if command -v desktop-file-validate >/dev/null; then
    have=1
    desktop-file-validate "$share/applications/$app_id.desktop" || fail "desktop-file-validate"
    grep -qx 'Exec=zrcadlovac %F' "$share/applications/$app_id.desktop" || fail "Exec line"
  else
    echo "desktop-file-validate is not installed"
  fi
  if command -v appstreamcli >/dev/null; then
    have=1
    appstreamcli validate --no-net --pedantic "$share/metainfo/$app_id.metainfo.xml" \
      || fail "appstreamcli validate"
  else
    echo "appstreamcli is not installed"
  fi
  [ $have -eq 1 ] || exit 77
}

# One binary package: its files, fields and dependencies.
check_package() {
  package=$1; deb=$2
  case $deb in *_"$(dpkg --print-architecture)".deb) ;; *) fail "file name $deb" ;; esac
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | LC_ALL=C sort >"$tmp/found"
  expected_files "$package" >"$tmp/expected"
  diff -u "$tmp/expected" "$tmp/found" || fail "$package holds other files"
  [ "$(dpkg-deb -f "$deb" Package)" = "$package" ] || fail "package name of $deb"
  dpkg-deb -f "$deb" Maintainer | grep -q '<[^@>]*@[^>]*>$' || fail "$package: no maintainer address"
  for field in Version Architecture Section Priority Installed-Size Description; do
    [ -n "$(dpkg-deb -f "$deb" $field)" ] || fail "$package has no $field"
  done
  dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' >"$tmp/depends"
}

# Every dependency in $@ is in $tmp/depends; "!NAME" must not be.
depends_on() {
  for p in "$@"; do
    case $p in
      !*) ! grep -qx "${p#!}" "$tmp/depends" || fail "$package depends on ${p#!}" ;;
      *) grep -qx "$p" "$tmp/depends" || fail "$package: Depends lacks $p: $(cat "$tmp/depends")" ;;
    esac
  done
}

check_deb() {
  cpack=$1
  command -v dpkg-deb >/dev/null || { echo "dpkg-deb is not installed"; exit 77; }
  "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log"; fail "cpack"; }
  cli_deb=$(ls "$tmp"/pkg/zrcadlovac-cli_*.deb) || fail "no zrcadlovac-cli_*.deb"
  check_package zrcadlovac-cli "$cli_deb"
  # The command line needs Qt Core alone: no display stack.
  depends_on libc6 libstdc++6 libqt6core6 !libqt6gui6 !libqt6widgets6 !qt6-qpa-plugins
  window_deb=
  if [ -x "$build/bin/zrcadlovac" ]; then
    window_deb=$(ls "$tmp"/pkg/zrcadlovac_*.deb) || fail "no zrcadlovac_*.deb"
    check_package zrcadlovac "$window_deb"
    depends_on zrcadlovac-cli libqt6widgets6 libqt6gui6 qt6-qpa-plugins qt6-translations-l10n \
      fonts-dejavu-core fonts-dejavu-extra
  fi
  # The programs are stripped; their debug information is in zrcadlovac-dbg,
  # under the programs' build ids.
  dbg_deb=$(ls "$tmp"/pkg/zrcadlovac-dbg_*.deb) || fail "no zrcadlovac-dbg_*.deb"
  for deb in $cli_deb $window_deb; do
    dpkg-deb -x "$deb" "$tmp/x"
  done
  printf 'doc/zrcadlovac-dbg/changelog.gz\ndoc/zrcadlovac-dbg/copyright\n' >"$tmp/expected"
  for program in "$tmp"/x/usr/bin/*; do
    if command -v file >/dev/null; then
      file "$program" | grep -q ', stripped' || fail "$(basename "$program") is not stripped"
    fi
    id=$(readelf -n "$program" | awk '/Build ID/ { print $3 }')
    [ -n "$id" ] || fail "$(basename "$program") has no build id"
    echo "lib/debug/.build-id/$(echo "$id" | cut -c1-2)/$(echo "$id" | cut -c3-).debug" >>"$tmp/expected"
  done
  LC_ALL=C sort -o "$tmp/expected" "$tmp/expected"
  dpkg-deb -c "$dbg_deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||; s|^share/||' \
    | LC_ALL=C sort | diff -u "$tmp/expected" - || fail "zrcadlovac-dbg holds other files"
  check_lintian "$tmp"/pkg/*.deb
}

# Debian's own checker: no error, no warning, and no hardening tag even among
# the informational ones.
check_lintian() {
  if ! command -v lintian >/dev/null; then
    echo "lintian is not installed: the packages were not checked by it"
    return 0
  fi
  lintian -I --no-tag-display-limit "$@" >"$tmp/lintian" 2>&1 || true
  if grep -E '^(E|W): |hardening' "$tmp/lintian"; then
    fail "lintian"
  fi
}

case $mode in
  destdir) check_destdir "$3" ;;
  validate) check_validate ;;
  deb) check_deb "$3" ;;
  *) fail "unknown mode $mode" ;;
esac
