// The recovery journal: every unsaved change of the open event, appended and flushed as it happens.
//
// While a capture form holds changes that are in no saved file, each change
// is one entry appended to c:\zelva\Sicherung\Erfassung.jnl (format.hpp):
// the first change writes a snapshot of the whole form, every later one only
// itself. A successful save removes the journal; leaving the form without
// saving moves it to c:\zelva\Sicherung\verworfen\. When the program dies
// instead, the next start offers to restore the form from it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "sicherung/format.hpp"
#include "sicherung/leser.hpp"
#include "state/programm.hpp"
#include "ui/fenster.hpp"

namespace karmo {

class Sicherung {
public:
    explicit Sicherung(Programm& p) : p_(p) {}

    // c:\zelva\Sicherung\Erfassung.jnl, and the folder journals are moved to.
    static std::string pfad();
    static std::string verworfen_ordner();

    // --- what a capture form reports; each returns once the change is on disk ---
    void zeile_angefuegt(ui::Fenster& form, std::string_view zeile);
    // Every line from position `ab` to the end was appended at once (another
    // list taken in): one entry each, on the disk in one write.
    void zeilen_angefuegt(ui::Fenster& form, int ab);
    void zeile_ersetzt(ui::Fenster& form, int i, std::string_view zeile);
    void zeile_entfernt(ui::Fenster& form, int i);
    // The text of a box changed; journaled when it is one of the event's
    // boxes and differs from what the journal holds.
    void feld_geaendert(ui::Fenster& form, ui::Ctl feld);

    // --- the journal's life ---------------------------------------------------------
    // Opens an event into a capture form: nothing `fuellen` does is journaled,
    // and afterwards the capture form on screen starts clean (no journal until
    // its first change).
    void neu_beginnen(const std::function<void()>& fuellen);
    // Everything in the form is in an event file now: the journal is removed.
    void gespeichert(ui::Fenster& form);
    // The form is left without saving: the journal is moved aside, kept.
    void verworfen();
    // Brings every box of `form` into the journal (a session end, or an end
    // that keeps the journal for the next start). True when the journal now
    // holds every change of the form, on the disk: also when there is none.
    bool sichern(ui::Fenster& form);

    // --- state --------------------------------------------------------------------------
    // A journal of unsaved changes exists.
    bool offen() const { return begonnen_; }
    // No write of the journal has failed since it began (or was repaired).
    bool gesund() const { return gesund_; }

    // --- the start -----------------------------------------------------------------------
    // Where the main menu would show: a journal left behind is offered for
    // restoring. True when a capture form was restored and shown; false
    // when the main menu is to show (no journal, Nein, or an unreadable one,
    // which is reported and moved aside).
    bool anbieten();

private:
    bool bereit(const ui::Fenster& form) const;
    void verfolgen(const ui::Fenster& form);
    void schnappschuss(const ui::Fenster& form);
    // Appends the entry, prefixed by a Z entry when the current values changed.
    void anhaengen(const ui::Fenster& form, std::string eintrag);
    void zustand_eintrag(std::string& out) const;
    bool zustand_unveraendert() const;
    void beiseitelegen();
    void wiederherstellen(const sicherung::Gelesen& g);

    Programm& p_;
    int ruhe_ = 0;
    bool verfolgt_ = false;    // a capture form is being followed
    ui::FormId form_ = ui::FormId::MA2_Maske;
    bool begonnen_ = false;    // the journal file exists and holds a snapshot
    bool gesund_ = true;
    // The boxes' texts as the journal (or the clean state) holds them.
    std::array<std::string, sicherung::k_felder.size()> felder_;
    // The current values as the journal holds them.
    std::string vnr_, datei_;
    std::uint8_t meldungsart_ = 0, kammer_ = 0;
};

// The journal's source name and error number, as the message at start shows it.
inline constexpr int k_fehler_sicherung = 4001;
inline constexpr const char* k_quelle_sicherung = "Sicherung";

// The same for a run that may carry no journal (then `fuellen` just runs).
void Sicherung_neu_beginnen(Programm& p, const std::function<void()>& fuellen);
// False when the run carries no journal.
bool Sicherung_anbieten(Programm& p);

} // namespace karmo
