# shellcheck shell=bash
# 5. A type-1 event for the second chamber, left with "Programm beenden".
s5_vnr() {
    klicken "$T_AUSWAHL" "@Eine neue Teilnehmerliste anlegen" || return 1
    fenster_erwarten "$T_VNR" || return 1
    text_erwarten "$T_VNR" Edit#0 "" || return 1
    fokus_erwarten "$T_VNR" Edit#0 || return 1
    scannen "$vnr1"
    fenster_erwarten "$T_KAT" || { keine_meldung; return 1; }
}
# Closing the category window (Alt+F4 reaches it as the close box would) brings back the main menu.
s5_schliessen() {
    probe wait-focus "$T_KAT" ListBox#0 2000 >/dev/null || probe wait-window "$T_KAT" 2000 || return 1
    xdotool key alt+F4
    fenster_erwarten "$T_AUSWAHL" 5000 || return 1
    fenster_weg "$T_KAT" 3000
}
s5_vnr_erneut() {
    probe wait-window "$T_KAT" 0 && return 0
    fenster_erwarten "$T_AUSWAHL" 3000 || return 1
    klicken "$T_AUSWAHL" "@Eine neue Teilnehmerliste anlegen" || return 1
    fenster_erwarten "$T_VNR" || return 1
    fokus_erwarten "$T_VNR" Edit#0 || return 1
    scannen "$vnr1"
    fenster_erwarten "$T_KAT" || { keine_meldung; return 1; }
}
s5_kategorie() {
    local frei an
    zeilen_erwarten "$(printf '%s\n' "Vortrag und Diskussion" "Kongress/Tagung/Symposium" "Seminar, Workshop, Kurs" \
        "Supervison/Selbsterfahrung" "Intervision/Qualitätszirkel" \
        "Balintgruppe/Interaktionsbezogene Fallarbeit/Kasuistisch-technisches Seminar" \
        "Hospitation, Fallkonferenz, Kolloquium, Klinikkonferenz" "Strukturierte interaktive Fortbildung" \
        "Hospitation, Fallkonferenz, Kolloquium, Klinikkonferenz")" "$T_KAT" ListBox#0 || return 1
    frei=$(probe enabled "$T_KAT" "@Ich bin/wir sind ein akkreditierter Veranstalter") || { echo "Akkred_VA fehlt"; return 1; }
    an=$(probe checked "$T_KAT" "@Ich bin/wir sind ein akkreditierter Veranstalter")
    gleich "1 0" "$frei $an" || { echo "(Akkred_VA: frei, angekreuzt)"; return 1; }
    zeile_klicken "$T_KAT" ListBox#0 0 || return 1
    klicken "$T_KAT" "@Weiter" || return 1
    fenster_erwarten "$T_MA1" || { keine_meldung; return 1; }
    fenster_weg "$T_KAT" 3000
}
s5_erfassen() {
    text_erwarten "$T_MA1" "$MA1_VNR" "$vnr1" || return 1
    text_erwarten "$T_MA1" "$MA1_PUNKTE" "" || return 1
    fokus_erwarten "$T_MA1" "$MA1_PUNKTE" || return 1
    xdotool type --delay 1 -- "4"
    klicken "$T_MA1" "$MA1_EFN" || return 1
    fokus_erwarten "$T_MA1" "$MA1_EFN" || { keine_meldung; return 1; }
    scannen "$efn3"
    zeilen_erwarten "$efn3 (4/0)" "$T_MA1" ListBox#0 || { keine_meldung; return 1; }
    scannen "$efn1"
    zeilen_erwarten "$efn3 (4/0)"$'\n'"$efn1 (4/0)" "$T_MA1" ListBox#0 || { keine_meldung; return 1; }
    bildschirm 13-teilnehmererfassung-typ1 "$T_MA1"
}
s5_beenden() {
    klicken "$T_MA1" "@Programm beenden" || return 1
    karmo_ende_erwarten || return 1
    ereignisdatei "$soll/typ1.XML" "$vnr1" 1 4 "" "" "" "" "" "" "$efn3 4 0" "$efn1 4 0"
    datei_gleich "$soll/typ1.XML" "$daten/$vnr1.XML"
}
