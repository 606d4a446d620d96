// A fresh folder under the Wine prefix's temp directory for each Win32 test, removed afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_plattform.hpp"

namespace karmo::test {

class Win32Ordner : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
        static int zaehler = 0;
        ordner_ = win32::schmal(temp) + "karmo_w32_" + std::to_string(GetCurrentProcessId()) + "_" +
                  std::to_string(++zaehler) + "\\";
        ASSERT_TRUE(p.ordner_anlegen(ordner_).ok()) << ordner_;
    }

    void TearDown() override { entfernen(win32::breit(ordner_)); }

    std::string pfad(std::string_view name) const { return ordner_ + std::string(name); }
    const std::string& ordner() const { return ordner_; }

    // The file's bytes as the system reads them, without the platform under test.
    static std::string roh_lesen(const std::string& pfad) {
        std::string inhalt;
        HANDLE h = CreateFileW(win32::breit(pfad).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "<fehlt>";
        char puffer[4096];
        DWORD n = 0;
        while (ReadFile(h, puffer, sizeof puffer, &n, nullptr) && n > 0) inhalt.append(puffer, n);
        CloseHandle(h);
        return inhalt;
    }

    Win32Plattform p;

private:
    static void entfernen(const std::wstring& ordner) {
        WIN32_FIND_DATAW fund{};
        HANDLE h = FindFirstFileW((ordner + L"*").c_str(), &fund);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = fund.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring voll = ordner + name;
                SetFileAttributesW(voll.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (fund.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    entfernen(voll + L"\\");
                else
                    DeleteFileW(voll.c_str());
            } while (FindNextFileW(h, &fund));
            FindClose(h);
        }
        RemoveDirectoryW(ordner.c_str());
    }

    std::string ordner_;
};

} // namespace karmo::test
