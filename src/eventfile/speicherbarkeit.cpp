// Content texts the event file cannot carry back: the readers' tags, characters beyond Windows-1252, a lone CR.
#include "eventfile/speicherbarkeit.hpp"

#include "common/text.hpp"
#include "eventfile/zeilenleser.hpp"

namespace karmo {

std::string Inhalt_Hindernis(std::string_view Inhalt) {
    // Every tag a reader searches a line for; the one word without "<" is
    // looked for only in a file's second line, never in a content line.
    for (std::string_view wort : xml::k_suchwoerter) {
        if (wort.front() == '<' && Inhalt.find(wort) != std::string_view::npos) {
            return "Der Inhalt darf die Zeichenfolge \"" + std::string(wort) +
                   "\" nicht enthalten, weil sie in der Datei als Markierung gelesen wird. "
                   "Bitte ändern Sie den Inhalt!";
        }
    }
    std::size_t i = 0;
    while (i < Inhalt.size()) {
        std::size_t n = 1;
        while (i + n < Inhalt.size() && (static_cast<unsigned char>(Inhalt[i + n]) & 0xC0U) == 0x80U) ++n;
        const std::string_view zeichen = Inhalt.substr(i, n);
        if (zeichen == "\r" && (i + 1 == Inhalt.size() || Inhalt[i + 1] != '\n')) {
            return "Der Inhalt enthält einen Zeilenumbruch, der nicht gespeichert werden kann. "
                   "Bitte ändern Sie den Inhalt!";
        }
        if (static_cast<unsigned char>(zeichen[0]) >= 0x80U &&
            text::cp1252_zu_utf8(text::utf8_zu_cp1252(zeichen)) != zeichen) {
            return "Das Zeichen \"" + std::string(zeichen) +
                   "\" im Inhalt kann nicht gespeichert werden. Bitte ändern Sie den Inhalt!";
        }
        i += n;
    }
    return {};
}

} // namespace karmo
