# shellcheck shell=bash
# The registration list at the door: a table in Windows-1252 with ";" loaded from drive E: through the Open
# dialog, names on scans and "nicht angemeldet" for a walk-in, the count against the registered, a
# participant without a card found by "weiss" and captured, a card scanned while the window is open, a
# UTF-8 table with "," and quotes loaded over it, a workbook refused, and the list found again after the
# event is reopened from the file list.
vnr_al=$(mit_pruefziffer 276750000000000266) # Norvia, report type 2
T_ANMELDELISTE="Anmeldeliste"
al_w=$(mit_pruefziffer 60000000000001) # Weiß
al_m=$(mit_pruefziffer 60000000000002) # Müller
al_o=$(mit_pruefziffer 60000000000003) # Öztürk
al_n=$(mit_pruefziffer 60000000000004) # Neu, in the second table
al_x=$(mit_pruefziffer 60000000000009) # a walk-in
# The labels of the type-2 form: the count and the last card (control ids, 100 + declaration order).
AL_ZAHL=id=140
AL_ZULETZT=id=147
AL_TREFFERZAHL=id=103

# The tables lie in a folder of their own on the stick (the scenario of several doors counts the files
# at its root).
al_ordner="$artefakte/stick/Anmeldungen" # the stick is drive E: (mehrere-tueren.sh)
al_tabellen() {
    mkdir -p "$al_ordner"
    printf 'Nachname;Vorname;Titel;EFN\r\nWeiß;Jürgen;Dr.;%s\r\nMüller;Anna;;%s\r\nÖztürk;Ece;;%s\r\nAdler;Bert;;\r\nZander;Zoe;;1,23457E+14\r\n' \
        "$al_w" "$al_m" "$al_o" | iconv -f UTF-8 -t WINDOWS-1252 >"$al_ordner/anmeldung.csv"
    printf 'Export vom 09.12.2026\n"Familienname","Vorname","Akad. Titel","EFN"\n"Weiß","Jürgen","Dr.","%s"\n"Neu, mit Komma","Nora","","%s"\n' \
        "$al_w" "$al_n" >"$al_ordner/anmeldung-utf8.csv"
    printf 'PK\003\004 eine Arbeitsmappe' >"$al_ordner/anmeldung.xlsx"
}

# The window Anmeldeliste: "Laden…", the path typed into the Open dialog.
al_laden() {
    klicken "$T_ANMELDELISTE" "@Laden…" || return 1
    fenster_erwarten "Anmeldeliste laden" || { keine_meldung; return 1; }
    xdotool type --delay 20 -- "$1"
    xdotool key Return
    fenster_weg "Anmeldeliste laden" 5000
}

