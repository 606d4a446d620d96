// Deterministic benchmark data: the largest event file and a crowded data folder.
#include "testdaten.hpp"

#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace bench {

std::uint64_t Zufall::naechste() {
    std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Zufall::zwischen(int von, int bis) {
    const auto spanne = static_cast<std::uint64_t>(bis - von + 1);
    return von + static_cast<int>(naechste() % spanne);
}

char luhn_ziffer(std::string_view nutzteil) {
    int summe = 0;
    bool doppelt = true; // the rightmost payload digit is doubled
    for (auto it = nutzteil.rbegin(); it != nutzteil.rend(); ++it) {
        if (*it < '0' || *it > '9') continue;
        int d = *it - '0';
        if (doppelt) {
            d *= 2;
            if (d > 9) d -= 9;
        }
        summe += d;
        doppelt = !doppelt;
    }
    return static_cast<char>('0' + (10 - summe % 10) % 10);
}

namespace {

// Multiplying by a number prime to 10 permutes the residues modulo 10^k, so
// consecutive indices give distinct, unordered-looking digit strings.
std::string gestreut(std::uint64_t i, int stellen) {
    std::uint64_t modul = 1;
    for (int k = 0; k < stellen; ++k) modul *= 10;
    const std::uint64_t wert = ((i % modul) * 2654435761ULL + 1234567ULL) % modul;
    std::string s = std::to_string(wert);
    return std::string(static_cast<std::size_t>(stellen) - s.size(), '0') + s;
}

} // namespace

std::string efn(std::uint64_t serie, std::uint64_t i) {
    // 80276 is the prefix the cards of one chamber district carry; the series
    // digit keeps the participants of the folder apart from the large event's.
    std::string nutz = "8027" + std::to_string(serie % 10) + gestreut(i, 9);
    return nutz + luhn_ziffer(nutz);
}

std::string vnr(std::string_view praefix, std::uint64_t i) {
    std::string nutz = std::string(praefix) + gestreut(i, 12);
    return nutz + luhn_ziffer(nutz);
}

std::string cp1252(std::string_view u) {
    std::string aus;
    aus.reserve(u.size());
    for (std::size_t i = 0; i < u.size();) {
        const auto b = static_cast<unsigned char>(u[i]);
        char32_t cp;
        std::size_t n;
        if (b < 0x80) { cp = b; n = 1; }
        else if ((b & 0xE0) == 0xC0) { cp = b & 0x1FU; n = 2; }
        else if ((b & 0xF0) == 0xE0) { cp = b & 0x0FU; n = 3; }
        else { cp = b & 0x07U; n = 4; }
        for (std::size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(u[i + k]) & 0x3FU);
        i += n;
        switch (cp) {
        case U'\u20AC': aus += '\x80'; break; // €
        case U'\u201E': aus += '\x84'; break; // „
        case U'\u2026': aus += '\x85'; break; // …
        case U'\u201C': aus += '\x93'; break; // “
        case U'\u201D': aus += '\x94'; break; // ”
        case U'\u2013': aus += '\x96'; break; // –
        case U'\u2014': aus += '\x97'; break; // —
        default:
            if (cp > 0xFF) throw std::runtime_error("Zeichen ohne Windows-1252-Entsprechung");
            aus += static_cast<char>(static_cast<unsigned char>(cp));
        }
    }
    return aus;
}

std::string dateitext(const Veranstaltung& v) {
    std::string s;
    s.reserve(400 + v.bemerkung.size() + v.teilnehmer.size() * 240);
    auto zeile = [&s](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
        s += a;
        s += b;
        s += c;
        s += "\r\n";
    };
    zeile("<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>");
    zeile("<Veranstaltung>");
    zeile("<Dateiversion>A1.0</Dateiversion>");
    zeile("<Erstellt_durch>Karmo V1.051</Erstellt_durch>");
    zeile("<VNR>", v.vnr, "</VNR>");
    if (v.meldungsart == 1) {
        zeile("<Datum_von></Datum_von>");
        zeile("<Datum_bis></Datum_bis>");
        zeile("<Bemerkung></Bemerkung>");
        zeile("<Dauer></Dauer>");
        zeile("<Uhrzeit_von></Uhrzeit_von>");
        zeile("<Uhrzeit_bis></Uhrzeit_bis>");
    } else {
        zeile("<Datum_von>", v.datum_von, "</Datum_von>");
        zeile("<Datum_bis>", v.datum_bis, "</Datum_bis>");
        zeile("<Bemerkung>", v.bemerkung, "</Bemerkung>");
        zeile("<Dauer>", v.dauer, "</Dauer>");
        zeile("<Uhrzeit_von>", v.uhrzeit_von, "</Uhrzeit_von>");
        zeile("<Uhrzeit_bis>", v.uhrzeit_bis, "</Uhrzeit_bis>");
    }
    zeile("<Punkte>", v.punkte, "</Punkte>");
    zeile("<eMail></eMail >");
    zeile("<Teilnehmeranzahl>", std::to_string(v.teilnehmer.size()), "</Teilnehmeranzahl>");
    zeile("<Meldungsart>", std::to_string(v.meldungsart), "</Meldungsart>");
    for (const auto& t : v.teilnehmer) {
        zeile("<Teilnehmer>");
        zeile(" <EFN>", t.efn, "</EFN>");
        zeile(" <Punkte_Basis>", t.basis, "</Punkte_Basis>");
        zeile(" <Punkte_Interaktivitaet>0</Punkte_Interaktivitaet>");
        zeile(" <Punkte_Lernkontrolle>0</Punkte_Lernkontrolle>");
        zeile(" <Punkte_Referent>", t.referent, "</Punkte_Referent>");
        zeile("</Teilnehmer>");
    }
    zeile("</Veranstaltung>");
    return s;
}

std::string dateiname(const Veranstaltung& v, bool datiert) {
    return datiert ? v.vnr + "_" + v.datum_von + ".XML" : v.vnr + ".XML";
}

namespace {

// Content lines as organisers type them: umlauts, typographic quotes and
// dashes that only Windows-1252 has, and a bare "&" now and then.
constexpr std::array<std::string_view, 12> k_inhaltszeilen = {
    "Fachtagung „Traumafolgestörungen im Kindes- und Jugendalter“ – Grundlagen und Praxis",
    "Referentinnen: Dr. Jördis Müller-Weiß, Dipl.-Psych. Anneliese Köhler; Ort: Großer Saal, Schloßstraße 5",
    "Pausen 10:30–10:45 und 12:30–13:15 Uhr; Verpflegung für alle Teilnehmenden inklusive",
    "Supervision & Intervision in der ambulanten Psychotherapie",
    "Workshop „Achtsamkeit im Praxisalltag“ – Übungen für Therapeutinnen und Therapeuten",
    "Qualitätszirkel Verhaltenstherapie, Sitzung Nr. 14 – Fallbesprechungen",
    "Gebühr: 120 € (ermäßigt 80 €) – Anmeldung über die Geschäftsstelle",
    "Balint-Gruppe „Schwierige Therapiebeziehungen“ & Selbsterfahrung",
    "Vortrag: Essstörungen bei Jugendlichen – Diagnostik, Behandlung, Rückfallprophylaxe",
    "Ort: Bürgerhaus Süd, Großmarktstraße 12, 2. Obergeschoß",
    "Leitung: Prof. Dr. Björn Grünewald & Dr. Maïté Lefèvre",
    "Hinweis: Bitte Fortbildungsausweis mitbringen …",
};
// The largest event is also fed to an XML parser as a peer, which stops at
// a bare "&"; its content keeps to the other characters. The folder's
// contents draw from all lines above, "&" included.

std::string datum(Zufall& z) {
    char puffer[16];
    std::snprintf(puffer, sizeof puffer, "%02d.%02d.%04d", z.zwischen(1, 28), z.zwischen(1, 12), z.zwischen(2005, 2009));
    return puffer;
}

std::string uhrzeit(int stunde, int minute) {
    char puffer[8];
    std::snprintf(puffer, sizeof puffer, "%02d:%02d", stunde, minute);
    return puffer;
}

std::vector<Teilnehmer> teilnehmerliste(Zufall& z, std::uint64_t serie, std::uint64_t erster, int anzahl, const std::string& punkte) {
    std::vector<Teilnehmer> liste;
    liste.reserve(static_cast<std::size_t>(anzahl));
    for (int i = 0; i < anzahl; ++i) {
        Teilnehmer t{efn(serie, erster + static_cast<std::uint64_t>(i)), punkte, "0"};
        if (z.wahrscheinlich(4)) t.basis = std::to_string(z.zwischen(1, 12));  // corrected
        if (z.wahrscheinlich(3)) t.referent = std::to_string(z.zwischen(1, 20)); // speaker
        liste.push_back(std::move(t));
    }
    return liste;
}

Veranstaltung zufallsveranstaltung(Zufall& z, std::uint64_t nummer) {
    Veranstaltung v;
    v.vnr = vnr(z.wahrscheinlich(50) ? "276750" : "276770", nummer);
    v.meldungsart = z.wahrscheinlich(50) ? 1 : 2;
    v.punkte = std::to_string(z.zwischen(1, 12));
    if (v.meldungsart == 2) {
        v.datum_von = datum(z);
        if (z.wahrscheinlich(30)) v.datum_bis = datum(z);
        const int beginn = z.zwischen(8, 14);
        v.uhrzeit_von = uhrzeit(beginn, z.wahrscheinlich(50) ? 0 : 30);
        v.uhrzeit_bis = uhrzeit(beginn + z.zwischen(1, 8), z.wahrscheinlich(50) ? 0 : 30);
        v.dauer = std::to_string(z.zwischen(1, 16) * 45);
        const int zeilen = z.zwischen(1, 3);
        for (int k = 0; k < zeilen; ++k) {
            if (k > 0) v.bemerkung += "\r\n";
            v.bemerkung += cp1252(k_inhaltszeilen[static_cast<std::size_t>(z.zwischen(0, static_cast<int>(k_inhaltszeilen.size()) - 1))]);
        }
    }
    v.teilnehmer = teilnehmerliste(z, 1 + nummer % 9, nummer * 300, z.zwischen(5, 300), v.punkte);
    return v;
}

} // namespace

Veranstaltung groesste_veranstaltung() {
    Zufall z(20061221);
    Veranstaltung v;
    v.vnr = vnr("276750", 61221);
    v.meldungsart = 2;
    v.datum_von = "21.12.2006";
    v.datum_bis = "22.12.2006";
    v.uhrzeit_von = "09:00";
    v.uhrzeit_bis = "16:30";
    v.dauer = "420";
    v.punkte = "8";
    v.bemerkung = cp1252(k_inhaltszeilen[0]) + "\r\n" + cp1252(k_inhaltszeilen[1]) + "\r\n" + cp1252(k_inhaltszeilen[2]);
    v.teilnehmer = teilnehmerliste(z, 0, 0, 32767, v.punkte);
    return v;
}

void datei_schreiben(const std::filesystem::path& p, std::string_view bytes) {
    std::ofstream aus(p, std::ios::binary | std::ios::trunc);
    aus.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!aus) throw std::runtime_error("Kann nicht schreiben: " + p.string());
}

