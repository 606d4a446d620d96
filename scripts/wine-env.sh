# Throw-away Wine prefixes for tests: sourced, not run. Never touches the user's own prefix.
#
#   source scripts/wine-env.sh
#   karmo_wine_neu            # fresh prefix + X server; cleaned up at exit
#   wine some.exe             # runs inside it
#
# After karmo_wine_neu: WINEPREFIX, HOME (inside the temp folder), DISPLAY,
# KARMO_WINE_TMP (the temp folder), KARMO_BROWSER_PROTOKOLL (one line per
# address the shell handed to the browser). Booting a prefix takes ~10 s, so
# one template is booted once and copied per run (well under a second).

: "${KARMO_WINE_TEMPLATE:=/var/tmp/karmo-wine-template}"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono/Gecko installer dialogs when a prefix is booted.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

_karmo_wine_pfade=()
_karmo_xvfb_pid=""

# Turns the prefix's links into $HOME (Desktop, Documents, ...) into plain
# folders inside the prefix, so nothing a test does lands in a real home.
_karmo_wine_links_loesen() {
    local prefix=$1 link
    while IFS= read -r -d '' link; do
        rm -f "$link"
        mkdir -p "$link"
    done < <(find "$prefix/drive_c/users" -maxdepth 3 -type l -print0 2>/dev/null)
}

# Settings every test prefix shares; the stand-in browser reads the record
# file's name from the environment, so the template can point at it once.
_karmo_wine_registry() {
    local browser=$1
    # No window manager under Xvfb: let Wine manage its own windows.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$browser" /f >/dev/null
    # Text documents open in Notepad, as on a Windows installation.
    wine reg add 'HKCR\.txt' /ve /t REG_SZ /d txtfile /f >/dev/null
}

