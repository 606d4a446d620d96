// Code 39's table of 44 patterns, turned into modules and bars.
#include "druck/code39.hpp"

#include <array>

namespace karmo::code39 {
namespace {

struct Eintrag {
    char zeichen;
    std::string_view muster; // nine elements, '1' wide
};

// Bar, space, bar, ... bar; '1' marks the three wide elements.
constexpr std::array<Eintrag, 44> k_tabelle{{
    {'0', "000110100"}, {'1', "100100001"}, {'2', "001100001"}, {'3', "101100000"}, {'4', "000110001"},
    {'5', "100110000"}, {'6', "001110000"}, {'7', "000100101"}, {'8', "100100100"}, {'9', "001100100"},
    {'A', "100001001"}, {'B', "001001001"}, {'C', "101001000"}, {'D', "000011001"}, {'E', "100011000"},
    {'F', "001011000"}, {'G', "000001101"}, {'H', "100001100"}, {'I', "001001100"}, {'J', "000011100"},
    {'K', "100000011"}, {'L', "001000011"}, {'M', "101000010"}, {'N', "000010011"}, {'O', "100010010"},
    {'P', "001010010"}, {'Q', "000000111"}, {'R', "100000110"}, {'S', "001000110"}, {'T', "000010110"},
    {'U', "110000001"}, {'V', "011000001"}, {'W', "111000000"}, {'X', "010010001"}, {'Y', "110010000"},
    {'Z', "011010000"}, {'-', "010000101"}, {'.', "110000100"}, {' ', "011000100"}, {'$', "010101000"},
    {'/', "010100010"}, {'+', "010001010"}, {'%', "000101010"}, {'*', "010010100"},
}};

constexpr char k_start_stopp = '*';

// Each byte's entry in k_tabelle, -1 for none: the layout asks for every
// participant's EFN.
constexpr std::array<signed char, 256> k_index = [] {
    std::array<signed char, 256> out{};
    out.fill(-1);
    for (std::size_t i = 0; i < k_tabelle.size(); ++i) out[static_cast<unsigned char>(k_tabelle[i].zeichen)] = static_cast<signed char>(i);
    return out;
}();

// Calls `element(ist_strich, breite)` for every element of the barcode,
// the narrow gaps between characters included.
template <class F>
void elemente(std::string_view text, int schmal, int breit, F&& element) {
    const auto zeichen = [&](char c) {
        const std::string_view m = *muster(c);
        for (std::size_t i = 0; i < m.size(); ++i) element(i % 2 == 0, m[i] == '1' ? breit : schmal);
    };
    zeichen(k_start_stopp);
    for (char c : text) {
        element(false, k_luecke * schmal);
        zeichen(c);
    }
    element(false, k_luecke * schmal);
    zeichen(k_start_stopp);
}

} // namespace

std::optional<std::string_view> muster(char zeichen) {
    const signed char i = k_index[static_cast<unsigned char>(zeichen)];
    if (i < 0) return std::nullopt;
    return k_tabelle[static_cast<std::size_t>(i)].muster;
}

bool darstellbar(std::string_view text) {
    for (char c : text) {
        if (c == k_start_stopp || k_index[static_cast<unsigned char>(c)] < 0) return false;
    }
    return true;
}

std::string module(std::string_view text) {
    std::string out;
    if (!darstellbar(text)) return out;
    out.reserve(static_cast<std::size_t>(modulzahl(text.size())));
    elemente(text, 1, k_breit, [&](bool strich, int breite) { out.append(static_cast<std::size_t>(breite), strich ? '1' : '0'); });
    return out;
}

std::vector<Strich> striche(std::string_view text, int schmal, int breit) {
    std::vector<Strich> out;
    if (!darstellbar(text)) return out;
    out.reserve((text.size() + 2) * 5);
    int pos = 0;
    elemente(text, schmal, breit, [&](bool strich, int breite) {
        if (strich) out.push_back({pos, breite});
        pos += breite;
    });
    return out;
}

} // namespace karmo::code39
