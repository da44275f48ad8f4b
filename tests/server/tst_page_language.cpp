// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_table.h"
#include "map_page.h"
#include "page_language.h"

#include <gtest/gtest.h>

namespace orbisk::server {
namespace {

TEST(PageLanguage, TheBrowsersWeightsChooseEnglishOrFrench) {
    const auto rows = test::DataTable("server/accept_language.tsv");
    ASSERT_GE(rows.size(), 15u);
    for (const auto& row : rows) {
        const std::string header = row.at(0) == "-" ? "" : row.at(0);
        const PageLanguage expected =
            row.at(1) == "fr" ? PageLanguage::French : PageLanguage::English;
        EXPECT_EQ(PageLanguageOf(header), expected) << "\"" << header << "\"";
    }
}

// The client's own words on the page follow its language; the place's own
// name and address stay as the data gives them.
TEST(PageLanguage, TheClientsLinesAreShownInThePagesLanguage) {
    const std::pair<const char*, const char*> lines[] = {
        {"Latitute/Longitute: ", "Latitude/longitude\u00a0: "},
        {"Unknown number", "Num\u00e9ro inconnu"},
        {"9 Nowhere Rd, Boston, MA (Street not found)",
         "9 Nowhere Rd, Boston, MA (rue introuvable)"},
        {"Montr\u00e9al, QC", "Montr\u00e9al, QC"},
        {"Unknown number 7 Rd", "Unknown number 7 Rd"},
    };
    for (const auto& [english, french] : lines) {
        EXPECT_EQ(TranslatedPlaceLine(english, PageLanguage::English), english);
        EXPECT_EQ(TranslatedPlaceLine(english, PageLanguage::French), french);
    }
}

TEST(PageLanguage, AFrenchPageSaysEverythingInFrench) {
    GeoData geo;
    std::string error;
    ASSERT_TRUE(geo.Load(ORBISK_SERVER_DATA_DIR, error)) << error;
    MapRequest request;
    request.hasQuery = true;
    request.keys = ParseQueryKeys("SH=0&NS=0&NPA=800&NXX=555&LAT=&LNG=&MAPT=1");
    MapPageContent content = BuildMapPageContent(request, geo, PageLanguage::French);
    EXPECT_EQ(content.notFound.rfind("Introuvable", 0), 0u) << content.notFound;
    EXPECT_NE(content.notFound.find("(indicatif 800)"), std::string::npos) << content.notFound;
    const std::string page = RenderMapPage(content);
    for (const char* french : {"<html lang=\"fr\">", "<title>Carte Orbisk</title>",
                               "\"zoomIn\":\"Zoom avant\"", "Lieu trouv\u00e9"})
        EXPECT_NE(page.find(french), std::string::npos) << french;
    EXPECT_EQ(page.find("Pan north"), std::string::npos);
    EXPECT_NE(RenderMapPage(BuildMapPageContent(request, geo)).find("<html lang=\"en\">"),
              std::string::npos);
}

} // namespace
} // namespace orbisk::server
