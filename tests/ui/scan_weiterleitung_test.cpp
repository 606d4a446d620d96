// A host's scan events reach the window's handlers, under the program's error handling.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/fake/fake_fenster.hpp"
#include "ui/formular.hpp"

namespace karmo::ui {
namespace {

constexpr std::array<Steuerelement, 2> k_elemente{{
    {Art::Textfeld, Ctl::Punkte, -1, "", Ctl::Keiner, 0, 0, 100, 100, 3, 0, k_stil_keiner},
    {Art::Textfeld, Ctl::EFN, -1, "", Ctl::Keiner, 0, 0, 100, 100, 15, 1, k_stil_keiner},
}};
const Formular k_form{FormId::MA2_Maske, "F", "Titel", 1000, 1000, 0, k_elemente};

// Remembers the events object a window was created with: what the
// renderer calls.
class MerkHost final : public Fensterhost {
public:
    Formularlogik* ereignisse = nullptr;
    std::unique_ptr<Fenster> erzeugen(const Formular& d, Formularlogik& e) override {
        ereignisse = &e;
        return fake_.erzeugen(d, e);
    }

private:
    FakeHost fake_;
};

class Scanziel final : public Formularlogik {
public:
    std::vector<std::string>& gesehen;
    explicit Scanziel(std::vector<std::string>& g) : gesehen(g) {}
    bool nimmt_scans(Ctl c) override { return c == Ctl::Punkte; }
    void scan(Ctl c, std::string_view z) override {
        if (z.empty()) throw std::runtime_error("leer");
        gesehen.push_back(std::to_string(static_cast<int>(c)) + ":" + std::string(z));
    }
};

TEST(ScanWeiterleitung, ErreichtDieHandlerUnterDerFehlerbehandlung) {
    MerkHost host;
    Formularsammlung sammlung(host, [](FormId) -> const Formular& { return k_form; });
    std::vector<std::string> gesehen, fehler;
    sammlung.setze_fabrik([&](FormId, Fenster&) { return std::make_unique<Scanziel>(gesehen); });
    sammlung.setze_fehlerbehandlung([&](const std::exception& e) { fehler.emplace_back(e.what()); });
    sammlung.laden(FormId::MA2_Maske);
    ASSERT_NE(host.ereignisse, nullptr);
    Formularlogik& e = *host.ereignisse;

    EXPECT_TRUE(e.nimmt_scans(Ctl::Punkte));
    EXPECT_FALSE(e.nimmt_scans(Ctl::EFN));
    e.scan(Ctl::Punkte, "740000000000013");
    EXPECT_EQ(gesehen, (std::vector<std::string>{std::to_string(static_cast<int>(Ctl::Punkte)) + ":740000000000013"}));
    e.scan(Ctl::Punkte, "");
    EXPECT_EQ(fehler, (std::vector<std::string>{"leer"}));
}

} // namespace
} // namespace karmo::ui
