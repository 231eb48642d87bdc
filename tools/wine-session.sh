#!/usr/bin/env bash
# Runs a command with a ready Wine prefix and a display: an Xvfb of its own when DISPLAY is unset.
set -euo pipefail

: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
: "${FONTCONFIG_FILE:?FONTCONFIG_FILE must name the font configuration to write}"

# Wine takes fonts from fontconfig too, so text would measure differently from one machine to
# the next: fontconfig is shown Wine's own fonts alone, with its cache beside the configuration.
fontconfig_dir=$(dirname "$FONTCONFIG_FILE")
mkdir -p "$fontconfig_dir/cache"
cat >"$FONTCONFIG_FILE" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/wine/fonts</dir>
  <cachedir>$fontconfig_dir/cache</cachedir>
</fontconfig>
CONF

# A prefix keeps the fonts it found when it was made, so one made under another font
# configuration (or before there was one) is made again. The prefix keeps a copy of the
# configuration it was made with; only a prefix beside the configuration, in the build
# folder, is removed.
made_with="$WINEPREFIX/velmora-fonts.conf"
if [ -e "$WINEPREFIX" ] && ! cmp -s "$FONTCONFIG_FILE" "$made_with"; then
    if [ "$(dirname "$WINEPREFIX")" != "$(dirname "$fontconfig_dir")" ]; then
        echo "$WINEPREFIX was made under other fonts: remove it and start again" >&2
        exit 1
    fi
    echo "Making the Wine prefix again under the project's fonts"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
fi

xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        export DISPLAY=":$n"
        break
    done
fi

if [ ! -e "$WINEPREFIX" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Let Wine draw the windows' frames itself, as Windows does, since no window manager runs here.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    cp "$FONTCONFIG_FILE" "$made_with"
fi

# Wine draws the caption buttons' symbols with Marlett, which it finds in the prefix's own
# font folder, not in the folder where Debian puts Wine's fonts.
marlett=/usr/share/wine/fonts/marlett.ttf
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp "$marlett" "$fonts/"
fi

"$@"