al_start() {
    al_tabellen
    hauptmenue_frisch || return 1
    neue_veranstaltung "$vnr_al" 3 "$T_MA2" || return 1
    karten_erfassen "$T_MA2" 8 || return 1
    text_erwarten "$T_MA2" "$AL_ZAHL" "Erfasste Teilnehmer: 0" || return 1
    text_erwarten "$T_MA2" "$AL_ZULETZT" ""
}
al_laden_1252() {
    klicken "$T_MA2" "@Anmeldeliste" || return 1
    fenster_erwarten "$T_ANMELDELISTE" || return 1
    text_erwarten "$T_ANMELDELISTE" "$AL_TREFFERZAHL" "Keine Anmeldeliste geladen." || return 1
    al_laden 'E:\Anmeldungen\anmeldung.csv' || return 1
    meldung_bestaetigen "Anmeldeliste geladen: 5 Anmeldungen, 3 davon mit gültiger EFN."$'\n'"1 ohne EFN."$'\n'"1 mit ungültiger EFN:"$'\n'"Zeile 6: Zander, Zoe (1,23457E+14)"$'\n'"Excel hat lange Nummern gekürzt. Bitte formatieren Sie die EFN-Spalte als Text und speichern Sie die Datei erneut." 41-anmeldeliste-geladen || return 1
    zeilen_erwarten "Adler, Bert – ohne EFN"$'\n'"Müller, Anna – $al_m"$'\n'"Öztürk, Ece – $al_o"$'\n'"Weiß, Dr. Jürgen – $al_w"$'\n'"Zander, Zoe – EFN ungültig" \
        "$T_ANMELDELISTE" ListBox#0 || return 1
    text_erwarten "$T_ANMELDELISTE" "$AL_TREFFERZAHL" "5 von 5 angezeigt" || return 1
    datei_da "$daten/$vnr_al.Anmeldeliste.csv" || return 1
    klicken "$T_ANMELDELISTE" "@Schließen" || return 1
    fenster_erwarten "$T_MA2" || return 1
    text_erwarten "$T_MA2" "$AL_ZAHL" "Erfasste Teilnehmer: 0 (angemeldet: 0 von 3)"
}
al_scannen() {
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    scannen "$al_m"
    text_erwarten "$T_MA2" "$AL_ZULETZT" "Zuletzt: Müller, Anna" || { keine_meldung; return 1; }
    bildschirm 42-name-an-der-tuer "$T_MA2"
    scannen "$al_x"
    text_erwarten "$T_MA2" "$AL_ZULETZT" "Zuletzt: $al_x – nicht angemeldet" || { keine_meldung; return 1; }
    text_erwarten "$T_MA2" "$AL_ZAHL" "Erfasste Teilnehmer: 2 (angemeldet: 1 von 3)" || return 1
    zeilen_erwarten "$al_m (8/0)"$'\n'"$al_x (8/0)" "$T_MA2" ListBox#0
}
# Without a card: Ctrl+F, "weiss", Enter.
al_suchen() {
    xdotool key ctrl+f
    fenster_erwarten "$T_ANMELDELISTE" || return 1
    fokus_erwarten "$T_ANMELDELISTE" Edit#0 || return 1
    xdotool type --delay 120 -- "weiss"
    zeilen_erwarten "Weiß, Dr. Jürgen – $al_w" "$T_ANMELDELISTE" ListBox#0 || return 1
    text_erwarten "$T_ANMELDELISTE" "$AL_TREFFERZAHL" "1 von 1 angezeigt" || return 1
    bildschirm 43-anmeldeliste-suche "$T_ANMELDELISTE"
    xdotool key Return
    fenster_erwarten "$T_MA2" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || { keine_meldung; return 1; }
    zeilen_erwarten "$al_m (8/0)"$'\n'"$al_x (8/0)"$'\n'"$al_w (8/0)" "$T_MA2" ListBox#0 || return 1
    text_erwarten "$T_MA2" "$AL_ZULETZT" "Zuletzt: Weiß, Dr. Jürgen" || return 1
    text_erwarten "$T_MA2" "$AL_ZAHL" "Erfasste Teilnehmer: 3 (angemeldet: 2 von 3)"
}
# A card scanned while the window is open: captured, not typed into the search; the window stays.
al_karte_im_fenster() {
    klicken "$T_MA2" "@Anmeldeliste" || return 1
    fenster_erwarten "$T_ANMELDELISTE" || return 1
    fokus_erwarten "$T_ANMELDELISTE" Edit#0 || return 1
    karte "$al_o"
    zeilen_erwarten "Adler, Bert – ohne EFN"$'\n'"Müller, Anna – $al_m – erfasst"$'\n'"Öztürk, Ece – $al_o – erfasst"$'\n'"Weiß, Dr. Jürgen – $al_w – erfasst"$'\n'"Zander, Zoe – EFN ungültig" \
        "$T_ANMELDELISTE" ListBox#0 || { keine_meldung; return 1; }
    text_erwarten "$T_ANMELDELISTE" Edit#0 "" || return 1
    fenster_erwarten "$T_ANMELDELISTE" 100 || return 1
    bildschirm 44-anmeldeliste "$T_ANMELDELISTE"
    [[ "${KARMO_E2E_DOCS:-0}" == 1 ]] && cp "$artefakte/screens/44-anmeldeliste.png" "$artefakte/screens/42-name-an-der-tuer.png" "$wurzel/docs/screens/"
    keine_meldung
}
# The UTF-8 table with "," and quotes, a title line above its header: the question, Ja, the summary.
al_utf8() {
    al_laden 'E:\Anmeldungen\anmeldung-utf8.csv' || return 1
    local frage="Die Veranstaltung hat schon eine Anmeldeliste mit 5 Anmeldungen. Soll sie ersetzt werden?" ist i
    ist=$(probe wait-msgbox 10000) || { echo "keine Frage erschienen"; return 1; }
    gleich "Karmo"$'\n'"$frage" "$ist" || return 1
    klicken msgbox id=6 || return 1
    # The summary follows at once, where the question stood.
    for ((i = 0; i < 50; i++)); do
        ist=$(probe msgbox) && [[ $ist != "Karmo"$'\n'"$frage" ]] && break
        sleep 0.1
    done
    meldung_bestaetigen "Anmeldeliste geladen: 2 Anmeldungen, 2 davon mit gültiger EFN." || return 1
    zeilen_erwarten "Neu, mit Komma, Nora – $al_n"$'\n'"Weiß, Dr. Jürgen – $al_w – erfasst" "$T_ANMELDELISTE" ListBox#0
}
al_xlsx() {
    al_laden 'E:\Anmeldungen\anmeldung.xlsx' || return 1
    meldung_bestaetigen "Die Datei E:\\Anmeldungen\\anmeldung.xlsx ist eine Arbeitsmappe, keine Textdatei. Bitte speichern Sie die Tabelle als „CSV (Trennzeichen-getrennt)“ und laden Sie diese Datei." || return 1
    zeilen_erwarten "Neu, mit Komma, Nora – $al_n"$'\n'"Weiß, Dr. Jürgen – $al_w – erfasst" "$T_ANMELDELISTE" ListBox#0 || return 1
    xdotool key Escape
    fenster_erwarten "$T_MA2" || return 1
    text_erwarten "$T_MA2" "$AL_ZAHL" "Erfasste Teilnehmer: 4 (angemeldet: 1 von 2)"
}
# Saved, back to the main menu, opened from the file list: the list is the event's.
al_wieder() {
    eintippen "$T_MA2" "$MA2_DAUER" "45" || return 1
    eintippen "$T_MA2" "$MA2_UHR_S" "08:00" || return 1
    eintippen "$T_MA2" "$MA2_UHR_E" "08:45" || return 1
    klicken "$T_MA2" "@ Hauptmenü" || return 1
    fenster_erwarten "$T_AUSWAHL" || { keine_meldung; return 1; }
    # The event's file holds numbers only.
    ! grep -qE 'Weiß|Wei.|Neu' "$daten/${vnr_al}_$heute.XML" || { echo "Namen in der Veranstaltungsdatei"; return 1; }
    dr_oeffnen "$vnr_al" || return 1
    text_erwarten "$T_MA2" "$AL_ZAHL" "Erfasste Teilnehmer: 4 (angemeldet: 1 von 2)" || return 1
    klicken "$T_MA2" "@Anmeldeliste" || return 1
    fenster_erwarten "$T_ANMELDELISTE" || return 1
    zeilen_erwarten "Neu, mit Komma, Nora – $al_n"$'\n'"Weiß, Dr. Jürgen – $al_w – erfasst" "$T_ANMELDELISTE" ListBox#0 || return 1
    klicken "$T_ANMELDELISTE" "@Schließen"
}

anmeldeliste_laufen() {
    szenario_laufen "Anmeldeliste" \
        "al_start:neue Veranstaltung $vnr_al (Typ 2), Punkte 8; ohne Liste die Zahl wie bisher" \
        "al_laden_1252:Tabelle in Windows-1252 mit \";\" von E: über den Öffnen-Dialog: Zusammenfassung Wort für Wort, Zeilen alphabetisch" \
        "al_scannen:Scans zeigen den Namen und \"nicht angemeldet\", die Zahl (angemeldet: 1 von 3)" \
        "al_suchen:Strg+F, \"weiss\", Enter: Weiß ohne Karte erfasst" \
        "al_karte_im_fenster:Karte bei offenem Fenster: erfasst, nicht ins Suchfeld, Zeile \"– erfasst\"" \
        "al_utf8:UTF-8-Tabelle mit \",\" und Anführungszeichen darüber geladen: Frage, Ja, Zusammenfassung" \
        "al_xlsx:.xlsx abgelehnt, die Liste bleibt" \
        "al_wieder:gespeichert, aus der Dateiliste wieder geöffnet: die Liste ist noch da, die Datei ohne Namen"
}
weitere_szenarien+=(anmeldeliste_laufen)
