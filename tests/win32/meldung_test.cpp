// Real message boxes: a card typed into one closes it and is handed back; a person closes it as ever.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/win32_einzelstart.hpp"
#include "ui_hilfe.hpp"

namespace karmo::test {
namespace {

constexpr const char* k_karte = "740000000000013";
constexpr UINT_PTR k_uhr = 0x4B4D;

// What the test does once the box is on screen, and what it saw of it.
struct Box {
    std::function<void(HWND box, HWND ok)> handeln;
    std::string klasse, titel, text;
    HWND gesehen = nullptr;
    int runden = 0;
};
Box* g_box = nullptr;

BOOL CALLBACK eigene_box(HWND h, LPARAM l) {
    if (klassenname(h) != "#32770" || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<HWND*>(l) = h;
    return FALSE;
}

// Runs inside the box's modal loop, until the box is there.
void CALLBACK uhr(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_box || g_box->gesehen) return;
    if (++g_box->runden > 200) {
        ADD_FAILURE() << "no message box";
        return;
    }
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &eigene_box, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    g_box->gesehen = box;
    g_box->klasse = klassenname(box);
    g_box->titel = fenstertext(box);
    g_box->text = fenstertext(GetDlgItem(box, 0xFFFF));
    g_box->handeln(box, GetDlgItem(box, IDOK));
}

// A platform whose boxes have a list to take cards, as while a capture form is open.
struct MitListe {
    Win32Plattform pl;
    MitListe() { pl.setze_kartenannahme([] { return true; }); }
    operator Win32Plattform&() { return pl; }
    void meldung(std::string_view t) { pl.meldung(t); }
    bool frage(std::string_view t, Vorgabe v) { return pl.frage(t, v); }
    std::string scan_aus_meldung() { return pl.scan_aus_meldung(); }
};

// Shows a real box through the platform; `handeln` types or clicks into it.
std::string melden(Win32Plattform& pl, Box& box, const std::string& text) {
    g_box = &box;
    SetTimer(nullptr, k_uhr, 10, &uhr);
    pl.meldung(text);
    g_box = nullptr;
    return pl.scan_aus_meldung();
}

TEST(Meldung, KarteSchliesstDieBoxUndKommtZurueck) {
    MitListe pl;
    for (UINT ende : {VK_RETURN, VK_TAB}) {
        Box box;
        box.handeln = [ende](HWND, HWND ok) {
            ziffern_senden(ok, k_karte);
            taste_senden(ok, ende);
        };
        EXPECT_EQ(melden(pl, box, "Diese Nummer ist in der Liste schon vorhanden!"), k_karte);
        EXPECT_FALSE(IsWindow(box.gesehen));
        // The box is what it always was: a standard message box.
        EXPECT_EQ(box.klasse, "#32770");
        EXPECT_EQ(box.titel, "Karmo");
        EXPECT_EQ(box.text, "Diese Nummer ist in der Liste schon vorhanden!");
        EXPECT_EQ(pl.scan_aus_meldung(), "") << "handed out once";
    }
}

TEST(Meldung, EineTeilweiseGeleseneKarteKommtAuchZurueck) {
    MitListe pl;
    Box box;
    box.handeln = [](HWND, HWND ok) {
        ziffern_senden(ok, "74000000000001");
        taste_senden(ok, VK_RETURN);
    };
    EXPECT_EQ(melden(pl, box, "x"), "74000000000001");
}

TEST(Meldung, EinMenschSchliesstSieWieImmer) {
    MitListe pl;
    const std::vector<std::function<void(HWND, HWND)>> wege{
        [](HWND, HWND ok) { taste_senden(ok, VK_RETURN); },
        [](HWND, HWND ok) { taste_senden(ok, VK_ESCAPE); },
        [](HWND, HWND ok) { taste_senden(ok, VK_SPACE); },
        [](HWND, HWND ok) {
            PostMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            PostMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        },
        // One digit and Enter are no card: the Enter is a person's.
        [](HWND, HWND ok) {
            ziffern_senden(ok, "7");
            taste_senden(ok, VK_RETURN);
        },
    };
    for (std::size_t i = 0; i < wege.size(); ++i) {
        Box box;
        box.handeln = wege[i];
        EXPECT_EQ(melden(pl, box, "Eine EFN hat 15 Stellen! Bitte kontrollieren Sie die Eingabe!"), "") << i;
        EXPECT_NE(box.gesehen, nullptr) << i;
        EXPECT_FALSE(IsWindow(box.gesehen)) << i;
    }
}

// A later look at the box: still open after the digits alone?
bool g_offen = false;
void CALLBACK nachsehen(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!g_box) return;
    g_offen = IsWindow(g_box->gesehen) && IsWindowVisible(g_box->gesehen);
    taste_senden(GetDlgItem(g_box->gesehen, IDOK), VK_RETURN);
}

TEST(Meldung, ZiffernAlleinLassenDieBoxOffen) {
    MitListe pl;
    Box box;
    g_offen = false;
    box.handeln = [](HWND, HWND ok) {
        ziffern_senden(ok, k_karte);
        SetTimer(nullptr, 0, 150, &nachsehen);
    };
    EXPECT_EQ(melden(pl, box, "x"), "");
    EXPECT_TRUE(g_offen);
}

// Without a list (the setup window, the restore question) a card closes
// nothing and is not kept: the box waits for a person.
TEST(Meldung, OhneListeGehtDieKarteNirgendwohin) {
    Win32Plattform pl;
    Box box;
    g_offen = false;
    box.handeln = [](HWND, HWND ok) {
        ziffern_senden(ok, k_karte);
        taste_senden(ok, VK_RETURN);
        SetTimer(nullptr, 0, 150, &nachsehen);
    };
    EXPECT_EQ(melden(pl, box, "Die Verknüpfung wurde angelegt."), "");
    EXPECT_TRUE(g_offen) << "the card's Enter did not close the box";
    EXPECT_FALSE(IsWindow(box.gesehen)) << "a person's Enter did";
}

// A card typed into a question is kept and answers nothing; the person's
// Enter afterwards chooses the default button.
bool g_frage_offen = false;
void CALLBACK frage_nachsehen(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!g_box) return;
    g_frage_offen = IsWindow(g_box->gesehen) && IsWindowVisible(g_box->gesehen);
    taste_senden(GetFocus(), VK_RETURN);
}

