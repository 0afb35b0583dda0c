#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/FrontEnd.h"
#include "model/Wording.h"
#include "res/Catalogue.h"
#include "res/Languages.h"
#include "savegame/EmergencySave.h"

namespace tessarion::res {
namespace {

// A compiled catalogue, laid out as msgfmt writes one (no hash table).
std::vector<unsigned char> compiled(std::vector<std::pair<std::string, std::string>> entries) {
    entries.insert(entries.begin(), {"", "Content-Type: text/plain; charset=UTF-8\n"});
    const std::size_t count = entries.size();
    std::vector<unsigned char> out(28 + 16 * count);
    auto put = [&out](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
        }
    };
    put(0, 0x950412DE);
    put(8, static_cast<std::uint32_t>(count));
    put(12, 28);
    put(16, static_cast<std::uint32_t>(28 + 8 * count));
    for (std::size_t side = 0; side < 2; ++side) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::string& text = side == 0 ? entries[i].first : entries[i].second;
            put(28 + 8 * (side * count + i), static_cast<std::uint32_t>(text.size()));
            put(28 + 8 * (side * count + i) + 4, static_cast<std::uint32_t>(out.size()));
            out.insert(out.end(), text.begin(), text.end());
            out.push_back(0);
        }
    }
    return out;
}

Catalogue german() {
    std::string error;
    auto catalogue = Catalogue::read(
        compiled({{"%s: %s", "%s – %s"},
                  {"Franks", "Franken"},
                  {"The %s have crossed the frontier!", "Die %s haben die Grenze überschritten!"},
                  {"Princeps,\n\nThe legions demand %d sesterces.",
                   "Princeps,\n\nDie Legionen fordern %d Sesterzen."},
                  {"treasury %s", "Kasse %s"},
                  {"%s retaken from %s", "%s von %2$s zurückerobert, nicht von %1$s"},
                  {"the Sassanids", "den Sassaniden"},
                  {"Tax Revenue: %d", "Steuern: %d"},
                  {"unknown command: %s", "unbekannter Befehl: %s"},
                  {"Volume 50%%", "Lautstärke 50 %%"}}),
        error);
    EXPECT_TRUE(catalogue.has_value()) << error;
    catalogue->setGroupSeparator(".");
    return *std::move(catalogue);
}

TEST(CatalogueTest, TranslatesTheRulesFinishedTextsThroughTheirFormats) {
    const Catalogue de = german();
    // A value that is itself an entry is translated; a name that is not stays.
    EXPECT_EQ(de.translate("The Franks have crossed the frontier!"),
              "Die Franken haben die Grenze überschritten!");
    EXPECT_EQ(de.translate("The Vandals have crossed the frontier!"),
              "Die Vandals haben die Grenze überschritten!");
    // The advisor's line ends come back as they went in; large numbers are grouped.
    EXPECT_EQ(de.translate("Princeps,\r\n\r\nThe legions demand 12000 sesterces."),
              "Princeps,\r\n\r\nDie Legionen fordern 12.000 Sesterzen.");
    // A grouped English value is regrouped; the year summary goes piece by piece.
    EXPECT_EQ(de.translate("Belgica lost; treasury +6,450"), "Belgica lost; Kasse +6.450");
    // The translation may put the values in its own order.
    EXPECT_EQ(de.translate("Syria retaken from the Sassanids"),
              "Syria von den Sassaniden zurückerobert, nicht von Syria");
    // The window's own formats are found as they stand, and "%%" is one sign
    // in a text that is shown as it is.
    EXPECT_EQ(de.translate("Tax Revenue: %d"), "Steuern: %d");
    EXPECT_EQ(de.translate("Volume 50%"), "Lautstärke 50 %");
    // Of two formats that both match, the one with more of its own words.
    EXPECT_EQ(de.translate("unknown command: foo"), "unbekannter Befehl: foo");
    EXPECT_EQ(de.translate("Franks: Italia"), "Franken – Italia");
    // What the catalogue does not hold stays English.
    EXPECT_EQ(de.translate("Italia"), "Italia");
    EXPECT_EQ(de.translate("The %s have crossed"), "The %s have crossed");
    EXPECT_EQ(de.number(-1234567), "-1.234.567");
}

TEST(LanguagesTest, TheSystemsFirstLanguageOfOursIsChosen) {
    EXPECT_EQ(systemLanguage("pt_BR:fr_CA:de", "it_IT.UTF-8", "", ""), "fr");
    EXPECT_EQ(systemLanguage("", "", "es_ES.UTF-8", "de_DE.UTF-8"), "es");
    EXPECT_EQ(systemLanguage("", "C", "de_DE.UTF-8", ""), "en") << "LC_ALL rules the others";
    EXPECT_EQ(systemLanguage("de-AT", "", "", ""), "de") << "the browser's form";
    EXPECT_EQ(systemLanguage("", "", "", ""), "en");
    // Every language but English has its catalogue built in, and a text in it.
    for (const Language& language : languages()) {
        const Catalogue* catalogue = catalogueFor(language.code);
        EXPECT_EQ(catalogue == nullptr, language.code == "en") << language.code;
        if (catalogue != nullptr) {
            EXPECT_NE(catalogue->translate("Message from the Praetorian Prefect"),
                      "Message from the Praetorian Prefect");
            // The farewell of a crash too, with its own values kept.
            const std::string crash = catalogue->translate(
                emergencyMessage("stuck", EmergencySave{true, "/saves/emergency-1.TSN", ""}));
            EXPECT_EQ(crash.find("internal error"), std::string::npos) << crash;
            EXPECT_NE(crash.find("/saves/emergency-1.TSN"), std::string::npos) << crash;
        }
    }
}

}  // namespace
}  // namespace tessarion::res
