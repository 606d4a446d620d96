// The chamber portal's two addresses and the shell call that opens them.
#include "checks/portal.hpp"

#include "common/text.hpp"

namespace karmo {

// The one place that names the portal.
const std::string_view k_portal_basis = "http://portal.zelva-fortbildung.de/";

namespace {

constexpr int k_maximiert = 3; // SW_SHOWMAXIMIZED
constexpr std::size_t k_pfad_grenze = 255;

bool unreserviert(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// The event number as a query value. A number from the program's own checks
// is 19 digits and passes unchanged; a number read from a file may hold any
// text, and must not be able to add or change a parameter of the address.
// Other characters are encoded byte by byte of their UTF-8 form.
std::string vnr_wert(std::string_view vnr) {
    static constexpr char k_hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(vnr.size());
    for (char c : vnr) {
        const auto b = static_cast<unsigned char>(c);
        if (unreserviert(b)) {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(k_hex[b >> 4]);
            out.push_back(k_hex[b & 0x0F]);
        }
    }
    return out;
}

} // namespace

bool Shell_Oeffnen(Plattform& plattform, std::string_view Ziel, int Anzeige, std::string_view Verb) {
    return plattform.shell_ausfuehren(Verb, Ziel, Anzeige) > 32;
}

std::string Pfad_kodieren(Plattform& plattform, std::string_view Pfad) {
    if (text::zeichenzahl(Pfad) >= k_pfad_grenze) {
        plattform.meldung("Fehler bei der Erzeugung des Dateinamens für die Serverübergabe!");
        return {};
    }
    // The portal expects exactly these two replacements and nothing more.
    std::string out;
    out.reserve(Pfad.size() + 16);
    for (char c : Pfad) {
        if (c == ':') {
            out += "%3A";
        } else if (c == '\\') {
            out += "%5C";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string Upload_Adresse(Plattform& plattform, std::string_view VNR, std::string_view Pfad) {
    std::string adresse(k_portal_basis);
    adresse += "index.php?page=eingabe&vnr=";
    adresse += vnr_wert(VNR);
    adresse += "&datei=";
    adresse += Pfad_kodieren(plattform, Pfad);
    return adresse;
}

bool Adresse_oeffnen(Plattform& plattform, std::string_view Adresse) {
    if (Shell_Oeffnen(plattform, Adresse, k_maximiert, "open")) return true;
    plattform.meldung("Der Browser konnte nicht geöffnet werden. Bitte rufen Sie diese Adresse selbst auf:\r\n" +
                      std::string(Adresse));
    return false;
}

bool Portal_Upload_aufrufen(Plattform& plattform, std::string_view VNR, std::string_view Pfad) {
    // A refused path has been reported already; the page opens without it.
    return Adresse_oeffnen(plattform, Upload_Adresse(plattform, VNR, Pfad));
}

std::string Einsehen_Adresse(std::string_view VNR) {
    return std::string(k_portal_basis) + "index.php?page=vnr_intern&vnr=" + vnr_wert(VNR);
}

bool Veranstaltung_einsehen(Plattform& plattform, std::string_view VNR) {
    return Adresse_oeffnen(plattform, Einsehen_Adresse(VNR));
}

} // namespace karmo
