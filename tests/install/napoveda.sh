#!/bin/sh
# The programs' own help against their manual pages, and the window program
# without a display.
#   napoveda.sh man      PROGRAM PAGE      each option of --help is in the page's
#                                          OPTIONS with the same names, argument
#                                          and ranges ("1 to 256"), and no more
#   napoveda.sh displej  PROGRAM VERSION   --help and --version with no display
#                                          exit 0; a start without one exits 2
#                                          with one Czech line
set -eu
mode=$1
program=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# The argument ranges an option's text names ("1 to 256"), comma-separated;
# shared by both parsers below.
AWK_RANGES='
    function ranges(t,   r) {
      r = ""
      while (match(t, /[0-9]+ to [0-9]+/)) {
        r = r (r == "" ? "" : ",") substr(t, RSTART, RLENGTH); t = substr(t, RSTART + RLENGTH)
      }
      return r
    }'

# One line per option: "names|argument|ranges". The help lists an option as
# "  -h, --help" or "  --scope <both|1|2>" followed by its description, which
# wraps onto lines indented further.
options_of_help() {
  awk "$AWK_RANGES"'
    function flush() {
      if (opt == "") return
      names = opt; arg = ""
      if (match(opt, / <[^>]*>$/)) {
        names = substr(opt, 1, RSTART - 1); arg = substr(opt, RSTART + 2, RLENGTH - 3)
      }
      print names "|" arg "|" ranges(text)
      opt = ""; text = ""
    }
    /^  -/ {
      flush()
      line = substr($0, 3)
      if (match(line, /  +/)) { opt = substr(line, 1, RSTART - 1); text = substr(line, RSTART + RLENGTH) }
      else { opt = line; text = "" }
      next
    }
    /^   +[^ ]/ && opt != "" { sub(/^ +/, ""); text = text " " $0; next }
    { flush() }
    END { flush() }
  ' | LC_ALL=C sort
}

# The same from the OPTIONS section of a manual page: each ".TP" tag and the
# paragraph under it, with the font changes and quotes of the roff taken out.
options_of_page() {
  sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/\\(en/-/g' "$1" | awk "$AWK_RANGES"'
    function flush() {
      if (tag == "") return
      gsub(/"/, "", tag); gsub(/ +/, " ", tag); gsub(/ ,/, ",", tag); sub(/^ /, "", tag)
      names = tag; arg = ""
      if (match(tag, / [^-][^ ]*$/)) {
        names = substr(tag, 1, RSTART - 1); arg = substr(tag, RSTART + 1)
      }
      gsub(/ +/, " ", text)
      print names "|" arg "|" ranges(text)
      tag = ""; text = ""
    }
    /^\.SH/ { flush(); inside = ($2 == "OPTIONS"); next }
    !inside { next }
    /^\.TP/ { flush(); want_tag = 1; next }
    want_tag { sub(/^\.[A-Z]+ /, ""); tag = $0; want_tag = 0; next }
    /^\.(PP|RS|RE|EX|EE|br)/ { next }
    tag != "" { sub(/^\.[A-Z]+ /, ""); text = text " " $0 }
    END { flush() }
  ' | LC_ALL=C sort
}

check_man() {
  page=$1
  env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help >"$tmp/help" || fail "$program --help failed"
  options_of_help <"$tmp/help" >"$tmp/from-help"
  [ -s "$tmp/from-help" ] || fail "no options found in the help of $program"
  options_of_page "$page" >"$tmp/from-page"
  diff -u "$tmp/from-help" "$tmp/from-page" \
    || fail "the options of $(basename "$page") (+) differ from $program --help (-)"
}

check_display() {
  version=$1
  line="zrcadlovac: nelze otevřít žádný displej, okno potřebuje grafické prostředí (bez něj porovná adresáře zrcadlovac-cli)."
  for option in --help -h; do
    env -u DISPLAY -u WAYLAND_DISPLAY "$program" $option >"$tmp/out" 2>"$tmp/err" \
      || fail "$option: status $?"
    grep -q -- '--version' "$tmp/out" || fail "$option printed no help: $(cat "$tmp/out" "$tmp/err")"
  done
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version)" = "$version" ] \
    || fail "--version does not print $version"
  # No display at all, and a display that is named but cannot be opened.
  for display in "" ":9971"; do
    set +e
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" XDG_RUNTIME_DIR="$tmp" \
      HOME="$tmp" ZRCADLOVAC_INI="$tmp/z.ini" "$program" "$tmp" >"$tmp/out" 2>"$tmp/err"
    status=$?
    set -e
    [ $status -eq 2 ] || fail "DISPLAY='$display': status $status, expected 2"
    # Qt may warn about the display it could not open; the last line is ours,
    # and with no display named it is the only one.
    lines=$(wc -l <"$tmp/err")
    [ "$(tail -n 1 "$tmp/err")" = "$line" ] && { [ -n "$display" ] || [ "$lines" -eq 1 ]; } \
      || fail "DISPLAY='$display': $(cat "$tmp/err")"
    [ ! -s "$tmp/out" ] || fail "a start without a display printed: $(cat "$tmp/out")"
  done
}

case $mode in
  man) check_man "$3" ;;
  displej) check_display "$3" ;;
  *) fail "unknown mode $mode" ;;
esac
