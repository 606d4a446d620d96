// What a screen reader finds: every text box and list right below its label in z-order, and its accessible name.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <optional>
#include <string>

#include "start/start.hpp"
#include "ui/reihenfolge.hpp"
#include "ui_hilfe.hpp"

namespace karmo::test {
namespace {

using ui::Art;
using ui::Ctl;

// The accessible name of a window's client object, as a screen reader asks
// for it; nothing when the system cannot say.
std::optional<std::string> zugangsname(HWND h) {
    IAccessible* objekt = nullptr;
    // __uuidof: naming IID_IAccessible would link two definitions of it (oleacc and uuid).
    if (FAILED(AccessibleObjectFromWindow(h, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&objekt))) ||
        objekt == nullptr) {
        return std::nullopt;
    }
    VARIANT selbst;
    VariantInit(&selbst);
    selbst.vt = VT_I4;
    selbst.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT hr = objekt->get_accName(selbst, &name);
    objekt->Release();
    if (hr != S_OK || name == nullptr) {
        SysFreeString(name);
        return std::nullopt;
    }
    std::string ergebnis = win32::schmal(name);
    SysFreeString(name);
    return ergebnis;
}

bool links_oder_ueber(const RECT& label, const RECT& feld) {
    const bool zeile = label.top < feld.bottom && feld.top < label.bottom;
    const bool spalte = label.left < feld.right && feld.left < label.right;
    return (zeile && (label.left + label.right) / 2 < feld.left) || (spalte && (label.top + label.bottom) / 2 < feld.top);
}

class Bildschirmleser : public ::testing::TestWithParam<ui::FormId> {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
    ui::Win32Host host;
    Protokollant logik;
};

TEST_P(Bildschirmleser, JedesFeldDirektUnterSeinemLabel) {
    const ui::Formular& d = Deklaration(GetParam());
    ui::Win32Fenster f(host, d, logik);
    const auto zu = ui::beschriftungen(d.elemente);
    for (std::size_t i = 0; i < d.elemente.size(); ++i) {
        const ui::Steuerelement& s = d.elemente[i];
        if (s.art != Art::Textfeld && s.art != Art::Liste) continue;
        HWND feld = f.steuerelement(s.name, s.index);
        SCOPED_TRACE(std::string(d.name) + " Feld " + std::to_string(static_cast<int>(s.name)));
        if (!zu[i]) {
            // Only the two small boxes of the point correction and the
            // speaker points have no label: their frame's caption names them.
            EXPECT_TRUE(s.name == Ctl::PKT_neu || s.name == Ctl::referent);
            continue;
        }
        // Read from the real windows: the sibling just above the box.
        HWND davor = GetWindow(feld, GW_HWNDPREV);
        ASSERT_NE(davor, nullptr);
        EXPECT_EQ(klassenname(davor), "Static");
        EXPECT_EQ(davor, f.steuerelement(d.elemente[*zu[i]].name, d.elemente[*zu[i]].index));
        const std::string label = fenstertext(davor);
        EXPECT_FALSE(label.empty());
        EXPECT_TRUE(links_oder_ueber(lage(davor), lage(feld))) << label;

        // The name a screen reader gets: the label's text, also for a box
        // that holds text of its own. Wine's accessibility layer derives it
        // for text boxes; a list box it leaves without a name.
        const auto name = zugangsname(feld);
        if (s.art == Art::Textfeld) {
            ASSERT_TRUE(name.has_value());
            EXPECT_EQ(*name, label);
        } else if (name) {
            EXPECT_EQ(*name, label);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AlleFenster, Bildschirmleser, ::testing::ValuesIn(k_alle_fenster),
                         [](const auto& p) { return fenstername(p.param); });

} // namespace
} // namespace karmo::test
