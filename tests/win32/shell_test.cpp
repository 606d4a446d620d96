// The Win32 platform's shell, shortcut, special-folder and process calls on the real API (run under Wine).
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "common/text.hpp"
#include "win32/win32_test_ordner.hpp"

namespace karmo::test {
namespace {

using Shell = Win32Ordner;

bool endet_mit(const std::string& text, const std::string& ende) {
    return text.size() >= ende.size() && text.compare(text.size() - ende.size(), ende.size(), ende) == 0;
}

TEST_F(Shell, VerknuepfungMerktSichIhrZiel) {
    ASSERT_TRUE(p.schreiben(pfad("Karmo.exe"), "MZ").ok());
    const std::string lnk = pfad("Karmo.lnk");
    const Ergebnis e = p.verknuepfung_anlegen(lnk, pfad("Karmo.exe"), pfad("Karmo.exe"));
    ASSERT_TRUE(e.ok()) << e.nummer << " " << e.text;
    EXPECT_TRUE(p.datei_existiert(lnk));
    const auto ziel = win32::verknuepfungsziel(lnk);
    ASSERT_TRUE(ziel.has_value());
    EXPECT_TRUE(text::gleich_ohne_gross_klein(*ziel, pfad("Karmo.exe"))) << *ziel;
    const auto symbol = win32::verknuepfungssymbol(lnk);
    ASSERT_TRUE(symbol.has_value());
    EXPECT_TRUE(text::gleich_ohne_gross_klein(symbol->first, pfad("Karmo.exe"))) << symbol->first;
    EXPECT_EQ(symbol->second, 0);

    // A folder as target, as the "Erfasste Daten" shortcut has it, with the program's icon.
    ASSERT_TRUE(p.ordner_anlegen(pfad("Daten")).ok());
    ASSERT_TRUE(p.verknuepfung_anlegen(pfad("Erfasste Daten.lnk"), pfad("Daten"), pfad("Karmo.exe")).ok());
    const auto ordnerziel = win32::verknuepfungsziel(pfad("Erfasste Daten.lnk"));
    ASSERT_TRUE(ordnerziel.has_value());
    EXPECT_TRUE(text::gleich_ohne_gross_klein(*ordnerziel, pfad("Daten"))) << *ordnerziel;
    const auto ordnersymbol = win32::verknuepfungssymbol(pfad("Erfasste Daten.lnk"));
    ASSERT_TRUE(ordnersymbol.has_value());
    EXPECT_TRUE(text::gleich_ohne_gross_klein(ordnersymbol->first, pfad("Karmo.exe"))) << ordnersymbol->first;

    // Without an icon file the shortcut stores none.
    ASSERT_TRUE(p.verknuepfung_anlegen(pfad("ohne.lnk"), pfad("Karmo.exe"), "").ok());
    const auto kein_symbol = win32::verknuepfungssymbol(pfad("ohne.lnk"));
    ASSERT_TRUE(kein_symbol.has_value());
    EXPECT_EQ(kein_symbol->first, "");
}

TEST_F(Shell, VerknuepfungInFehlendemOrdnerScheitert) {
    const Ergebnis e = p.verknuepfung_anlegen(pfad("fehlt\\Karmo.lnk"), pfad("Karmo.exe"), pfad("Karmo.exe"));
    EXPECT_FALSE(e.ok());
    EXPECT_FALSE(e.text.empty());
    EXPECT_FALSE(win32::verknuepfungsziel(pfad("fehlt\\Karmo.lnk")).has_value());
    EXPECT_FALSE(win32::verknuepfungsziel(pfad("keine.lnk")).has_value());
}

TEST_F(Shell, SpezialordnerGibtEsOhneSchlussstrich) {
    for (auto art : {Spezialordner::Desktop, Spezialordner::StartmenueProgramme}) {
        const std::string ordner_pfad = p.spezialordner(art);
        ASSERT_FALSE(ordner_pfad.empty());
        EXPECT_NE(ordner_pfad.back(), '\\');
        EXPECT_EQ(ordner_pfad.substr(1, 2), ":\\") << ordner_pfad;
        EXPECT_TRUE(p.ordner_existiert(ordner_pfad)) << ordner_pfad;
    }
    EXPECT_NE(p.spezialordner(Spezialordner::Desktop), p.spezialordner(Spezialordner::StartmenueProgramme));
}

TEST_F(Shell, ProgrammpfadIstDieseTestdatei) {
    const std::string exe = p.programmpfad();
    EXPECT_TRUE(endet_mit(exe, "\\karmo_win32_tests.exe")) << exe;
    EXPECT_EQ(exe.substr(1, 2), ":\\") << exe;
    EXPECT_TRUE(p.datei_existiert(exe));
    // The copy that the installation makes of the running program.
    ASSERT_TRUE(p.kopieren(exe, pfad("Karmo.exe")).ok());
    EXPECT_EQ(roh_lesen(pfad("Karmo.exe")).substr(0, 2), "MZ");
}

TEST_F(Shell, HeuteIstEinGueltigesDatum) {
    SYSTEMTIME vorher{};
    GetLocalTime(&vorher);
    const Datum d = p.heute();
    EXPECT_GE(d.jahr, vorher.wYear);
    EXPECT_GE(d.monat, 1);
    EXPECT_LE(d.monat, 12);
    EXPECT_GE(d.tag, 1);
    EXPECT_LE(d.tag, 31);
}

TEST_F(Shell, NichtVorhandenesDokumentLiefertFehlerwert) {
    EXPECT_LE(p.shell_ausfuehren("open", pfad("gibt_es_nicht.txt"), SW_SHOWNORMAL), 32);
}

TEST_F(Shell, VorhandeneTextdateiWirdGeoeffnet) {
    ASSERT_TRUE(p.schreiben(pfad("liesmich.txt"), "Hallo\r\n").ok());
    EXPECT_GT(p.shell_ausfuehren("open", pfad("liesmich.txt"), SW_SHOWMINNOACTIVE), 32);
}

// The test prefix registers a stand-in browser that appends each address it is
// given to the file named by KARMO_BROWSER_PROTOKOLL (a host path).
TEST_F(Shell, AdresseGehtAnDenBrowser) {
    const char* protokoll = std::getenv("KARMO_BROWSER_PROTOKOLL");
    if (protokoll == nullptr) GTEST_SKIP() << "kein Ersatzbrowser eingerichtet (scripts/wine-env.sh)";
    std::string windows_pfad = std::string("Z:") + protokoll;
    std::replace(windows_pfad.begin(), windows_pfad.end(), '/', '\\');

    const std::string adresse = "http://portal.example/index.php?page=eingabe&vnr=2760123456789012344"
                                "&datei=c%3A%5Czelva%5CDaten%5Cbeispiel.XML";
    EXPECT_GT(p.shell_ausfuehren("open", adresse, SW_SHOWMAXIMIZED), 32);

    // The browser is a separate process; wait until it has written its line.
    std::string inhalt;
    for (int versuch = 0; versuch < 100; ++versuch) {
        inhalt = roh_lesen(windows_pfad);
        if (inhalt.find(adresse) != std::string::npos) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_NE(inhalt.find(adresse + "\n"), std::string::npos) << inhalt;
}

// The folder's window of the file manager, found by its title (the folder's name).
HWND ordnerfenster(const std::string& titel) {
    struct Suche {
        std::wstring titel;
        HWND fund = nullptr;
    } suche{win32::breit(titel), nullptr};
    EnumWindows(
        [](HWND h, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Suche*>(l);
            wchar_t klasse[64] = {}, text[MAX_PATH] = {};
            GetClassNameW(h, klasse, 64);
            GetWindowTextW(h, text, MAX_PATH);
            if (std::wstring(klasse) == L"ExplorerWClass" && s->titel == text) {
                s->fund = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&suche));
    return suche.fund;
}

TEST_F(Shell, DateiImOrdnerZeigenOeffnetDenOrdner) {
    ASSERT_TRUE(p.ordner_anlegen(pfad("Daten")).ok());
    const std::string datei = pfad("Daten\\2760123456789012344.XML");
    ASSERT_TRUE(p.schreiben(datei, "<?xml?>\r\n").ok());
    const Ergebnis e = p.im_ordner_zeigen(datei);
    ASSERT_TRUE(e.ok()) << e.nummer << " " << e.text;

    // The file manager runs in a process of its own; wait for its window.
    HWND fenster = nullptr;
    for (int versuch = 0; versuch < 100 && !fenster; ++versuch) {
        fenster = ordnerfenster("Daten");
        if (!fenster) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_NE(fenster, nullptr) << "kein Ordnerfenster \"Daten\"";
    PostMessageW(fenster, WM_CLOSE, 0, 0);

    // A file that is not there cannot be selected; the caller hears of it.
    EXPECT_FALSE(p.im_ordner_zeigen(pfad("Daten\\fehlt.XML")).ok());
}

} // namespace
} // namespace karmo::test
