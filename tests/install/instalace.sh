#!/bin/sh
# Checks an installation as a user meets it.
#   instalace.sh destdir  BUILD VERSION   install into a DESTDIR, check the files, run the CLI
#   instalace.sh validate BUILD           desktop-file-validate, appstreamcli validate
#   instalace.sh deb      BUILD CPACK     build the .deb, check its files and dependencies
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

# The files every installation holds, relative to the prefix.
expected_files() {
  {
    [ -x "$build/bin/zrcadlovac" ] && echo bin/zrcadlovac
    cat <<LIST
bin/zrcadlovac-cli
share/applications/$app_id.desktop
share/icons/hicolor/256x256/apps/zrcadlovac.png
share/icons/hicolor/48x48/apps/zrcadlovac.png
share/icons/hicolor/scalable/apps/zrcadlovac.svg
share/man/man1/zrcadlovac-cli.1.gz
share/man/man1/zrcadlovac.1.gz
share/metainfo/$app_id.metainfo.xml
LIST
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
  expected_files >"$tmp/expected"
  diff -u "$tmp/expected" "$tmp/found" || fail "installed files differ"
  for size in 48 256; do
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

check_deb() {
  cpack=$1
  command -v dpkg-deb >/dev/null || { echo "dpkg-deb is not installed"; exit 77; }
  "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log"; fail "cpack"; }
  set -- "$tmp"/pkg/zrcadlovac_*.deb
  [ -f "$1" ] || fail "no zrcadlovac_*.deb"
  deb=$1
  case $deb in *_"$(dpkg --print-architecture)".deb) ;; *) fail "file name $deb" ;; esac
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | LC_ALL=C sort >"$tmp/found"
  expected_files >"$tmp/expected"
  diff -u "$tmp/expected" "$tmp/found" || fail "the package holds other files"
  depends=$(dpkg-deb -f "$deb" Depends)
  for p in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6gui6 qt6-qpa-plugins fonts-dejavu-core; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$p\( \|$\)" || fail "Depends lacks $p: $depends"
  done
  [ "$(dpkg-deb -f "$deb" Package)" = zrcadlovac ] || fail "package name"
  # The packaged programs are stripped: no debug sections.
  dpkg-deb -x "$deb" "$tmp/x"
  if command -v file >/dev/null; then
    file "$tmp/x/usr/bin/zrcadlovac-cli" | grep -q ', stripped' || fail "zrcadlovac-cli is not stripped"
  fi
}

case $mode in
  destdir) check_destdir "$3" ;;
  validate) check_validate ;;
  deb) check_deb "$3" ;;
  *) fail "unknown mode $mode" ;;
esac
