# shellcheck shell=bash
# A shell that cannot open the browser is said so, with the address; "4,5" points are refused.
vnr_bp=$(mit_pruefziffer 276770000000000205) # Seltavia, report type 1 via "Vortrag und Diskussion"
datei_bp="$daten/$vnr_bp.XML"
# PKT_neu of the type-1 form: the text boxes in reading order are VNR, Punkte, EFN, PKT_neu, referent.
bp_pkt_neu=Edit#3
http_schluessel='HKLM\Software\Classes\http\shell\open\command'

# The address handler of the prefix names a program that does not exist: ShellExecute then fails
# (its result 32 or less) instead of handing the address to the stand-in browser.
http_kaputt() {
    wine reg add "$http_schluessel" /ve /t REG_SZ /d '"C:\nicht\vorhanden.exe" "%1"' /f >/dev/null 2>&1
}
http_heil() {
    wine reg add "$http_schluessel" /ve /t REG_SZ /d '"C:\windows\system32\winebrowser.exe" "%1"' /f >/dev/null 2>&1
}

bp_neu() {
    hauptmenue_frisch || return 1
    neue_veranstaltung "$vnr_bp" 0 "$T_MA1" || return 1
    karten_erfassen "$T_MA1" 8 "$efn1"
}
bp_uebertragen() {
    local adresse="${portal_basis}index.php?page=eingabe&vnr=$vnr_bp&datei=c%3A%5Czelva%5CDaten%5C$vnr_bp.XML"
    : >"$KARMO_BROWSER_PROTOKOLL"
    http_kaputt || { echo "Registry nicht geändert"; return 1; }
    klicken "$T_MA1" "@Diese Daten zur Kammer übertragen" || return 1
    meldung_bestaetigen "Der Browser konnte nicht geöffnet werden. Bitte rufen Sie diese Adresse selbst auf:"$'\n'"$adresse" \
        14-meldung-kein-browser || return 1
    keine_meldung || return 1
    ordnerfenster_schliessen || return 1
    datei_da "$datei_bp" || return 1
    [[ ! -s "$KARMO_BROWSER_PROTOKOLL" ]] || { echo "Browser doch aufgerufen: $(cat "$KARMO_BROWSER_PROTOKOLL")"; return 1; }
}
bp_einsehen() {
    klicken "$T_MA1" "@Schon übertragene Daten einsehen" || return 1
    meldung_bestaetigen "Der Browser konnte nicht geöffnet werden. Bitte rufen Sie diese Adresse selbst auf:"$'\n'"${portal_basis}index.php?page=vnr_intern&vnr=$vnr_bp" || return 1
    keine_meldung
}
# With the handler back, the transfer is confirmed as before and the browser gets the address.
bp_browser_wieder() {
    http_heil || return 1
    klicken "$T_MA1" "@Diese Daten zur Kammer übertragen" || return 1
    meldung_bestaetigen "Die ZELVA-Webseite wird jetzt aufgerufen. "$'\n'"Die zu übertragende Datei Sie finden Sie hier:"$'\n'"c:\\zelva\\Daten\\$vnr_bp.XML" || return 1
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -s "$KARMO_BROWSER_PROTOKOLL" ]] && break
        sleep 0.1
    done
    gleich "${portal_basis}index.php?page=eingabe&vnr=$vnr_bp&datei=c%3A%5Czelva%5CDaten%5C$vnr_bp.XML" \
        "$(cat "$KARMO_BROWSER_PROTOKOLL")" || return 1
    ordnerfenster_schliessen
}
bp_dezimalpunkte() {
    zeile_klicken "$T_MA1" ListBox#0 0 || return 1
    keine_meldung || return 1
    eintippen "$T_MA1" "$bp_pkt_neu" "4,5" || return 1
    klicken "$T_MA1" "@Korrektur" || return 1
    meldung_bestaetigen "Bitte geben Sie ganze Punkte ein!" 15-meldung-ganze-punkte || return 1
    fokus_erwarten "$T_MA1" "$bp_pkt_neu" || return 1
    text_erwarten "$T_MA1" "$bp_pkt_neu" "4,5" || return 1
    zeilen_erwarten "$efn1 (8/0)" "$T_MA1" ListBox#0
}
bp_ende() {
    klicken "$T_MA1" "@Programm beenden" || return 1
    karmo_ende_erwarten || return 1
    ereignisdatei "$soll/browser-punkte.XML" "$vnr_bp" 1 8 "" "" "" "" "" "" "$efn1 8 0"
    datei_gleich "$soll/browser-punkte.XML" "$datei_bp"
}

browser_und_punkte_laufen() {
    szenario_laufen "Browser+Punkte" \
        "bp_neu:Typ-1-Veranstaltung $vnr_bp mit einer Karte" \
        "bp_uebertragen:Übertragung ohne Browser: eine Meldung mit der Adresse, Datei gespeichert" \
        "bp_einsehen:\"Schon übertragene Daten einsehen\" ohne Browser: Meldung mit der Adresse" \
        "bp_browser_wieder:mit Browser: Bestätigung wie bisher, Browser erhielt die Adresse" \
        "bp_dezimalpunkte:\"4,5\" in PKT_neu: Meldung, Fokus bleibt, Zeile unverändert" \
        "bp_ende:\"Programm beenden\" speichert ganze Punkte"
    local ergebnis=$?
    http_heil
    return "$ergebnis"
}
weitere_szenarien+=(browser_und_punkte_laufen)
