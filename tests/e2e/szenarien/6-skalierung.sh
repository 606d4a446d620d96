# shellcheck shell=bash
# 6. The capture form on a screen of 144 dpi (150 %): laid out at that scale, with the program's icon.
# Runs after the core scenarios from the installed program; the screen goes back to 96 dpi after it.
vnr6=$(mit_pruefziffer 276750000000000066) # Norvia, report type 2 via category 4

# Wine takes the screen's resolution from the user's settings when a program starts.
s6_144dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 || return 1
    hauptmenue_frisch
}
s6_erfassung() {
    neue_veranstaltung "$vnr6" 3 "$T_MA2" || return 1
    xdotool type --delay 1 -- "8"
    text_erwarten "$T_MA2" "$MA2_PUNKTE" "8"
}
# 150 % of the form's size at 96 dpi (692 x 613 pixels of client area with the second row of buttons,
# plus Wine's frame).
s6_groesse() {
    local rechteck x y b h
    rechteck=$(probe rect "$T_MA2") && [[ -n $rechteck ]] || return 1
    read -r x y b h <<<"$rechteck"
    ((b >= 1038 && b <= 1060 && h >= 914 && h <= 984)) || { echo "Fenster ${b}x$h bei 144 dpi"; return 1; }
    bildschirm 14-teilnehmererfassung-144dpi "$T_MA2"
    if [[ "${KARMO_E2E_DOCS:-0}" == 1 ]]; then
        mkdir -p "$wurzel/docs/screens"
        cp "$artefakte/screens/14-teilnehmererfassung-144dpi.png" "$artefakte/screens/11-explorer.png" \
            "$wurzel/docs/screens/" 2>/dev/null || true
    fi
}
s6_zurueck() {
    karmo_beenden
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
}

szenario_skalierung() {
    szenario_laufen "6 144 dpi" \
        "s6_144dpi:Bildschirm auf 144 dpi, Hauptmenü" \
        "s6_erfassung:Erfassung für $vnr6 geöffnet, Punkte eingetippt" \
        "s6_groesse:Erfassung anderthalbfach groß"
    s6_zurueck
}
weitere_szenarien+=(szenario_skalierung)
