// The numbered error that a procedure raises to its caller: number, source and German text.
#pragma once

#include <stdexcept>
#include <string>

namespace karmo {

class Fehler : public std::runtime_error {
public:
    Fehler(int nummer, std::string quelle, std::string text)
        : std::runtime_error(text), nummer_(nummer), quelle_(std::move(quelle)), text_(std::move(text)) {}

    int nummer() const noexcept { return nummer_; }
    const std::string& quelle() const noexcept { return quelle_; }
    const std::string& text() const noexcept { return text_; }

private:
    int nummer_;
    std::string quelle_;
    std::string text_;
};

// Any other error as a numbered one, for the places that report errors to
// the user: out of memory is 7, anything else 5 with the error's own text.
Fehler als_fehler(const std::exception& e);

// Outcome of a platform operation: 0 means success, otherwise the platform's
// error number and its description.
struct Ergebnis {
    int nummer = 0;
    std::string text;

    bool ok() const noexcept { return nummer == 0; }
    static Ergebnis erfolg() { return {}; }
};

} // namespace karmo
