# shellcheck shell=bash
# Printing: without a printer "Drucken" says so and the form stays usable; with a PDF printer in the prefix
# (Wine's PostScript driver, its port a pipe into ps2pdf) a type-2 event of 45 participants prints its
# attendance list through "Drucken", "Weiter" and the print dialog, and its certificates through Ctrl+P.
# The PDFs are read back: pages, header on every page, "Seite k von N", every EFN, the umlauts
# (pdftotext), and the barcodes decoded from the rendered pages (pdftoppm, zbarimg).
vnr_dr=$(mit_pruefziffer 276750000000000180) # Norvia, report type 2 via category 4
T_AUSDRUCK="Ausdruck"
dr_ordner="$artefakte/druck"
dr_ausgabe="$dr_ordner/ausgabe.pdf" # what the printer's pipe writes
dr_drucker_exe="$wurzel/build/e2e/drucker.exe"
dr_kein_drucker="Es ist kein Drucker eingerichtet. Bitte richten Sie in Windows einen Drucker ein (zum Beispiel „Microsoft Print to PDF“)."
dr_inhalt_1="Größere Übungen für Gruppen"
dr_inhalt_2="Straße, Öl und Ärger"
dr_karten=()
# Not in ascending order: the barcodes must come back in list order, not sorted.
for ((dr_i = 0; dr_i < 45; dr_i++)); do dr_karten+=("$(mit_pruefziffer $((30000000000000 + (dr_i * 37 % 45 + 1) * 7919)))"); done
dr_zeilen=""
dr_drucker_bereit=""

# No printer in a fresh prefix: the message, then the form is back with the focus in EFN and scans go on.
dr_ohne_drucker() {
    hauptmenue_frisch || return 1
    neue_veranstaltung "$vnr_dr" 3 "$T_MA2" || return 1
    karten_erfassen "$T_MA2" 8 "${dr_karten[0]}" || return 1
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    bildschirm 30-ausdruck "$T_AUSDRUCK"
    [[ $(probe checked "$T_AUSDRUCK" "@Anwesenheitsliste zum Unterschreiben") == 1 ]] || { echo "Anwesenheitsliste nicht gewählt"; return 1; }
    klicken "$T_AUSDRUCK" "@Weiter" || return 1
    meldung_bestaetigen "$dr_kein_drucker" 31-meldung-kein-drucker || return 1
    fenster_erwarten "$T_MA2" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    scannen "${dr_karten[1]}"
    zeilen_erwarten "${dr_karten[0]} (8/0)"$'\n'"${dr_karten[1]} (8/0)" "$T_MA2" ListBox#0
}

