# shellcheck shell=bash
# Several entrances, one event. Door 2 captures its cards and carries its list to a stick (drive E:, a
# folder mapped as a drive) with "Auf Datenträger speichern"; door 1 captures the same event, saves its
# own copy there too, and takes both files in with "Liste hinzuladen", chosen in one Open dialog by
# typing their names. The summary, the list and the saved file are checked line by line.
vnr_mt=$(mit_pruefziffer 276750000000000215) # Norvia, report type 2
datei_mt="$daten/${vnr_mt}_$heute.XML"
efn_ma=$(mit_pruefziffer 40000000000001)
efn_mb=$(mit_pruefziffer 40000000000002)
efn_mc=$(mit_pruefziffer 40000000000003)
efn_md=$(mit_pruefziffer 40000000000004)
efn_me=$(mit_pruefziffer 40000000000005)
T_SPEICHERN_UNTER="Teilnehmerliste auf Datenträger speichern"
T_HINZULADEN="Teilnehmerliste hinzuladen"
stick="$artefakte/stick"
mkdir -p "$stick"
ln -sfn "$stick" "$WINEPREFIX/dosdevices/e:"

# Dauer and the times of the type-2 form (the first day is today's already), then the cards.
mt_erfassen() {
    karten_erfassen "$T_MA2" 8 "$@" || return 1
    eintippen "$T_MA2" "$MA2_DAUER" "45" || return 1
    eintippen "$T_MA2" "$MA2_UHR_S" "08:00" || return 1
    eintippen "$T_MA2" "$MA2_UHR_E" "08:45"
}
# "Auf Datenträger speichern": the save's own confirmation, then Save As with the file's name proposed;
# the path $1 typed over it. The copy holds the saved file's bytes.
mt_auf_stick() {
    local ziel=$1 name=$2
    klicken "$T_MA2" "@Auf Datenträger speichern" || return 1
    meldung_bestaetigen "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\${vnr_mt}_$heute.XML" || return 1
    fenster_erwarten "$T_SPEICHERN_UNTER" || { keine_meldung; return 1; }
    text_erwarten "$T_SPEICHERN_UNTER" Edit#0 "${vnr_mt}_$heute.XML" || return 1
    xdotool type --delay 20 -- "$ziel"
    xdotool key Return
    meldung_bestaetigen "Die Teilnehmerliste wurde zusätzlich hier gespeichert:"$'\n'"$ziel" || return 1
    fenster_weg "$T_SPEICHERN_UNTER" 2000 || return 1
    datei_gleich "$datei_mt" "$stick/$name" || return 1
    # Only the copy: no temporary file left on the stick.
    [[ ! -e "$stick/$name.tmp" ]] || { echo "Zwischendatei liegt noch da"; return 1; }
    cp "$stick/$name" "$soll/stick-$name"
}

