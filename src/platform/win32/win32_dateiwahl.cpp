// The common Open and Save As dialogs (comdlg32), for event files on any folder or drive.
#include <windows.h>

#include <commdlg.h>

#include "platform/win32/win32_plattform.hpp"

namespace karmo {
namespace {

// Room for the chosen names: an Open dialog with several files returns the
// folder and every name in it, each ended by a zero.
constexpr DWORD k_puffer = 1U << 16;

// "Name\0Pattern\0\0", as the dialogs take their filters.
std::wstring filter(const Dateiwahl& w) {
    std::wstring f = win32::breit(w.filtername);
    f.push_back(L'\0');
    f += win32::breit(w.muster);
    f.push_back(L'\0');
    f.push_back(L'\0');
    return f;
}

OPENFILENAMEW angaben(const std::wstring& titel, const std::wstring& filter, std::wstring& puffer) {
    OPENFILENAMEW o{};
    o.lStructSize = sizeof(o);
    o.hwndOwner = GetActiveWindow();
    o.lpstrFilter = filter.c_str();
    o.nFilterIndex = 1;
    o.lpstrFile = puffer.data();
    o.nMaxFile = static_cast<DWORD>(puffer.size());
    o.lpstrTitle = titel.c_str();
    o.lpstrDefExt = L"XML";
    return o;
}

// The names the Open dialog returned: one full path, or the folder followed
// by the names in it (OFN_EXPLORER's form), each ended by a zero.
std::vector<std::string> namen(const wchar_t* p) {
    std::vector<std::wstring> teile;
    while (*p != L'\0') {
        teile.emplace_back(p);
        p += teile.back().size() + 1;
    }
    std::vector<std::string> pfade;
    if (teile.size() == 1) {
        pfade.push_back(win32::schmal(teile.front()));
        return pfade;
    }
    std::wstring ordner = teile.empty() ? std::wstring() : teile.front();
    if (!ordner.empty() && ordner.back() != L'\\') ordner.push_back(L'\\');
    for (std::size_t i = 1; i < teile.size(); ++i) pfade.push_back(win32::schmal(ordner + teile[i]));
    return pfade;
}

} // namespace

std::vector<std::string> Win32Plattform::dateien_waehlen(const Dateiwahl& w) {
    const std::wstring titel = win32::breit(w.titel), f = filter(w);
    std::wstring puffer(k_puffer, L'\0');
    OPENFILENAMEW o = angaben(titel, f, puffer);
    o.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
              OFN_NOCHANGEDIR;
    // Cancel, and a choice too long for the buffer, take nothing.
    if (!GetOpenFileNameW(&o)) return {};
    return namen(puffer.c_str());
}

std::optional<std::string> Win32Plattform::speicherort_waehlen(const Dateiwahl& w) {
    const std::wstring titel = win32::breit(w.titel), f = filter(w);
    // The proposed name stands in the buffer, selected when the dialog opens.
    std::wstring puffer = win32::breit(w.vorschlag).substr(0, k_puffer - 1);
    puffer.resize(k_puffer, L'\0');
    OPENFILENAMEW o = angaben(titel, f, puffer);
    o.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&o)) return std::nullopt;
    return win32::schmal(puffer.c_str());
}

} // namespace karmo
