// The chamber catalogue and the look-up of an event number's chamber.
#include "state/zustand.hpp"

namespace karmo {
namespace {

struct Kategorie {
    std::string_view text;
    std::uint8_t art;
};

void kammer_setzen(Kammer& k, std::string_view name, std::string_view praefix, bool akkred,
                   std::initializer_list<Kategorie> kategorien) {
    k.Kammername = name;
    k.VNR_Praefix = praefix;
    k.Akkred_VA_erlaubt = akkred;
    k.Kategorienanzahl = 0;
    for (const Kategorie& kat : kategorien) {
        ++k.Kategorienanzahl;
        k.Kategorien[k.Kategorienanzahl] = {std::string(kat.text), kat.art};
    }
}

} // namespace

void Kammern_initialisieren(Zustand& z) {
    z.Kammeranzahl = 2;
    kammer_setzen(z.Kammerkatalog[1], "Psychotherapeutenkammer Norvia", "276750", false,
                  {{"Vortrag und Diskussion", 1},
                   {"Kongress/Tagung/Symposium", 1},
                   {"Seminar, Workshop, Kurs", 1},
                   {"Supervisor/Supersorin", 2},
                   {"Selbsterfahrungsleiter/Selbsterfahrungsleiterin", 2},
                   {"Intervisionsgruppe", 2},
                   {"Qualitätszirkel", 2},
                   {"Balint-/IFA-Gruppe, Kasuistisch-technisches Seminar", 2},
                   {"Hospitation, Fallkonferenz, Kolloquium, Klinikkonferenz", 2}});
    kammer_setzen(z.Kammerkatalog[2], "Landespsychotherapeutenkammer Seltavia", "276770", true,
                  {{"Vortrag und Diskussion", 1},
                   {"Kongress/Tagung/Symposium", 1},
                   {"Seminar, Workshop, Kurs", 1},
                   {"Supervison/Selbsterfahrung", 2},
                   {"Intervision/Qualitätszirkel", 2},
                   {"Balintgruppe/Interaktionsbezogene Fallarbeit/Kasuistisch-technisches Seminar", 2},
                   {"Hospitation, Fallkonferenz, Kolloquium, Klinikkonferenz", 2},
                   {"Strukturierte interaktive Fortbildung", 2},
                   // The chamber's list repeats its seventh entry here.
                   {"Hospitation, Fallkonferenz, Kolloquium, Klinikkonferenz", 2}});
}

int Kammer_suchen(const Zustand& z, std::string_view vnr) {
    const std::string_view praefix = vnr.substr(0, 6);
    for (int i = 1; i <= z.Kammeranzahl; ++i) {
        if (z.Kammerkatalog[static_cast<std::size_t>(i)].VNR_Praefix == praefix) return i;
    }
    return 0;
}

std::string Datenordner(const Zustand& z) { return z.Basisverzeichnis + "Daten\\"; }

} // namespace karmo
