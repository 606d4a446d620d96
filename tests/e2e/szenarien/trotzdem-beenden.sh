# shellcheck shell=bash
# A save that cannot succeed does not trap the user: with a read-only Daten folder "Programm beenden"
# reports the error and asks whether to end anyway; Ja ends Karmo, and the next start offers the journal.
vnr_tb=$(mit_pruefziffer 276770000000000312) # Seltavia, report type 1 via "Vortrag und Diskussion"
datei_tb="$daten/$vnr_tb.XML"
tb_frage="Die Daten konnten nicht gespeichert werden. Soll Karmo trotzdem beendet werden? Die erfassten Daten bleiben gesichert und werden beim nächsten Start angeboten."
tb_wiederherstellen="Karmo wurde beendet, ohne die Teilnehmerliste der Veranstaltung $vnr_tb zu speichern (1 Teilnehmer erfasst). Soll sie wiederhergestellt werden?"
tb_gesperrt=""
tb_sperrdatei=""

# Makes the save in Daten fail for Wine. The suites run as root, whom the permission bits do not stop;
# the immutable attribute does (ext4, xfs, btrfs, tmpfs). Another user is stopped by the bits. Where
# root may not set the attribute (a container without CAP_LINUX_IMMUTABLE), a folder under the name of
# the save's temporary file makes the write fail the same way (access denied). A write tried afterwards
# proves the lock: a save that could still succeed fails the step instead of letting the scenario test
# nothing. The EXIT trap lifts it too, before the prefix is removed. $1: the file the save writes
# (default: this scenario's).
tb_sperren() {
    tb_sperrdatei=${1:-$datei_tb}
    mkdir -p "$daten"
    if [[ $(id -u) -ne 0 ]]; then
        chmod a-w "$daten"
        tb_gesperrt=rechte
    elif [[ -z "${KARMO_E2E_OHNE_CHATTR:-}" ]] && chattr +i "$daten" 2>/dev/null; then
        tb_gesperrt=chattr
    else
        echo "(chattr +i nicht möglich auf $(stat -f -c %T "$daten"): die Zwischendatei wird durch einen Ordner belegt)"
        mkdir "$tb_sperrdatei.tmp" || return 1
        tb_gesperrt=ordner
    fi
    local falle
    falle=$(trap -p EXIT | sed -E "s/^trap -- '(.*)' EXIT$/\1/")
    # shellcheck disable=SC2064 # the trap before is read now, on purpose
    trap "tb_entsperren; ${falle:-:}" EXIT
    if [[ $tb_gesperrt == ordner ]]; then
        [[ -d "$tb_sperrdatei.tmp" ]] || { echo "Zwischendatei nicht belegt"; return 1; }
    elif touch "$daten/.schreibprobe" 2>/dev/null; then
        rm -f "$daten/.schreibprobe"
        echo "Daten bleibt beschreibbar"
        return 1
    fi
}
tb_entsperren() {
    case "$tb_gesperrt" in
        chattr) chattr -i "$daten" ;;
        rechte) chmod u+w "$daten" ;;
        ordner) rmdir "$tb_sperrdatei.tmp" ;;
    esac
    tb_gesperrt=""
}

tb_erfassen() {
    hauptmenue_frisch || return 1
    neue_veranstaltung "$vnr_tb" 0 "$T_MA1" || return 1
    karten_erfassen "$T_MA1" 6 "$efn2"
}
# The error as the save reports it (access denied), then the question; Ja ends the program.
tb_beenden() {
    tb_sperren || return 1
    klicken "$T_MA1" "@Programm beenden" || return 1
    local ist
    ist=$(probe wait-msgbox 10000) || { echo "keine Fehlermeldung erschienen"; return 1; }
    [[ ${ist#*$'\n'} == "Fehler:5 : "* ]] || { echo "erwartet Fehler:5, erschienen: ${ist#*$'\n'}"; meldung_schliessen; return 1; }
    bildschirm 18-meldung-fehler-5 msgbox
    # The question follows at once: the next box is there before this one is seen gone.
    klicken msgbox id=1 || return 1
    local i
    for ((i = 0; i < 100; i++)); do
        ist=$(probe msgbox) && [[ ${ist#*$'\n'} != "Fehler:"* ]] && break
        sleep 0.1
    done
    frage_beantworten "$tb_frage" 6 19-frage-trotzdem-beenden || return 1
    karmo_ende_erwarten || return 1
    [[ ! -e "$datei_tb" ]] || { echo "$datei_tb trotz Schreibschutz geschrieben"; return 1; }
    datei_da "$laufwerk_c/zelva/Sicherung/Erfassung.jnl" || return 1
    [[ -z "$(ls -A "$laufwerk_c/zelva/Sicherung/verworfen" 2>/dev/null)" ]] || { echo "Sicherung beiseitegelegt"; return 1; }
}
tb_neustart() {
    tb_entsperren || return 1
    karmo_starten 'c:\zelva\Karmo.exe' "$laufwerk_c/zelva"
    frage_beantworten "$tb_wiederherstellen" 6 || return 1
    fenster_erwarten "$T_MA1" || { keine_meldung; return 1; }
    text_erwarten "$T_MA1" "$MA1_VNR" "$vnr_tb" || return 1
    text_erwarten "$T_MA1" "$MA1_PUNKTE" "6" || return 1
    zeilen_erwarten "$efn2 (6/0)" "$T_MA1" ListBox#0
}
# With the folder writable again the same button saves and ends, as it always did.
tb_gespeichert() {
    klicken "$T_MA1" "@Programm beenden" || return 1
    karmo_ende_erwarten || { keine_meldung; return 1; }
    datei_da "$datei_tb" || return 1
    [[ ! -e "$laufwerk_c/zelva/Sicherung/Erfassung.jnl" ]] || { echo "Sicherung nach dem Speichern noch da"; return 1; }
}

trotzdem_beenden_laufen() {
    local ergebnis=0
    szenario_laufen "Trotzdem beenden" \
        "tb_erfassen:neue Veranstaltung $vnr_tb (Typ 1): Punkte, ein Scan" \
        "tb_beenden:Daten schreibgeschützt; \"Programm beenden\": Fehler 5, die Frage, Ja beendet; Sicherung bleibt" \
        "tb_neustart:Schreibschutz aufgehoben; der nächste Start bietet die Sicherung an, Ja stellt sie wieder her" \
        "tb_gespeichert:\"Programm beenden\" speichert jetzt und beendet" || ergebnis=1
    # Later scenarios need a writable folder, whatever step failed.
    tb_entsperren
    return "$ergebnis"
}
weitere_szenarien+=(trotzdem_beenden_laufen)