mt_tuer2() {
    hauptmenue_frisch || return 1
    neue_veranstaltung "$vnr_mt" 3 "$T_MA2" || return 1
    mt_erfassen "$efn_ma" "$efn_mb" "$efn_md" || return 1
    # Door 2 gave D only 6 points, and typed A's 8 points as "08": the same points as door 1's 8.
    zeile_klicken "$T_MA2" ListBox#0 2 || return 1
    eintippen "$T_MA2" "$MA2_PKT_NEU" "6" || return 1
    klicken "$T_MA2" "@Korrektur" || return 1
    zeile_klicken "$T_MA2" ListBox#0 0 || return 1
    eintippen "$T_MA2" "$MA2_PKT_NEU" "" || return 1
    xdotool key End BackSpace
    xdotool type --delay 1 -- "08"
    klicken "$T_MA2" "@Korrektur" || return 1
    zeilen_erwarten "$efn_ma (08/0)"$'\n'"$efn_mb (8/0)"$'\n'"$efn_md (6/0)" "$T_MA2" ListBox#0
}
mt_tuer2_stick() { mt_auf_stick 'E:\tuer2.XML' tuer2.XML; }
mt_tuer1() {
    klicken "$T_MA2" "@ Hauptmenü" || return 1
    fenster_erwarten "$T_AUSWAHL" || { keine_meldung; return 1; }
    neue_veranstaltung "$vnr_mt" 3 "$T_MA2" || return 1
    zeilen_erwarten "" "$T_MA2" ListBox#0 || return 1
    mt_erfassen "$efn_ma" "$efn_mc" "$efn_md"
}
mt_tuer1_stick() { mt_auf_stick 'E:\tuer1.XML' tuer1.XML; }
# A message followed at once by another: after OK, the next box may stand where this one stood, so the
# wait is for this text to go, not for every box.
mt_meldung_vor_weiterer() {
    local soll=$1 ist i
    ist=$(probe wait-msgbox 10000) || { echo "keine Meldung erschienen; erwartet: $soll"; return 1; }
    gleich "Karmo"$'\n'"$soll" "$ist" || { meldung_schliessen; return 1; }
    klicken msgbox id=1 || return 1
    for ((i = 0; i < 50; i++)); do
        ist=$(probe msgbox) || return 0
        [[ $ist != "Karmo"$'\n'"$soll" ]] && return 0
        sleep 0.1
    done
    echo "Meldung schließt nicht"
    return 1
}
# Cancel in Save As: the save in Daten is done, nothing lands on the stick.
mt_abbrechen() {
    klicken "$T_MA2" "@Auf Datenträger speichern" || return 1
    meldung_bestaetigen "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\${vnr_mt}_$heute.XML" || return 1
    fenster_erwarten "$T_SPEICHERN_UNTER" || { keine_meldung; return 1; }
    klicken "$T_SPEICHERN_UNTER" "id=2" || return 1
    fenster_weg "$T_SPEICHERN_UNTER" 2000 || return 1
    sleep 0.5
    keine_meldung || return 1
    gleich "tuer2.XML" "$(cd "$stick" && echo *.XML*)" # other scenarios keep folders of their own here
}
# A copy that cannot be written (a folder stands where its temporary file would go, as a write-protected
# stick refuses it): one message with the path and Windows' reason; the file in Daten stays as saved, and
# nothing of the copy is left on the stick.
mt_stick_verweigert() {
    local ist erwartet="Die Teilnehmerliste konnte nicht hier gespeichert werden:"$'\n''E:\tuer3.XML'$'\n'
    mkdir "$stick/tuer3.XML.tmp" || return 1
    klicken "$T_MA2" "@Auf Datenträger speichern" || return 1
    meldung_bestaetigen "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\${vnr_mt}_$heute.XML" || return 1
    cp "$datei_mt" "$soll/mt-vorher.XML"
    fenster_erwarten "$T_SPEICHERN_UNTER" || { keine_meldung; return 1; }
    xdotool type --delay 20 -- 'E:\tuer3.XML'
    xdotool key Return
    ist=$(probe wait-msgbox 10000) || { echo "keine Meldung erschienen"; return 1; }
    ist=${ist#*$'\n'}
    [[ $ist == "$erwartet"?* ]] || { unterschied "$erwartet<Grund>" "$ist"; meldung_schliessen; return 1; }
    echo "Grund: ${ist#"$erwartet"}"
    meldung_schliessen || return 1
    rmdir "$stick/tuer3.XML.tmp" || return 1
    [[ ! -e "$stick/tuer3.XML" ]] || { echo "tuer3.XML liegt doch auf dem Stick"; return 1; }
    datei_gleich "$soll/mt-vorher.XML" "$datei_mt"
}
# Both doors' files and a third laptop's list of another event in one Open dialog: the folder first,
# then the three names in quotes. The other event's file is named and left out.
mt_hinzuladen() {
    ereignisdatei "$stick/fremd.XML" "$vnr2" 2 8 "$heute" "$heute" "" 45 08:00 08:45 "$efn_me 8 0"
    cp "$stick/fremd.XML" "$soll/stick-fremd.XML"
    klicken "$T_MA2" "@Liste hinzuladen" || return 1
    fenster_erwarten "$T_HINZULADEN" || { keine_meldung; return 1; }
    xdotool type --delay 20 -- 'E:\'
    xdotool key Return
    sleep 1
    xdotool type --delay 20 -- '"tuer1.XML" "tuer2.XML" "fremd.XML"'
    xdotool key Return
    mt_meldung_vor_weiterer "Die Datei E:\\fremd.XML gehört zur Veranstaltung $vnr2, nicht zu $vnr_mt. Sie wurde nicht hinzugeladen." || return 1
    meldung_bestaetigen "Hinzugeladen aus 2 Datei(en): 1 neue Teilnehmer."$'\n'"4 waren schon in der Liste."$'\n'"1 sind mit anderen Punkten in der Liste und blieben unverändert:"$'\n'"$efn_md: hier 8/0, in der Datei 6/0" 15-hinzuladen || return 1
    fenster_weg "$T_HINZULADEN" 2000 || return 1
    zeilen_erwarten "$efn_ma (8/0)"$'\n'"$efn_mc (8/0)"$'\n'"$efn_md (8/0)"$'\n'"$efn_mb (8/0)" "$T_MA2" ListBox#0 || return 1
    text_erwarten "$T_MA2" "@Erfasste Teilnehmer: 4" "Erfasste Teilnehmer: 4"
}
# The focus is in EFN after the message: the next card goes straight to the list.
mt_naechste_karte() {
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    scannen "$efn_me"
    zeilen_erwarten "$efn_ma (8/0)"$'\n'"$efn_mc (8/0)"$'\n'"$efn_md (8/0)"$'\n'"$efn_mb (8/0)"$'\n'"$efn_me (8/0)" "$T_MA2" ListBox#0
}
mt_speichern() {
    klicken "$T_MA2" "@Eingegebene Daten speichern" || return 1
    meldung_bestaetigen "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\${vnr_mt}_$heute.XML" || return 1
    ereignisdatei "$soll/mehrere-tueren.XML" "$vnr_mt" 2 8 "$heute" "$heute" "" 45 08:00 08:45 \
        "$efn_ma 8 0" "$efn_mc 8 0" "$efn_md 8 0" "$efn_mb 8 0" "$efn_me 8 0"
    datei_gleich "$soll/mehrere-tueren.XML" "$datei_mt" || return 1
    # The files taken in were only read.
    datei_gleich "$soll/stick-tuer1.XML" "$stick/tuer1.XML" || return 1
    datei_gleich "$soll/stick-tuer2.XML" "$stick/tuer2.XML" || return 1
    datei_gleich "$soll/stick-fremd.XML" "$stick/fremd.XML" || return 1
    gleich "fremd.XML tuer1.XML tuer2.XML" "$(cd "$stick" && echo *.XML*)"
}
mt_ende() {
    klicken "$T_MA2" "@Programm beenden" || return 1
    karmo_ende_erwarten
}

mehrere_tueren_laufen() {
    szenario_laufen "Mehrere Türen" \
        "mt_tuer2:Tür 2: $vnr_mt mit drei Karten, eine mit 6 Punkten, eine mit 08" \
        "mt_tuer2_stick:\"Auf Datenträger speichern\" nach E:\\tuer2.XML" \
        "mt_abbrechen:\"Auf Datenträger speichern\", Abbrechen: nur gespeichert" \
        "mt_tuer1:Tür 1: dieselbe Veranstaltung neu, drei Karten" \
        "mt_tuer1_stick:\"Auf Datenträger speichern\" nach E:\\tuer1.XML" \
        "mt_stick_verweigert:Kopie nicht schreibbar: eine Meldung mit Pfad und Grund, Daten unverändert" \
        "mt_hinzuladen:\"Liste hinzuladen\" mit drei Dateien in einem Dialog, eine fremde, Zusammenfassung Wort für Wort" \
        "mt_naechste_karte:die nächste Karte geht gleich in die Liste" \
        "mt_speichern:gespeicherte Datei Zeile für Zeile, die Dateien auf E: unverändert" \
        "mt_ende:\"Programm beenden\""
}
weitere_szenarien+=(mehrere_tueren_laufen)
