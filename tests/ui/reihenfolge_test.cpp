// Which label names which box, and the creation order: each box right after its label, the Tab order kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "start/start.hpp"
#include "ui/reihenfolge.hpp"

namespace karmo::ui {
namespace {

// The label text that names control `name` of window `id` ("" for none).
std::string beschriftung(FormId id, Ctl name) {
    const Formular& d = karmo::Deklaration(id);
    const auto zu = beschriftungen(d.elemente);
    for (std::size_t i = 0; i < d.elemente.size(); ++i) {
        if (d.elemente[i].name == name) return zu[i] ? std::string(d.elemente[*zu[i]].text) : "";
    }
    ADD_FAILURE() << "kein Steuerelement " << static_cast<int>(name);
    return {};
}

TEST(Beschriftungen, DieFelderDerFensterHabenIhreLabels) {
    EXPECT_EQ(beschriftung(FormId::MA2_Maske, Ctl::VNR), "VNR");
    EXPECT_EQ(beschriftung(FormId::MA2_Maske, Ctl::Datum_von), "Datum von");
    EXPECT_EQ(beschriftung(FormId::MA2_Maske, Ctl::DATUM_BIS), "bis");
    EXPECT_EQ(beschriftung(FormId::MA2_Maske, Ctl::Dauer), "Dauer (Min)");
    EXPECT_EQ(beschriftung(FormId::MA2_Maske, Ctl::Uhrzeit_s), "Uhrzeit von");
    EXPECT_EQ(beschriftung(FormId::MA2_Maske, Ctl::Uhrzeit_e), "bis");
    EXPECT_EQ(beschriftung(FormId::MA2_Maske, Ctl::Inhalt), "Inhalt");
    EXPECT_EQ(beschriftung(FormId::MA2_Maske, Ctl::Punkte), "Punkte");
    for (FormId id : {FormId::MA1_Maske, FormId::MA2_Maske}) {
        EXPECT_EQ(beschriftung(id, Ctl::EFN).rfind("EFN Erfassung", 0), 0U);
        EXPECT_EQ(beschriftung(id, Ctl::Teilnehmerliste).rfind("Erfasste EFN", 0), 0U);
        // In their small frames no label stands beside them: the help text
        // above the frame is not theirs.
        EXPECT_EQ(beschriftung(id, Ctl::PKT_neu), "");
        EXPECT_EQ(beschriftung(id, Ctl::referent), "");
    }
    EXPECT_EQ(beschriftung(FormId::VNR_Eingabe, Ctl::VNR_FELD).rfind("Bitte tragen Sie die Veranstaltungsnummer", 0),
              0U);
    EXPECT_EQ(beschriftung(FormId::Kat_Auswahl, Ctl::Kategorie).rfind("Zu welcher Kategorie", 0), 0U);
    EXPECT_EQ(beschriftung(FormId::Dateidialog, Ctl::Dateiliste).rfind("Folgende Veranstaltungsdaten", 0), 0U);
}

constexpr std::array<Steuerelement, 7> k_test{{
    {Art::Schaltflaeche, Ctl::Weiter, -1, "Weiter", Ctl::Keiner, 4000, 100, 1000, 400, 0, 2, 0},
    {Art::Rahmen, Ctl::Frame1, -1, "Rahmen", Ctl::Keiner, 100, 600, 3000, 2000, 0, -1, 0},
    {Art::Label, Ctl::Label1, -1, "Oben", Ctl::Frame1, 100, 200, 1000, 250, 0, -1, 0},
    {Art::Textfeld, Ctl::EFN, -1, "", Ctl::Frame1, 100, 480, 1000, 300, 0, 1, 0},
    {Art::Label, Ctl::Label2, -1, "Links", Ctl::Keiner, 100, 100, 800, 300, 0, -1, 0},
    {Art::Textfeld, Ctl::VNR, -1, "", Ctl::Keiner, 1000, 100, 1000, 300, 0, 0, 0},
    {Art::Label, Ctl::Label3, -1, "Sonst", Ctl::Keiner, 5500, 100, 800, 300, 0, -1, 0},
}};

TEST(Erzeugungsreihenfolge, LabelDirektVorSeinemFeldTabFolgeUnveraendert) {
    const auto zu = beschriftungen(k_test);
    EXPECT_EQ(zu[3], std::optional<std::size_t>(2)); // above, in the same frame
    EXPECT_EQ(zu[5], std::optional<std::size_t>(4)); // left on the same line
    EXPECT_FALSE(zu[0]);
    // Tab stops VNR (0), EFN (1), Weiter (2), each box after its label; the
    // free label; the frame last.
    EXPECT_EQ(erzeugungsreihenfolge(k_test), (std::vector<std::size_t>{4, 5, 2, 3, 0, 6, 1}));
}

TEST(Erzeugungsreihenfolge, JedesFensterVollstaendigUndTabstoppsInTabIndexFolge) {
    for (int n = 0; n < k_formzahl; ++n) {
        const Formular& d = karmo::Deklaration(static_cast<FormId>(n));
        SCOPED_TRACE(std::string(d.name));
        const auto reihe = erzeugungsreihenfolge(d.elemente);
        const auto zu = beschriftungen(d.elemente);
        std::vector<std::size_t> sortiert = reihe;
        std::sort(sortiert.begin(), sortiert.end());
        ASSERT_EQ(sortiert.size(), d.elemente.size());
        for (std::size_t i = 0; i < sortiert.size(); ++i) ASSERT_EQ(sortiert[i], i);

        int letzter_tab = -1;
        bool rahmen_begonnen = false;
        for (std::size_t pos = 0; pos < reihe.size(); ++pos) {
            const Steuerelement& s = d.elemente[reihe[pos]];
            if (zu[reihe[pos]]) {
                ASSERT_GT(pos, 0U);
                EXPECT_EQ(reihe[pos - 1], *zu[reihe[pos]]) << "Label nicht direkt vor " << static_cast<int>(s.name);
            }
            if (s.art == Art::Rahmen) {
                rahmen_begonnen = true;
            } else {
                EXPECT_FALSE(rahmen_begonnen) << "Rahmen vor " << static_cast<int>(s.name);
            }
            if (s.tabindex >= 0 && s.art != Art::Label && s.art != Art::Rahmen) {
                EXPECT_GE(s.tabindex, letzter_tab);
                letzter_tab = s.tabindex;
            }
        }
    }
}

} // namespace
} // namespace karmo::ui
