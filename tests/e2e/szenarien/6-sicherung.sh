# shellcheck shell=bash
# 6. Karmo killed with unsaved changes: the next start offers the journal. Ja restores the form exactly;
#    Nein keeps the journal under c:\zelva\Sicherung\verworfen\ and the start after that does not ask.
s6_ordner="$laufwerk_c/zelva/Sicherung"
s6_vnr=$(mit_pruefziffer 276750555555555555) # Norvia, used by no other scenario
s6_inhalt="Sicherung: Supervision am Abend"
s6_frage="Karmo wurde beendet, ohne die Teilnehmerliste der Veranstaltung $s6_vnr zu speichern (2 Teilnehmer erfasst). Soll sie wiederhergestellt werden?"

# Kills the running program as a power cut or the task manager would: no window gets a word of it.
s6_toeten() {
    [[ -n "$karmo_pid" ]] || { echo "Karmo läuft nicht"; return 1; }
    kill -KILL "$karmo_pid" 2>/dev/null
    wait "$karmo_pid" 2>/dev/null
    karmo_pid=""
    probe wait-gone "$T_MA2" 10000 >/dev/null || { echo "Erfassung noch sichtbar"; return 1; }
}

s6_erfassen() {
    hauptmenue_frisch || return 1
    neue_veranstaltung "$s6_vnr" 3 "$T_MA2" || return 1
    karten_erfassen "$T_MA2" 7 "$efn2" "$efn3" || return 1
    eintippen "$T_MA2" "$MA2_INHALT" "$s6_inhalt" || return 1
    text_erwarten "$T_MA2" "$MA2_INHALT" "$s6_inhalt"
}
s6_abbruch() {
    sleep 1
    s6_toeten || return 1
    datei_da "$s6_ordner/Erfassung.jnl" || return 1
    [[ -z "$(ls -A "$daten" 2>/dev/null | grep -F "$s6_vnr")" ]] || { echo "eine Datei von $s6_vnr wurde gespeichert"; return 1; }
}
s6_ja() {
    karmo_starten 'c:\zelva\Karmo.exe' "$laufwerk_c/zelva"
    frage_beantworten "$s6_frage" 6 16-frage-sicherung || return 1
    fenster_erwarten "$T_MA2" || { keine_meldung; return 1; }
    ma2_felder_erwarten "$s6_vnr" 7 "$heute" "$heute" "" "" "" "$s6_inhalt" || return 1
    zeilen_erwarten "$efn2 (7/0)"$'\n'"$efn3 (7/0)" "$T_MA2" ListBox#0 || return 1
    if probe wait-window "$T_AUSWAHL" 0 >/dev/null; then echo "Hauptmenü sichtbar"; return 1; fi
    bildschirm 17-wiederhergestellt "$T_MA2"
}
s6_nein() {
    s6_toeten || return 1
    datei_da "$s6_ordner/Erfassung.jnl" || return 1
    karmo_starten 'c:\zelva\Karmo.exe' "$laufwerk_c/zelva"
    frage_beantworten "$s6_frage" 7 16-frage-sicherung || return 1
    fenster_erwarten "$T_AUSWAHL" || { keine_meldung; return 1; }
    [[ ! -e "$s6_ordner/Erfassung.jnl" ]] || { echo "Sicherung liegt noch an ihrem Platz"; return 1; }
    local beiseite
    beiseite=$(ls "$s6_ordner/verworfen" 2>/dev/null)
    gleich "Erfassung_$(date +%Y-%m-%d)_1.jnl" "$beiseite"
}
s6_nicht_wieder() {
    klicken "$T_AUSWAHL" "@Programm schließen" || return 1
    karmo_ende_erwarten || return 1
    karmo_starten 'c:\zelva\Karmo.exe' "$laufwerk_c/zelva"
    fenster_erwarten "$T_AUSWAHL" 20000 || { keine_meldung; return 1; }
    sleep 1
    keine_meldung
}

szenario_sicherung() {
    szenario_laufen "6 Sicherung" \
        "s6_erfassen:neue Veranstaltung $s6_vnr: Punkte, zwei Scans, Inhalt getippt, nichts gespeichert" \
        "s6_abbruch:Karmo 1 s danach getötet; Sicherung liegt in c:\\zelva\\Sicherung" \
        "s6_ja:Start fragt; Ja stellt die Erfassung genau wieder her" \
        "s6_nein:erneut getötet; Nein legt die Sicherung unter verworfen\\ ab, Hauptmenü" \
        "s6_nicht_wieder:der nächste Start fragt nicht mehr"
}
weitere_szenarien+=(szenario_sicherung)
