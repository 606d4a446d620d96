# shellcheck shell=bash
# A card scanned at the door into any window that Karmo shows while a capture form is open: "Ausdruck",
# the print dialog, "Ausdruck läuft", Save As and Open. No digit lands in a box, no Enter presses a
# button, no job starts or stops; each card is in the list, in the order scanned, once the window is
# closed (or at once, for "Ausdruck"). Runs after the printing scenario, whose PDF printer it uses.
vnr_kf=$(mit_pruefziffer 276750000000000240) # Norvia, report type 2
vnr_kf_lang=$(mit_pruefziffer 276750000000000258)
kf_karten=()
for kf_i in 1 2 3 4 5 6 7; do kf_karten+=("$(mit_pruefziffer "7400000000008$kf_i")"); done
unset kf_i
kf_lang_zahl=800

# The list as lines "EFN (8/0)" of the first $1 cards.
kf_liste() {
    local i out=""
    for ((i = 0; i < $1; i++)); do out+="${kf_karten[i]} (8/0)"$'\n'; done
    printf '%s' "${out%$'\n'}"
}
# Gives the X focus to the top-level window titled $1 (a system dialog under Wine has none of its own).
kf_fokus() {
    local id
    id=$(xdotool search --onlyvisible --name "$1" | head -n 1)
    [[ -n $id ]] || { echo "kein Fenster \"$1\""; return 1; }
    xdotool windowfocus --sync "$id" 2>/dev/null || true
}

