// Every window of the program rendered from its declaration: classes, pixel edges, captions, limits, tab order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

#include "start/start.hpp"
#include "ui_hilfe.hpp"

namespace karmo::test {
namespace {

using ui::Art;
using ui::Ctl;

const char* erwartete_klasse(Art a) {
    switch (a) {
        case Art::Label:
            return "Static";
        case Art::Rahmen:
        case Art::Kontrollkaestchen:
        case Art::Schaltflaeche:
            return "Button";
        case Art::Textfeld:
            return "Edit";
        case Art::Liste:
            return "ListBox";
    }
    return "?";
}

class Deklarationen : public ::testing::TestWithParam<ui::FormId> {
protected:
    ui::Win32Host host;
    Protokollant logik;
};

TEST_P(Deklarationen, EveryControlIsRenderedAsDeclared) {
    const ui::Formular& d = Deklaration(GetParam());
    ui::Win32Fenster f(host, d, logik);
    EXPECT_EQ(fenstertext(f.hwnd()), d.titel);
    const bool messen = f.dpi() == 96;
    if (messen) {
        RECT c{};
        GetClientRect(f.hwnd(), &c);
        EXPECT_EQ(c.right, ui::pixel(d.breite, 96));
        EXPECT_EQ(c.bottom, ui::pixel(d.hoehe, 96));
    }

    // Absolute twips, found the way a reader of the table would.
    std::map<Ctl, std::pair<int, int>> ursprung;
    for (const ui::Steuerelement& s : d.elemente) {
        SCOPED_TRACE(std::string(d.name) + " control " + std::to_string(static_cast<int>(s.name)) + " index " +
                     std::to_string(s.index));
        int x = s.links, y = s.oben;
        if (s.container != Ctl::Keiner) {
            ASSERT_TRUE(ursprung.count(s.container)) << "container declared before its contents";
            x += ursprung[s.container].first;
            y += ursprung[s.container].second;
        }
        ursprung.try_emplace(s.name, x, y);

        HWND h = f.steuerelement(s.name, s.index);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(GetParent(h), f.hwnd());
        EXPECT_EQ(klassenname(h), erwartete_klasse(s.art));
        if (s.art != Art::Liste) {
            EXPECT_EQ(fenstertext(h), s.text);
        }
        if (s.art == Art::Textfeld) {
            if (s.maxlaenge > 0) {
                EXPECT_EQ(SendMessageW(h, EM_GETLIMITTEXT, 0, 0), s.maxlaenge);
            }
            EXPECT_EQ(hat_stil(h, ES_READONLY), (s.stil & ui::k_gesperrt) != 0);
            EXPECT_EQ(hat_stil(h, ES_MULTILINE), (s.stil & ui::k_mehrzeilig) != 0);
        }
        EXPECT_EQ(hat_stil(h, WS_TABSTOP), s.tabindex >= 0 && s.art != Art::Rahmen && s.art != Art::Label);
        if (messen) {
            const RECT r = lage(h);
            EXPECT_EQ(r.left, ui::pixel(x, 96));
            EXPECT_EQ(r.top, ui::pixel(y, 96));
            EXPECT_EQ(r.right, ui::pixel(x + s.breite, 96));
            EXPECT_EQ(r.bottom, ui::pixel(y + s.hoehe, 96));
        }
    }
}

TEST_P(Deklarationen, TabGoesThroughTheStopsInTabIndexOrder) {
    const ui::Formular& d = Deklaration(GetParam());
    ui::Win32Fenster f(host, d, logik);
    std::vector<const ui::Steuerelement*> stopps;
    for (const ui::Steuerelement& s : d.elemente) {
        if (s.tabindex >= 0 && s.art != Art::Label && s.art != Art::Rahmen) stopps.push_back(&s);
    }
    std::stable_sort(stopps.begin(), stopps.end(), [](auto* a, auto* b) { return a->tabindex < b->tabindex; });
    std::vector<HWND> erwartet;
    for (auto* s : stopps) erwartet.push_back(f.steuerelement(s->name, s->index));

    std::vector<HWND> reihe;
    HWND c = GetNextDlgTabItem(f.hwnd(), nullptr, FALSE);
    while (c && reihe.size() <= erwartet.size() && (reihe.empty() || c != reihe.front())) {
        reihe.push_back(c);
        c = GetNextDlgTabItem(f.hwnd(), c, FALSE);
    }
    EXPECT_EQ(reihe, erwartet) << d.name;
}

INSTANTIATE_TEST_SUITE_P(AlleFenster, Deklarationen, ::testing::ValuesIn(k_alle_fenster),
                         [](const auto& p) { return fenstername(p.param); });

// The capture form of report type 2 as the organiser sees it: the event
// fields in their documented order, the read-only number outside the Tab cycle.
TEST(MA2Maske, InputFieldsTabInTheDocumentedOrder) {
    ui::Win32Host host;
    Protokollant logik;
    ui::Win32Fenster f(host, Deklaration(ui::FormId::MA2_Maske), logik);
    const std::array<Ctl, 8> reihenfolge{Ctl::Punkte,    Ctl::Datum_von, Ctl::DATUM_BIS, Ctl::Dauer,
                                         Ctl::Uhrzeit_s, Ctl::Uhrzeit_e, Ctl::Inhalt,    Ctl::EFN};
    HWND c = f.steuerelement(reihenfolge[0]);
    for (std::size_t i = 1; i < reihenfolge.size(); ++i) {
        c = GetNextDlgTabItem(f.hwnd(), c, FALSE);
        EXPECT_EQ(c, f.steuerelement(reihenfolge[i])) << i;
    }
    EXPECT_FALSE(hat_stil(f.steuerelement(Ctl::VNR), WS_TABSTOP));
    EXPECT_TRUE(hat_stil(f.steuerelement(Ctl::VNR), ES_READONLY));
    EXPECT_EQ(SendMessageW(f.steuerelement(Ctl::EFN), EM_GETLIMITTEXT, 0, 0), 15);
    EXPECT_EQ(fenstertext(f.steuerelement(Ctl::Auswahl_BTN)), " Hauptmenü");
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(f.steuerelement(Ctl::Lumo), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Arial Black");
}

} // namespace
} // namespace karmo::test
