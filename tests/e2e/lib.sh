# Shared part of the end-to-end run: the Wine prefix and display, the probe, the step runner, helpers
# that drive and read Karmo.exe, and the test data. Sourced by tests/e2e/run, which sets `wurzel` and `exe`.
# shellcheck shell=bash

artefakte="$wurzel/build/e2e-artifacts"
probe_quelle="$wurzel/tests/e2e/probe/probe.cpp"
probe_exe="$wurzel/build/e2e/probe.exe"

if [[ ! -f "$exe" ]]; then
    echo "Karmo.exe nicht gefunden: $exe" >&2
    exit 2
fi

# ---------------------------------------------------------------------------------------------- set-up

if [[ ! -f "$probe_exe" || "$probe_quelle" -nt "$probe_exe" ]]; then
    mkdir -p "$(dirname "$probe_exe")"
    x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -Wpedantic -Wconversion -Wshadow -Werror -municode -static \
        -o "$probe_exe" "$probe_quelle" -luser32 || { echo "probe.exe: Übersetzung fehlgeschlagen" >&2; exit 2; }
fi

rm -rf "$artefakte"
mkdir -p "$artefakte/screens"

karmo_pid=""
karmo_beenden() {
    if [[ -n "$karmo_pid" ]] && kill -0 "$karmo_pid" 2>/dev/null; then
        kill "$karmo_pid" 2>/dev/null || true
        wait "$karmo_pid" 2>/dev/null || true
        karmo_fenster_weg
    fi
    karmo_pid=""
}
# Wine takes an ended program's windows and its single-start lock down a moment after the process
# itself. A start before that finds the old program still there, brings its window to the front and
# ends: waits (up to 5 s) until no window of Karmo's class is left.
karmo_fenster_weg() {
    local i fenster
    for ((i = 0; i < 50; i++)); do
        # The whole answer is read: the probe answers one question after the other on one pipe.
        fenster=$(probe windows 2>/dev/null) || return 0
        [[ $fenster == *KarmoFenster* ]] || return 0
        sleep 0.1
    done
}
trap 'karmo_beenden' EXIT
# Signals go through exit so that the EXIT trap (ours and wine-env's) cleans up.
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# A display of our own (wine-env starts Xvfb on a display the server picks itself): other programs'
# windows must not take the keyboard focus in the middle of a scenario. KARMO_E2E_DISPLAY names a
# display to watch the run on instead.
if [[ -n "${KARMO_E2E_DISPLAY:-}" ]]; then
    export KARMO_WINE_DISPLAY=$KARMO_E2E_DISPLAY
else
    unset KARMO_WINE_DISPLAY
fi

# shellcheck source=SCRIPTDIR/../../scripts/wine-env.sh
source "$wurzel/scripts/wine-env.sh"
karmo_wine_neu >/dev/null || { echo "Wine-Umgebung konnte nicht angelegt werden" >&2; exit 2; }
# Umlauts reach Wine through xdotool only with a German map (Xvfb runs with -noreset, so it stays).
setxkbmap -display "$DISPLAY" de nodeadkeys
# A backslash (a path typed into the Open and Save As dialogs) needs AltGr on that map, and xdotool's
# AltGr reaches Wine as another key: a key of its own for it, before the programs start.
xmodmap -display "$DISPLAY" -e 'keycode 8 = backslash backslash'

