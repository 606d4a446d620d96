// Win32 implementation of the platform interface, on the wide-character API.
#include "platform/win32/win32_plattform.hpp"
#include "platform/win32/win32_kartenfang.hpp"

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace karmo {

namespace {

// Closes a kernel handle on every way out of a function.
class Handle {
public:
    explicit Handle(HANDLE h) noexcept : h_(h) {}
    ~Handle() {
        if (gueltig()) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool gueltig() const noexcept { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const noexcept { return h_; }

private:
    HANDLE h_;
};

class Suche {
public:
    explicit Suche(HANDLE h) noexcept : h_(h) {}
    ~Suche() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    Suche(const Suche&) = delete;
    Suche& operator=(const Suche&) = delete;
    HANDLE get() const noexcept { return h_; }

private:
    HANDLE h_;
};

// Releases a COM interface pointer.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const noexcept { return p_; }
    T** adresse() noexcept { return &p_; }
    void** roh() noexcept { return reinterpret_cast<void**>(&p_); }

private:
    T* p_ = nullptr;
};

constexpr DWORD kNichtGewoehnlich = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

Ergebnis letzter_fehler() {
    const DWORD nummer = GetLastError();
    // A failing call that leaves no error number still must not read as success.
    if (nummer == ERROR_SUCCESS) return {static_cast<int>(ERROR_GEN_FAILURE), win32::fehlertext(ERROR_GEN_FAILURE)};
    return {static_cast<int>(nummer), win32::fehlertext(nummer)};
}

Ergebnis aus_hresult(HRESULT hr) {
    // Win32 errors wrapped in an HRESULT keep their plain number.
    if (HRESULT_FACILITY(hr) == FACILITY_WIN32) {
        const auto nummer = static_cast<DWORD>(HRESULT_CODE(hr));
        return {static_cast<int>(nummer), win32::fehlertext(nummer)};
    }
    return {static_cast<int>(hr), win32::fehlertext(static_cast<unsigned long>(hr))};
}

Ergebnis erfolg_oder_fehler(BOOL ok) { return ok ? Ergebnis::erfolg() : letzter_fehler(); }

bool gewoehnlich(DWORD attribute) { return (attribute & kNichtGewoehnlich) == 0; }

// All ordinary files that a FindFirstFile pattern matches, stopping after the
// first when `nur_erste` is set.
std::vector<std::string> suchen(const std::wstring& muster, bool nur_erste) {
    std::vector<std::string> namen;
    WIN32_FIND_DATAW fund{};
    Suche suche(FindFirstFileW(muster.c_str(), &fund));
    if (suche.get() == INVALID_HANDLE_VALUE) return namen;
    do {
        if (gewoehnlich(fund.dwFileAttributes)) {
            namen.push_back(win32::schmal(fund.cFileName));
            if (nur_erste) break;
        }
    } while (FindNextFileW(suche.get(), &fund));
    return namen;
}

class Win32Lesedatei final : public Lesedatei {
public:
    explicit Win32Lesedatei(HANDLE h) : datei_(h) {}

    std::size_t lesen(char* ziel, std::size_t n, Ergebnis& fehler) override {
        const auto menge = static_cast<DWORD>(std::min<std::size_t>(n, std::numeric_limits<DWORD>::max()));
        DWORD gelesen = 0;
        if (!ReadFile(datei_.get(), ziel, menge, &gelesen, nullptr)) {
            fehler = letzter_fehler();
            return 0;
        }
        return gelesen;
    }

private:
    Handle datei_;
};

} // namespace

namespace win32 {

std::wstring breit(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int laenge = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), laenge, nullptr, 0);
    std::wstring ergebnis(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), laenge, ergebnis.data(), n);
    return ergebnis;
}

std::string schmal(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int laenge = static_cast<int>(utf16.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), laenge, nullptr, 0, nullptr, nullptr);
    std::string ergebnis(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), laenge, ergebnis.data(), n, nullptr, nullptr);
    return ergebnis;
}

std::string fehlertext(unsigned long nummer) {
    wchar_t* puffer = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(nummer), 0, reinterpret_cast<LPWSTR>(&puffer), 0, nullptr);
    std::wstring text;
    if (n > 0 && puffer != nullptr) text.assign(puffer, n);
    if (puffer != nullptr) LocalFree(puffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
    if (text.empty()) return "Fehler " + std::to_string(nummer);
    return schmal(text);
}

