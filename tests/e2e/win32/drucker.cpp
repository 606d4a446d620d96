// Sets up a PDF printer in the Wine prefix for the end-to-end run: Wine's PostScript driver with a PPD, its port a pipe into ps2pdf.
//
//   drucker.exe NAME PPD PORT     e.g.  drucker.exe "Karmo PDF" Z:\tmp\a4.ppd "|ps2pdf -sPAPERSIZE=a4 - /tmp/x.pdf"
//
// The PPD is copied into the driver folder first (Wine takes a driver's data file from there only);
// the printer becomes the default. Prints what failed and exits non-zero.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"Aufruf: drucker.exe NAME PPD PORT\n");
        return 2;
    }
    std::wstring name = argv[1];
    std::wstring port = argv[3];
    wchar_t ordner[MAX_PATH]{};
    DWORD n = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(ordner), sizeof(ordner), &n)) {
        std::fwprintf(stderr, L"GetPrinterDriverDirectoryW: %lu\n", GetLastError());
        return 1;
    }
    std::wstring ppd = std::wstring(ordner) + L"\\KARMOPDF.PPD";
    if (!CopyFileW(argv[2], ppd.c_str(), FALSE)) {
        std::fwprintf(stderr, L"CopyFileW %ls -> %ls: %lu\n", argv[2], ppd.c_str(), GetLastError());
        return 1;
    }
    std::wstring treiber = L"wineps.drv";
    DRIVER_INFO_3W di{};
    di.cVersion = 3;
    di.pName = name.data();
    di.pDriverPath = treiber.data();
    di.pConfigFile = treiber.data();
    di.pDataFile = ppd.data();
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&di), APD_COPY_NEW_FILES)) {
        std::fwprintf(stderr, L"AddPrinterDriverExW: %lu\n", GetLastError());
        return 1;
    }
    std::wstring prozessor = L"WinPrint";
    std::wstring datentyp = L"RAW";
    PRINTER_INFO_2W pi{};
    pi.pPrinterName = name.data();
    pi.pPortName = port.data();
    pi.pDriverName = name.data();
    pi.pPrintProcessor = prozessor.data();
    pi.pDatatype = datentyp.data();
    HANDLE h = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&pi));
    if (!h) {
        std::fwprintf(stderr, L"AddPrinterW: %lu\n", GetLastError());
        return 1;
    }
    ClosePrinter(h);
    if (!SetDefaultPrinterW(name.c_str())) {
        std::fwprintf(stderr, L"SetDefaultPrinterW: %lu\n", GetLastError());
        return 1;
    }
    std::wprintf(L"%ls\n", name.c_str());
    return 0;
}
