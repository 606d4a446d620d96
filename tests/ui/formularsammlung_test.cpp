// Loading and unloading windows: single instances, load order, re-entrant program end.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "ui/fake/fake_fenster.hpp"
#include "ui/formular.hpp"

namespace karmo::ui {
namespace {

constexpr std::array<Steuerelement, 1> k_elemente{{
    {Art::Textfeld, Ctl::Text1, -1, "anfang", Ctl::Keiner, 0, 0, 100, 100, 5, 0, k_stil_keiner},
}};

const Formular& deklaration(FormId id) {
    static std::array<Formular, k_formzahl> alle = [] {
        std::array<Formular, k_formzahl> a{};
        for (int i = 0; i < k_formzahl; ++i) {
            a[static_cast<std::size_t>(i)] = {static_cast<FormId>(i), "F", "Titel", 1000, 1000, 0, k_elemente};
        }
        return a;
    }();
    return alle[static_cast<std::size_t>(id)];
}

struct Protokoll {
    std::vector<FormId> entladen;
    std::vector<FormId> sichtbar_beim_ende; // windows on screen while being unloaded
};

// Every window's unload handler ends the program, as the main windows do.
class BeendetAlles final : public Formularlogik {
public:
    BeendetAlles(FormId id, Formularsammlung& s, Protokoll& p, Fenster& f) : id_(id), s_(s), p_(p), f_(f) {}
    void form_unload() override {
        p_.entladen.push_back(id_);
        s_.alle_entladen();
        // A dialog's closing handler shows the main menu again.
        s_.laden(FormId::Auswahl).zeigen();
        if (f_.sichtbar()) p_.sichtbar_beim_ende.push_back(id_);
    }
    bool query_unload() override { return !bleiben; }
    bool bleiben = false;

private:
    FormId id_;
    Formularsammlung& s_;
    Protokoll& p_;
    Fenster& f_;
};

struct Umgebung {
    FakeHost host;
    Formularsammlung sammlung{host, deklaration};
    Protokoll protokoll;
    Umgebung() {
        sammlung.setze_fabrik([this](FormId id, Fenster& f) {
            return std::make_unique<BeendetAlles>(id, sammlung, protokoll, f);
        });
    }
};

TEST(Formularsammlung, LaedtJedesFensterNurEinmalUndMitSeinenAnfangswerten) {
    Umgebung u;
    Fenster& a = u.sammlung.laden(FormId::MA2_Maske);
    EXPECT_EQ(&a, &u.sammlung.laden(FormId::MA2_Maske));
    EXPECT_EQ(a.text(Ctl::Text1), "anfang");
    EXPECT_FALSE(a.sichtbar());
    EXPECT_TRUE(u.sammlung.geladen(FormId::MA2_Maske));
    EXPECT_FALSE(u.sammlung.geladen(FormId::MA1_Maske));
}

TEST(Formularsammlung, ProgrammendeEntlaedtAlleInLadereihenfolgeUndEndetTrotzNeuemZeigen) {
    Umgebung u;
    u.sammlung.laden(FormId::Auswahl);
    u.sammlung.laden(FormId::VNR_Eingabe);
    u.sammlung.laden(FormId::MA1_Maske);
    u.sammlung.alle_entladen();
    EXPECT_TRUE(u.sammlung.leer());
    EXPECT_EQ(u.protokoll.entladen, (std::vector<FormId>{FormId::Auswahl, FormId::VNR_Eingabe, FormId::MA1_Maske}));
    // The main menu, unloaded first, is not put back on the screen by the
    // closing handlers that run while it is on its way out.
    EXPECT_TRUE(u.protokoll.sichtbar_beim_ende.empty());
}

TEST(Formularsammlung, SchliessfeldFragtErstUndEntlaedtDannNeu) {
    Umgebung u;
    auto& f = dynamic_cast<FakeFenster&>(u.sammlung.laden(FormId::Kat_Auswahl));
    f.setze_text(Ctl::Text1, "geaendert");
    dynamic_cast<BeendetAlles*>(u.sammlung.logik(FormId::Kat_Auswahl))->bleiben = true;
    f.schliessen();
    ASSERT_TRUE(u.sammlung.geladen(FormId::Kat_Auswahl));
    EXPECT_EQ(u.sammlung.laden(FormId::Kat_Auswahl).text(Ctl::Text1), "geaendert");

    dynamic_cast<BeendetAlles*>(u.sammlung.logik(FormId::Kat_Auswahl))->bleiben = false;
    f.schliessen();
    EXPECT_TRUE(u.sammlung.leer());
    EXPECT_TRUE(u.sammlung.endet());
}

} // namespace
} // namespace karmo::ui