laufwerk_c="$WINEPREFIX/drive_c"
benutzer_ordner=$(find "$laufwerk_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
wine_log="$artefakte/wine.log"

# --------------------------------------------------------------------------------------------- helpers

bestanden=0
gescheitert=0
szenario=""

# One probe process answers every question (see probe.cpp, serve): arguments separated by 0x1F, the
# command ended by 0x1E; the answer's lines follow, then a line of 0x04 and the exit status.
probe_starten() {
    coproc PROBE_DIENST { exec wine "$probe_exe" serve 2>>"$wine_log"; }
}
# Called in this shell or in a command substitution only, never as a process substitution (<(probe ...))
# or in a pipeline whose reader may stop early: the caller would go on while the answer's last line is
# still unread, and every later question would get the answer before its own.
probe() {
    local IFS=$'\x1f' zeile
    printf '%s\x1e' "$*" >&"${PROBE_DIENST[1]}" || return 1
    while IFS= read -r -t 60 zeile <&"${PROBE_DIENST[0]}"; do
        if [[ $zeile == $'\x04'* ]]; then
            return "${zeile#$'\x04'}"
        fi
        printf '%s\n' "$zeile"
    done
    echo "probe antwortet nicht" >&2
    return 1
}
probe_starten

# Runs one step: prints "ok" or "FEHLER" with the step's name; what a failing step printed follows,
# indented and prefixed with "#".
schritt() {
    local name=$1
    shift
    local ausgabe rc beginn_ms
    beginn_ms=$(date +%s%N)
    # In this shell, not a subshell: steps keep state (the program's pid) for the next ones.
    "$@" >"$KARMO_WINE_TMP/schritt.out" 2>&1
    rc=$?
    ausgabe=$(cat "$KARMO_WINE_TMP/schritt.out")
    local dauer
    dauer=$(( ($(date +%s%N) - beginn_ms) / 100000000 ))
    dauer="$((dauer / 10)).$((dauer % 10)) s"
    if ((rc == 0)); then
        bestanden=$((bestanden + 1))
        printf 'ok     %s: %s (%s)\n' "$szenario" "$name" "$dauer"
    else
        gescheitert=$((gescheitert + 1))
        printf 'FEHLER %s: %s (%s)\n' "$szenario" "$name" "$dauer"
        [[ -n "$ausgabe" ]] && printf '%s\n' "$ausgabe" | sed 's/^/         # /'
        bildschirm "fehler-${szenario%% *}-$(printf '%s' "$name" | tr -c 'A-Za-z0-9' '_' | cut -c1-40)"
    fi
    return "$rc"
}

# Screenshot of the whole screen as an artifact; with a window title also a crop of that window.
bildschirm() {
    local name=$1 fenster=${2:-}
    [[ -n "$fenster" ]] && probe settle "$fenster"
    import -window root "$artefakte/$name.png" 2>/dev/null || return 0
    if [[ -n "$fenster" ]]; then
        local rechteck x y b h
        rechteck=$(probe rect "$fenster") && [[ -n $rechteck ]] || return 0
        read -r x y b h <<<"$rechteck"
        convert "$artefakte/$name.png" -crop "${b}x${h}+${x}+${y}" +repage "$artefakte/screens/$name.png" 2>/dev/null || true
    fi
}

# Prints a difference of two texts (wanted, got) for a failing step.
unterschied() {
    printf 'erwartet: %q\n' "$1"
    printf 'erhalten: %q\n' "$2"
}

gleich() {
    [[ "$1" == "$2" ]] && return 0
    unterschied "$1" "$2"
    return 1
}

fenster_erwarten() {
    probe wait-window "$1" "${2:-10000}" && return 0
    echo "Fenster \"$1\" erschien nicht; sichtbar:"
    probe windows
    return 1
}

fenster_weg() {
    probe wait-gone "$1" "${2:-10000}" && return 0
    echo "Fenster \"$1\" ist noch sichtbar"
    return 1
}

# Clicks a control with the real pointer (move and click in one call; --sync would stall).
klicken() {
    local punkt x y
    if ! punkt=$(probe point "$1" "$2") || [[ -z $punkt ]]; then
        echo "Steuerelement $2 in \"$1\" nicht gefunden; vorhanden:"
        probe controls "$1"
        return 1
    fi
    read -r x y <<<"$punkt"
    xdotool mousemove "$x" "$y" click 1
}

zeile_klicken() {
    local punkt x y
    punkt=$(probe item-point "$1" "$2" "$3") && [[ -n $punkt ]] || { echo "Zeile $3 von $2 in \"$1\" nicht gefunden"; return 1; }
    read -r x y <<<"$punkt"
    xdotool mousemove "$x" "$y" click 1
}

fokus_erwarten() {
    probe wait-focus "$1" "$2" "${3:-5000}" && return 0
    echo "Fokus nicht in $2 von \"$1\"; Fokus: $(probe focus)"
    return 1
}

# Clicks into a text box, waits for its focus, then types (keys typed without an active Wine window
# would be lost).
eintippen() {
    klicken "$1" "$2" || return 1
    fokus_erwarten "$1" "$2" || return 1
    xdotool type --delay 1 -- "$3"
}

# A card read by the scanner: its digits typed as a keyboard wedge types them, then Enter.
scannen() {
    xdotool type --delay 1 -- "$1"
    xdotool key Return
}

text_erwarten() {
    local ist
    ist=$(probe wait-text "$1" "$2" "$3" "${4:-5000}") && return 0
    echo "Text von $2 in \"$1\":"
    unterschied "$3" "$ist"
    return 1
}

zeilen_erwarten() {
    local soll=$1 fenster=$2 auswahl=$3 sortiert=${4:-} ist i
    for ((i = 0; i < 50; i++)); do
        ist=$(probe lines "$fenster" "$auswahl")
        [[ -n "$sortiert" ]] && ist=$(sort <<<"$ist")
        [[ "$ist" == "$soll" ]] && return 0
        sleep 0.1
    done
    echo "Zeilen von $auswahl in \"$fenster\":"
    unterschied "$soll" "$ist"
    return 1
}

# Waits for a Ja/Nein question titled "Karmo", compares its text with $1, saves shot $3 when given and
# presses the button of id $2 (6 Ja, 7 Nein) with the pointer.
frage_beantworten() {
    local soll=$1 knopf=$2 schuss=${3:-} ist
    ist=$(probe wait-msgbox 20000) || { echo "keine Frage erschienen; erwartet: $soll"; return 1; }
    [[ -n "$schuss" ]] && bildschirm "$schuss" msgbox
    gleich "Karmo" "${ist%%$'\n'*}" || { echo "(Titel der Frage)"; return 1; }
    gleich "$soll" "${ist#*$'\n'}" || return 1
    klicken msgbox "id=$knopf" || return 1
    probe wait-gone msgbox 5000 || { echo "Frage schließt nicht"; return 1; }
}

# The type-2 capture form's boxes from the number to the content, in reading order: VNR, Punkte,
# Datum_von, DATUM_BIS, Dauer, Uhrzeit_s, Uhrzeit_e, Inhalt.
ma2_felder_erwarten() {
    local soll feld i=1
    for feld in "$MA2_VNR" "$MA2_PUNKTE" "$MA2_DATUM_VON" "$MA2_DATUM_BIS" "$MA2_DAUER" "$MA2_UHR_S" "$MA2_UHR_E" "$MA2_INHALT"; do
        soll=${!i}
        text_erwarten "$T_MA2" "$feld" "$soll" || return 1
        i=$((i + 1))
    done
}

# Waits for a message box, compares title and text, saves a shot and presses OK with the pointer.
meldung_bestaetigen() {
    local soll=$1 schuss=${2:-} ist titel text
    if ! ist=$(probe wait-msgbox 10000); then
        echo "keine Meldung erschienen; erwartet: $soll"
        return 1
    fi
    titel=${ist%%$'\n'*}
    text=${ist#*$'\n'}
    [[ -n "$schuss" ]] && bildschirm "$schuss" msgbox
    gleich "Karmo" "$titel" || { echo "(Titel der Meldung)"; meldung_schliessen; return 1; }
    gleich "$soll" "$text" || { meldung_schliessen; return 1; }
    meldung_schliessen
}

meldung_schliessen() {
    klicken msgbox id=1 || return 1
    probe wait-gone msgbox 5000 || { echo "Meldung schließt nicht"; return 1; }
}

keine_meldung() {
    local ist
    if ist=$(probe msgbox); then
        echo "unerwartete Meldung:"
        printf '%s\n' "$ist"
        meldung_schliessen
        return 1
    fi
}

# After a transfer the file manager opens on the data folder ("Daten") and takes the foreground: waits
# for it and closes it, so that the next steps reach Karmo's window.
ordnerfenster_schliessen() {
    local i
    fenster_erwarten "Daten" 15000 || return 1
    for ((i = 0; i < 10; i++)); do
        probe close "Daten" || break
        probe wait-gone "Daten" 2000 && return 0
    done
    fenster_weg "Daten" 0
}

karmo_starten() {
    local pfad=$1 ordner=$2
    karmo_beenden
    (cd "$ordner" && exec wine "$pfad" >>"$wine_log" 2>&1) &
    karmo_pid=$!
}

# The program has ended: the wine process of its run is gone.
karmo_ende_erwarten() {
    local i
    for ((i = 0; i < 100; i++)); do
        if ! kill -0 "$karmo_pid" 2>/dev/null; then
            wait "$karmo_pid" 2>/dev/null
            karmo_pid=""
            karmo_fenster_weg
            return 0
        fi
        sleep 0.1
    done
    echo "Karmo läuft nach 10 s noch; Fenster:"
    probe windows
    return 1
}

datei_gleich() {
    local soll=$1 datei=$2
    [[ -f "$datei" ]] || { echo "Datei fehlt: $datei"; ls -la "$(dirname "$datei")" 2>&1; return 1; }
    cmp -s "$soll" "$datei" && return 0
    echo "Inhalt von $datei weicht ab:"
    diff <(od -c "$soll") <(od -c "$datei") | head -n 20
    return 1
}

datei_da() { [[ -f "$1" ]] || { echo "fehlt: $1"; return 1; }; }

# Luhn check digit of a digit string (weights 2 and 1 from the right).
pruefziffer() {
    local nutz=$1 summe=0 k=1 i d w
    for ((i = ${#nutz} - 1; i >= 0; i--)); do
        d=${nutz:i:1}
        if ((k % 2 == 1)); then
            w=$((2 * d))
            ((w >= 10)) && w=$((1 + w % 10))
        else
            w=$d
        fi
        summe=$((summe + w))
        k=$((k + 1))
    done
    echo $(((10 - summe % 10) % 10))
}

mit_pruefziffer() { echo "$1$(pruefziffer "$1")"; }

# The expected event file, from the known inputs (Windows-1252, CR LF).
ereignisdatei() {
    local ziel=$1 vnr=$2 art=$3 punkte=$4 von=$5 bis=$6 inhalt=$7 dauer=$8 uvon=$9 ubis=${10}
    shift 10
    local -a teilnehmer=("$@")
    {
        printf '%s\r\n' '<?xml version="1.0" encoding="iso-8859-15" ?>' '<Veranstaltung>' \
            '<Dateiversion>A1.0</Dateiversion>' '<Erstellt_durch>Karmo V1.051</Erstellt_durch>' "<VNR>$vnr</VNR>"
        printf '%s\r\n' "<Datum_von>$von</Datum_von>" "<Datum_bis>$bis</Datum_bis>" \
            "<Bemerkung>${inhalt//$'\n'/$'\r\n'}</Bemerkung>" "<Dauer>$dauer</Dauer>" \
            "<Uhrzeit_von>$uvon</Uhrzeit_von>" "<Uhrzeit_bis>$ubis</Uhrzeit_bis>"
        printf '%s\r\n' "<Punkte>$punkte</Punkte>" '<eMail></eMail >' \
            "<Teilnehmeranzahl>${#teilnehmer[@]}</Teilnehmeranzahl>" "<Meldungsart>$art</Meldungsart>"
        local t efn basis ref
        for t in "${teilnehmer[@]}"; do
            read -r efn basis ref <<<"$t"
            printf '%s\r\n' '<Teilnehmer>' " <EFN>$efn</EFN>" " <Punkte_Basis>$basis</Punkte_Basis>" \
                ' <Punkte_Interaktivitaet>0</Punkte_Interaktivitaet>' ' <Punkte_Lernkontrolle>0</Punkte_Lernkontrolle>' \
                " <Punkte_Referent>$ref</Punkte_Referent>" '</Teilnehmer>'
        done
        printf '%s\r\n' '</Veranstaltung>'
    } | iconv -f UTF-8 -t CP1252 >"$ziel"
}

# ---------------------------------------------------------------------------------- test data, names

heute=$(date +%d.%m.%Y)
portal_basis=$(sed -nE 's/.*k_portal_basis *= *"([^"]*)".*/\1/p' "$wurzel/src/checks/portal.cpp" | head -n 1)

# Window titles.
T_EINRICHTUNG="Einrichtung von Karmo"
T_AUSWAHL="Karmo Version 1.05"
T_VNR="Eingabe der VNR"
T_KAT="Kategorie"
T_MA2="Karmo - Teilnehmererfassung"
T_MA1="Karmo Teilnehmererfassung"
T_DATEI="Veranstaltungsdaten laden"
T_UPDATE="Softwareupdate"

# Text boxes of the capture forms in reading order (top to bottom, rows left to right).
MA2_VNR=Edit#0 MA2_PUNKTE=Edit#1 MA2_DATUM_VON=Edit#2 MA2_DATUM_BIS=Edit#3 MA2_DAUER=Edit#4
MA2_UHR_S=Edit#5 MA2_UHR_E=Edit#6 MA2_INHALT=Edit#7 MA2_EFN=Edit#8 MA2_PKT_NEU=Edit#9 MA2_REFERENT=Edit#10
MA1_VNR=Edit#0 MA1_PUNKTE=Edit#1 MA1_EFN=Edit#2

vnr2=$(mit_pruefziffer 276750123456789012)   # Norvia, report type 2 via category 4
vnr1=$(mit_pruefziffer 276770987654321098)   # Seltavia, report type 1 via category 1
vnr3=$(mit_pruefziffer 276750000000000042)   # Norvia, only opened to empty the form
efn1=$(mit_pruefziffer 10000000000001)
efn2=$(mit_pruefziffer 12345678901234)
efn3=$(mit_pruefziffer 55500012345678)
efn_falsch_nutz=20000000000002
efn_falsch_soll=$(pruefziffer $efn_falsch_nutz)
efn_falsch="$efn_falsch_nutz$(((efn_falsch_soll + 3) % 10))"
inhalt_1="Supervision für Ärzte"
inhalt_2="Fallbesprechung & Übungen"

daten="$laufwerk_c/zelva/Daten"
datei2="$daten/${vnr2}_$heute.XML"
datei2_name="${vnr2}_$heute.XML"
soll="$artefakte/soll"
mkdir -p "$soll"

# Runs the steps of a scenario until the first failure.
szenario_laufen() {
    szenario=$1
    shift
    local s ergebnis=0
    for s in "$@"; do
        if [[ $s == "~"* ]]; then
            # A check the later steps do not build on: the scenario goes on after its failure.
            s=${s#"~"}
            schritt "${s#*:}" "${s%%:*}" || ergebnis=1
        else
            schritt "${s#*:}" "${s%%:*}" || { ordnerfenster_aufraeumen; return 1; }
        fi
    done
    ((ergebnis == 0)) || ordnerfenster_aufraeumen
    return "$ergebnis"
}
# A scenario that failed may leave the file manager open; it belongs to another process and would keep
# the foreground through the next scenarios, so that their keys and clicks went to it.
ordnerfenster_aufraeumen() {
    [[ $(probe windows 2>/dev/null) == *$'ExplorerWClass\tDaten'* ]] || return 0
    ordnerfenster_schliessen >/dev/null
}

# A new event from the main menu: "Eine neue Teilnehmerliste anlegen", the number $1 scanned, line $2
# of the categories (0 for report type 1, 3 for type 2), "Weiter"; the capture form $3 then shows with
# the focus in its points box.
neue_veranstaltung() {
    local vnr=$1 kategorie=$2 form=$3 punkte=$MA1_PUNKTE
    [[ $form == "$T_MA2" ]] && punkte=$MA2_PUNKTE
    klicken "$T_AUSWAHL" "@Eine neue Teilnehmerliste anlegen" || return 1
    fenster_erwarten "$T_VNR" || return 1
    fokus_erwarten "$T_VNR" Edit#0 || return 1
    scannen "$vnr"
    fenster_erwarten "$T_KAT" || { keine_meldung; return 1; }
    zeile_klicken "$T_KAT" ListBox#0 "$kategorie" || return 1
    klicken "$T_KAT" "@Weiter" || return 1
    fenster_erwarten "$form" || { keine_meldung; return 1; }
    fokus_erwarten "$form" "$punkte"
}

# In capture form $1 with the focus in its points box: the points $2 typed, then the cards $3... scanned
# into EFN, which the list then shows in that order, each with those points.
karten_erfassen() {
    local form=$1 punkte=$2 efn=$MA1_EFN soll="" karte
    shift 2
    [[ $form == "$T_MA2" ]] && efn=$MA2_EFN
    xdotool type --delay 1 -- "$punkte"
    klicken "$form" "$efn" || return 1
    fokus_erwarten "$form" "$efn" || { keine_meldung; return 1; }
    for karte in "$@"; do
        scannen "$karte"
        soll+="${soll:+$'\n'}$karte ($punkte/0)"
    done
    zeilen_erwarten "$soll" "$form" ListBox#0 || { keine_meldung; return 1; }
}

# Ends a running Karmo and starts the installed program again, ready at the main menu (for a scenario
# that begins from an installed program and does not build on the state an earlier one left).
hauptmenue_frisch() {
    karmo_beenden
    # A scenario before may have ended Karmo with unsaved changes in a capture form: their journal would have
    # this start ask about restoring them first.
    rm -rf "$laufwerk_c/zelva/Sicherung"
    printf '1.051\r\n' >"$laufwerk_c/zelva/config.ini"
    karmo_starten 'c:\zelva\Karmo.exe' "$laufwerk_c/zelva"
    fenster_erwarten "$T_AUSWAHL" 20000
}
