// The test printer's job: every call recorded, failures where the test asked for them.
#include "platform/fake/fake_drucker.hpp"

#include <memory>

namespace karmo {
namespace {

class FakeAuftrag final : public Druckauftrag {
public:
    FakeAuftrag(FakeDrucker& d, std::size_t nr) : d_(d), nr_(nr) {}

    int dpi_x() const override { return d_.dpi_x; }
    int dpi_y() const override { return d_.dpi_y; }
    int textbreite(std::string_view text, Druckschrift s) override {
        return FakeDrucker::textbreite(text, s, d_.dpi_x, d_.dpi_y);
    }

    Ergebnis beginnen(std::string_view titel) override {
        if (!d_.fehler_beginn.ok()) return d_.fehler_beginn;
        p().titel = std::string(titel);
        p().begonnen = true;
        return {};
    }
    Ergebnis seite_beginnen() override {
        p().seiten.emplace_back();
        offen_ = true;
        return {};
    }
    void text(int x, int y, std::string_view t, Druckschrift s) override {
        if (offen_) p().seiten.back().texte.push_back({x, y, std::string(t), s});
    }
    void balken(int x, int y, int breite, int hoehe) override {
        if (offen_) p().seiten.back().balken.push_back({x, y, breite, hoehe});
    }
    Ergebnis seite_beenden() override {
        offen_ = false;
        if (d_.fehler_seite == static_cast<int>(p().seiten.size())) return d_.fehler_seite_grund;
        return {};
    }
    Ergebnis beenden() override {
        if (!d_.fehler_ende.ok()) return d_.fehler_ende;
        p().beendet = true;
        return {};
    }
    void abbrechen() override { p().abgebrochen = true; }
    bool fortschritt(int seite, int seiten) override {
        p().fortschritt.push_back(seite);
        p().fortschritt_seiten.push_back(seiten);
        return d_.stopp_bei == 0 || static_cast<int>(p().fortschritt.size()) < d_.stopp_bei;
    }
    void fortschritt_schliessen() override { p().fortschritt_geschlossen = true; }

private:
    Druckprotokoll& p() { return d_.auftraege[nr_]; }
    FakeDrucker& d_;
    std::size_t nr_;
    bool offen_ = false;
};

std::size_t zeichenzahl(std::string_view t) {
    std::size_t n = 0;
    for (char c : t) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

} // namespace

int FakeDrucker::textbreite(std::string_view text, Druckschrift s, int dpi_x, int dpi_y) {
    return static_cast<int>(static_cast<long long>(zeichenzahl(text)) * s.hoehe * 6 * dpi_x / (10LL * dpi_y));
}

Druckwahl FakeDrucker::dialog() {
    ++dialoge;
    Druckwahl w;
    w.ausgang = ausgang;
    if (ausgang == Druckwahl::Ausgang::Fehler) w.fehler = dialogfehler;
    if (ausgang != Druckwahl::Ausgang::Drucken) return w;
    auftraege.emplace_back();
    w.auftrag = std::make_unique<FakeAuftrag>(*this, auftraege.size() - 1);
    w.von = von;
    w.bis = bis;
    return w;
}

} // namespace karmo
