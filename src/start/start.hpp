// The program's start: which first window, the window registry, and the top-level error handling.
#pragma once

#include <memory>

#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

enum class Erstes_Fenster { Einrichtung, Update, Auswahl, Keines };

// Fills the catalogue, fixes the base directory and inspects the
// installation. Repairs missing settings on the way; when that fails it shows
// the message and returns Keines.
Erstes_Fenster Startentscheidung(Programm& p);

// Shows the first window, or ends the program when there is none.
void Main(Programm& p);

// The declaration of every window.
const ui::Formular& Deklaration(ui::FormId id);

// The handlers of window `id`, bound to its loaded window.
std::unique_ptr<ui::Formularlogik> Logik_erzeugen(Programm& p, ui::FormId id, ui::Fenster& fenster);

// Connects the window collection to the handlers and to the top-level error
// handling: an error no handler dealt with is shown and ends the program.
void Programm_einrichten(Programm& p);

} // namespace karmo
