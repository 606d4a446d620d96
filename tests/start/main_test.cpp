// Main with the real window registry: the first window shown, and the top-level error handling.
#include <gtest/gtest.h>

#include "platform/fake/fake_plattform.hpp"
#include "start/start.hpp"
#include "ui/fake/fake_fenster.hpp"

namespace karmo {
namespace {

using ui::FormId;

// One run of the program on an empty fake machine.
struct Lauf {
    FakePlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung sammlung{host, Deklaration};
    Programm p{pl, sammlung};
    Lauf() { Programm_einrichten(p); }

    std::vector<FormId> sichtbare() {
        std::vector<FormId> out;
        for (int i = 0; i < ui::k_formzahl; ++i) {
            const auto id = static_cast<FormId>(i);
            if (sammlung.geladen(id) && p.form(id).sichtbar()) out.push_back(id);
        }
        return out;
    }
};

struct Main_ : ::testing::Test, Lauf {};

TEST_F(Main_, JedesFensterHatSeineDeklarationUndLogik) {
    for (int i = 0; i < ui::k_formzahl; ++i) {
        const auto id = static_cast<FormId>(i);
        EXPECT_EQ(Deklaration(id).id, id);
        p.form(id);
        EXPECT_NE(sammlung.logik(id), nullptr) << Deklaration(id).name;
    }
    EXPECT_EQ(Deklaration(FormId::Einrichtung).name, "Einrichtung");
    EXPECT_EQ(Deklaration(FormId::MA2_Maske).name, "MA2_Maske");
}

TEST_F(Main_, ZeigtGenauEinErstesFenster) {
    Main(p);
    EXPECT_EQ(sichtbare(), std::vector<FormId>{FormId::Einrichtung});
}

TEST_F(Main_, InstalliertDasHauptmenue) {
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "Programm");
    pl.datei_ablegen("c:\\zelva\\config.ini", "1.051\r\n");
    Main(p);
    EXPECT_EQ(sichtbare(), std::vector<FormId>{FormId::Auswahl});
}

TEST_F(Main_, AndereVersionDasUpdate) {
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "Programm");
    pl.datei_ablegen("c:\\zelva\\config.ini", "1.049\r\n");
    Main(p);
    EXPECT_EQ(sichtbare(), std::vector<FormId>{FormId::Update});
}

TEST_F(Main_, OhneEinstellungenEndetDasProgramm) {
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "Programm");
    pl.datei_ablegen("c:\\zelva\\config.ini", "");
    pl.schreibgeschuetzt.insert("c:\\zelva\\config.ini");
    Main(p);
    EXPECT_TRUE(sammlung.leer());
    EXPECT_TRUE(sammlung.endet());
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{"Es ist ein Problem beim lesen der Einstellungen aufgetreten!"});
}

TEST_F(Main_, UnbehandelterFehlerWirdGemeldetUndBeendet) {
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "Programm");
    pl.datei_ablegen("c:\\zelva\\config.ini", "1.051\r\n");
    Main(p);
    sammlung.ausfuehren([] { throw Fehler(1211, "Speicher", "Datenpfad konte nicht angelegt werden!"); });
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{"Fehler:1211 : Datenpfad konte nicht angelegt werden!"});
    EXPECT_TRUE(sammlung.leer());

    Lauf andere;
    andere.sammlung.ausfuehren([] { throw std::runtime_error("etwas anderes"); });
    EXPECT_EQ(andere.pl.meldungen, std::vector<std::string>{"Fehler:5 : etwas anderes"});
    EXPECT_TRUE(andere.sammlung.endet());
}

} // namespace
} // namespace karmo
