# shellcheck shell=bash
# The installed program started while config.ini names another version: the update only rewrites
# config.ini and goes on to the main menu, and the next start no longer offers it.
ui_start() {
    karmo_beenden
    printf '1.050\r\n' >"$laufwerk_c/zelva/config.ini"
    cp "$laufwerk_c/zelva/Karmo.exe" "$soll/Karmo-installiert.exe"
    karmo_starten 'c:\zelva\Karmo.exe' "$laufwerk_c/zelva"
    fenster_erwarten "$T_UPDATE" 20000
}
ui_aktualisieren() {
    klicken "$T_UPDATE" "@Programm aktualisieren (empfohlen)" || return 1
    fenster_erwarten "$T_AUSWAHL" || { keine_meldung; return 1; }
    fenster_weg "$T_UPDATE" 3000 || return 1
    keine_meldung || return 1
    printf '1.051\r\n' >"$soll/config.ini"
    datei_gleich "$soll/config.ini" "$laufwerk_c/zelva/config.ini" || return 1
    datei_gleich "$soll/Karmo-installiert.exe" "$laufwerk_c/zelva/Karmo.exe"
}
ui_naechster_start() {
    klicken "$T_AUSWAHL" "@Programm schließen" || return 1
    karmo_ende_erwarten || return 1
    karmo_starten 'c:\zelva\Karmo.exe' "$laufwerk_c/zelva"
    fenster_erwarten "$T_AUSWAHL" 20000 || return 1
    probe wait-gone "$T_UPDATE" 0 || { echo "\"$T_UPDATE\" wird wieder gezeigt"; return 1; }
}

update_installiert_laufen() {
    szenario_laufen "Update des laufenden Programms" \
        "ui_start:c:\\zelva\\Karmo.exe mit config.ini 1.050 zeigt \"$T_UPDATE\"" \
        "ui_aktualisieren:Aktualisieren schreibt nur config.ini 1.051 und zeigt das Hauptmenü" \
        "ui_naechster_start:nächster Start zeigt gleich das Hauptmenü"
}
weitere_szenarien+=(update_installiert_laufen)
