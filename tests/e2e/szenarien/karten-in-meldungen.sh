# shellcheck shell=bash
# A card scanned at the door while a message box is open that a click raised, not a scan: the refused
# save, the save's confirmation, the transfer's confirmation close and the card is listed; the question
# whether to end anyway stays open for a person, and the card is listed after Nein.
vnr_km=$(mit_pruefziffer 276750000000000099) # Norvia, a new type-2 event
datei_km="$daten/${vnr_km}_$heute.XML"
km_karten=()
for km_i in 1 2 3 4 5; do km_karten+=("$(mit_pruefziffer "7400000000009$km_i")"); done
unset km_i

# The list as lines "EFN (8/0)" of the first $1 cards.
km_liste() {
    local i out=""
    for ((i = 0; i < $1; i++)); do out+="${km_karten[i]} (8/0)"$'\n'; done
    printf '%s' "${out%$'\n'}"
}

# Waits for the box with text $1, then scans card $2 into it at scanner speed (5 ms a key).
km_karte_in_box() {
    local soll=$1 ist
    ist=$(probe wait-msgbox 10000) || { echo "keine Meldung erschienen; erwartet: $soll"; return 1; }
    gleich "$soll" "${ist#*$'\n'}" || { meldung_schliessen; return 1; }
    karte "$2"
}

# The card closed the box and is listed; the focus waits in EFN for the next one.
km_erfasst() {
    probe wait-gone msgbox 5000 || { echo "Meldung blieb offen"; meldung_schliessen; return 1; }
    zeilen_erwarten "$(km_liste "$1")" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    keine_meldung || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN"
}

km_start() {
    hauptmenue_frisch || return 1
    neue_veranstaltung "$vnr_km" 3 "$T_MA2" || return 1
    karten_erfassen "$T_MA2" 8 "${km_karten[0]}"
}
km_abgelehnt() {
    klicken "$T_MA2" "@Eingegebene Daten speichern" || return 1
    km_karte_in_box "Bitte geben Sie die Startuhrzeit ein!" "${km_karten[1]}" || return 1
    km_erfasst 2 || return 1
    [[ ! -e "$datei_km" ]] || { echo "trotz fehlender Startuhrzeit gespeichert"; return 1; }
}
km_gespeichert() {
    eintippen "$T_MA2" "$MA2_UHR_S" "09:00" || return 1
    eintippen "$T_MA2" "$MA2_UHR_E" "17:00" || return 1
    eintippen "$T_MA2" "$MA2_DAUER" "420" || return 1
    klicken "$T_MA2" "@Eingegebene Daten speichern" || return 1
    km_karte_in_box "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\${vnr_km}_$heute.XML" \
        "${km_karten[2]}" || return 1
    km_erfasst 3 || return 1
    # Saved before the card came: the file holds the first two.
    grep -q "${km_karten[1]}" "$datei_km" || { echo "zweite Karte fehlt in der Datei"; return 1; }
    ! grep -q "${km_karten[2]}" "$datei_km" || { echo "dritte Karte schon in der Datei"; return 1; }
}
km_uebertragen() {
    klicken "$T_MA2" "@Diese Daten zur Kammer übertragen" || return 1
    km_karte_in_box "Die ZELVA-Webseite wird jetzt aufgerufen. "$'\n'"Die zu übertragende Datei Sie finden Sie hier:"$'\n'"c:\\zelva\\Daten\\${vnr_km}_$heute.XML" \
        "${km_karten[3]}" || return 1
    # The folder window opens after the box and takes the foreground.
    ordnerfenster_schliessen || return 1
    probe wait-gone msgbox 5000 || { echo "Meldung blieb offen"; return 1; }
    zeilen_erwarten "$(km_liste 4)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    keine_meldung || return 1
    grep -q "${km_karten[2]}" "$datei_km" || { echo "dritte Karte fehlt in der übertragenen Datei"; return 1; }
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN"
}
# The save fails (Daten read-only); a person closes the error. A card scanned into the question answers
# nothing: it stays open until Nein is clicked, and the card is listed then.
km_frage() {
    tb_sperren "$datei_km" || return 1
    klicken "$T_MA2" "@Programm beenden" || return 1
    local ist i
    ist=$(probe wait-msgbox 10000) || { echo "keine Fehlermeldung erschienen"; return 1; }
    [[ ${ist#*$'\n'} == "Fehler:5 : "* ]] || { echo "erwartet Fehler:5, erschienen: ${ist#*$'\n'}"; meldung_schliessen; return 1; }
    klicken msgbox id=1 || return 1
    for ((i = 0; i < 100; i++)); do
        ist=$(probe msgbox) && [[ ${ist#*$'\n'} != "Fehler:"* ]] && break
        sleep 0.1
    done
    gleich "$tb_frage" "${ist#*$'\n'}" || return 1
    karte "${km_karten[4]}"
    # The event number's barcode (19 digits), scanned by mistake: a scanner's run, no answer either.
    karte "$vnr_km"
    sleep 1
    ist=$(probe msgbox) || { echo "die Karte hat die Frage beantwortet"; return 1; }
    gleich "$tb_frage" "${ist#*$'\n'}" || return 1
    bildschirm 20-frage-nach-karte msgbox
    frage_beantworten "$tb_frage" 7 || return 1
    fenster_erwarten "$T_MA2" || return 1
    km_erfasst 5
}
km_ende() {
    tb_entsperren || return 1
    klicken "$T_MA2" "@Programm beenden" || return 1
    karmo_ende_erwarten || { keine_meldung; return 1; }
    local k
    for k in "${km_karten[@]}"; do
        grep -q "$k" "$datei_km" || { echo "$k fehlt in $datei_km"; return 1; }
    done
}

karten_in_meldungen_laufen() {
    local ergebnis=0
    szenario_laufen "Karten in Meldungen" \
        "km_start:neue Veranstaltung $vnr_km (Typ 2), Punkte 8, eine Karte" \
        "km_abgelehnt:Karte in \"Bitte geben Sie die Startuhrzeit ein!\": Meldung zu, Karte erfasst" \
        "km_gespeichert:Karte in die Speicherbestätigung: Meldung zu, Karte erfasst, Datei ohne sie" \
        "km_uebertragen:Karte in die Übertragungsbestätigung: Meldung zu, Karte erfasst" \
        "km_frage:Karte und der Strichcode der VNR in die Frage \"trotzdem beenden\": Frage bleibt offen, nach Nein erfasst" \
        "km_ende:\"Programm beenden\" speichert alle fünf Karten" || ergebnis=1
    tb_entsperren
    return "$ergebnis"
}
weitere_szenarien+=(karten_in_meldungen_laufen)
