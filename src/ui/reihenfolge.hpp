// Which label names which box, and the order in which a window's controls are made.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "ui/steuerelemente.hpp"

namespace karmo::ui {

// For each declared control, the position of the label that names it: set for
// text boxes and lists that have one, empty for everything else. A box's label
// is the nearest caption to its left on the same line, else the nearest one
// just above it; each label names one box at most.
std::vector<std::optional<std::size_t>> beschriftungen(std::span<const Steuerelement> el);

// Order of creation, which is the z-order (first created on top) and so the
// Tab order: the tab stops by tab index, then the other controls, a later one
// above an earlier one as a forms designer stacks them, then the frames, inner
// ones before outer ones, so that a group box lies beneath what it holds.
// A box's label comes directly before the box: a screen reader names a box
// after the label just above it in z-order. A label is no tab stop, so the Tab
// order stays as the tab indexes say.
std::vector<std::size_t> erzeugungsreihenfolge(std::span<const Steuerelement> el);

} // namespace karmo::ui
