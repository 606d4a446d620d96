# shellcheck shell=bash
# At the door: cards at scanner speed into message boxes and into other boxes, a person's typing,
# the count under the list, and a second start while the program runs.
vnr_tuer=$(mit_pruefziffer 276750000000000077) # Norvia, a new type-2 event
# Eight cards as they come at the door: the third repeats the first, the sixth is misread (wrong check digit).
k6_1=$(mit_pruefziffer 74000000000001)
k6_2=$(mit_pruefziffer 74000000000002)
k6_4=$(mit_pruefziffer 74000000000004)
k6_5=$(mit_pruefziffer 74000000000005)
k6_6_nutz=74000000000006
k6_6_soll=$(pruefziffer $k6_6_nutz)
k6_6="$k6_6_nutz$(((k6_6_soll + 5) % 10))"
k6_7=$(mit_pruefziffer 74000000000007)
k6_8=$(mit_pruefziffer 74000000000008)
k6_karten=("$k6_1" "$k6_2" "$k6_1" "$k6_4" "$k6_5" "$k6_6" "$k6_7" "$k6_8")
k6_neu=("$k6_1" "$k6_2" "$k6_4" "$k6_5" "$k6_7" "$k6_8")
K6_DOPPELT="Diese Nummer ist in der Liste schon vorhanden!"
K6_PRUEFZIFFER="Die EFN ist nicht korrekt. Bitte überprüfen Sie die Eingabe! ($k6_6_soll)"

