# Sourced, not run: sets up what lexiforge.exe and its Windows tests need
# under Wine, and exports it into the calling shell.
#
#   . scripts/wine-env.sh            # Xvfb display (tests, CI, screenshots)
#   LEXIFORGE_USE_DISPLAY=1 . scripts/wine-env.sh   # keep $DISPLAY when set
#
# Exports LANG/LC_ALL (ja_JP.UTF-8, so Wine's ANSI code page is 932, or
# LEXIFORGE_LOCALE), WINEPREFIX, WINEARCH, WINEDEBUG, WINEDLLOVERRIDES and
# DISPLAY. Every step is
# idempotent and quick once done: the locale is generated once, the prefix is
# made once (about 10 s, about 700 MB), Xvfb is started only when its display
# is not already up, and wineserver is kept running so that each later wine
# call starts at once.
#
# Settings (all optional):
#   LEXIFORGE_WINEPREFIX  the prefix (default ~/.cache/lexiforge/wineprefix).
#                         It is ours: the script writes its registry.
#   LEXIFORGE_XVFB_DISPLAY  the Xvfb display number (default :99)
#   LEXIFORGE_USE_DISPLAY   1: use $DISPLAY when it is set, Xvfb otherwise
#   LEXIFORGE_LOCALE   the locale Wine runs in (default ja_JP.UTF-8);
#                      en_US.UTF-8 gives the ANSI code page 1252 of a Windows
#                      outside Japan, under which the window must read the same
#
# Returns non-zero (and says why on stderr) when something cannot be set up.

lexiforge_wine_env() {
  local locale_name=${LEXIFORGE_LOCALE:-ja_JP.UTF-8}
  # Both are generated once: the Japanese one, without which Wine falls back
  # to code page 1252, and the English one, under which the tests run again.
  local name
  for name in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qix "$name.utf-\\?8"; then
      if ! localedef -i "$name" -f UTF-8 "$name.UTF-8" 2>/dev/null; then
        echo "wine-env: cannot generate $name.UTF-8 (needs the locales package and root)" >&2
        return 1
      fi
    fi
  done
  export LANG=$locale_name LC_ALL=$locale_name

  export WINEPREFIX="${LEXIFORGE_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/lexiforge/wineprefix}"
  export WINEARCH=win64
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono or Gecko: the program needs neither, and their installers would
  # stop wineboot with a question.
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

  if [ "${LEXIFORGE_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    :
  else
    lexiforge_start_xvfb "${LEXIFORGE_XVFB_DISPLAY:-:99}" || return 1
  fi

  local marker="$WINEPREFIX/.lexiforge-prefix-2"
  if [ ! -f "$marker" ]; then
    mkdir -p "$WINEPREFIX" || return 1
    echo "wine-env: setting up the Wine prefix $WINEPREFIX" >&2
    # A server left running for an earlier prefix at this path (removed and
    # made anew) would serve the new one its stale state.
    wineserver -k >/dev/null 2>&1 || true
    local log="$WINEPREFIX.wineboot.log"
    if ! wineboot -i >"$log" 2>&1; then
      echo "wine-env: wineboot failed:" >&2
      tail -20 "$log" >&2
      return 1
    fi
    lexiforge_wine_registry || return 1
    # The registry reaches the disk when the server ends; only then is the
    # prefix complete.
    wineserver -w
    touch "$marker"
  fi
  # Wine draws the caption buttons of its own frames with Marlett, which
  # Debian ships in fonts-wine but this Wine does not look for there.
  local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f "$marlett" ] && [ ! -e "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp "$marlett" "$fonts/"
  fi
  # Kept running for the session: without it every wine start pays for the
  # server's start-up, and ctest waits on background processes that hold the
  # output pipe for about 2.5 s per test.
  wineserver -p >/dev/null 2>&1 || true
  # The first wine call of a session starts the prefix's services; let it
  # happen here rather than inside the first timed or tested run.
  wine cmd /c exit >/dev/null 2>&1 || true
  return 0
}

# Starts Xvfb on the display unless something already answers there.
lexiforge_start_xvfb() {
  local display=$1
  export DISPLAY=$display
  if xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local number=${display#:}
  # A lock left behind by an Xvfb that has died would stop the new one.
  local lock=/tmp/.X$number-lock
  if [ -f "$lock" ] && ! kill -0 "$(tr -d ' ' <"$lock")" 2>/dev/null; then
    rm -f "$lock" "/tmp/.X11-unix/X$number"
  fi
  setsid Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 < /dev/null &
  local tries=0
  until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 50 ]; then
      echo "wine-env: Xvfb did not start on $display" >&2
      return 1
    fi
    sleep 0.1
  done
}

# The prefix's settings for running the program without a window manager.
lexiforge_wine_registry() {
  # Wine draws the frames itself: screen coordinates then match X's, so
  # xdotool's clicks land where they are aimed, and closing a dialog does not
  # wait about 2 s for a window manager that is not there.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || return 1
  # A crash ends the process with a backtrace instead of a dialog that would
  # hang an unattended run.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || return 1
  # The dialogs ask for "ＭＳ Ｐゴシック" and the word list for "ＭＳ ゴシック";
  # give them the proportional and the fixed-pitch IPA font
  # (fonts-ipafont-gothic) by those names.
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  wine reg add "$key" /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1 || return 1
  wine reg add "$key" /v 'MS PGothic' /d IPAPGothic /f >/dev/null 2>&1 || return 1
  wine reg add "$key" /v 'ＭＳ ゴシック' /d IPAGothic /f >/dev/null 2>&1 || return 1
  wine reg add "$key" /v 'MS Gothic' /d IPAGothic /f >/dev/null 2>&1 || return 1
}

lexiforge_wine_env
