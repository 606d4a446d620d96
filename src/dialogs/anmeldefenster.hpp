// The window "Anmeldeliste": the event's registrations found by name or EFN, captured without a card, loaded and removed.
#pragma once

#include <cstdint>
#include <vector>

#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

extern const ui::Formular k_Anmeldeliste;

class Anmeldefenster final : public ui::Formularlogik {
public:
    Anmeldefenster(Programm& p, ui::Fenster& fenster) : p_(p), f_(fenster) {}

    void click(ui::Ctl c) override;
    void keypress(ui::Ctl c, int& taste) override;
    void aenderung(ui::Ctl c) override;
    // The close box is "Schließen".
    bool query_unload() override;
    // Opened in the capture form's place: a card scanned meanwhile goes to its
    // list, and its line here shows " – erfasst".
    std::optional<ui::FormId> vertritt_erfassung() const override;
    void form_activate() override;
    void karten_erfasst() override;

    void Erfassen_Click();
    void Laden_Click();
    void Entfernen_Click();
    void Schliessen_Click();

private:
    // The lines that match the search, at most 200, the first one chosen.
    void fuellen();
    // "Erfassen" only for a line that can be captured; "Laden…" the default without a list.
    void knoepfe_setzen();
    // The capture form of the open event, shown again with the focus in EFN.
    ui::Fenster& zurueck();
    ui::Fenster& erfassung();

    Programm& p_;
    ui::Fenster& f_;
    // The registration shown on each line, by its place in the register's order.
    std::vector<std::uint32_t> plaetze_;
};

} // namespace karmo
