// The single-start lock under Wine: a holder that ends (or is killed) lets the next start in; one that stays does not.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>

#include "platform/win32/win32_einzelstart.hpp"
#include "start/einzelstart.hpp"

namespace karmo::test {
namespace {

using std::chrono::milliseconds;

// The other program: a thread that creates and owns the mutex `name` and,
// once `gehen` is set, ends without releasing it, as a killed process
// leaves it (abandoned). `da` is set once it owns it.
struct Halter {
    const wchar_t* name;
    HANDLE da = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE gehen = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE faden = nullptr;

    explicit Halter(const wchar_t* n) : name(n) {
        faden = CreateThread(nullptr, 0, &laufen, this, 0, nullptr);
        WaitForSingleObject(da, 5000);
    }
    ~Halter() {
        SetEvent(gehen);
        WaitForSingleObject(faden, 5000);
        CloseHandle(faden);
        CloseHandle(da);
        CloseHandle(gehen);
    }
    static DWORD WINAPI laufen(void* p) {
        auto* h = static_cast<Halter*>(p);
        HANDLE m = CreateMutexW(nullptr, TRUE, h->name);
        SetEvent(h->da);
        WaitForSingleObject(h->gehen, INFINITE);
        // Neither released nor closed: the thread's end abandons it. The
        // handle stays open, as a process being torn down still holds it.
        (void)m;
        return 0;
    }
};

Laufendes_Programm sicht(win32::Einzelstart& e) {
    return {[] { return win32::nach_vorne(L"Karmo.Test.KeineKlasse"); }, [&e] { return e.nehmen(); },
            [](milliseconds ms) { Sleep(static_cast<DWORD>(ms.count())); }};
}

TEST(Einzelstart, AbgebrochenerHalterLaesstDenNaechstenStartHerein) {
    const wchar_t* name = L"Local\\Karmo.Test.Einzelstart.Abgebrochen";
    Halter halter(name);
    win32::Einzelstart zweiter(name);
    EXPECT_FALSE(zweiter.erster());
    EXPECT_FALSE(zweiter.nehmen());
    EXPECT_FALSE(zweiter.erster());
    // It ends while this start waits for it: the start is the program at its next look.
    SetEvent(halter.gehen);
    EXPECT_EQ(Einzelstart_entscheiden(sicht(zweiter), milliseconds{3000}, milliseconds{20}), Zweiter_Start::Starten);
    EXPECT_TRUE(zweiter.erster());
    // Owned now: another thread (a later start) cannot take it.
    HANDLE m = OpenMutexW(SYNCHRONIZE, FALSE, name);
    ASSERT_NE(m, nullptr);
    DWORD ergebnis = WAIT_FAILED;
    HANDLE pruefer = CreateThread(nullptr, 0, [](void* p) -> DWORD {
        return WaitForSingleObject(static_cast<HANDLE>(p), 0);
    }, m, 0, nullptr);
    WaitForSingleObject(pruefer, 5000);
    GetExitCodeThread(pruefer, &ergebnis);
    CloseHandle(pruefer);
    CloseHandle(m);
    EXPECT_EQ(ergebnis, static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(Einzelstart, BleibenderHalterOhneFensterFuehrtZurMeldung) {
    const wchar_t* name = L"Local\\Karmo.Test.Einzelstart.Bleibend";
    Halter halter(name);
    win32::Einzelstart zweiter(name);
    ASSERT_FALSE(zweiter.erster());
    EXPECT_EQ(Einzelstart_entscheiden(sicht(zweiter), milliseconds{200}, milliseconds{20}), Zweiter_Start::Melden);
    EXPECT_FALSE(zweiter.erster());
}

} // namespace
} // namespace karmo::test
