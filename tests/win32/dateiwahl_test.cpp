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

// Keys typed into the dialog's focused control the way a keyboard does:
// a card at once, a person's keys 120 ms apart (the dialog's own loop runs in
// between, so each arrives with its own time).
struct Tipper {
    std::string tasten; // '\r' Enter, '\t' Tab
    UINT abstand_ms = 0;
    std::size_t naechste = 0;
    HWND ziel = nullptr;
};
Tipper* g_tipper = nullptr;

UINT vk(char c) { return c == '\r' ? VK_RETURN : c == '\t' ? VK_TAB : static_cast<UINT>(VkKeyScanW(static_cast<WCHAR>(c)) & 0xFF); }

void CALLBACK tippuhr(HWND, UINT, UINT_PTR id, DWORD) {
    Tipper& t = *g_tipper;
    if (t.naechste < t.tasten.size()) taste_senden(t.ziel, vk(t.tasten[t.naechste++]));
    if (t.naechste == t.tasten.size()) KillTimer(nullptr, id);
}

void tippen(Tipper& t, HWND ziel, std::string tasten, UINT abstand_ms) {
    t = Tipper{std::move(tasten), abstand_ms, 0, ziel};
    g_tipper = &t;
    if (abstand_ms == 0) {
        for (char c : t.tasten) taste_senden(ziel, vk(c));
        t.naechste = t.tasten.size();
        return;
    }
    SetTimer(nullptr, 0, abstand_ms, &tippuhr);
}

std::string dateiname(HWND d) {
    wchar_t text[MAX_PATH] = {};
    GetDlgItemTextW(d, k_dateiname, text, MAX_PATH);
    return win32::schmal(text);
}

constexpr const char* k_karte = "740000000000013";

// While a capture form is open, a card scanned into Save As, Open or the
// overwrite question reaches none of their controls and is kept; a person's
// typing reaches them as ever.
class Karten_in_Dialogen : public Dateiwahl_Test {
protected:
    Tipper tipper;
    const Dateiwahl s{"Teilnehmerliste auf Datenträger speichern", "Veranstaltungen (*.XML)", "*.XML",
                      "2760123456789012344.XML"};
    void SetUp() override {
        Dateiwahl_Test::SetUp();
        p.setze_kartenannahme([] { return true; });
    }
    // Lets the dialog's loop run for `ms`, then does `danach`.
    static std::function<void(HWND)> spaeter(UINT ms, std::function<void(HWND)> danach) {
        return [ms, danach](HWND d) {
            struct Warten {
                std::function<void(HWND)> f;
                HWND d;
            };
            static Warten w;
            w = {danach, d};
            SetTimer(nullptr, 0, ms, [](HWND, UINT, UINT_PTR id, DWORD) {
                KillTimer(nullptr, id);
                w.f(w.d);
            });
        };
    }
};

TEST_F(Karten_in_Dialogen, KarteImSpeichernUnterBleibtDraussenUndWirdBehalten) {
    std::string nach_der_karte;
    schritte.handeln = {[&](HWND d) {
        tippen(tipper, GetFocus(), std::string(k_karte) + "\r" + "100000000000009\t", 0);
        spaeter(400, [&](HWND dlg) {
            nach_der_karte = dateiname(dlg);
            PostMessageW(dlg, WM_COMMAND, IDOK, 0);
        })(d);
    }};
    EXPECT_EQ(p.speicherort_waehlen(s), pfad("2760123456789012344.XML")) << "the Enter saved nothing itself";
    EXPECT_EQ(nach_der_karte, "2760123456789012344.XML");
    EXPECT_EQ(p.scan_aus_meldung(), k_karte);
    EXPECT_EQ(p.scan_aus_meldung(), "100000000000009");
    EXPECT_EQ(p.scan_aus_meldung(), "");
}

TEST_F(Karten_in_Dialogen, EinMenschTipptDenNamenMitZiffern) {
    // Slow digits reach the file-name box in order, and the person's Enter saves.
    schritte.handeln = {[&](HWND d) {
        SetDlgItemTextW(d, k_dateiname, L"");
        tippen(tipper, GetFocus(), "tuer2024\r", 120);
    }};
    // The default extension is added in whichever case the dialog likes.
    const std::optional<std::string> ort = p.speicherort_waehlen(s);
    ASSERT_TRUE(ort.has_value());
    std::string gross = *ort, erwartet = pfad("tuer2024.XML");
    CharUpperA(gross.data());
    CharUpperA(erwartet.data());
    EXPECT_EQ(gross, erwartet);
    EXPECT_EQ(p.scan_aus_meldung(), "");
}

TEST_F(Karten_in_Dialogen, KarteImOeffnenUndInDerUeberschreibfrage) {
    ablegen("tuer1.XML");
    std::string nach_der_karte;
    schritte.handeln = {[&](HWND d) {
        tippen(tipper, GetFocus(), std::string(k_karte) + "\r", 0);
        spaeter(400, [&](HWND dlg) {
            nach_der_karte = dateiname(dlg);
            PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        })(d);
    }};
    EXPECT_TRUE(p.dateien_waehlen(w).empty());
    EXPECT_EQ(nach_der_karte, "");
    EXPECT_EQ(p.scan_aus_meldung(), k_karte);

    // The overwrite question: the card's Enter does not answer Yes.
    ablegen("2760123456789012344.XML");
    schritte = {};
    bool frage_offen = false;
    schritte.handeln = {knopf(IDOK), [&](HWND q) {
                            tippen(tipper, GetFocus(), "100000000000009\r", 0);
                            spaeter(400, [&](HWND frage) {
                                frage_offen = IsWindow(frage) && IsWindowVisible(frage);
                                PostMessageW(frage, WM_COMMAND, IDNO, 0);
                                PostMessageW(schritte.gesehen.front(), WM_COMMAND, IDCANCEL, 0);
                            })(q);
                        }};
    EXPECT_EQ(p.speicherort_waehlen(s), std::nullopt);
    EXPECT_TRUE(frage_offen);
    EXPECT_EQ(p.scan_aus_meldung(), "100000000000009");
    EXPECT_EQ(roh_lesen(pfad("2760123456789012344.XML")), "x");
}

TEST_F(Karten_in_Dialogen, OhneOffeneErfassungBekommtDerDialogJedeTaste) {
    p.setze_kartenannahme({});
    std::string nach_der_karte;
    schritte.handeln = {[&](HWND d) {
        SetDlgItemTextW(d, k_dateiname, L"");
        tippen(tipper, GetFocus(), std::string(k_karte), 0);
        spaeter(300, [&](HWND dlg) {
            nach_der_karte = dateiname(dlg);
            PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        })(d);
    }};
    EXPECT_EQ(p.speicherort_waehlen(s), std::nullopt);
    EXPECT_EQ(nach_der_karte, k_karte);
    EXPECT_EQ(p.scan_aus_meldung(), "");
}

} // namespace
} // namespace karmo::test