namespace {

// The shortcut file `lnk` loaded into a shell link object.
bool verknuepfung_laden(std::string_view lnk, ComPtr<IShellLinkW>& link) {
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.roh())))
        return false;
    ComPtr<IPersistFile> datei;
    if (FAILED(link->QueryInterface(IID_IPersistFile, datei.roh()))) return false;
    return SUCCEEDED(datei->Load(breit(lnk).c_str(), STGM_READ));
}

} // namespace

std::optional<std::pair<std::string, int>> verknuepfungssymbol(std::string_view lnk) {
    ComPtr<IShellLinkW> link;
    if (!verknuepfung_laden(lnk, link)) return std::nullopt;
    wchar_t datei[MAX_PATH] = {};
    int index = 0;
    if (FAILED(link->GetIconLocation(datei, MAX_PATH, &index))) return std::nullopt;
    return std::pair{schmal(datei), index};
}

std::optional<std::string> verknuepfungsziel(std::string_view lnk) {
    ComPtr<IShellLinkW> link;
    if (!verknuepfung_laden(lnk, link)) return std::nullopt;
    wchar_t ziel[MAX_PATH] = {};
    if (FAILED(link->GetPath(ziel, MAX_PATH, nullptr, SLGP_RAWPATH))) return std::nullopt;
    return schmal(ziel);
}

} // namespace win32

Win32Plattform::Win32Plattform(const win32::Dateiaufrufe& aufrufe) : Win32Plattform() { api_ = aufrufe; }

Win32Plattform::Win32Plattform() {
    // S_FALSE (already initialised on this thread) also needs a matching uninitialise.
    com_bereit_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    win32::kartenfang_anmelden(this);
}

Win32Plattform::~Win32Plattform() {
    win32::kartenfang_abmelden(this);
    if (com_bereit_) CoUninitialize();
}

// meldung() and what a scanner types into its box: win32_meldung.cpp.

std::optional<std::string> Win32Plattform::erste_datei(std::string_view ordner) {
    std::wstring muster = win32::breit(ordner);
    if (!muster.empty() && muster.back() != L'\\' && muster.back() != L'/') muster += L'\\';
    muster += L'*';
    auto namen = suchen(muster, true);
    if (namen.empty()) return std::nullopt;
    return std::move(namen.front());
}

bool Win32Plattform::datei_existiert(std::string_view pfad) {
    const DWORD attribute = GetFileAttributesW(win32::breit(pfad).c_str());
    return attribute != INVALID_FILE_ATTRIBUTES && gewoehnlich(attribute);
}

std::vector<std::string> Win32Plattform::dateien(std::string_view muster) {
    return suchen(win32::breit(muster), false);
}

