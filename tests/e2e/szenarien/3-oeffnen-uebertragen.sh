# shellcheck shell=bash
# 3. Back to the main menu, reopen the saved list, transfer it.
s3_hauptmenue() {
    klicken "$T_MA2" "@ Hauptmenü" || return 1
    fenster_erwarten "$T_AUSWAHL" || { keine_meldung; return 1; }
    fenster_weg "$T_MA2" 3000 || return 1
    keine_meldung || return 1
    # Leaving for the main menu saves once more, under the plain name.
    datei_gleich "$soll/typ2.XML" "$daten/$vnr2.XML"
}
# A new event empties the capture form, so that the reopened list has to come from the file.
s3_leeren() {
    klicken "$T_AUSWAHL" "@Eine neue Teilnehmerliste anlegen" || return 1
    fenster_erwarten "$T_VNR" || return 1
    text_erwarten "$T_VNR" Edit#0 "" || return 1
    fokus_erwarten "$T_VNR" Edit#0 || return 1
    scannen "$vnr3"
    fenster_erwarten "$T_KAT" || { keine_meldung; return 1; }
    zeile_klicken "$T_KAT" ListBox#0 5 || return 1
    klicken "$T_KAT" "@Weiter" || return 1
    fenster_erwarten "$T_MA2" || { keine_meldung; return 1; }
    text_erwarten "$T_MA2" "$MA2_VNR" "$vnr3" || return 1
    text_erwarten "$T_MA2" "$MA2_PUNKTE" "" || return 1
    text_erwarten "$T_MA2" "$MA2_UHR_S" "" || return 1
    text_erwarten "$T_MA2" "$MA2_INHALT" "" || return 1
    zeilen_erwarten "" "$T_MA2" ListBox#0
}
# A save refused for an empty required field keeps the user in the form, the
# focus in that field; nothing is written and nothing is lost.
s3_pflichtfeld() {
    klicken "$T_MA2" "@ Hauptmenü" || return 1
    meldung_bestaetigen "Bitte geben Sie die Startuhrzeit ein!" || return 1
    fenster_erwarten "$T_MA2" 3000 || return 1
    fokus_erwarten "$T_MA2" "$MA2_UHR_S" || return 1
    [[ ! -e "$daten/$vnr3.XML" ]] || { echo "$vnr3.XML trotz fehlender Startuhrzeit geschrieben"; return 1; }
    probe wait-gone "$T_AUSWAHL" 0 || { echo "Hauptmenü trotz abgelehnter Speicherung"; return 1; }
}
# With the times and the duration filled in, the form is left for the main menu.
s3_verlassen() {
    eintippen "$T_MA2" "$MA2_UHR_S" "10:00" || return 1
    eintippen "$T_MA2" "$MA2_UHR_E" "11:00" || return 1
    eintippen "$T_MA2" "$MA2_DAUER" "60" || return 1
    klicken "$T_MA2" "@ Hauptmenü" || return 1
    fenster_erwarten "$T_AUSWAHL" || { keine_meldung; return 1; }
}
s3_oeffnen() {
    local zeilen soll_zeilen zeile i=0 nr=-1
    klicken "$T_AUSWAHL" "@Bereits erfasste Teilnehmerliste öffnen" || return 1
    fenster_erwarten "$T_DATEI" || return 1
    # Rows come in the order the file system lists the files.
    soll_zeilen="$vnr2 am $heute um 09:00"$'\n'"$vnr2 am $heute um 09:00"
    [[ -e "$daten/$vnr3.XML" ]] && soll_zeilen+=$'\n'"$vnr3 am $heute um 10:00"
    zeilen_erwarten "$(sort <<<"$soll_zeilen")" "$T_DATEI" ListBox#0 sortiert || return 1
    bildschirm 10-dateidialog "$T_DATEI"
    zeilen=$(probe lines "$T_DATEI" ListBox#0)
    while IFS= read -r zeile; do
        [[ $zeile == "$vnr2 "* ]] && { nr=$i; break; }
        i=$((i + 1))
    done <<<"$zeilen"
    zeile_klicken "$T_DATEI" ListBox#0 "$nr" || return 1
    fenster_erwarten "$T_MA2" || { keine_meldung; return 1; }
    fenster_weg "$T_DATEI" 3000 || return 1
    keine_meldung
}
s3_inhalt() {
    ma2_felder_erwarten "$vnr2" 8 "$heute" "$heute" 420 09:00 16:30 "$inhalt_1"$'\n'"$inhalt_2" || return 1
    zeilen_erwarten "$efn1 (8/0)"$'\n'"$efn2 (6/2)"$'\n'"$efn3 (8/0)" "$T_MA2" ListBox#0
}
s3_uebertragen() {
    : >"$KARMO_BROWSER_PROTOKOLL"
    klicken "$T_MA2" "@Diese Daten zur Kammer übertragen" || return 1
    meldung_bestaetigen "Die ZELVA-Webseite wird jetzt aufgerufen. "$'\n'"Die zu übertragende Datei Sie finden Sie hier:"$'\n'"c:\\zelva\\Daten\\$datei2_name" \
        11-meldung-uebertragen || return 1
    datei_gleich "$soll/typ2.XML" "$datei2"
}
s3_browser() {
    local soll_adresse="${portal_basis}index.php?page=eingabe&vnr=$vnr2&datei=c%3A%5Czelva%5CDaten%5C$datei2_name" i
    [[ -n "$portal_basis" ]] || { echo "k_portal_basis nicht gefunden"; return 1; }
    for ((i = 0; i < 100; i++)); do
        [[ -s "$KARMO_BROWSER_PROTOKOLL" ]] && break
        sleep 0.1
    done
    gleich "$soll_adresse" "$(cat "$KARMO_BROWSER_PROTOKOLL")"
}
# The saved file at hand for the upload form: the file manager opens on the data folder with the file
# selected. It takes the foreground; it is closed again, so that the next steps reach Karmo's window.
# Wine's shell selects the file in a file manager that it has just started; on a fresh prefix on a
# busy machine (seen once in CI) that start can take so long that the window opens without the
# selection. Karmo's request is the same every time, so the transfer is asked for once more then,
# with the file manager started before, and this time the file must be selected. A failed step leaves
# the window to szenario_laufen, which closes it.
s3_explorer() {
    local gewaehlt
    fenster_erwarten "Daten" 15000 || return 1
    if ! gewaehlt=$(probe view-selected "Daten" 10000); then
        echo "erster Versuch: keine Datei im Ordnerfenster gewählt; Fenster:"
        probe windows
        ordnerfenster_schliessen || return 1
        s3_uebertragen || return 1
        fenster_erwarten "Daten" 15000 || return 1
        gewaehlt=$(probe view-selected "Daten" 10000) || { echo "keine Datei im Ordnerfenster gewählt"; return 1; }
    fi
    if [[ "$gewaehlt" != "$datei2_name" && "$gewaehlt" != "${datei2_name%.XML}" ]]; then
        unterschied "$datei2_name" "$gewaehlt"
        return 1
    fi
    bildschirm 11-explorer "Daten"
    ordnerfenster_schliessen
}

# Opening for transfer asks the user to check the data and start the transfer.
s3_zur_uebertragung() {
    local zeilen zeile i=0 nr=-1
    klicken "$T_MA2" "@ Hauptmenü" || return 1
    fenster_erwarten "$T_AUSWAHL" || { keine_meldung; return 1; }
    klicken "$T_AUSWAHL" "@Eine bereits erfasste Teilnehmerliste übertragen" || return 1
    fenster_erwarten "$T_DATEI" || return 1
    zeilen=$(probe lines "$T_DATEI" ListBox#0)
    while IFS= read -r zeile; do
        [[ $zeile == "$vnr2 "* ]] && { nr=$i; break; }
        i=$((i + 1))
    done <<<"$zeilen"
    zeile_klicken "$T_DATEI" ListBox#0 "$nr" || return 1
    meldung_bestaetigen 'Die Daten wurden geladen. Bitte Kontrollieren Sie die Angaben und starten Sie anschließend die Übertragung über die Schaltfläche "Diese Daten zur Kammer übertragen"!' || return 1
    fenster_erwarten "$T_MA2" || return 1
    zeilen_erwarten "$efn1 (8/0)"$'\n'"$efn2 (6/2)"$'\n'"$efn3 (8/0)" "$T_MA2" ListBox#0
}
