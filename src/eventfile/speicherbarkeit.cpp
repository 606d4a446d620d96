// Texts the event file cannot carry back: the readers' tags, characters beyond Windows-1252, a lone CR.
#include "eventfile/speicherbarkeit.hpp"

#include "common/text.hpp"
#include "eventfile/zeilenleser.hpp"

namespace karmo {

std::string Wert_Hindernis(std::string_view Wert, std::string_view Feld) {
    // Runs whenever a box is left and for every box at saving: the message
    // is put together only when there is something to say.
    const auto feld = [Feld] { return "Das Feld \"" + std::string(Feld) + "\" "; };
    // Every tag a reader searches a line for; the one word without "<" is
    // looked for only in a file's second line, never in a value's line.
    if (Wert.find('<') != std::string_view::npos) {
        for (std::string_view wort : xml::k_suchwoerter) {
            if (wort.front() == '<' && Wert.find(wort) != std::string_view::npos) {
                return feld() + "darf die Zeichenfolge \"" + std::string(wort) +
                       "\" nicht enthalten, weil sie in der Datei als Markierung gelesen wird. Bitte ändern Sie den Text!";
            }
        }
    }
    std::size_t i = 0;
    while (i < Wert.size()) {
        std::size_t n = 1;
        while (i + n < Wert.size() && (static_cast<unsigned char>(Wert[i + n]) & 0xC0U) == 0x80U) ++n;
        const std::string_view zeichen = Wert.substr(i, n);
        if (zeichen == "\r" && (i + 1 == Wert.size() || Wert[i + 1] != '\n')) {
            return feld() + "enthält einen Zeilenumbruch, der nicht gespeichert werden kann. Bitte ändern Sie den Text!";
        }
        if (static_cast<unsigned char>(zeichen[0]) >= 0x80U &&
            text::cp1252_zu_utf8(text::utf8_zu_cp1252(zeichen)) != zeichen) {
            return feld() + "enthält das Zeichen \"" + std::string(zeichen) +
                   "\", das nicht gespeichert werden kann. Bitte ändern Sie den Text!";
        }
        i += n;
    }
    return {};
}

} // namespace karmo