# The keys of one card as a barcode scanner types them: digits and Return, 5 ms apart.
karte_tasten() {
    local efn=$1 i
    for ((i = 0; i < ${#efn}; i++)); do printf '%s ' "${efn:i:1}"; done
    printf 'Return'
}
# shellcheck disable=SC2046 # one word per key
karte() { xdotool key --delay 5 $(karte_tasten "$1"); }

# The list as lines "EFN (8/0)" of the given numbers.
k6_liste() {
    local efn out=""
    for efn in "$@"; do out+="$efn (8/0)"$'\n'; done
    printf '%s' "${out%$'\n'}"
}

zahl_erwarten() {
    probe wait-text "$T_MA2" "@Erfasste Teilnehmer: $1" "Erfasste Teilnehmer: $1" 5000 >/dev/null && return 0
    echo "keine Anzeige \"Erfasste Teilnehmer: $1\"; Beschriftungen:"
    local alle
    alle=$(probe controls "$T_MA2")
    grep -i static <<<"$alle"
    return 1
}

s6_start() {
    hauptmenue_frisch || return 1
    klicken "$T_AUSWAHL" "@Eine neue Teilnehmerliste anlegen" || return 1
    fenster_erwarten "$T_VNR" || return 1
    fokus_erwarten "$T_VNR" Edit#0 || return 1
    xdotool type --delay 1 -- "$vnr_tuer"
    xdotool key Return
    fenster_erwarten "$T_KAT" || { keine_meldung; return 1; }
    zeile_klicken "$T_KAT" ListBox#0 3 || return 1
    klicken "$T_KAT" "@Weiter" || return 1
    fenster_erwarten "$T_MA2" || { keine_meldung; return 1; }
    fokus_erwarten "$T_MA2" "$MA2_PUNKTE" || return 1
    zahl_erwarten 0 || return 1
    xdotool type --delay 1 -- "8"
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    text_erwarten "$T_MA2" "$MA2_PUNKTE" "8"
}

# All eight back to back at 5 ms a key: the fourth card is typed into the duplicate's message and the
# seventh into the check digit's; each closes its box and is captured. Every box seen on the way
# must be one of the two expected messages.
s6_schnell() {
    local tasten="" k gesehen=() t
    for k in "${k6_karten[@]}"; do tasten+="$(karte_tasten "$k") "; done
    # shellcheck disable=SC2086 # one word per key
    xdotool key --delay 5 $tasten &
    local xdo=$!
    # A box caught while it is still being built shows its title only.
    while kill -0 "$xdo" 2>/dev/null; do
        t=$(probe msgbox) && [[ $t == *$'\n'* ]] && gesehen+=("${t#*$'\n'}")
    done
    wait "$xdo"
    zeilen_erwarten "$(k6_liste "${k6_neu[@]}")" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
    for t in "${gesehen[@]}"; do
        [[ $t == "$K6_DOPPELT" || $t == "$K6_PRUEFZIFFER" ]] || { echo "unerwartete Meldung: $t"; return 1; }
    done
    echo "gesehene Meldungen: ${#gesehen[@]}"
    keine_meldung || return 1
    text_erwarten "$T_MA2" "$MA2_EFN" "" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
    zahl_erwarten 6
}

# Removing lines one by one counts down.
s6_loeschen() {
    local n
    for ((n = 5; n >= 0; n--)); do
        zeile_klicken "$T_MA2" ListBox#0 0 || return 1
        klicken "$T_MA2" "@EFN löschen" || return 1
        zahl_erwarten "$n" || return 1
    done
    zeilen_erwarten "" "$T_MA2" ListBox#0 || return 1
    klicken "$T_MA2" "$MA2_EFN" || return 1
    fokus_erwarten "$T_MA2" "$MA2_EFN"
}

# The same cards 1.5 s apart: the messages stay on screen until the next card closes them.
s6_langsam() {
    local i k soll
    for i in "${!k6_karten[@]}"; do
        k=${k6_karten[i]}
        karte "$k"
        soll=""
        ((i == 2)) && soll=$K6_DOPPELT
        ((i == 5)) && soll=$K6_PRUEFZIFFER
        if [[ -n $soll ]]; then
            local ist
            ist=$(probe wait-msgbox 3000) || { echo "Karte $((i + 1)): keine Meldung"; return 1; }
            gleich "Karmo"$'\n'"$soll" "$ist" || return 1
            ((i == 2)) && bildschirm 14-meldung-doppelt-scan msgbox
        fi
        sleep 1.5
        if [[ -z $soll ]]; then keine_meldung || { echo "(nach Karte $((i + 1)))"; return 1; }; fi
    done
    zeilen_erwarten "$(k6_liste "${k6_neu[@]}")" "$T_MA2" ListBox#0 || return 1
    keine_meldung || return 1
    zahl_erwarten 6 || return 1
    bildschirm 15-teilnehmererfassung-zahl "$T_MA2"
}

# A card scanned while another box has the focus: the box keeps its text, the card is listed, the
# focus is in EFN.
s6_andere_felder() {
    local inhalt datum feld efn liste=("${k6_neu[@]}") nr=11
    inhalt=$(probe text "$T_MA2" "$MA2_INHALT")
    datum=$(probe text "$T_MA2" "$MA2_DATUM_VON")
    for feld in "$MA2_INHALT" "$MA2_PUNKTE" "$MA2_DATUM_VON"; do
        klicken "$T_MA2" "$feld" || return 1
        fokus_erwarten "$T_MA2" "$feld" || return 1
        efn=$(mit_pruefziffer "740000000000$nr")
        nr=$((nr + 1))
        karte "$efn"
        liste+=("$efn")
        zeilen_erwarten "$(k6_liste "${liste[@]}")" "$T_MA2" ListBox#0 || { keine_meldung; return 1; }
        fokus_erwarten "$T_MA2" "$MA2_EFN" || return 1
        keine_meldung || return 1
    done
    text_erwarten "$T_MA2" "$MA2_INHALT" "$inhalt" || return 1
    text_erwarten "$T_MA2" "$MA2_PUNKTE" "8" || return 1
    text_erwarten "$T_MA2" "$MA2_DATUM_VON" "$datum" || return 1
    zahl_erwarten 9
}

# A person typing 15 digits at 120 ms a key into Inhalt: they stay there.
s6_mensch() {
    local inhalt ziffern=$k6_1 liste
    liste=$(probe lines "$T_MA2" ListBox#0)
    inhalt=$(probe text "$T_MA2" "$MA2_INHALT")
    klicken "$T_MA2" "$MA2_INHALT" || return 1
    fokus_erwarten "$T_MA2" "$MA2_INHALT" || return 1
    xdotool key End
    # xdotool's "type" spaces keys by about half its delay; "key" by the delay itself.
    # shellcheck disable=SC2046 # one word per key
    xdotool key --delay 120 $(sed 's/./& /g' <<<"$ziffern")
    text_erwarten "$T_MA2" "$MA2_INHALT" "$inhalt$ziffern" || return 1
    zeilen_erwarten "$liste" "$T_MA2" ListBox#0 || return 1
    fokus_erwarten "$T_MA2" "$MA2_INHALT"
}

# A second start while the program runs: it ends with 0, shows no window of its own and brings the
# running program's window to the front.
zweitstart() {
    local ordner=$1 pfad=$2 titel=$3 rc anzahl fenster
    (cd "$ordner" && timeout 60 wine "$pfad" >>"$wine_log" 2>&1)
    rc=$?
    gleich 0 "$rc" || { echo "(Exit-Code des zweiten Starts)"; return 1; }
    # Not in a pipeline: the probe's descriptors are not open in a pipeline's subshell.
    fenster=$(probe windows)
    anzahl=$(grep -c -- "$titel" <<<"$fenster")
    gleich 1 "$anzahl" || { echo "(Fenster \"$titel\")"; printf '%s\n' "$fenster"; return 1; }
    gleich "$titel" "$(probe active)" || { echo "(Vordergrund)"; return 1; }
}

# Another program (Wine's Notepad) in front first: the second start must bring the capture form back.
s6_zweitstart() {
    local editor i vorn="" rc=0
    wine notepad >>"$wine_log" 2>&1 &
    editor=$!
    for ((i = 0; i < 100; i++)); do
        vorn=$(probe active)
        [[ -n $vorn && $vorn != "$T_MA2" ]] && break
        sleep 0.1
    done
    if [[ -z $vorn || $vorn == "$T_MA2" ]]; then
        echo "kein anderes Fenster vorn"
        rc=1
    else
        zweitstart "$laufwerk_c/zelva" 'c:\zelva\Karmo.exe' "$T_MA2" || rc=1
        probe wait-gone "$T_AUSWAHL" 0 || { echo "zweites Hauptmenü"; rc=1; }
    fi
    kill "$editor" 2>/dev/null
    wait "$editor" 2>/dev/null
    return "$rc"
}

s6_zweitstart_update() {
    karmo_beenden
    printf '1.050\r\n' >"$laufwerk_c/zelva/config.ini"
    karmo_starten 'c:\Downloads\Karmo.exe' "$laufwerk_c/Downloads"
    fenster_erwarten "$T_UPDATE" 20000 || return 1
    zweitstart "$laufwerk_c/zelva" 'c:\zelva\Karmo.exe' "$T_UPDATE" || return 1
    local alt
    alt=$(cat "$laufwerk_c/zelva/config.ini")
    gleich $'1.050\r' "$alt" || { echo "(config.ini vom zweiten Start verändert)"; return 1; }
    karmo_beenden
    printf '1.051\r\n' >"$laufwerk_c/zelva/config.ini"
}

# The same during the setup: without c:\zelva\Karmo.exe the start from Downloads shows it.
s6_zweitstart_einrichtung() {
    karmo_beenden
    mv "$laufwerk_c/zelva/Karmo.exe" "$laufwerk_c/zelva/Karmo.exe.weg" || return 1
    karmo_starten 'c:\Downloads\Karmo.exe' "$laufwerk_c/Downloads"
    local rc=0
    if fenster_erwarten "$T_EINRICHTUNG" 20000; then
        zweitstart "$laufwerk_c/Downloads" 'c:\Downloads\Karmo.exe' "$T_EINRICHTUNG" || rc=1
        [[ -f "$laufwerk_c/zelva/Karmo.exe" ]] && { echo "zweiter Start hat installiert"; rc=1; }
    else
        rc=1
    fi
    karmo_beenden
    mv "$laufwerk_c/zelva/Karmo.exe.weg" "$laufwerk_c/zelva/Karmo.exe"
    return "$rc"
}

s6_laufen() {
    szenario_laufen "An der Tür" \
        "s6_start:neue Veranstaltung $vnr_tuer, Punkte 8, \"Erfasste Teilnehmer: 0\"" \
        "s6_schnell:acht Karten, 5 ms je Taste, ohne Pause: sechs neue erfasst, nur die zwei Meldungen" \
        "s6_loeschen:sechs Zeilen gelöscht, die Zahl zählt mit" \
        "s6_langsam:acht Karten, 1,5 s Abstand: Meldungen doppelt und Prüfziffer, sechs erfasst" \
        "s6_andere_felder:Karten bei Fokus in Inhalt, Punkte, Datum: erfasst, Felder unverändert" \
        "s6_mensch:15 Ziffern mit 120 ms je Taste bleiben in Inhalt" \
        "s6_zweitstart:zweiter Start bei Editor vorn: Exit-Code 0, kein zweites Fenster, Erfassung wieder vorn" \
        "s6_zweitstart_update:zweiter Start während des Updates: Exit-Code 0, nur ein Fenster" \
        "s6_zweitstart_einrichtung:zweiter Start während der Einrichtung: Exit-Code 0, nur ein Fenster"
}
weitere_szenarien+=(s6_laufen)
