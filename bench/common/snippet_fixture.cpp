#include "common/snippet_fixture.h"

#include <random>

#include "platform/random_source.h"
#include "platform/unicode.h"
#include "store/entry_cipher.h"
#include "store/storage_escape.h"

namespace scrivlet::bench {

namespace {
class FixedRandom : public RandomSource {
public:
    double next() override { return dist_(engine_); }

private:
    std::mt19937 engine_{42};
    std::uniform_real_distribution<double> dist_{0.0, 1.0};
};
}  // namespace

namespace {

std::string snippetFile(int count, bool variedNames) {
    static const char* const words[] = {"Angebot", "Brief", "Chef", "Dank", "Einladung", "Frage", "Gruß",
                                        "Hinweis", "Info", "Jahr", "Kunde", "Lieferung", "Mahnung", "Notiz",
                                        "Ort", "Preis", "Quittung", "Rechnung", "Signatur", "Termin",
                                        "Urlaub", "Vertrag", "Wunsch", "Xaver", "Yacht", "Zusage", "10 Uhr"};
    FixedRandom random;
    std::string name = "[Name]\r\n", text = "[Text]\r\n", title = "[Title]\r\n",
                crypt = "[Crypt]\r\n", dosBox = "[DosBox]\r\n";
    for (int n = 1; n <= count; ++n) {
        const std::string key = std::to_string(n);
        const bool enciphered = n % 3 == 0;
        const std::string plain = escapeText("Sehr geehrte Damen und Herren,\r\r Nr. " + key + "\t%datum%");
        // The file's bytes are Windows-1252.
        name += key + "=" + (variedNames ? utf8ToCp1252(words[(n - 1) % 27]) : "Baustein") + " " + key + "\r\n";
        text += key + "=" + (enciphered ? encipherText(plain, random) : plain) + "\r\n";
        title += key + "=" + (n % 10 == 0 ? "Editor" : "") + "\r\n";
        crypt += key + "=" + (enciphered ? "1" : "0") + "\r\n";
        dosBox += key + "=0\r\n";
    }
    return name + text + title + crypt + dosBox +
           utf8ToCp1252("[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n2=Microsoft Office Shortcut-Leiste\r\n") +
           "[Common]\r\nPumActViaBorder=0\r\nPumActBorderByClick=0\r\nPumActPos=0\r\n"
           "PumActBorderCol=-2147483633\r\nPumMode=0\r\n";
}

}  // namespace

std::string snippetFileWithEntries(int count) { return snippetFile(count, false); }

std::string snippetFileWithVariedNames(int count) { return snippetFile(count, true); }

}  // namespace scrivlet::bench
