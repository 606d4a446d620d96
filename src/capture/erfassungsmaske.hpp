// What the two capture forms share: the participant list, the event number check, saving and leaving.
#pragma once

#include <string>
#include <string_view>

#include "capture/teilnehmerliste.hpp"
#include "eventfile/liste_lesen.hpp"
#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

// Asked when the save behind "Programm beenden" or the close box failed.
inline constexpr const char* k_frage_trotzdem_beenden =
    "Die Daten konnten nicht gespeichert werden. Soll Karmo trotzdem beendet werden? "
    "Die erfassten Daten bleiben gesichert und werden beim nächsten Start angeboten.";
// The same when the journal could not be written either.
inline constexpr const char* k_frage_beenden_ohne_sicherung =
    "Die Daten konnten nicht gespeichert werden, und auch die Sicherung ist nicht möglich. "
    "Soll Karmo trotzdem beendet werden? Die erfassten Daten gehen dabei verloren.";

class Erfassungsmaske : public ui::Formularlogik {
public:
    Teilnehmerliste& liste() { return liste_; }

    void VNR_LostFocus();
    void Einsehen_Click();
    // "Drucken" and Ctrl+P: the window Ausdruck takes over; the form comes
    // back when it is done.
    void Drucken_Click();
    // "Anmeldeliste" and Ctrl+F: the window of the event's registration list
    // takes the form's place; the form comes back when it is closed.
    void Anmeldeliste_Click();
    // Called while the program ends (its own close box has already been
    // answered by query_unload): ending again is harmless.
    void form_unload() override;
    // Every new text of an event box goes to the journal of unsaved changes.
    void aenderung(ui::Ctl c) override;
    void sitzungsende() override;

    // A card scanned while another control has the focus goes to EFN. It is
    // captured first; then the control it was typed into runs its own
    // LostFocus check on its own text, as a move of the focus does.
    bool nimmt_scans(ui::Ctl fokus) override { return fokus != ui::Ctl::EFN; }
    void scan(ui::Ctl von, std::string_view ziffern) override;

protected:
    Erfassungsmaske(Programm& p, ui::Fenster& f) : p_(p), f_(f), liste_(p, f) {}

    // Saves; true only when the file was written. A refused save has already
    // put the focus into the missing field and said why. An error is shown
    // here in one message and the form stays as it is: a failed save must not
    // take the open event with it.
    bool speichern(const std::string& pfad, const std::string& modus);

    // The transfer button: refuses an empty list, saves under `pfad` and
    // opens the portal's upload page only when the file was written; then
    // confirms the transfer, or says that the browser could not be opened.
    void uebertragen(const std::string& pfad, const std::string& modus);
    // The main-menu button: saves, then hides the form and shows the menu.
    void zum_hauptmenue(const std::string& pfad, const std::string& modus);
    // "Programm beenden": saves when the VNR box holds more than the prefix,
    // then ends the program. A refused save keeps the form; a failed one
    // asks whether to end anyway, keeping the journal for the next start.
    void beenden(const std::string& pfad, const std::string& modus);
    // The close box, answered like "Programm beenden": true lets the window be
    // unloaded (whose Form_Unload then ends the program).
    bool schliessen_erlaubt(const std::string& pfad, const std::string& modus);

    // "Auf Datenträger speichern" (mehrere_tueren.cpp): saves as the save
    // button does, then asks with Save As where a copy of the saved file
    // goes, and writes it there as safely as the save.
    void auf_datentraeger(const std::string& pfad, const std::string& modus);
    // "Liste hinzuladen": the files chosen in one Open dialog, each read with
    // the loader's rules and, when it is a list of the event `vnr`, taken
    // into the list; one summary at the end, then the focus in EFN.
    void liste_hinzuladen(const std::string& vnr);

    Zustand& zustand() { return p_.zustand(); }
    // Hides this form and shows the window `id` in its place, filled anew.
    ui::Fenster& an_der_stelle(ui::FormId id);
    // Whether the VNR box holds more digits than the prefix "276".
    bool mehr_als_praefix() const;

    Programm& p_;
    ui::Fenster& f_;
    Teilnehmerliste liste_;

private:
    enum class Speicherausgang { Geschrieben, Abgelehnt, Fehlgeschlagen };
    Speicherausgang speichern_mit_ausgang(const std::string& pfad, const std::string& modus);
    // The save before an end; true when the program may end.
    bool vor_dem_ende_sichern(const std::string& pfad, const std::string& modus);
    bool trotzdem_beenden();
    void ohne_speichern_verlassen();

    // The file "Liste hinzuladen" reads, kept from merge to merge as the save
    // keeps its text: a list of 32,767 lines is not fresh memory (and page
    // faults) every time.
    Gelesene_Liste andere_;
};

} // namespace karmo
