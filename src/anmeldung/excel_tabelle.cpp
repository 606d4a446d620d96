// The table for Excel: participant rows, then the registrations who did not come.
#include "anmeldung/excel_tabelle.hpp"

#include <unordered_set>

#include "anmeldung/tabelle.hpp"

namespace karmo::anmeldung {
namespace {

void name_schreiben(std::string& out, std::string_view zelle) {
    const std::size_t a = zelle.find_first_not_of(" \t");
    zelle = a == std::string_view::npos ? std::string_view{} : zelle.substr(a, zelle.find_last_not_of(" \t") - a + 1);
    if (!zelle.empty() && (zelle[0] == '=' || zelle[0] == '+' || zelle[0] == '-' || zelle[0] == '@')) {
        std::string geschuetzt(1, '\'');
        geschuetzt.append(zelle);
        feld_schreiben(out, geschuetzt);
    } else {
        feld_schreiben(out, zelle);
    }
    out.push_back(';');
}

void zeile_schreiben(std::string& out, std::string_view efn, const Anmeldung* a, std::string_view basis, std::string_view referent,
                     bool angemeldet, bool erfasst) {
    if (!efn.empty()) formelfeld_schreiben(out, efn);
    out.push_back(';');
    name_schreiben(out, a ? std::string_view(a->nachname) : std::string_view{});
    name_schreiben(out, a ? std::string_view(a->vorname) : std::string_view{});
    name_schreiben(out, a ? std::string_view(a->titel) : std::string_view{});
    feld_schreiben(out, basis);
    out.push_back(';');
    feld_schreiben(out, referent);
    out.append(angemeldet ? ";ja;" : ";nein;");
    out.append(erfasst ? "ja\r\n" : "nein\r\n");
}

} // namespace

std::string Excel_Tabelle(const std::vector<Teilnehmerzeile>& zeilen, const Anmelderegister* r) {
    std::string out = "\xEF\xBB\xBF" "EFN;Nachname;Vorname;Titel;Basispunkte;Referentenpunkte;Angemeldet;Erfasst\r\n";
    std::unordered_set<const Anmeldung*> da;
    for (const Teilnehmerzeile& z : zeilen) {
        const Anmeldung* a = r ? r->finden(z.efn) : nullptr;
        if (a) da.insert(a);
        zeile_schreiben(out, z.efn, a, z.basispunkte, z.referentenpunkte, a != nullptr, true);
    }
    if (r) {
        for (std::size_t i = 0; i < r->groesse(); ++i) {
            const Anmeldung& a = r->eintrag(i);
            if (da.count(&a) != 0) continue;
            const std::string_view efn = a.stand == EFN_Stand::Gueltig     ? std::string_view(a.efn)
                                         : a.stand == EFN_Stand::Ungueltig ? std::string_view(a.efn_zelle)
                                                                           : std::string_view{};
            zeile_schreiben(out, efn, &a, {}, {}, true, false);
        }
    }
    return out;
}

} // namespace karmo::anmeldung
