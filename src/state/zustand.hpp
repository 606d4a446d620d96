// The program-wide values of one run: base directory, current event, chamber catalogue, file list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace karmo {

inline constexpr std::string_view Programmversion = "1.051";
inline constexpr std::string_view k_basisverzeichnis = "c:\\zelva\\";

struct Kammerkategorie {
    std::string Bezeichnung;
    std::uint8_t Meldungsart = 0;
};

struct Kammer {
    std::string Kammername;
    std::uint8_t Kategorienanzahl = 0;
    bool Akkred_VA_erlaubt = false;
    std::string VNR_Praefix;
    std::array<Kammerkategorie, 13> Kategorien{}; // slots 1 to 12; slot 0 unused
};

struct Zustand {
    std::string Basisverzeichnis;
    std::string Aktuelle_Datei;
    std::string Aktuelle_VNR;
    std::uint8_t Aktuelle_Kammer = 0;
    std::uint8_t Aktuelle_Meldungsart = 0;
    std::int16_t Kammeranzahl = 0;
    std::array<Kammer, 12> Kammerkatalog{}; // slots 1 to 11; slot 0 unused
    // Full paths of the rows of the file list: row r belongs to element r
    // (slot r + 1). It grows with the data folder: no fixed capacity.
    std::vector<std::string> Dateiliste_Pfade;
    std::uint8_t Lade_Zweck = 0; // 1 open, 2 transfer
};

// Fills the catalogue with the supported chambers and their categories.
void Kammern_initialisieren(Zustand& z);

// Catalogue slot (1 to Kammeranzahl) whose prefix equals the first six
// characters of `vnr`; 0 when no chamber matches.
int Kammer_suchen(const Zustand& z, std::string_view vnr);

// Basisverzeichnis + "Daten\".
std::string Datenordner(const Zustand& z);

} // namespace karmo
