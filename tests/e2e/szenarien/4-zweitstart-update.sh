# shellcheck shell=bash
# 4. Second start straight to the main menu; an older config.ini brings the update.
s4_ende() {
    klicken "$T_MA2" "@Programm beenden" || return 1
    karmo_ende_erwarten
}
s4_zweiter_start() {
    karmo_starten 'c:\zelva\Karmo.exe' "$laufwerk_c/zelva"
    fenster_erwarten "$T_AUSWAHL" 20000 || return 1
    local t
    for t in "$T_EINRICHTUNG" "$T_UPDATE"; do
        probe wait-gone "$t" 0 || { echo "\"$t\" wird gezeigt"; return 1; }
    done
}
s4_schliessen() {
    klicken "$T_AUSWAHL" "@Programm schließen" || return 1
    karmo_ende_erwarten
}
s4_update() {
    printf '1.050\r\n' >"$laufwerk_c/zelva/config.ini"
    karmo_starten 'c:\Downloads\Karmo.exe' "$laufwerk_c/Downloads"
    fenster_erwarten "$T_UPDATE" 20000 || return 1
    bildschirm 12-update "$T_UPDATE"
    klicken "$T_UPDATE" "@Programm aktualisieren (empfohlen)" || return 1
    fenster_erwarten "$T_AUSWAHL" || { keine_meldung; return 1; }
    fenster_weg "$T_UPDATE" 3000 || return 1
    datei_gleich "$soll/config.ini" "$laufwerk_c/zelva/config.ini" || return 1
    cmp -s "$exe" "$laufwerk_c/zelva/Karmo.exe" || { echo "c:\\zelva\\Karmo.exe nicht ersetzt"; return 1; }
}
