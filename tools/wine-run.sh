#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's settings:
#   wine-run.sh --prefix DIR program.exe [args...]
#   wine-run.sh --prefix DIR --init
# The prefix lives in the build folder and is made on first use, without the
# Mono and Gecko prompts, with the fonts the program's windows name. Without a
# DISPLAY the program runs on a private Xvfb screen (24 bits per pixel).
set -euo pipefail

prefix=""
if [ "${1:-}" = "--prefix" ]; then prefix="$2"; shift 2; fi
: "${prefix:=${WINEPREFIX:-$PWD/wineprefix}}"

export WINEPREFIX="$prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=de_DE.UTF-8
wine=/usr/lib/wine/wine64

if [ ! -f "$WINEPREFIX/.tessaro-ready" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.tessaro-ready" ]; then
            "$wine" wineboot -i >/dev/null 2>&1 || true
            # Without a window manager, managed windows make Wine wait about
            # 2 s whenever a top-level window hides (every message box).
            "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
            /usr/lib/wine/wineserver -w || true
            touch "$WINEPREFIX/.tessaro-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi

# A program that crashes ends at once and reports its exception: with an empty
# crash debugger command Wine starts none (its own would wait on a dialog
# until a test runner's time is up). Prefixes made before this setting get
# it on their next run.
if [ ! -f "$WINEPREFIX/.tessaro-no-crash-debugger" ]; then
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.tessaro-no-crash-debugger" ]; then
            "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
                /v Debugger /d '' /f >/dev/null 2>&1
            touch "$WINEPREFIX/.tessaro-no-crash-debugger"
        fi
    ) 9>"$WINEPREFIX.lock"
fi

# The fonts the program's form names ("MS Sans Serif") and the dialogs use
# ("MS Shell Dlg" is Tahoma), from fonts-wine. Without them in the prefix,
# Wine draws every face in DejaVu Sans, which is wider and cuts captions.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
for font in sserife.fon tahoma.ttf tahomabd.ttf; do
    if [ ! -f "$fonts/$font" ]; then
        mkdir -p "$fonts"
        # Beside it first: another run may look at the folder meanwhile.
        cp "/usr/share/wine/fonts/$font" "$fonts/.$font.$$"
        mv -f "$fonts/.$font.$$" "$fonts/$font"
    fi
done

# --init: only make sure the prefix exists.
if [ "${1:-}" = "--init" ]; then exit 0; fi

# Wine's own services start with the first program and inherit its output
# pipes; started here, with no pipes, they cannot keep a test runner waiting
# for the end of a test's output. When they already run this costs ~0.1 s.
"$wine" wineboot </dev/null >/dev/null 2>&1 || true

# The program's output goes through a file: processes it starts (the file
# manager a split opens) would otherwise hold the caller's pipe open after
# the program has ended, and a test runner would wait for them.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" "$@" >"$output" 2>&1 </dev/null || status=$?
else
    "$wine" "$@" >"$output" 2>&1 </dev/null || status=$?
fi
cat "$output"
exit $status
