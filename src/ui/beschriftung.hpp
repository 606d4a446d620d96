// Whether a control's caption fits the room its control gives it, and the
// largest font size that lets it fit.
#pragma once

#include <functional>
#include <optional>

#include "ui/steuerelemente.hpp"

namespace karmo::ui {

// The room a caption has inside its control, in pixels, and how the control
// breaks it: at word ends over several lines, or on one line only. A button
// (and a check box) first measures its wrapped caption, then draws it into a
// box as wide as the lines it measured, where the lines may break again
// (`nachumbruch`): its caption is whole only when that second wrapping keeps
// the lines of the first.
struct Beschriftungsraum {
    int breite = 0;
    int hoehe = 0;
    bool umbruch = false;
    bool nachumbruch = false;
};

// The extent of a caption as drawn: with umbruch, wrapped at the room's width
// (a word longer than that line makes the extent wider than the room).
struct Textmass {
    int breite = 0;
    int hoehe = 0;
};

// Room for the caption of a control of kind `art` whose box is `breite` x
// `hoehe` pixels at `dpi`: labels wrap over their whole box; buttons and check
// boxes (multi-line) keep an inner margin, a check box also its mark; a frame
// shows one line along its top edge between its corners. Text boxes and lists
// have no caption to fit.
std::optional<Beschriftungsraum> beschriftungsraum(Art art, int breite, int hoehe, int dpi);

// The caption measured in the control's font at a pixel height (the em height,
// as a negative LOGFONT height gives it), wrapped as the room says at `breite`.
using Messung = std::function<Textmass(int schrifthoehe, int breite)>;

// Whether the caption, measured as the control lays it out, fits its room.
bool passt(const Beschriftungsraum& raum, int schrifthoehe, const Messung& messen);

// A rectangle in pixels; right and bottom edges exclusive.
struct Rechteck {
    int links = 0;
    int oben = 0;
    int rechts = 0;
    int unten = 0;
};

// The part of a label that the box it names leaves visible. The label gives
// way where its box reaches into it (the renderer cuts that part out of the
// label's window), so a box that reaches in from below hides the rows from
// its top edge down, one from the right the columns from its left edge on.
Rechteck frei_von(const Rechteck& label, const Rechteck& feld);

// The largest font height from `hoehe` down to `kleinste` at which the caption
// fits its room; `hoehe` itself when it fits, `kleinste` when none does.
// Heights are tried one pixel at a time from the top: a smaller size is not
// always narrower, as the type is fitted to whole pixels.
int passende_schrifthoehe(int hoehe, int kleinste, const Beschriftungsraum& raum, const Messung& messen);

// The smallest size a caption is shrunk to: 5 points at `dpi`.
int kleinste_schrifthoehe(int dpi);

} // namespace karmo::ui
