// Durable writing under Wine: the order of the file calls of a save and of a journal entry, and the renderer's events for the journal.
#include <array>
#include <memory>

#include "eventfile/dateizugriff.hpp"
#include "start/start.hpp"
#include "ui_hilfe.hpp"
#include "win32/win32_test_ordner.hpp"

namespace karmo::test {
namespace {

// The file calls as the platform makes them, in order: the call's name, the
// file name (not its folder) it opens or moves, the handle it works on.
std::vector<std::string> g_aufrufe;
bool g_flush_scheitert = false;

std::string name_von(LPCWSTR pfad) {
    const std::string p = win32::schmal(pfad);
    return p.substr(p.rfind('\\') + 1);
}
std::string h(HANDLE x) { return std::to_string(reinterpret_cast<std::uintptr_t>(x)); }

HANDLE WINAPI create_file(LPCWSTR pfad, DWORD zugriff, DWORD teilen, LPSECURITY_ATTRIBUTES s, DWORD art, DWORD attr,
                          HANDLE vorlage) {
    HANDLE x = CreateFileW(pfad, zugriff, teilen, s, art, attr, vorlage);
    const bool anhaengen = zugriff == FILE_APPEND_DATA && art == OPEN_ALWAYS;
    g_aufrufe.push_back(std::string(anhaengen ? "CreateFile(anhaengen) " : "CreateFile ") + name_von(pfad) + " " + h(x));
    return x;
}
BOOL WINAPI write_file(HANDLE x, LPCVOID daten, DWORD n, LPDWORD geschrieben, LPOVERLAPPED o) {
    g_aufrufe.push_back("WriteFile " + h(x));
    return WriteFile(x, daten, n, geschrieben, o);
}
BOOL WINAPI flush_file_buffers(HANDLE x) {
    g_aufrufe.push_back("FlushFileBuffers " + h(x));
    if (g_flush_scheitert) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return FlushFileBuffers(x);
}
BOOL WINAPI close_handle(HANDLE x) {
    g_aufrufe.push_back("CloseHandle " + h(x));
    return CloseHandle(x);
}
BOOL WINAPI move_file_ex(LPCWSTR von, LPCWSTR nach, DWORD art) {
    g_aufrufe.push_back("MoveFileEx " + name_von(von) + " " + name_von(nach) + " " + std::to_string(art));
    return MoveFileExW(von, nach, art);
}

constexpr win32::Dateiaufrufe k_aufzeichnend{create_file, write_file, flush_file_buffers, close_handle, move_file_ex};

class Dauerhaft : public Win32Ordner {
protected:
    void SetUp() override {
        Win32Ordner::SetUp();
        g_aufrufe.clear();
        g_flush_scheitert = false;
    }
    void TearDown() override {
        g_flush_scheitert = false;
        Win32Ordner::TearDown();
    }
    // The handle the first call opened, as the recorded text shows it.
    static std::string erster_griff() { return g_aufrufe.at(0).substr(g_aufrufe.at(0).rfind(' ') + 1); }
    Win32Plattform aufzeichnend{k_aufzeichnend};
};

// A save of the type-1 form with the real window and the real save code: the
// temporary file reaches the disk before it is moved over the event file.
TEST_F(Dauerhaft, SpeichernSpueltDieZwischendateiVorDemUmbenennen) {
    ui::Win32Host host;
    ui::Formularsammlung sammlung(host, Deklaration);
    Programm prog(aufzeichnend, sammlung);
    Zustand& z = prog.zustand();
    z.Basisverzeichnis = ordner();
    z.Aktuelle_VNR = "2767701234567890123";
    z.Aktuelle_Meldungsart = 1;
    ui::Fenster& form = prog.form(ui::FormId::MA1_Maske);
    form.setze_text(ui::Ctl::Punkte, "8");
    form.zeile_anfuegen(ui::Ctl::Teilnehmerliste, "123456789012347 (8/0)");
    const std::string ziel = ordner() + "Daten\\2767701234567890123.XML";
    ASSERT_TRUE(p.ordner_anlegen(ordner() + "Daten\\").ok());
    ASSERT_TRUE(aufzeichnend.schreiben(ziel, "alte Fassung").ok());
    g_aufrufe.clear();

    ASSERT_EQ(Veranstaltung_speichern(prog, ziel, "Verlassen1"), Speicherergebnis::Geschrieben);
    ASSERT_EQ(g_aufrufe.size(), 5U) << ::testing::PrintToString(g_aufrufe);
    const std::string griff = erster_griff();
    EXPECT_EQ(g_aufrufe[0], "CreateFile 2767701234567890123.XML.tmp " + griff);
    EXPECT_EQ(g_aufrufe[1], "WriteFile " + griff);
    EXPECT_EQ(g_aufrufe[2], "FlushFileBuffers " + griff);
    EXPECT_EQ(g_aufrufe[3], "CloseHandle " + griff);
    EXPECT_EQ(g_aufrufe[4], "MoveFileEx 2767701234567890123.XML.tmp 2767701234567890123.XML " +
                                std::to_string(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_NE(roh_lesen(ziel).find("<EFN>123456789012347</EFN>"), std::string::npos);
    EXPECT_FALSE(p.datei_existiert(ziel + ".tmp"));
}

TEST_F(Dauerhaft, AnhaengenSchreibtAnsEndeUndSpueltVorDemSchliessen) {
    ASSERT_TRUE(aufzeichnend.anhaengen(pfad("j.jnl"), "erste Zeile\n").ok());
    ASSERT_EQ(g_aufrufe.size(), 4U) << ::testing::PrintToString(g_aufrufe);
    const std::string griff = erster_griff();
    EXPECT_EQ(g_aufrufe[0], "CreateFile(anhaengen) j.jnl " + griff);
    EXPECT_EQ(g_aufrufe[1], "WriteFile " + griff);
    EXPECT_EQ(g_aufrufe[2], "FlushFileBuffers " + griff);
    EXPECT_EQ(g_aufrufe[3], "CloseHandle " + griff);
    ASSERT_TRUE(aufzeichnend.anhaengen(pfad("j.jnl"), "zweite\n").ok());
    EXPECT_EQ(roh_lesen(pfad("j.jnl")), "erste Zeile\nzweite\n");
}

TEST_F(Dauerhaft, EinGescheitertesSpuelenWirdGemeldetUndDieDateiGeschlossen) {
    g_flush_scheitert = true;
    const Ergebnis e = aufzeichnend.schreiben(pfad("x.tmp"), "Inhalt");
    EXPECT_EQ(e.nummer, static_cast<int>(ERROR_DISK_FULL));
    ASSERT_FALSE(g_aufrufe.empty());
    EXPECT_EQ(g_aufrufe.back(), "CloseHandle " + erster_griff());
    EXPECT_EQ(aufzeichnend.anhaengen(pfad("j.jnl"), "x").nummer, static_cast<int>(ERROR_DISK_FULL));
    EXPECT_EQ(g_aufrufe.back().rfind("CloseHandle ", 0), 0U);
}

// --- the renderer's events for the journal ---------------------------------------------

class Aufzeichner final : public ui::Formularlogik {
public:
    std::vector<std::string> ereignisse;
    void aenderung(ui::Ctl c) override { ereignisse.push_back("aenderung:" + std::to_string(static_cast<int>(c))); }
    void sitzungsende() override { ereignisse.push_back("sitzungsende"); }
};

constexpr std::array<ui::Steuerelement, 2> k_elemente{{
    {ui::Art::Textfeld, ui::Ctl::Punkte, -1, "", ui::Ctl::Keiner, 990, 270, 1056, 336, 3, 0, 0},
    {ui::Art::Textfeld, ui::Ctl::Inhalt, -1, "", ui::Ctl::Keiner, 990, 1100, 4000, 600, 250, 1, ui::k_mehrzeilig},
}};
const ui::Formular k_formular{ui::FormId::MA2_Maske, "Test", "Prüffenster", 6000, 3000, 0, k_elemente};

TEST(Win32Sicherung, TextaenderungUndSitzungsendeKommenAlsEreignisse) {
    ui::Win32Host host;
    Aufzeichner logik;
    ui::Win32Fenster f(host, k_formular, logik);
    f.zeigen();
    pumpen(host);
    logik.ereignisse.clear();
    const std::string punkte = "aenderung:" + std::to_string(static_cast<int>(ui::Ctl::Punkte));

    SetFocus(f.steuerelement(ui::Ctl::Punkte));
    ziffern_senden(f.steuerelement(ui::Ctl::Punkte), "12");
    pumpen(host);
    EXPECT_EQ(logik.ereignisse, (std::vector<std::string>{punkte, punkte}));
    EXPECT_EQ(f.text(ui::Ctl::Punkte), "12");

    logik.ereignisse.clear();
    f.setze_text(ui::Ctl::Punkte, "3");
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{punkte});

    logik.ereignisse.clear();
    EXPECT_EQ(SendMessageW(f.hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(f.hwnd(), WM_ENDSESSION, FALSE, 0); // the end was called off
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{"sitzungsende"});
}

} // namespace
} // namespace karmo::test
