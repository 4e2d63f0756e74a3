# Sourced by the scripts that run Windows programs: a private Wine prefix,
# the Chinese locale (code page 936), quiet Wine, and an X display (Xvfb
# when none is given). Defines stop_own_display to end the Xvfb it started.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${TOVRELL_WINEPREFIX:-$HOME/.local/share/tovrell/wineprefix}"

own_xvfb_pid=""
start_own_display() {
  local display
  for display in $(seq 91 120); do
    [ -e "/tmp/.X${display}-lock" ] && continue
    Xvfb ":${display}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    own_xvfb_pid=$!
    sleep 1
    if kill -0 "$own_xvfb_pid" 2>/dev/null; then
      export DISPLAY=":${display}"
      return 0
    fi
  done
  echo "cannot start Xvfb" >&2
  return 1
}

stop_own_display() {
  if [ -n "$own_xvfb_pid" ]; then
    kill "$own_xvfb_pid" 2>/dev/null || true
    wait "$own_xvfb_pid" 2>/dev/null || true
    own_xvfb_pid=""
  fi
}

prepare_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX ..."
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # Wine's own fonts (fonts-wine) draw, among other things, the title bars'
  # buttons. Debian's Wine 8 never looks for them where that package puts
  # them (its data folder, a path through ".."), only in the prefix's Fonts
  # folder.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ ! -e "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/* "$fonts/"
  fi
  # The dialogs ask for 宋体 (SimSun). Without it Wine takes WenQuanYi Zen
  # Hei, whose bitmaps at dialog sizes draw "$" as "S" and "=" as "-": on
  # the very DriverName= line the program exists to get right. WenQuanYi
  # Micro Hei has clear Latin glyphs; the Song faces are mapped to it.
  local replacements="$WINEPREFIX/tovrell-font-replacements.reg"
  if [ ! -f "$replacements" ]; then
    {
      printf 'Windows Registry Editor Version 5.00\r\n\r\n'
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
      local face
      for face in 宋体 新宋体 SimSun NSimSun; do
        printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
      done
    } | iconv -f UTF-8 -t UTF-16 >"$replacements.new"
    wine regedit /S "$replacements.new" >/dev/null 2>&1 && wineserver -w && mv "$replacements.new" "$replacements"
  fi
  # Drives R:, T:, P: and Q: are folders of the prefix's own, marked as test
  # drives: the tests run the program from a drive root and build onto one
  # there (R: and T: the core tests', P: and Q: the end-to-end tests').
  local letter
  mkdir -p "$WINEPREFIX/dosdevices"
  for letter in r t p q; do
    mkdir -p "$WINEPREFIX/test-drives/$letter"
    : >"$WINEPREFIX/test-drives/$letter/tovrell-test-drive"
    ln -sfn "../test-drives/$letter" "$WINEPREFIX/dosdevices/$letter:"
  done
}
