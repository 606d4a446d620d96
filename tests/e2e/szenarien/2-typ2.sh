# shellcheck shell=bash
# 2. A new type-2 event: number, category, capture, scans, corrections, save.
s2_vnr() {
    klicken "$T_AUSWAHL" "@Eine neue Teilnehmerliste anlegen" || return 1
    fenster_erwarten "$T_VNR" || return 1
    fokus_erwarten "$T_VNR" Edit#0 || return 1
    bildschirm 04-vnr-eingabe "$T_VNR"
    scannen "$vnr2"
    fenster_erwarten "$T_KAT" || { keine_meldung; return 1; }
}
s2_kategorie() {
    local frei
    zeilen_erwarten "$(printf '%s\n' "Vortrag und Diskussion" "Kongress/Tagung/Symposium" "Seminar, Workshop, Kurs" \
        "Supervisor/Supersorin" "Selbsterfahrungsleiter/Selbsterfahrungsleiterin" "Intervisionsgruppe" \
        "Qualitätszirkel" "Balint-/IFA-Gruppe, Kasuistisch-technisches Seminar" \
        "Hospitation, Fallkonferenz, Kolloquium, Klinikkonferenz")" "$T_KAT" ListBox#0 || return 1
    frei=$(probe enabled "$T_KAT" "@Ich bin/wir sind ein akkreditierter Veranstalter") || { echo "Akkred_VA fehlt"; return 1; }
    gleich 0 "$frei" || { echo "(Akkred_VA muss für 276750 gesperrt sein)"; return 1; }
    zeile_klicken "$T_KAT" ListBox#0 3 || return 1
    bildschirm 05-kategorie "$T_KAT"
    klicken "$T_KAT" "@Weiter" || return 1
    fenster_erwarten "$T_MA2" || { keine_meldung; return 1; }
    fenster_weg "$T_KAT" 3000
}
s2_vorbelegung() {
    text_erwarten "$T_MA2" "$MA2_VNR" "$vnr2" || return 1
    text_erwarten "$T_MA2" "$MA2_DATUM_VON" "$heute" || return 1
    text_erwarten "$T_MA2" "$MA2_DATUM_BIS" "$heute" || return 1
    text_erwarten "$T_MA2" "$MA2_PUNKTE" "" || return 1
    zeilen_erwarten "" "$T_MA2" ListBox#0 || return 1
    fokus_erwarten "$T_MA2" "$MA2_PUNKTE"
}
s2_kopfdaten() {
    xdotool type --delay 1 -- "8"
    # Tab follows the declared order: Punkte, Datum_von, DATUM_BIS, Dauer, ...
    xdotool key Tab
    fokus_erwarten "$T_MA2" "$MA2_DATUM_VON" || return 1
    eintippen "$T_MA2" "$MA2_DAUER" "420" || return 1
    eintippen "$T_MA2" "$MA2_UHR_S" "09:00" || return 1
    eintippen "$T_MA2" "$MA2_UHR_E" "16:30" || return 1
    eintippen "$T_MA2" "$MA2_INHALT" "$inhalt_1" || return 1
    xdotool key Return
    xdotool type --delay 1 -- "$inhalt_2"
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || { keine_meldung; return 1; }
    keine_meldung || return 1
    text_erwarten "$T_MA2" "$MA2_PUNKTE" "8" || return 1
    text_erwarten "$T_MA2" "$MA2_DAUER" "420" || return 1
    text_erwarten "$T_MA2" "$MA2_UHR_S" "09:00" || return 1
    text_erwarten "$T_MA2" "$MA2_UHR_E" "16:30" || return 1
    text_erwarten "$T_MA2" "$MA2_INHALT" "$inhalt_1"$'\n'"$inhalt_2"
}
# A scanner types the digits and ends with Enter (the Return key: xdotool's "\n" would be Linefeed).
# A time without a colon is refused when the field is left: message, focus back, text kept.
s2_uhrzeit_falsch() {
    eintippen "$T_MA2" "$MA2_UHR_S" "" || return 1
    xdotool key --delay 5 End shift+Home Delete
    xdotool type --delay 1 -- "1322"
    klicken "$T_MA2" "$MA2_UHR_E" || return 1
    meldung_bestaetigen "Die Uhrzeit ist ungültig! Bitte geben Sie die Uhrzeit im Format 13:22 an!" || return 1
    fokus_erwarten "$T_MA2" "$MA2_UHR_S" || return 1
    text_erwarten "$T_MA2" "$MA2_UHR_S" "1322" || return 1
}
# Puts the start time right again, whatever the step before left behind.
s2_uhrzeit_richtig() {
    probe msgbox >/dev/null && meldung_schliessen
    eintippen "$T_MA2" "$MA2_UHR_S" "" || return 1
    xdotool key --delay 5 End shift+Home Delete
    xdotool type --delay 1 -- "09:00"
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || { keine_meldung; return 1; }
    keine_meldung || return 1
    text_erwarten "$T_MA2" "$MA2_UHR_S" "09:00"
}
s2_scans() {
    scannen "$efn1"
    zeilen_erwarten "$efn1 (8/0)" "$T_MA2" ListBox#0 || return 1
    text_erwarten "$T_MA2" "$MA2_EFN" "" || return 1
    scannen "$efn2"
    zeilen_erwarten "$efn1 (8/0)"$'\n'"$efn2 (8/0)" "$T_MA2" ListBox#0 || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN"
}
s2_doppelt() {
    scannen "$efn2"
    meldung_bestaetigen "Diese Nummer ist in der Liste schon vorhanden!" 06-meldung-doppelt || return 1
    text_erwarten "$T_MA2" "$MA2_EFN" "" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    zeilen_erwarten "$efn1 (8/0)"$'\n'"$efn2 (8/0)" "$T_MA2" ListBox#0
}
s2_pruefziffer() {
    scannen "$efn_falsch"
    meldung_bestaetigen "Die EFN ist nicht korrekt. Bitte überprüfen Sie die Eingabe! ($efn_falsch_soll)" 07-meldung-pruefziffer || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    text_erwarten "$T_MA2" "$MA2_EFN" "$efn_falsch" || return 1
    # The rejected number stays in the field; the organiser clears it before the next card.
    xdotool key --delay 5 End shift+Home Delete
    text_erwarten "$T_MA2" "$MA2_EFN" "" || return 1
    scannen "$efn3"
    zeilen_erwarten "$efn1 (8/0)"$'\n'"$efn2 (8/0)"$'\n'"$efn3 (8/0)" "$T_MA2" ListBox#0
}
s2_korrektur() {
    zeile_klicken "$T_MA2" ListBox#0 1 || return 1
    keine_meldung || return 1
    eintippen "$T_MA2" "$MA2_PKT_NEU" "6" || return 1
    klicken "$T_MA2" "@Korrektur" || return 1
    zeilen_erwarten "$efn1 (8/0)"$'\n'"$efn2 (6/0)"$'\n'"$efn3 (8/0)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    fokus_erwarten "$T_MA2" "$MA2_EFN"
}
s2_referent() {
    eintippen "$T_MA2" "$MA2_REFERENT" "2" || return 1
    klicken "$T_MA2" "@Hinzufügen" || return 1
    zeilen_erwarten "$efn1 (8/0)"$'\n'"$efn2 (6/2)"$'\n'"$efn3 (8/0)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    bildschirm 08-teilnehmererfassung "$T_MA2"
}
s2_speichern() {
    klicken "$T_MA2" "@Eingegebene Daten speichern" || return 1
    meldung_bestaetigen "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\$datei2_name" \
        09-meldung-gespeichert
}
s2_datei() {
    ereignisdatei "$soll/typ2.XML" "$vnr2" 2 8 "$heute" "$heute" "$inhalt_1"$'\n'"$inhalt_2" 420 09:00 16:30 \
        "$efn1 8 0" "$efn2 6 2" "$efn3 8 0"
    datei_gleich "$soll/typ2.XML" "$datei2"
}
