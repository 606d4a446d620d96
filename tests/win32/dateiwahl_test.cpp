// The real Open and Save As dialogs: title and filter as asked, several files at once, the overwrite question, Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui_hilfe.hpp"
#include "win32_test_ordner.hpp"

namespace karmo::test {
namespace {

constexpr UINT_PTR k_uhr = 0x4457;
constexpr int k_dateiname = 0x47c;

// What the test does with each dialog box that comes up (the file dialog,
// then any box it opens itself), and what it saw.
struct Schritte {
    std::vector<std::function<void(HWND)>> handeln;
    std::vector<std::string> titel;
    std::vector<HWND> gesehen;
    int runden = 0;
};
Schritte* g_schritte = nullptr;

BOOL CALLBACK neuer_dialog(HWND h, LPARAM l) {
    if (klassenname(h) != "#32770" || !IsWindowVisible(h) || !IsWindowEnabled(h)) return TRUE;
    for (HWND alt : g_schritte->gesehen) {
        if (alt == h) return TRUE;
    }
    *reinterpret_cast<HWND*>(l) = h;
    return FALSE;
}

// Runs in the dialog's modal loop: each new box gets the next step.
void CALLBACK uhr(HWND, UINT, UINT_PTR, DWORD) {
    Schritte& s = *g_schritte;
    if (s.gesehen.size() == s.handeln.size()) return;
    if (++s.runden > 500) {
        ADD_FAILURE() << "no dialog";
        for (HWND h : s.gesehen) PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
        s.handeln.resize(s.gesehen.size());
        return;
    }
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &neuer_dialog, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    const std::size_t i = s.gesehen.size();
    s.gesehen.push_back(box);
    s.titel.push_back(fenstertext(box));
    s.handeln[i](box);
}

// The name typed into the file-name box, then OK.
std::function<void(HWND)> eingeben(std::string name) {
    return [name](HWND d) {
        SetDlgItemTextW(d, k_dateiname, win32::breit(name).c_str());
        PostMessageW(d, WM_COMMAND, IDOK, 0);
    };
}
std::function<void(HWND)> knopf(int id) {
    return [id](HWND d) { PostMessageW(d, WM_COMMAND, static_cast<WPARAM>(id), 0); };
}

class Dateiwahl_Test : public Win32Ordner {
protected:
    Schritte schritte;
    const Dateiwahl w{"Teilnehmerliste hinzuladen", "Veranstaltungen (*.XML)", "*.XML", ""};

    void SetUp() override {
        Win32Ordner::SetUp();
        // The dialogs open in the current folder when no other is given.
        GetCurrentDirectoryW(MAX_PATH, vorher_);
        ASSERT_TRUE(SetCurrentDirectoryW(win32::breit(ordner()).c_str()));
        g_schritte = &schritte;
        SetTimer(nullptr, k_uhr, 20, &uhr);
    }
    void TearDown() override {
        KillTimer(nullptr, k_uhr);
        g_schritte = nullptr;
        SetCurrentDirectoryW(vorher_);
        Win32Ordner::TearDown();
    }
    void ablegen(const std::string& name) { ASSERT_TRUE(p.schreiben(pfad(name), "x").ok()); }

private:
    wchar_t vorher_[MAX_PATH] = {};
};

TEST_F(Dateiwahl_Test, OeffnenNimmtMehrereDateienUndEineEinzelne) {
    ablegen("tuer1.XML");
    ablegen("tuer2.xml");
    schritte.handeln = {eingeben("\"tuer1.XML\" \"tuer2.xml\"")};
    EXPECT_EQ(p.dateien_waehlen(w), (std::vector<std::string>{pfad("tuer1.XML"), pfad("tuer2.xml")}));
    EXPECT_EQ(schritte.titel, std::vector<std::string>{"Teilnehmerliste hinzuladen"});
    // The filter as asked, the one entry of the type box.
    HWND typ = nullptr;
    schritte = {};
    schritte.handeln = {[this, &typ](HWND d) {
        typ = GetDlgItem(d, 0x470);
        wchar_t text[64] = {};
        if (typ) SendMessageW(typ, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(win32::schmal(text), "Veranstaltungen (*.XML)");
        EXPECT_EQ(SendMessageW(typ, CB_GETCOUNT, 0, 0), 1);
        eingeben(pfad("tuer2.xml"))(d);
    }};
    EXPECT_EQ(p.dateien_waehlen(w), std::vector<std::string>{pfad("tuer2.xml")});
    EXPECT_NE(typ, nullptr);
}

TEST_F(Dateiwahl_Test, AbbrechenGibtNichts) {
    ablegen("tuer1.XML");
    schritte.handeln = {knopf(IDCANCEL)};
    EXPECT_TRUE(p.dateien_waehlen(w).empty());
    schritte = {};
    schritte.handeln = {knopf(IDCANCEL)};
    EXPECT_EQ(p.speicherort_waehlen({"Teilnehmerliste auf Datenträger speichern", "Veranstaltungen (*.XML)", "*.XML",
                                     "2760123456789012344.XML"}),
              std::nullopt);
}

// Save As proposes the name, and asks itself before an existing file is
// chosen: Ja takes it, Nein goes back to the dialog.
TEST_F(Dateiwahl_Test, SpeichernUnterSchlaegtVorUndFragtVorDemUeberschreiben) {
    const Dateiwahl s{"Teilnehmerliste auf Datenträger speichern", "Veranstaltungen (*.XML)", "*.XML",
                      "2760123456789012344.XML"};
    std::string vorgeschlagen;
    schritte.handeln = {[&vorgeschlagen](HWND d) {
        wchar_t text[MAX_PATH] = {};
        GetDlgItemTextW(d, k_dateiname, text, MAX_PATH);
        vorgeschlagen = win32::schmal(text);
        PostMessageW(d, WM_COMMAND, IDOK, 0);
    }};
    EXPECT_EQ(p.speicherort_waehlen(s), pfad("2760123456789012344.XML"));
    EXPECT_EQ(vorgeschlagen, "2760123456789012344.XML");
    EXPECT_EQ(schritte.titel, std::vector<std::string>{"Teilnehmerliste auf Datenträger speichern"});

    ablegen("2760123456789012344.XML");
    schritte = {};
    schritte.handeln = {knopf(IDOK), knopf(IDYES)};
    EXPECT_EQ(p.speicherort_waehlen(s), pfad("2760123456789012344.XML"));
    EXPECT_EQ(schritte.gesehen.size(), 2U); // the question came

    schritte = {};
    bool wieder_da = false;
    schritte.handeln = {knopf(IDOK), [&](HWND q) {
                            PostMessageW(q, WM_COMMAND, IDNO, 0);
                            // Back in the dialog, which is left with Cancel.
                            HWND d = schritte.gesehen.front();
                            PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
                            wieder_da = true;
                        }};
    EXPECT_EQ(p.speicherort_waehlen(s), std::nullopt);
    EXPECT_TRUE(wieder_da);
    EXPECT_EQ(roh_lesen(pfad("2760123456789012344.XML")), "x");
}

} // namespace
} // namespace karmo::test