Ordnerbilanz ordner_erzeugen(const std::filesystem::path& ordner) {
    std::filesystem::create_directories(ordner);
    Zufall z(10100);
    Ordnerbilanz b;
    auto ablegen = [&](const std::string& name, std::string_view bytes) {
        datei_schreiben(ordner / name, bytes);
        b.bytes += bytes.size();
    };
    for (std::uint64_t nummer = 1; b.ereignisdateien < 10000; ++nummer) {
        const Veranstaltung v = zufallsveranstaltung(z, nummer);
        const std::string text = dateitext(v);
        ablegen(dateiname(v, v.meldungsart == 2), text);
        ++b.ereignisdateien;
        // Leaving the form for the main menu saves a type-2 event under the
        // plain name as well, so both files exist side by side.
        if (v.meldungsart == 2 && b.ereignisdateien < 10000 && z.wahrscheinlich(10)) {
            ablegen(dateiname(v, false), text);
            ++b.ereignisdateien;
            ++b.doppelt;
        }
    }

    char name[32];
    for (int i = 0; i < 20; ++i) {
        std::snprintf(name, sizeof name, "Leer_%02d.XML", i);
        ablegen(name, "");

        std::snprintf(name, sizeof name, "Notiz_%02d.XML", i);
        std::string notiz = cp1252("Telefonliste Geschäftsstelle – bitte nicht löschen\r\n");
        const int eintraege = z.zwischen(1, 40);
        for (int k = 0; k < eintraege; ++k)
            notiz += cp1252("Frau Schäfer, Durchwahl 2") + std::to_string(z.zwischen(10, 99)) + "\r\n";
        ablegen(name, notiz);

        // A saved event whose file got a blank line in front of its root
        // element: the readers refuse it.
        std::snprintf(name, sizeof name, "Leerzeile_%02d.XML", i);
        std::string verschoben = dateitext(zufallsveranstaltung(z, 900000 + static_cast<std::uint64_t>(i)));
        verschoben.insert(verschoben.find("\r\n") + 2, "\r\n");
        ablegen(name, verschoben);

        std::snprintf(name, sizeof name, "Fremd_%02d.XML", i);
        std::string fremd = i % 2 == 0
            ? "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Adressbuch>\r\n"
            : "<?xml version=\"1.0\"?><Rechnung nr=\"" + std::to_string(i) + "\">\n";
        // The one-line kind puts "Veranstaltung" into its second line: it
        // passes the identification and is left out for lack of a VNR.
        const int eintraege2 = z.zwischen(2, 60);
        for (int k = 0; k < eintraege2; ++k)
            fremd += " <Eintrag name=\"M&#252;ller &amp; S&#246;hne\" ort=\"Veranstaltung\">" + std::to_string(k) + "</Eintrag>\r\n";
        fremd += i % 2 == 0 ? "</Adressbuch>\r\n" : "</Rechnung>\n";
        ablegen(name, fremd);

        std::snprintf(name, sizeof name, "Daten_%02d.XML", i);
        std::string roh(static_cast<std::size_t>(z.zwischen(16, 8192)), '\0');
        for (char& c : roh) c = static_cast<char>(z.naechste() & 0xFF);
        ablegen(name, roh);
        b.fremde += 5;
    }
    return b;
}

} // namespace bench