# Wine's own fonts (Marlett for the title bar's buttons, Tahoma for dialogs) into the prefix's
# Fonts folder. Debian's Wine 8 ships them in /usr/share/wine/fonts (fonts-wine) but looks for them
# under a path built from its relative data folder ("usr\share\wine\../fonts"), which it never
# finds: without this every window shows "0 1 r" where its buttons should be.
karmo_wine_schriften() {
    local prefix=$1 schrift ziel
    ziel="$prefix/drive_c/windows/Fonts"
    mkdir -p "$ziel"
    for schrift in /usr/share/wine/fonts/*.ttf; do
        [[ -f $schrift && ! -e "$ziel/$(basename "$schrift")" ]] && cp "$schrift" "$ziel/"
    done
    return 0
}

_karmo_browser_skript() {
    cat >"$1" <<'SKRIPT'
#!/bin/sh
# Stand-in browser: appends the address it was asked to open (its last
# argument) to the file named by KARMO_BROWSER_PROTOKOLL.
for adresse in "$@"; do :; done
[ -n "${KARMO_BROWSER_PROTOKOLL:-}" ] && printf '%s\n' "$adresse" >>"$KARMO_BROWSER_PROTOKOLL"
exit 0
SKRIPT
    chmod +x "$1"
}

# Boots the template once. Concurrent runs wait for each other through a lock.
karmo_wine_vorlage() {
    mkdir -p "$(dirname "$KARMO_WINE_TEMPLATE")"
    (
        flock 9
        if [[ -f "$KARMO_WINE_TEMPLATE/.karmo-vorlage-2" && -x "$KARMO_WINE_TEMPLATE.browser" ]]; then exit 0; fi
        rm -rf "$KARMO_WINE_TEMPLATE" "$KARMO_WINE_TEMPLATE.neu"
        local home="$KARMO_WINE_TEMPLATE.neu/home"
        mkdir -p "$home"
        echo "Wine-Vorlage wird einmalig angelegt: $KARMO_WINE_TEMPLATE" >&2
        HOME="$home" WINEPREFIX="$KARMO_WINE_TEMPLATE.neu/prefix" DISPLAY="" wineboot -i >/dev/null 2>&1
        _karmo_browser_skript "$KARMO_WINE_TEMPLATE.browser"
        HOME="$home" WINEPREFIX="$KARMO_WINE_TEMPLATE.neu/prefix" DISPLAY="" \
            _karmo_wine_registry "$KARMO_WINE_TEMPLATE.browser"
        HOME="$home" WINEPREFIX="$KARMO_WINE_TEMPLATE.neu/prefix" wineserver -w
        _karmo_wine_links_loesen "$KARMO_WINE_TEMPLATE.neu/prefix"
        mv "$KARMO_WINE_TEMPLATE.neu/prefix" "$KARMO_WINE_TEMPLATE"
        rm -rf "$KARMO_WINE_TEMPLATE.neu"
        touch "$KARMO_WINE_TEMPLATE/.karmo-vorlage-2"
    ) 9>"$KARMO_WINE_TEMPLATE.lock"
}

# Starts Xvfb and exports DISPLAY. The server picks a free display itself
# (-displayfd): a number chosen from free lock files could be taken by a
# parallel run at the same moment. -noreset keeps the keyboard map that
# setxkbmap sets, also when the last client leaves.
karmo_xvfb_starten() {
    local nummer_datei nummer="" i
    nummer_datei=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$nummer_datei" >/dev/null 2>&1 &
    _karmo_xvfb_pid=$!
    for ((i = 0; i < 100; i++)); do
        [[ -s "$nummer_datei" ]] && break
        kill -0 "$_karmo_xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    nummer=$(tr -dc '0-9' <"$nummer_datei")
    rm -f "$nummer_datei"
    if [[ -z "$nummer" ]]; then
        echo "Xvfb konnte nicht gestartet werden" >&2
        return 1
    fi
    export DISPLAY=":$nummer"
}

# Stops what karmo_wine_neu started: the prefix's wineserver, Xvfb, temp folders.
karmo_wine_aufraeumen() {
    if [[ -n "${WINEPREFIX:-}" && -d "${WINEPREFIX:-}" ]]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [[ -n "$_karmo_xvfb_pid" ]]; then
        kill "$_karmo_xvfb_pid" 2>/dev/null || true
        wait "$_karmo_xvfb_pid" 2>/dev/null || true
        _karmo_xvfb_pid=""
    fi
    local pfad
    for pfad in "${_karmo_wine_pfade[@]}"; do rm -rf "$pfad"; done
    _karmo_wine_pfade=()
}

# A fresh prefix copied from the template, its own HOME and X server, and the
# stand-in browser. Registers cleanup on EXIT (chaining an existing trap).
karmo_wine_neu() {
    karmo_wine_vorlage
    KARMO_WINE_TMP=$(mktemp -d "${TMPDIR:-/tmp}/karmo-wine.XXXXXX")
    _karmo_wine_pfade+=("$KARMO_WINE_TMP")
    export KARMO_WINE_TMP
    export HOME="$KARMO_WINE_TMP/home"
    export WINEPREFIX="$KARMO_WINE_TMP/prefix"
    export XDG_CACHE_HOME="$HOME/.cache" XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
    mkdir -p "$HOME"
    # Under a shared lock: a template being booted anew is not copied half-way.
    (
        flock -s 9
        cp -a "$KARMO_WINE_TEMPLATE" "$WINEPREFIX"
    ) 9>"$KARMO_WINE_TEMPLATE.lock"
    karmo_wine_schriften "$WINEPREFIX"

    export KARMO_BROWSER_PROTOKOLL="$KARMO_WINE_TMP/browser.log"
    : >"$KARMO_BROWSER_PROTOKOLL"

    local vorhandene_falle
    vorhandene_falle=$(trap -p EXIT | sed -E "s/^trap -- '(.*)' EXIT$/\1/")
    # shellcheck disable=SC2064
    trap "karmo_wine_aufraeumen; ${vorhandene_falle:-:}" EXIT

    if [[ -z "${KARMO_WINE_DISPLAY:-}" ]]; then
        karmo_xvfb_starten
    else
        export DISPLAY="$KARMO_WINE_DISPLAY"
    fi
    # Start the wineserver and Wine's background services now, detached from
    # the caller's pipes: a service (or a program the shell opened) that
    # inherited a pipe would keep `wine x.exe | tail` waiting after x.exe ended.
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}