# The printer: built like the probe, set up once in this run's prefix, then a fresh start that sees it.
dr_drucker_einrichten() {
    local quelle="$wurzel/tests/e2e/win32/drucker.cpp" ppd
    if [[ ! -f "$dr_drucker_exe" || "$quelle" -nt "$dr_drucker_exe" ]]; then
        x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -Wpedantic -Wconversion -Wshadow -Werror -municode \
            -static -o "$dr_drucker_exe" "$quelle" -lwinspool || return 1
    fi
    mkdir -p "$dr_ordner"
    ppd=$(ls /usr/share/ghostscript/*/lib/ghostpdf.ppd | head -n 1)
    [[ -f "$ppd" ]] || { echo "ghostpdf.ppd fehlt"; return 1; }
    sed -E 's/^(\*Default[A-Za-z]*: *)Letter/\1A4/' "$ppd" >"$dr_ordner/a4.ppd"
    # winepath has been seen to print nothing in a prefix that has just started; drive Z: is the root.
    local ppd_windows
    ppd_windows=$(winepath -w "$dr_ordner/a4.ppd" 2>/dev/null)
    [[ -n $ppd_windows ]] || ppd_windows="Z:${dr_ordner//\//\\}\\a4.ppd"
    wine "$dr_drucker_exe" "Karmo PDF" "$ppd_windows" "|ps2pdf -sPAPERSIZE=a4 - $dr_ausgabe" 2>>"$wine_log" || return 1
    dr_drucker_bereit=1
    hauptmenue_frisch
}

# A type-2 event with a two-line content with umlauts and 45 cards.
dr_erfassen() {
    neue_veranstaltung "$vnr_dr" 3 "$T_MA2" || return 1
    karten_erfassen "$T_MA2" 8 "${dr_karten[@]}" || return 1
    eintippen "$T_MA2" "$MA2_DAUER" "420" || return 1
    eintippen "$T_MA2" "$MA2_UHR_S" "09:00" || return 1
    eintippen "$T_MA2" "$MA2_UHR_E" "17:30" || return 1
    eintippen "$T_MA2" "$MA2_INHALT" "$dr_inhalt_1" || return 1
    xdotool key Return
    xdotool type --delay 1 -- "$dr_inhalt_2"
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || { keine_meldung; return 1; }
    text_erwarten "$T_MA2" "$MA2_INHALT" "$dr_inhalt_1"$'\n'"$dr_inhalt_2" || return 1
    dr_zeilen=$(probe lines "$T_MA2" ListBox#0)
}

# Waits for the print dialog: a dialog of class #32770, which the probe reaches as "msgbox"; its
# title follows Wine's locale.
dr_druckdialog_abwarten() {
    local fenster i
    for ((i = 0; i < 200; i++)); do
        fenster=$(probe windows)
        grep -qP '\t#32770\t(Print|Drucken)\t' <<<"$fenster" && return 0
        sleep 0.1
    done
    echo "kein Druckdialog; Fenster:"
    echo "$fenster"
    keine_meldung
    return 1
}
# The print dialog with the default printer: OK.
dr_druckdialog_ok() {
    dr_druckdialog_abwarten || return 1
    bildschirm "$1" msgbox
    klicken msgbox "@OK" || return 1
    probe wait-gone msgbox 5000 || { echo "Druckdialog schließt nicht"; return 1; }
}

# The pipe's PDF, complete, moved to $1.
dr_pdf_abwarten() {
    local i
    for ((i = 0; i < 200; i++)); do
        [[ -s "$dr_ausgabe" ]] && pdfinfo "$dr_ausgabe" >/dev/null 2>&1 && break
        sleep 0.1
    done
    ((i < 200)) || { echo "keine PDF-Datei $dr_ausgabe"; return 1; }
    # ps2pdf may still be writing the trailer when the file first parses: wait for its size to settle.
    local groesse=-1
    while [[ $(stat -c %s "$dr_ausgabe") != "$groesse" ]]; do
        groesse=$(stat -c %s "$dr_ausgabe")
        sleep 0.3
    done
    mv "$dr_ausgabe" "$1"
}

dr_liste_drucken() {
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@Weiter" || return 1
    dr_druckdialog_ok 32-druckdialog || return 1
    fenster_erwarten "$T_MA2" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" 20000 || { keine_meldung; return 1; }
    keine_meldung || return 1
    dr_pdf_abwarten "$dr_ordner/liste.pdf" || return 1
    # Printing changed nothing: no file was saved, the list is as it was.
    [[ ! -e "$daten/${vnr_dr}_$heute.XML" && ! -e "$daten/$vnr_dr.XML" ]] || { echo "beim Drucken gespeichert"; return 1; }
    gleich "$dr_zeilen" "$(probe lines "$T_MA2" ListBox#0)"
}

# The barcodes of page $2 of PDF $1, rendered at 300 dpi as $3, top to bottom: zbarimg reports them in no
# fixed order and without their place. Each row's digits stand under its bars, so the strip above each
# 15-digit number (from pdftotext's word boxes) is decoded alone and must give exactly that number; the
# whole page must hold no barcode besides these.
dr_strichcodes() {
    local pdf=$1 seite=$2 bild=$3 y zahl streifen gelesen alle=0
    while read -r y zahl; do
        streifen="${bild%.png}-$zahl.png"
        # 300 dpi: 300/72 pixels a point; the bars end 0.3 mm above the digits and are 8.5 mm high.
        convert "$bild" -crop "2480x$((95 * 300 / 254))+0+$((y * 300 / 72 - 95 * 300 / 254))" +repage "$streifen" || return 1
        gelesen=$(zbarimg --quiet --raw "$streifen" 2>/dev/null)
        [[ $gelesen == "$zahl" ]] || { echo "Strichcode über $zahl gelesen als: ${gelesen:-nichts}" >&2; return 1; }
        echo "$zahl"
        alle=$((alle + 1))
    done < <(pdftotext -f "$seite" -l "$seite" -bbox "$pdf" - |
        sed -nE 's/.*yMin="([0-9]+)(\.[0-9]*)?".*>([0-9]{15})<\/word>.*/\1 \3/p' | sort -n)
    [[ $(zbarimg --quiet --raw "$bild" 2>/dev/null | wc -l) == "$alle" ]] || { echo "Seite $seite: mehr Strichcodes als Zeilen" >&2; return 1; }
}

dr_liste_pruefen() {
    local pdf="$dr_ordner/liste.pdf" seiten text k n efns gelesen="" bild
    seiten=$(pdfinfo "$pdf" | sed -nE 's/^Pages: *([0-9]+)/\1/p')
    pdfinfo "$pdf" | grep -qE 'Page size: *595(\.[0-9]+)? x 842' || { echo "nicht A4:"; pdfinfo "$pdf" | grep 'Page size'; return 1; }
    # 45 rows of 13.5 mm under this header are 15 a page: three full pages, and the closing lines on a fourth.
    gleich 4 "$seiten" || return 1
    for ((k = 1; k <= seiten; k++)); do
        text=$(pdftotext -f "$k" -l "$k" -layout "$pdf" -)
        for n in "Anwesenheitsliste" "Seite $k von $seiten" "$vnr_dr" "Psychotherapeutenkammer Norvia" \
            "$dr_inhalt_1" "$dr_inhalt_2" "09:00 bis 17:30" "420 Minuten" "Unterschrift"; do
            [[ $text == *"$n"* ]] || { echo "Seite $k ohne \"$n\""; return 1; }
        done
        # The table's head on the pages with rows.
        ((k == seiten)) && continue
        for n in "Nr." "Name, Vorname" "EFN" "Punkte"; do
            [[ $text == *"$n"* ]] || { echo "Seite $k ohne \"$n\""; return 1; }
        done
    done
    text=$(pdftotext "$pdf" -)
    for n in "${dr_karten[@]}"; do
        [[ $text == *"$n"* ]] || { echo "EFN $n fehlt im Text"; return 1; }
    done
    [[ $text == *"Erfasste Teilnehmer: 45"* && $text == *"Unterschrift der wissenschaftlichen Leitung"* ]] ||
        { echo "Schluss der Liste fehlt"; return 1; }
    pdftoppm -png -r 300 "$pdf" "$dr_ordner/liste" || return 1
    for ((k = 1; k <= seiten; k++)); do
        bild="$dr_ordner/liste-$k.png"
        gelesen+=$(dr_strichcodes "$pdf" "$k" "$bild") || return 1
        gelesen+=$'\n'
    done
    efns=$(printf '%s\n' "${dr_karten[@]}")
    # The closing page has no barcodes.
    gleich "$efns" "$(sed '/^$/d' <<<"$gelesen")"
}

# Cancel in the print dialog prints nothing; "Abbrechen" in Ausdruck does not even ask.
dr_nicht_drucken() {
    rm -f "$dr_ausgabe"
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@Weiter" || return 1
    dr_druckdialog_abwarten || return 1
    klicken msgbox "@Cancel" || klicken msgbox "@Abbrechen" || return 1
    probe wait-gone msgbox 5000 || { echo "Druckdialog schließt nicht"; return 1; }
    fokus_erwarten "$T_MA2" "$MA2_EFN" || { keine_meldung; return 1; }
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@Abbrechen" || return 1
    fenster_weg "$T_AUSDRUCK" 3000 || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    keine_meldung || return 1
    sleep 2
    [[ ! -e "$dr_ausgabe" ]] || { echo "trotz Abbruch gedruckt"; return 1; }
}

# Ctrl+P, the certificates chosen, Enter for the default button "Weiter".
dr_bescheinigungen() {
    xdotool key ctrl+p
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@Teilnahmebescheinigungen (eine Seite je Teilnehmer)" || return 1
    [[ $(probe checked "$T_AUSDRUCK" "@Anwesenheitsliste zum Unterschreiben") == 0 ]] || { echo "Wahl nicht gewechselt"; return 1; }
    xdotool key Return
    dr_druckdialog_ok 33-druckdialog-bescheinigungen || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" 60000 || { keine_meldung; return 1; }
    keine_meldung || return 1
    dr_pdf_abwarten "$dr_ordner/bescheinigungen.pdf" || return 1
    local pdf="$dr_ordner/bescheinigungen.pdf" k text gelesen
    gleich 45 "$(pdfinfo "$pdf" | sed -nE 's/^Pages: *([0-9]+)/\1/p')" || return 1
    # 200 dpi is enough for one barcode a page (2 pixels a narrow element), and renders 45 pages faster.
    pdftoppm -png -r 200 "$pdf" "$dr_ordner/bescheinigung" || return 1
    for ((k = 1; k <= 45; k++)); do
        text=$(pdftotext -f "$k" -l "$k" "$pdf" -)
        for n in "Teilnahmebescheinigung" "${dr_karten[k - 1]}" "$dr_inhalt_2" "Basispunkte" "Referentenpunkte" \
            "Name, Vorname" "Unterschrift des Veranstalters"; do
            [[ $text == *"$n"* ]] || { echo "Bescheinigung $k ohne \"$n\""; return 1; }
        done
        gelesen=$(zbarimg --quiet --raw "$(printf '%s/bescheinigung-%02d.png' "$dr_ordner" "$k")" 2>/dev/null)
        gleich "${dr_karten[k - 1]}" "$gelesen" || { echo "(Strichcode der Bescheinigung $k)"; return 1; }
    done
    if [[ "${KARMO_E2E_DOCS:-0}" == 1 ]]; then
        pdftoppm -png -r 72 -f 1 -l 1 -singlefile "$dr_ordner/liste.pdf" "$wurzel/docs/screens/20-anwesenheitsliste"
        pdftoppm -png -r 72 -f 1 -l 1 -singlefile "$pdf" "$wurzel/docs/screens/21-teilnahmebescheinigung"
        cp "$artefakte/screens/30-ausdruck.png" "$wurzel/docs/screens/" 2>/dev/null || true
    fi
}

# Opens the saved event $1 from the main menu. Earlier scenarios may have left files of their own: its
# row is found by its number.
dr_oeffnen() {
    local zeilen zeile nr=-1 i=0
    klicken "$T_AUSWAHL" "@Bereits erfasste Teilnehmerliste öffnen" || return 1
    fenster_erwarten "$T_DATEI" || return 1
    for ((i = 0; i < 50; i++)); do
        zeilen=$(probe lines "$T_DATEI" ListBox#0)
        [[ $zeilen == *"$1 "* ]] && break
        sleep 0.1
    done
    i=0
    while IFS= read -r zeile; do
        [[ $zeile == "$1 "* ]] && { nr=$i; break; }
        i=$((i + 1))
    done <<<"$zeilen"
    ((nr >= 0)) || { echo "$1 nicht in der Dateiliste:"; echo "$zeilen"; return 1; }
    zeile_klicken "$T_DATEI" ListBox#0 "$nr" || return 1
    fenster_erwarten "$T_MA2" || { keine_meldung; return 1; }
}

# The characters of Windows-1252 beyond the umlauts, from a saved event (xdotool cannot type them
# reliably under Wine): „ “ – € and ß come out as text in the PDF.
vnr_dr_zeichen=$(mit_pruefziffer 276750000000000202)
dr_zeichen_inhalt="Kosten „gering“ – 15 € für Spaß"
dr_sonderzeichen() {
    local a b text
    a=$(mit_pruefziffer 50000000000001)
    b=$(mit_pruefziffer 50000000000002)
    ereignisdatei "$daten/${vnr_dr_zeichen}_$heute.XML" "$vnr_dr_zeichen" 2 6 "$heute" "$heute" "$dr_zeichen_inhalt" 90 \
        10:00 11:30 "$a 6 0" "$b 6 2"
    hauptmenue_frisch || return 1
    dr_oeffnen "$vnr_dr_zeichen" || return 1
    rm -f "$dr_ausgabe"
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@Weiter" || return 1
    dr_druckdialog_ok 36-druckdialog-zeichen || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" 20000 || { keine_meldung; return 1; }
    dr_pdf_abwarten "$dr_ordner/zeichen.pdf" || return 1
    text=$(pdftotext "$dr_ordner/zeichen.pdf" -)
    for n in "$dr_zeichen_inhalt" "$a" "$b" "6/0" "6/2" "Seite 1 von 1" "Erfasste Teilnehmer: 2"; do
        [[ $text == *"$n"* ]] || { echo "\"$n\" fehlt; Text:"; echo "$text"; return 1; }
    done
}

# A long job: an event of 3,000 participants (about 190 pages) from its file. The window "Ausdruck läuft"
# counts the pages; its "Abbrechen" ends the job: no message, the form back with the focus in EFN.
vnr_dr_lang=$(mit_pruefziffer 276750000000000191)
# Waits until the type-2 form's list has $1 lines (the probe's answer is taken whole, then counted).
dr_zeilenzahl_erwarten() {
    local zeilen i
    for ((i = 0; i < 100; i++)); do
        zeilen=$(probe lines "$T_MA2" ListBox#0)
        [[ $(wc -l <<<"$zeilen") == "$1" ]] && return 0
        sleep 0.2
    done
    echo "Liste hat $(wc -l <<<"$zeilen") Zeilen, erwartet $1"
    return 1
}
dr_lang_zahl=3000
# A saved type-2 event $1 of $2 participants (numbers from $3 on, 8 points each), opened from the file
# list and printed as the attendance list; returns once "Ausdruck läuft" shows (shot $4 of the dialog).
dr_lang_drucken() {
    local vnr=$1 zahl=$2 ab=$3 teilnehmer=() k
    for ((k = 0; k < zahl; k++)); do teilnehmer+=("$(mit_pruefziffer $((ab + k * 13))) 8 0"); done
    ereignisdatei "$daten/${vnr}_$heute.XML" "$vnr" 2 8 "$heute" "$heute" "$dr_inhalt_1" 420 09:00 17:30 "${teilnehmer[@]}"
    hauptmenue_frisch || return 1
    dr_oeffnen "$vnr" || return 1
    dr_zeilenzahl_erwarten "$zahl" || return 1
    rm -f "$dr_ausgabe"
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@Weiter" || return 1
    dr_druckdialog_ok "$4" || return 1
    fenster_erwarten "Ausdruck läuft" 20000 || { keine_meldung; return 1; }
}
dr_lang() {
    local text
    dr_lang_drucken "$vnr_dr_lang" "$dr_lang_zahl" 40000000000000 34-druckdialog-lang || return 1
    text=$(probe text "Ausdruck läuft" Static#0)
    [[ $text =~ ^Seite\ [0-9]+\ von\ ([0-9]+)$ ]] || { echo "Fortschritt zeigt: $text"; return 1; }
    ((BASH_REMATCH[1] > 150)) || { echo "nur ${BASH_REMATCH[1]} Seiten"; return 1; }
    bildschirm 35-ausdruck-laeuft "Ausdruck läuft"
    [[ "${KARMO_E2E_DOCS:-0}" == 1 ]] && cp "$artefakte/screens/35-ausdruck-laeuft.png" "$wurzel/docs/screens/"
    klicken "Ausdruck läuft" "@Abbrechen" || return 1
    probe wait-gone "Ausdruck läuft" 10000 || { echo "Fortschritt bleibt offen"; return 1; }
    fokus_erwarten "$T_MA2" "$MA2_EFN" 10000 || { keine_meldung; return 1; }
    keine_meldung || return 1
    # What the pipe got before the end is no complete list.
    sleep 2
    if [[ -s "$dr_ausgabe" ]] && pdfinfo "$dr_ausgabe" >/dev/null 2>&1; then
        local seiten
        seiten=$(pdfinfo "$dr_ausgabe" | sed -nE 's/^Pages: *([0-9]+)/\1/p')
        ((seiten < BASH_REMATCH[1])) || { echo "abgebrochener Auftrag hat alle $seiten Seiten"; return 1; }
    fi
    scannen "${dr_karten[0]}"
    dr_zeilenzahl_erwarten $((dr_lang_zahl + 1)) || { echo "(Scan nach dem Abbruch)"; keine_meldung; return 1; }
}

drucken_laufen() {
    szenario_laufen "Drucken" \
        "dr_ohne_drucker:ohne Drucker: \"Drucken\", \"Weiter\": Meldung, Fokus in EFN, der nächste Scan wirkt" \
        "dr_drucker_einrichten:PDF-Drucker im Präfix (Port in ps2pdf), neuer Start" \
        "dr_erfassen:Typ-2-Veranstaltung mit zweizeiligem Inhalt mit Umlauten und 45 Karten" \
        "dr_liste_drucken:\"Drucken\", \"Weiter\", Druckdialog OK: PDF da, Fokus in EFN, nichts gespeichert" \
        "dr_liste_pruefen:Liste: A4, 4 Seiten mit Kopf und \"Seite k von 4\", alle EFN, Umlaute; Strichcodes in Listenfolge" \
        "dr_nicht_drucken:Druckdialog \"Cancel\" und \"Abbrechen\" in Ausdruck drucken nichts, Fokus in EFN" \
        "dr_bescheinigungen:Strg+P, Bescheinigungen, Enter, OK: 45 Seiten, je EFN als Text und Strichcode" \
        "dr_sonderzeichen:gespeicherte Veranstaltung mit „ “ – € ß im Inhalt: die Liste zeigt sie so" \
        "dr_lang:$dr_lang_zahl Teilnehmer: \"Ausdruck läuft\" zählt die Seiten, \"Abbrechen\" beendet den Auftrag, Fokus in EFN"
}
weitere_szenarien+=(drucken_laufen)