TEST(Frage, EineKarteBeantwortetSieNicht) {
    for (Vorgabe vorgabe : {Vorgabe::Ja, Vorgabe::Nein}) {
        MitListe pl;
        Box box;
        g_frage_offen = false;
        box.handeln = [](HWND, HWND) {
            HWND knopf = GetFocus();
            ziffern_senden(knopf, k_karte);
            taste_senden(knopf, VK_RETURN);
            ziffern_senden(knopf, "100000000000009");
            taste_senden(knopf, VK_TAB);
            SetTimer(nullptr, 0, 150, &frage_nachsehen);
        };
        g_box = &box;
        SetTimer(nullptr, k_uhr, 10, &uhr);
        const bool ja = pl.frage("Soll Karmo trotzdem beendet werden?", vorgabe);
        g_box = nullptr;
        EXPECT_TRUE(g_frage_offen) << "still open after two cards";
        EXPECT_EQ(ja, vorgabe == Vorgabe::Ja) << "the Tab did not move to the other button either";
        EXPECT_EQ(pl.scan_aus_meldung(), k_karte);
        EXPECT_EQ(pl.scan_aus_meldung(), "100000000000009");
        EXPECT_EQ(pl.scan_aus_meldung(), "");
    }
}

// The question's default button is the one Enter chooses: Ja unless Nein is asked for.
TEST(Frage, EnterWaehltDieVorgabe) {
    MitListe pl;
    for (Vorgabe vorgabe : {Vorgabe::Ja, Vorgabe::Nein}) {
        Box box;
        int fokus = 0;
        box.handeln = [&fokus](HWND, HWND) {
            HWND knopf = GetFocus();
            fokus = GetDlgCtrlID(knopf);
            taste_senden(knopf, VK_RETURN);
        };
        g_box = &box;
        SetTimer(nullptr, k_uhr, 10, &uhr);
        const bool ja = pl.frage("Soll Karmo trotzdem beendet werden?", vorgabe);
        g_box = nullptr;
        EXPECT_EQ(ja, vorgabe == Vorgabe::Ja);
        EXPECT_EQ(fokus, vorgabe == Vorgabe::Ja ? IDYES : IDNO);
        EXPECT_EQ(box.titel, "Karmo");
        EXPECT_EQ(box.text, "Soll Karmo trotzdem beendet werden?");
        EXPECT_FALSE(IsWindow(box.gesehen));
    }
}

TEST(Einzelstart, ZweiterStartSiehtDenErstenUndBringtSeinFensterNachVorn) {
    const wchar_t* name = L"Local\\Karmo.Test.Einzelstart";
    {
        win32::Einzelstart erster(name);
        EXPECT_TRUE(erster.erster());
        win32::Einzelstart zweiter(name);
        EXPECT_FALSE(zweiter.erster());
    }
    // Once the first has ended, the next start is the program again.
    win32::Einzelstart wieder(name);
    EXPECT_TRUE(wieder.erster());
    // This process's own windows are never "the running program".
    EXPECT_FALSE(win32::nach_vorne(L"Karmo.Test.KeineKlasse"));
}

} // namespace
} // namespace karmo::test
