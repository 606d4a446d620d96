# shellcheck shell=bash
# A start right after Karmo was killed: the killed program may still hold the single-start lock for a
# moment, and no window of it is left to bring forward. The start waits for the lock and then shows the
# main menu itself; it neither ends silently nor shows a second program beside a running one.

es_start() {
    hauptmenue_frisch
}

# Killed hard (no handler runs), and started again at once, without waiting for Wine to take the old
# program's windows and lock down.
es_nach_abbruch() {
    kill -9 "$karmo_pid" 2>/dev/null || { echo "kein laufendes Karmo"; return 1; }
    wait "$karmo_pid" 2>/dev/null
    karmo_pid=""
    karmo_starten 'c:\zelva\Karmo.exe' "$laufwerk_c/zelva"
    fenster_erwarten "$T_AUSWAHL" 20000 || return 1
    # The new program is the one that shows it: it still runs, and there is exactly one main menu.
    kill -0 "$karmo_pid" 2>/dev/null || { echo "der neue Start ist beendet"; return 1; }
    local fenster
    fenster=$(probe windows)
    gleich 1 "$(grep -c -- "$T_AUSWAHL" <<<"$fenster")" || { printf '%s\n' "$fenster"; return 1; }
}

einzelstart_laufen() {
    szenario_laufen "Einzelstart" \
        "es_start:Hauptmenü" \
        "es_nach_abbruch:Karmo hart beendet, sofort neu gestartet: das neue Karmo zeigt sein Hauptmenü"
}
weitere_szenarien+=(einzelstart_laufen)
