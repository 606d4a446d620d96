// Records and fields of a text table, the header's separator, and fields written back.
#include "anmeldung/tabelle.hpp"

#include <array>
#include <utility>

namespace karmo::anmeldung {

void Satzleser::zeilenende_ueberspringen() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++zeile_;
}

void Satzleser::feld(std::string& f) {
    f.clear();
    if (pos_ < text_.size() && text_[pos_] == '"') {
        ++pos_;
        for (;;) {
            const std::size_t anfang = pos_;
            while (pos_ < text_.size() && text_[pos_] != '"' && !zeilenende(pos_)) ++pos_;
            f.append(text_.substr(anfang, pos_ - anfang));
            if (pos_ >= text_.size()) return;
            if (text_[pos_] == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    f.push_back('"');
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            // A line break inside the quotes belongs to the field as given.
            const std::size_t umbruch = pos_;
            zeilenende_ueberspringen();
            f.append(text_.substr(umbruch, pos_ - umbruch));
        }
    }
    const std::size_t anfang = pos_;
    while (pos_ < text_.size() && text_[pos_] != trenner_ && !zeilenende(pos_)) ++pos_;
    f.append(text_.substr(anfang, pos_ - anfang));
}

bool Satzleser::naechster(Satz& s) {
    if (pos_ >= text_.size()) return false;
    s.zeile = zeile_;
    std::size_t n = 0;
    for (;;) {
        if (n == s.felder.size()) s.felder.emplace_back();
        feld(s.felder[n++]);
        if (pos_ >= text_.size()) break;
        if (text_[pos_] == trenner_) {
            ++pos_;
            continue;
        }
        zeilenende_ueberspringen();
        break;
    }
    s.felder.resize(n);
    return true;
}

std::optional<Kopf> kopf_suchen(std::string_view text, const std::function<bool(const std::vector<std::string>&)>& passt) {
    constexpr std::array<char, 3> k_trenner{';', ',', '\t'};
    std::size_t pos = 0, zeile = 1;
    Satz satz; // its fields' room reused from one line to the next
    for (std::size_t k = 0; k < k_kopf_suchzeilen && pos < text.size(); ++k) {
        // The record's extent and its separators outside quotes, before the
        // separator is known: every quote opens or closes.
        std::array<std::size_t, 3> zahl{};
        bool in_quotes = false;
        std::size_t i = pos;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '"') in_quotes = !in_quotes;
            else if (!in_quotes && (c == '\r' || c == '\n')) break;
            else if (!in_quotes) {
                for (std::size_t t = 0; t < k_trenner.size(); ++t) zahl[t] += c == k_trenner[t];
            }
        }
        std::size_t beste = 0;
        for (std::size_t t = 1; t < k_trenner.size(); ++t) {
            if (zahl[t] > zahl[beste]) beste = t;
        }
        Satzleser leser(text, k_trenner[beste], pos, zeile);
        leser.naechster(satz);
        if (passt(satz.felder)) return Kopf{k_trenner[beste], std::move(satz), leser.position(), leser.zeile()};
        pos = leser.position();
        zeile = leser.zeile();
    }
    return std::nullopt;
}

std::optional<std::string> formeltext(std::string_view feld) {
    if (feld.size() < 3 || !feld.starts_with("=\"") || feld.back() != '"') return std::nullopt;
    const std::string_view innen = feld.substr(2, feld.size() - 3);
    std::string t;
    t.reserve(innen.size());
    for (std::size_t i = 0; i < innen.size(); ++i) {
        if (innen[i] == '"') {
            if (i + 1 >= innen.size() || innen[i + 1] != '"') return std::nullopt; // a quote that ends the string early
            ++i;
        }
        t.push_back(innen[i]);
    }
    return t;
}

namespace {

void in_quotes_schreiben(std::string& out, std::string_view feld) {
    out.push_back('"');
    for (char c : feld) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

} // namespace

void feld_schreiben(std::string& out, std::string_view feld) {
    if (feld.find_first_of(";\"\r\n") == std::string_view::npos) out.append(feld);
    else in_quotes_schreiben(out, feld);
}

void formelfeld_schreiben(std::string& out, std::string_view text) {
    std::string formel = "=";
    in_quotes_schreiben(formel, text);
    if (text.find_first_of(";\r\n") == std::string_view::npos) out.append(formel);
    else in_quotes_schreiben(out, formel);
}

} // namespace karmo::anmeldung
