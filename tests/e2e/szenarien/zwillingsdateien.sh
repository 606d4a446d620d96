# shellcheck shell=bash
# A type-2 event's two files (plain and dated name) stay byte-identical: save, main menu, open one of
# the two rows, scan a second card, save again.
vnr_zw=$(mit_pruefziffer 276750000000000117) # Norvia, report type 2
datei_zw_datiert="$daten/${vnr_zw}_$heute.XML"
datei_zw_einfach="$daten/$vnr_zw.XML"

zw_neu() {
    hauptmenue_frisch || return 1
    neue_veranstaltung "$vnr_zw" 3 "$T_MA2" || return 1
    text_erwarten "$T_MA2" "$MA2_VNR" "$vnr_zw"
}
zw_erste_karte() {
    fokus_erwarten "$T_MA2" "$MA2_PUNKTE" || return 1
    xdotool type --delay 1 -- "8"
    eintippen "$T_MA2" "$MA2_DAUER" "60" || return 1
    eintippen "$T_MA2" "$MA2_UHR_S" "10:00" || return 1
    eintippen "$T_MA2" "$MA2_UHR_E" "11:00" || return 1
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || { keine_meldung; return 1; }
    scannen "$efn1"
    zeilen_erwarten "$efn1 (8/0)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    klicken "$T_MA2" "@Eingegebene Daten speichern" || return 1
    meldung_bestaetigen "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\${vnr_zw}_$heute.XML"
}
zw_hauptmenue() {
    klicken "$T_MA2" "@ Hauptmenü" || return 1
    fenster_erwarten "$T_AUSWAHL" || { keine_meldung; return 1; }
    datei_da "$datei_zw_einfach" || return 1
    cmp -s "$datei_zw_datiert" "$datei_zw_einfach" || { echo "die beiden Dateien weichen schon hier ab"; return 1; }
}
# The two rows read alike; either one is the event.
zw_oeffnen() {
    local zeilen zeile i=0 nr=-1 anzahl=0
    klicken "$T_AUSWAHL" "@Bereits erfasste Teilnehmerliste öffnen" || return 1
    fenster_erwarten "$T_DATEI" || return 1
    zeilen=$(probe lines "$T_DATEI" ListBox#0)
    while IFS= read -r zeile; do
        if [[ $zeile == "$vnr_zw am $heute um 10:00" ]]; then
            anzahl=$((anzahl + 1))
            ((nr < 0)) && nr=$i
        fi
        i=$((i + 1))
    done <<<"$zeilen"
    gleich 2 "$anzahl" || { echo "(Zeilen für $vnr_zw; Liste: $zeilen)"; return 1; }
    zeile_klicken "$T_DATEI" ListBox#0 "$nr" || return 1
    fenster_erwarten "$T_MA2" || { keine_meldung; return 1; }
    zeilen_erwarten "$efn1 (8/0)" "$T_MA2" ListBox#0
}
zw_zweite_karte() {
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || { keine_meldung; return 1; }
    scannen "$efn2"
    zeilen_erwarten "$efn1 (8/0)"$'\n'"$efn2 (8/0)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    klicken "$T_MA2" "@Eingegebene Daten speichern" || return 1
    meldung_bestaetigen "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\${vnr_zw}_$heute.XML"
}
zw_dateien() {
    ereignisdatei "$soll/zwilling.XML" "$vnr_zw" 2 8 "$heute" "$heute" "" 60 10:00 11:00 "$efn1 8 0" "$efn2 8 0"
    datei_gleich "$soll/zwilling.XML" "$datei_zw_datiert" || return 1
    datei_gleich "$soll/zwilling.XML" "$datei_zw_einfach" || return 1
    # Nothing else of this event lies in the folder (no temporary file left behind).
    gleich 2 "$(find "$daten" -maxdepth 1 -name "$vnr_zw*" | wc -l)"
}
zw_ende() {
    klicken "$T_MA2" "@Programm beenden" || return 1
    karmo_ende_erwarten || return 1
    cmp -s "$datei_zw_datiert" "$datei_zw_einfach" || { echo "nach dem Beenden weichen die Dateien ab"; return 1; }
}

zwillingsdateien_laufen() {
    szenario_laufen "Zwillingsdateien" \
        "zw_neu:neue Typ-2-Veranstaltung $vnr_zw" \
        "zw_erste_karte:erste Karte gescannt und gespeichert" \
        "zw_hauptmenue:\" Hauptmenü\" schreibt $vnr_zw.XML, gleich der datierten Datei" \
        "zw_oeffnen:Dateiliste zeigt zwei gleiche Zeilen, eine geöffnet" \
        "zw_zweite_karte:zweite Karte gescannt und gespeichert" \
        "zw_dateien:beide Dateien Byte für Byte gleich, beide mit beiden Karten" \
        "zw_ende:\"Programm beenden\" hält beide gleich"
}
weitere_szenarien+=(zwillingsdateien_laufen)