bool Win32Plattform::ordner_existiert(std::string_view pfad) {
    const DWORD attribute = GetFileAttributesW(win32::breit(pfad).c_str());
    return attribute != INVALID_FILE_ATTRIBUTES && (attribute & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

Ergebnis Win32Plattform::ordner_anlegen(std::string_view pfad) {
    return erfolg_oder_fehler(CreateDirectoryW(win32::breit(pfad).c_str(), nullptr));
}

Ergebnis Win32Plattform::kopieren(std::string_view quelle, std::string_view ziel) {
    return erfolg_oder_fehler(CopyFileW(win32::breit(quelle).c_str(), win32::breit(ziel).c_str(), FALSE));
}

Ergebnis Win32Plattform::loeschen(std::string_view pfad) {
    return erfolg_oder_fehler(DeleteFileW(win32::breit(pfad).c_str()));
}

Ergebnis Win32Plattform::ersetzen(std::string_view quelle, std::string_view ziel) {
    return erfolg_oder_fehler(api_.move_file_ex(win32::breit(quelle).c_str(), win32::breit(ziel).c_str(),
                                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

Ergebnis Win32Plattform::schreiben(std::string_view pfad, std::string_view bytes) {
    HANDLE datei = api_.create_file(win32::breit(pfad).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (datei == INVALID_HANDLE_VALUE) return letzter_fehler();
    return ausschreiben(datei, bytes);
}

Ergebnis Win32Plattform::anhaengen(std::string_view pfad, std::string_view bytes) {
    // Append-only access: every write lands at the end, whatever the position.
    HANDLE datei = api_.create_file(win32::breit(pfad).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (datei == INVALID_HANDLE_VALUE) return letzter_fehler();
    return ausschreiben(datei, bytes);
}

Ergebnis Win32Plattform::ausschreiben(HANDLE datei, std::string_view bytes) {
    // Closes through the table on every way out; the error is taken first.
    struct Schliesser {
        const win32::Dateiaufrufe& api;
        HANDLE h;
        ~Schliesser() {
            if (h != INVALID_HANDLE_VALUE) api.close_handle(h);
        }
    } offen{api_, datei};
    while (!bytes.empty()) {
        const auto menge = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD geschrieben = 0;
        if (!api_.write_file(datei, bytes.data(), menge, &geschrieben, nullptr)) return letzter_fehler();
        if (geschrieben == 0) return {static_cast<int>(ERROR_WRITE_FAULT), win32::fehlertext(ERROR_WRITE_FAULT)};
        bytes.remove_prefix(geschrieben);
    }
    // On the disk before anything relies on it: a file moved over another one
    // after a power cut must not be a name without its data. A full disk may
    // also show up only here.
    if (!api_.flush_file_buffers(datei)) return letzter_fehler();
    offen.h = INVALID_HANDLE_VALUE;
    if (!api_.close_handle(datei)) return letzter_fehler();
    return Ergebnis::erfolg();
}

std::unique_ptr<Lesedatei> Win32Plattform::oeffnen(std::string_view pfad, Ergebnis& fehler) {
    HANDLE h = CreateFileW(win32::breit(pfad).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        fehler = letzter_fehler();
        return nullptr;
    }
    fehler = Ergebnis::erfolg();
    return std::make_unique<Win32Lesedatei>(h);
}

long Win32Plattform::shell_ausfuehren(std::string_view verb, std::string_view ziel, int anzeige) {
    const HINSTANCE h =
        ShellExecuteW(nullptr, win32::breit(verb).c_str(), win32::breit(ziel).c_str(), nullptr, nullptr, anzeige);
    // The result is a status code dressed as a module handle.
    return static_cast<long>(reinterpret_cast<INT_PTR>(h));
}

std::string Win32Plattform::spezialordner(Spezialordner ordner) {
    const KNOWNFOLDERID& id = ordner == Spezialordner::Desktop ? FOLDERID_Desktop : FOLDERID_Programs;
    PWSTR pfad = nullptr;
    std::string ergebnis;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &pfad)) && pfad != nullptr) ergebnis = win32::schmal(pfad);
    CoTaskMemFree(pfad);
    while (!ergebnis.empty() && ergebnis.back() == '\\') ergebnis.pop_back();
    return ergebnis;
}

Ergebnis Win32Plattform::verknuepfung_anlegen(std::string_view lnk, std::string_view ziel, std::string_view symbol) {
    ComPtr<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.roh());
    if (FAILED(hr)) return aus_hresult(hr);
    hr = link->SetPath(win32::breit(ziel).c_str());
    if (FAILED(hr)) return aus_hresult(hr);
    if (!symbol.empty()) {
        // The first icon of the file: the program's own mark.
        hr = link->SetIconLocation(win32::breit(symbol).c_str(), 0);
        if (FAILED(hr)) return aus_hresult(hr);
    }
    ComPtr<IPersistFile> datei;
    hr = link->QueryInterface(IID_IPersistFile, datei.roh());
    if (FAILED(hr)) return aus_hresult(hr);
    hr = datei->Save(win32::breit(lnk).c_str(), TRUE);
    if (FAILED(hr)) return aus_hresult(hr);
    return Ergebnis::erfolg();
}

std::string Win32Plattform::programmpfad() {
    std::wstring puffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, puffer.data(), static_cast<DWORD>(puffer.size()));
        if (n == 0) return {};
        if (n < puffer.size()) {
            puffer.resize(n);
            return win32::schmal(puffer);
        }
        puffer.resize(puffer.size() * 2);
    }
}


Datum Win32Plattform::heute() {
    SYSTEMTIME jetzt{};
    GetLocalTime(&jetzt);
    return {jetzt.wDay, jetzt.wMonth, jetzt.wYear};
}

Ergebnis Win32Plattform::im_ordner_zeigen(std::string_view pfad) {
    // The shell needs an apartment on this thread; the constructor set it up.
    PIDLIST_ABSOLUTE eintrag = ILCreateFromPathW(win32::breit(pfad).c_str());
    if (eintrag == nullptr) return {static_cast<int>(ERROR_FILE_NOT_FOUND), win32::fehlertext(ERROR_FILE_NOT_FOUND)};
    const HRESULT hr = SHOpenFolderAndSelectItems(eintrag, 0, nullptr, 0);
    ILFree(eintrag);
    if (FAILED(hr)) return aus_hresult(hr);
    return Ergebnis::erfolg();
}

} // namespace karmo