kf_start() {
    # The printing scenario sets the printer up; run alone, this one does.
    if [[ -z $dr_drucker_bereit ]]; then
        dr_drucker_einrichten || return 1
    else
        hauptmenue_frisch || return 1
    fi
    neue_veranstaltung "$vnr_kf" 3 "$T_MA2" || return 1
    karten_erfassen "$T_MA2" 8 "${kf_karten[0]}" || return 1
    eintippen "$T_MA2" "$MA2_DAUER" "45" || return 1
    eintippen "$T_MA2" "$MA2_UHR_S" "08:00" || return 1
    eintippen "$T_MA2" "$MA2_UHR_E" "08:45"
}
# "Ausdruck" stays open with its choice; the card is listed at once, behind it.
kf_ausdruck() {
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@Anwesenheitsliste zum Unterschreiben" || return 1
    karte "${kf_karten[1]}"
    sleep 1
    fenster_erwarten "$T_AUSDRUCK" 100 || return 1
    ! probe msgbox >/dev/null || { echo "ein Dialog erschien:"; probe msgbox; return 1; }
    [[ $(probe checked "$T_AUSDRUCK" "@Anwesenheitsliste zum Unterschreiben") == 1 ]] || { echo "Wahl geändert"; return 1; }
    bildschirm 37-karte-in-ausdruck "$T_AUSDRUCK"
    klicken "$T_AUSDRUCK" "@Abbrechen" || return 1
    fenster_erwarten "$T_MA2" || return 1
    zeilen_erwarten "$(kf_liste 2)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    keine_meldung
}
# The print dialog: the card's Enter does not press OK; Cancel afterwards prints nothing.
kf_druckdialog() {
    rm -f "$dr_ausgabe"
    klicken "$T_MA2" "@Drucken" || return 1
    fenster_erwarten "$T_AUSDRUCK" || return 1
    klicken "$T_AUSDRUCK" "@Weiter" || return 1
    dr_druckdialog_abwarten || return 1
    kf_fokus '^(Print|Drucken)$' || return 1
    karte "${kf_karten[2]}"
    sleep 1
    grep -qP '\t#32770\t(Print|Drucken)\t' <<<"$(probe windows)" || { echo "der Druckdialog ging mit der Karte zu"; return 1; }
    bildschirm 38-karte-im-druckdialog msgbox
    klicken msgbox "@Cancel" || klicken msgbox "@Abbrechen" || return 1
    probe wait-gone msgbox 5000 || { echo "Druckdialog schließt nicht"; return 1; }
    fokus_erwarten "$T_MA2" "$MA2_EFN" || { keine_meldung; return 1; }
    zeilen_erwarten "$(kf_liste 3)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    sleep 1
    [[ ! -e "$dr_ausgabe" ]] || { echo "die Karte hat einen Ausdruck gestartet"; return 1; }
}
# Save As: the proposed name stays, the card's Enter saves nothing; a person's Escape closes it.
kf_speichern_unter() {
    klicken "$T_MA2" "@Auf Datenträger speichern" || return 1
    meldung_bestaetigen "Datei erfolgreich gespeichert! Sie finden die Datei unter:"$'\n'"c:\\zelva\\Daten\\${vnr_kf}_$heute.XML" || return 1
    fenster_erwarten "$T_SPEICHERN_UNTER" || { keine_meldung; return 1; }
    text_erwarten "$T_SPEICHERN_UNTER" Edit#0 "${vnr_kf}_$heute.XML" || return 1
    karte "${kf_karten[3]}"
    sleep 1
    fenster_erwarten "$T_SPEICHERN_UNTER" 100 || return 1
    text_erwarten "$T_SPEICHERN_UNTER" Edit#0 "${vnr_kf}_$heute.XML" 100 || return 1
    bildschirm 39-karte-in-speichern-unter "$T_SPEICHERN_UNTER"
    xdotool key Escape
    fenster_weg "$T_SPEICHERN_UNTER" 3000 || return 1
    zeilen_erwarten "$(kf_liste 4)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    keine_meldung || return 1
    local weg
    weg=$(find "$laufwerk_c/zelva" -maxdepth 2 -iname "${kf_karten[3]}*")
    [[ -z $weg ]] || { echo "mit der Karte gespeichert: $weg"; return 1; }
}
# Open ("Liste hinzuladen"): the digits do not go into the file-name box.
kf_oeffnen() {
    klicken "$T_MA2" "@Liste hinzuladen" || return 1
    fenster_erwarten "$T_HINZULADEN" || { keine_meldung; return 1; }
    karte "${kf_karten[4]}"
    sleep 1
    fenster_erwarten "$T_HINZULADEN" 100 || return 1
    text_erwarten "$T_HINZULADEN" Edit#0 "" 100 || return 1
    xdotool key Escape
    fenster_weg "$T_HINZULADEN" 3000 || return 1
    zeilen_erwarten "$(kf_liste 5)" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    keine_meldung || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN"
}
# "Ausdruck läuft": the card's Enter does not cancel; the job is whole, and the card is listed after it.
kf_ausdruck_laeuft() {
    local text seiten
    dr_lang_drucken "$vnr_kf_lang" "$kf_lang_zahl" 41000000000000 40-druckdialog-karten || return 1
    kf_fokus '^Ausdruck läuft$' || return 1
    karte "${kf_karten[5]}"
    text=$(probe text "Ausdruck läuft" Static#0)
    [[ $text =~ ^Seite\ [0-9]+\ von\ ([0-9]+)$ ]] || { echo "Fortschritt zeigt: $text (schon zu Ende?)"; return 1; }
    seiten=${BASH_REMATCH[1]}
    probe wait-gone "Ausdruck läuft" 60000 || { echo "Ausdruck endet nicht"; return 1; }
    fokus_erwarten "$T_MA2" "$MA2_EFN" 10000 || { keine_meldung; return 1; }
    keine_meldung || return 1
    dr_zeilenzahl_erwarten $((kf_lang_zahl + 1)) || return 1
    text=$(probe lines "$T_MA2" ListBox#0)
    [[ $(tail -n 1 <<<"$text") == "${kf_karten[5]} (8/0)" ]] || { echo "letzte Zeile ist nicht die Karte"; return 1; }
    dr_pdf_abwarten "$dr_ordner/karten-lang.pdf" || return 1
    gleich "$seiten" "$(pdfinfo "$dr_ordner/karten-lang.pdf" | sed -nE 's/^Pages: *([0-9]+)/\1/p')" || { echo "(Seiten des Auftrags)"; return 1; }
}

karten_in_fenstern_laufen() {
    szenario_laufen "Karten in Fenstern" \
        "kf_start:neue Veranstaltung $vnr_kf (Typ 2), Punkte 8, eine Karte" \
        "kf_ausdruck:Karte in \"Ausdruck\": bleibt offen, Wahl unverändert, Karte erfasst" \
        "kf_druckdialog:Karte in den Druckdialog: kein Ausdruck, nach \"Cancel\" erfasst" \
        "kf_speichern_unter:Karte in Speichern unter: Vorschlag bleibt, nichts gespeichert, nach Escape erfasst" \
        "kf_oeffnen:Karte in \"Liste hinzuladen\": Dateiname bleibt leer, nach Escape erfasst" \
        "kf_ausdruck_laeuft:Karte in \"Ausdruck läuft\" bei $kf_lang_zahl Teilnehmern: Auftrag vollständig, Karte danach erfasst"
}
weitere_szenarien+=(karten_in_fenstern_laufen)
