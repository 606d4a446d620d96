// The common Open and Save As dialogs (comdlg32), for event files on any folder or drive.
#include <windows.h>

#include <commdlg.h>

#include "platform/win32/win32_plattform.hpp"

namespace karmo {
namespace {

// Room for the chosen names: an Open dialog with several files returns the
// folder and every name in it, each ended by a zero.
constexpr DWORD k_puffer = 1U << 16;

// "Name\0Pattern\0...\0", as the dialogs take their filters.
std::wstring filter(const Dateiwahl& w) {
    std::wstring f;
    const auto dazu = [&f](const std::string& name, const std::string& muster) {
        f += win32::breit(name);
        f.push_back(L'\0');
        f += win32::breit(muster);
        f.push_back(L'\0');
    };
    dazu(w.filtername, w.muster);
    for (const auto& [name, muster] : w.weitere_filter) dazu(name, muster);
    f.push_back(L'\0');
    return f;
}

// The first pattern's extension ("*.XML" -> "XML"), added to a name typed without one.
std::wstring endung(const Dateiwahl& w) {
    const std::string erstes = w.muster.substr(0, w.muster.find(';'));
    const std::size_t punkt = erstes.rfind('.');
    if (punkt == std::string::npos || erstes.find('*', punkt) != std::string::npos) return {};
    return win32::breit(erstes.substr(punkt + 1));
}

OPENFILENAMEW angaben(const std::wstring& titel, const std::wstring& filter, const std::wstring& endung,
                      std::wstring& puffer) {
    OPENFILENAMEW o{};
    o.lStructSize = sizeof(o);
    o.hwndOwner = GetActiveWindow();
    o.lpstrFilter = filter.c_str();
    o.nFilterIndex = 1;
    o.lpstrFile = puffer.data();
    o.nMaxFile = static_cast<DWORD>(puffer.size());
    o.lpstrTitle = titel.c_str();
    o.lpstrDefExt = endung.empty() ? nullptr : endung.c_str();
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
    const std::wstring titel = win32::breit(w.titel), f = filter(w), e = endung(w);
    std::wstring puffer(k_puffer, L'\0');
    OPENFILENAMEW o = angaben(titel, f, e, puffer);
    o.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
              (w.mehrere ? OFN_ALLOWMULTISELECT : 0);
    // Cancel, and a choice too long for the buffer, take nothing.
    if (!GetOpenFileNameW(&o)) return {};
    return namen(puffer.c_str());
}

std::optional<std::string> Win32Plattform::speicherort_waehlen(const Dateiwahl& w) {
    const std::wstring titel = win32::breit(w.titel), f = filter(w), e = endung(w);
    // The proposed name stands in the buffer, selected when the dialog opens.
    std::wstring puffer = win32::breit(w.vorschlag).substr(0, k_puffer - 1);
    puffer.resize(k_puffer, L'\0');
    OPENFILENAMEW o = angaben(titel, f, e, puffer);
    o.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&o)) return std::nullopt;
    return win32::schmal(puffer.c_str());
}

} // namespace karmo
