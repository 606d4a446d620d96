# shellcheck shell=bash
# 1. First start from c:\Downloads: setup, shortcuts, main menu.
s1_start() {
    mkdir -p "$laufwerk_c/Downloads"
    cp "$exe" "$laufwerk_c/Downloads/Karmo.exe"
    karmo_starten 'c:\Downloads\Karmo.exe' "$laufwerk_c/Downloads"
    fenster_erwarten "$T_EINRICHTUNG" 30000 || return 1
    bildschirm 01-einrichtung "$T_EINRICHTUNG"
}
s1_kaestchen() {
    local a b
    a=$(probe checked "$T_EINRICHTUNG" "@Startmenüeintrag anlegen") || { echo "Kästchen Startmenü fehlt"; return 1; }
    b=$(probe checked "$T_EINRICHTUNG" "@Desktopverknüpfung anlegen") || { echo "Kästchen Desktop fehlt"; return 1; }
    gleich "1 1" "$a $b"
}
s1_installieren() {
    klicken "$T_EINRICHTUNG" "@Programm installieren" || return 1
    meldung_bestaetigen "Die Verknüpfung wurde angelegt. Sie können nun die Desktop/Startmenüeintrag - Verknüpfungen nutzen!" \
        02-meldung-installiert
}
s1_hauptmenue() {
    fenster_erwarten "$T_AUSWAHL" || return 1
    fenster_weg "$T_EINRICHTUNG" 3000 || return 1
    bildschirm 03-hauptmenue "$T_AUSWAHL"
}
s1_dateien() {
    local fehler=0
    cmp -s "$exe" "$laufwerk_c/zelva/Karmo.exe" || { echo "c:\\zelva\\Karmo.exe fehlt oder weicht ab"; fehler=1; }
    printf '1.051\r\n' >"$soll/config.ini"
    datei_gleich "$soll/config.ini" "$laufwerk_c/zelva/config.ini" || fehler=1
    [[ -d "$daten" ]] || { echo "Ordner c:\\zelva\\Daten fehlt"; fehler=1; }
    return "$fehler"
}
# A shortcut's target is stored in it as ANSI or UTF-16 text.
lnk_ziel_pruefen() {
    local lnk=$1 ziel=$2
    datei_da "$lnk" || return 1
    tr -d '\000' <"$lnk" | grep -aqiF "$ziel" || { echo "$lnk zeigt nicht auf $ziel"; return 1; }
}
s1_verknuepfungen() {
    local programme fehler=0
    lnk_ziel_pruefen "$benutzer_ordner/Desktop/Karmo.lnk" 'c:\zelva\Karmo.exe' || fehler=1
    programme=$(find "$benutzer_ordner" -type d -path '*Start Menu/Programs' | head -n 1)
    [[ -n "$programme" ]] || { echo "kein Startmenü-Programmordner unter $benutzer_ordner"; return 1; }
    lnk_ziel_pruefen "$programme/ZELVA/Karmo.lnk" 'c:\zelva\Karmo.exe' || fehler=1
    lnk_ziel_pruefen "$programme/ZELVA/Erfasste Daten.lnk" 'c:\zelva\DATEN' || fehler=1
    return "$fehler"
}
