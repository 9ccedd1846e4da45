#include "common/snippet_fixture.h"

#include <random>

#include "platform/random_source.h"
#include "platform/unicode.h"
#include "store/entry_cipher.h"
#include "store/file_text.h"
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

std::string snippetFileWithLetters(int count, int textScale) {
    static const char* const subjects[] = {"Angebot", "Bestätigung", "Chefsache", "Dank", "Einladung", "Frage",
                                           "Grüße", "Hinweis", "Info", "Jahresabschluss", "Kündigung",
                                           "Lieferung", "Mahnung", "Nachfrage", "Öffnungszeiten", "Preisliste",
                                           "Quittung", "Rechnung", "Signatur", "Termin", "Überweisung",
                                           "Vertrag", "Weiterleitung", "Zusage"};
    static const char* const people[] = {"Müller", "Schmidt", "Weiß", "Bäcker", "Hoffmann", "Schäfer",
                                         "Koch", "Straßburger", "Öztürk", "Lange", "", ""};
    static const char* const sentences[] = {
        "Sehr geehrte Damen und Herren,\r\r",
        "vielen Dank für Ihre Anfrage vom %datum%.\r",
        "Anbei erhalten Sie die gewünschten Unterlagen.\r",
        "Bitte überweisen Sie den Betrag innerhalb von 14 Tagen auf unser Konto.\r",
        "Für Rückfragen stehe ich Ihnen gerne zur Verfügung.\r",
        "Die Lieferung erfolgt voraussichtlich in der nächsten Woche.\r",
        "Artikel\tMenge\tPreis\r",
        "Unsere Öffnungszeiten: Montag bis Freitag von 8 bis 17 Uhr.\r",
        "Wir freuen uns auf die weitere Zusammenarbeit.\r",
        "Mit freundlichen Grüßen\r\r%clipboard%\r",
    };
    FixedRandom random;
    std::string name = "[Name]\r\n", text = "[Text]\r\n", crypt = "[Crypt]\r\n";
    for (int n = 1; n <= count; ++n) {
        const std::string key = std::to_string(n);
        const auto u = static_cast<unsigned>(n);
        const std::string person = people[(u / 24) % 12];  // every subject with every person
        name += key + "=" + toFileText(std::string(subjects[u % 24]) + (person.empty() ? "" : " " + person) + " " + key) +
                "\r\n";
        std::string plain;
        const unsigned sentenceCount = (4 + u % 5) * static_cast<unsigned>(textScale);
        for (unsigned s = 0; s < sentenceCount; ++s) plain += sentences[(u + s * 3) % 10];
        const std::string stored = textForFile(plain);
        const bool enciphered = n % 3 == 0;
        text += key + "=" + (enciphered ? encipherText(stored, random) : stored) + "\r\n";
        crypt += key + "=" + (enciphered ? "1" : "0") + "\r\n";
    }
    return name + text + crypt + "[Ignore]\r\n1=" + toFileText("DFÜ-Netzwerkmonitor") +
           "\r\n[Common]\r\nPumMode=0\r\n";
}

std::string snippetFileWithEntries(int count) { return snippetFile(count, false); }

std::string snippetFileWithVariedNames(int count) { return snippetFile(count, true); }

}  // namespace scrivlet::bench
