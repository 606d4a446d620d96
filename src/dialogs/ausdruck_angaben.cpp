// The organiser and the place of the printouts, remembered in a small UTF-8 file.
#include "dialogs/ausdruck_angaben.hpp"

namespace karmo {

namespace {

void zeile(std::string& out, std::string_view schluessel, std::string_view wert) {
    out.append(schluessel);
    out.push_back('=');
    for (char c : wert) out.push_back(c == '\r' || c == '\n' ? ' ' : c);
    out.append("\r\n");
}

std::string_view getrimmt(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

} // namespace

std::string Ausdruck_ini_pfad(std::string_view basisverzeichnis) {
    return std::string(basisverzeichnis) + "Ausdruck.ini";
}

std::string Ausdruck_ini_text(const Ausdruck_Angaben& a) {
    std::string out;
    zeile(out, "Veranstalter", a.veranstalter);
    zeile(out, "Ort", a.ort);
    return out;
}

Ausdruck_Angaben Ausdruck_ini_lesen(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Ausdruck_Angaben a;
    while (!text.empty()) {
        const std::size_t ende = text.find_first_of("\r\n");
        const std::string_view z = text.substr(0, ende);
        text = ende == std::string_view::npos ? std::string_view{} : text.substr(ende + 1);
        const std::size_t gleich = z.find('=');
        if (gleich == std::string_view::npos) continue;
        const std::string_view schluessel = getrimmt(z.substr(0, gleich));
        const std::string_view wert = getrimmt(z.substr(gleich + 1));
        if (schluessel == "Veranstalter") a.veranstalter = wert;
        if (schluessel == "Ort") a.ort = wert;
    }
    return a;
}

Ausdruck_Angaben Ausdruck_Angaben_laden(Plattform& pl, std::string_view pfad) {
    Ergebnis fehler;
    const std::unique_ptr<Lesedatei> datei = pl.oeffnen(pfad, fehler);
    if (!datei) return {};
    std::string text;
    char block[4096];
    // A settings file of a few lines: more than 64 KiB is no file of ours.
    while (text.size() < (1U << 16)) {
        const std::size_t n = datei->lesen(block, sizeof block, fehler);
        if (n == 0 || !fehler.ok()) break;
        text.append(block, n);
    }
    return Ausdruck_ini_lesen(text);
}

} // namespace karmo
