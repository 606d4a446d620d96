# shellcheck shell=bash
# Names on paper and in a table, through the PDF printer of the printing scenario: the attendance list and
# the certificates with the names the registration list gives (walk-ins left to the pen), Veranstalter and
# Ort typed once and remembered across a restart, the door list whose barcodes zbarimg reads in name
# order, and the table for Excel saved to E: through Save As, byte for byte.
vnr_dn=$(mit_pruefziffer 276750000000000274) # Norvia, report type 2
dn_w=$(mit_pruefziffer 61000000000001) # Weiß
dn_m=$(mit_pruefziffer 61000000000002) # Müller
dn_a=$(mit_pruefziffer 61000000000003) # Adler
dn_x=$(mit_pruefziffer 61000000000009) # a walk-in
dn_veranstalter="Institut für Fortbildung"
dn_ort="Köln"

# Prints with the choice $1 of Ausdruck; the PDF moved to $2.
dn_drucken() {
    rm -f "$dr_ausgabe"
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@$1" || return 1
    klicken "$T_AUSDRUCK" "@Weiter" || return 1
    dr_druckdialog_ok "$3" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" 30000 || { keine_meldung; return 1; }
    keine_meldung || return 1
    dr_pdf_abwarten "$2"
}

dn_start() {
    mkdir -p "$al_ordner"
    printf 'Nachname;Vorname;Titel;EFN\r\nWeiß;Jürgen;Dr.;%s\r\nMüller;Anna;;%s\r\nAdler;Bert;;%s\r\nZander;Zoe;;\r\n' \
        "$dn_w" "$dn_m" "$dn_a" | iconv -f UTF-8 -t WINDOWS-1252 >"$al_ordner/namen.csv"
    if [[ -z $dr_drucker_bereit ]]; then
        dr_drucker_einrichten || return 1
    else
        hauptmenue_frisch || return 1
    fi
    rm -f "$laufwerk_c/zelva/Ausdruck.ini"
    neue_veranstaltung "$vnr_dn" 3 "$T_MA2" || return 1
    karten_erfassen "$T_MA2" 8 || return 1
    klicken "$T_MA2" "@Anmeldeliste" || return 1
    fenster_erwarten "$T_ANMELDELISTE" || return 1
    al_laden 'E:\Anmeldungen\namen.csv' || return 1
    meldung_bestaetigen "Anmeldeliste geladen: 4 Anmeldungen, 3 davon mit gültiger EFN."$'\n'"1 ohne EFN." || return 1
    klicken "$T_ANMELDELISTE" "@Schließen" || return 1
    fenster_erwarten "$T_MA2" || return 1
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    scannen "$dn_w"
    scannen "$dn_x"
    zeilen_erwarten "$dn_w (8/0)"$'\n'"$dn_x (8/0)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    eintippen "$T_MA2" "$MA2_DAUER" "45" || return 1
    eintippen "$T_MA2" "$MA2_UHR_S" "08:00" || return 1
    eintippen "$T_MA2" "$MA2_UHR_E" "08:45" || return 1
    klicken "$T_MA2" "$MA2_EFN"
}
# The attendance list with Veranstalter and Ort typed into Ausdruck, and the name beside Weiß's barcode.
dn_liste() {
    rm -f "$dr_ausgabe"
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    text_erwarten "$T_AUSDRUCK" Edit#0 "" || return 1
    eintippen "$T_AUSDRUCK" Edit#0 "$dn_veranstalter" || return 1
    eintippen "$T_AUSDRUCK" Edit#1 "$dn_ort" || return 1
    bildschirm 45-ausdruck-mit-namen "$T_AUSDRUCK"
    klicken "$T_AUSDRUCK" "@Weiter" || return 1
    dr_druckdialog_ok 46-druckdialog-namen || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" 30000 || { keine_meldung; return 1; }
    dr_pdf_abwarten "$dr_ordner/namen-liste.pdf" || return 1
    local text
    text=$(pdftotext -layout "$dr_ordner/namen-liste.pdf" -)
    for n in "Weiß, Dr. Jürgen" "$dn_veranstalter" "$dn_ort" "$dn_w" "$dn_x"; do
        [[ $text == *"$n"* ]] || { echo "\"$n\" fehlt in der Liste"; return 1; }
    done
    [[ $text != *"Müller"* ]] || { echo "Müller kam nicht und steht doch auf der Liste"; return 1; }
    # The name stands in the row of its barcode.
    grep -q "$dn_w.*Weiß, Dr. Jürgen\|Weiß, Dr. Jürgen.*$dn_w" <<<"$text" ||
        grep -A2 "Weiß, Dr. Jürgen" <<<"$text" | grep -q "$dn_w" || { echo "Name nicht in der Zeile der EFN:"; echo "$text"; return 1; }
}
dn_bescheinigungen() {
    dn_drucken "Teilnahmebescheinigungen (eine Seite je Teilnehmer)" "$dr_ordner/namen-bescheinigungen.pdf" 47-druckdialog-namen || return 1
    local pdf="$dr_ordner/namen-bescheinigungen.pdf" eins zwei
    gleich 2 "$(pdfinfo "$pdf" | sed -nE 's/^Pages: *([0-9]+)/\1/p')" || return 1
    eins=$(pdftotext -f 1 -l 1 "$pdf" -)
    zwei=$(pdftotext -f 2 -l 2 "$pdf" -)
    for n in "Weiß, Dr. Jürgen" "$dn_veranstalter" "$dn_ort" "$dn_w"; do
        [[ $eins == *"$n"* ]] || { echo "\"$n\" fehlt auf der ersten Bescheinigung"; return 1; }
    done
    [[ $zwei != *"Weiß"* && $zwei == *"$dn_x"* && $zwei == *"Name, Vorname"* ]] || { echo "zweite Bescheinigung:"; echo "$zwei"; return 1; }
    if [[ "${KARMO_E2E_DOCS:-0}" == 1 ]]; then
        pdftoppm -png -r 72 -f 1 -l 1 -singlefile "$pdf" "$wurzel/docs/screens/22-bescheinigung-mit-namen"
    fi
}
# The door list: every registration by name, the barcodes read top to bottom in that order.
dn_tuerliste() {
    dn_drucken "Anmeldeliste zum Abhaken (alphabetisch)" "$dr_ordner/tuerliste.pdf" 48-druckdialog-tuerliste || return 1
    local pdf="$dr_ordner/tuerliste.pdf" text gelesen
    text=$(pdftotext -layout "$pdf" -)
    for n in "Anmeldeliste" "Seite 1 von 1" "$vnr_dn" "Psychotherapeutenkammer Norvia" "Nr." "Name, Vorname" "EFN" "Erfasst" \
        "Unterschrift" "Angemeldet: 3, davon erfasst: 1" "Zander, Zoe"; do
        [[ $text == *"$n"* ]] || { echo "\"$n\" fehlt in der Türliste"; echo "$text"; return 1; }
    done
    pdftoppm -png -r 300 -f 1 -l 1 -singlefile "$pdf" "$dr_ordner/tuerliste" || return 1
    # Each barcode stands above its digits: the strip from the row above down to a number's digits
    # holds exactly that barcode, read alone; top to bottom, the EFNs in name order.
    local y zahl oben=-1 streifen
    gelesen=""
    while read -r y zahl; do
        ((oben < 0)) && oben=$((y - 72))
        streifen="$dr_ordner/tuerliste-$zahl.png"
        convert "$dr_ordner/tuerliste.png" -crop "2480x$(((y - oben) * 300 / 72))+0+$((oben * 300 / 72))" +repage "$streifen" || return 1
        gelesen+=$(zbarimg --quiet --raw "$streifen" 2>/dev/null)$'\n'
        oben=$y
    done < <(pdftotext -f 1 -l 1 -bbox "$pdf" - | sed -nE 's/.*yMin="([0-9]+)(\.[0-9]*)?".*>([0-9]{15})<\/word>.*/\1 \3/p' | sort -n)
    gelesen=${gelesen%$'\n'}
    gleich "$dn_a"$'\n'"$dn_m"$'\n'"$dn_w" "$gelesen" || { echo "(Strichcodes der Türliste, von oben)"; return 1; }
    if [[ "${KARMO_E2E_DOCS:-0}" == 1 ]]; then
        pdftoppm -png -r 72 -f 1 -l 1 -singlefile "$pdf" "$wurzel/docs/screens/23-tuerliste"
    fi
}
# The table through Save As on E:, byte for byte.
dn_tabelle() {
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@Tabelle für Excel speichern (CSV)" || return 1
    klicken "$T_AUSDRUCK" "@Weiter" || return 1
    fenster_erwarten "Teilnehmerliste als Tabelle speichern" || { keine_meldung; return 1; }
    text_erwarten "Teilnehmerliste als Tabelle speichern" Edit#0 "${vnr_dn}_$heute.csv" || return 1
    xdotool type --delay 20 -- 'E:\Anmeldungen\tabelle.csv'
    xdotool key Return
    meldung_bestaetigen "Die Tabelle wurde gespeichert:"$'\n'"E:\\Anmeldungen\\tabelle.csv" || return 1
    printf '\357\273\277EFN;Nachname;Vorname;Titel;Basispunkte;Referentenpunkte;Angemeldet;Erfasst\r\n="%s";Weiß;Jürgen;Dr.;8;0;ja;ja\r\n="%s";;;;8;0;nein;ja\r\n="%s";Adler;Bert;;;;ja;nein\r\n="%s";Müller;Anna;;;;ja;nein\r\n;Zander;Zoe;;;;ja;nein\r\n' \
        "$dn_w" "$dn_x" "$dn_a" "$dn_m" >"$soll/tabelle.csv"
    datei_gleich "$soll/tabelle.csv" "$al_ordner/tabelle.csv" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN"
}
# Saved, Karmo ended and started again: Ausdruck has Veranstalter and Ort as typed.
dn_neustart() {
    klicken "$T_MA2" "@Eingegebene Daten speichern" || return 1
    meldung_bestaetigen "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\${vnr_dn}_$heute.XML" || return 1
    grep -q "^Veranstalter=$dn_veranstalter"$'\r'"$" "$laufwerk_c/zelva/Ausdruck.ini" || { echo "Ausdruck.ini:"; cat -A "$laufwerk_c/zelva/Ausdruck.ini"; return 1; }
    hauptmenue_frisch || return 1
    dr_oeffnen "$vnr_dn" || return 1
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    text_erwarten "$T_AUSDRUCK" Edit#0 "$dn_veranstalter" || return 1
    text_erwarten "$T_AUSDRUCK" Edit#1 "$dn_ort" || return 1
    klicken "$T_AUSDRUCK" "@Abbrechen" || return 1
    fenster_erwarten "$T_MA2"
}

namen_drucken_laufen() {
    szenario_laufen "Namen auf Papier" \
        "dn_start:neue Veranstaltung $vnr_dn mit Anmeldeliste von E:, Weiß und ein Gast gescannt" \
        "dn_liste:Anwesenheitsliste mit Veranstalter und Ort: Weiß mit Namen neben seiner EFN, Müller nicht" \
        "dn_bescheinigungen:Bescheinigungen: Weiß mit Namen, der Gast ohne" \
        "dn_tuerliste:Türliste: alle Angemeldeten, die Strichcodes von oben in Namensfolge, \"Angemeldet: 3, davon erfasst: 1\"" \
        "dn_tabelle:Tabelle für Excel über Speichern unter nach E:, Byte für Byte" \
        "dn_neustart:gespeichert, Neustart: Veranstalter und Ort sind noch da"
}
weitere_szenarien+=(namen_drucken_laufen)
