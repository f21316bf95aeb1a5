#include <gtest/gtest.h>

#include "reports/report_catalogue.h"

namespace brackle {
namespace {

TEST(ReportCatalogue, AResultLineNamesTheRecordOfItsFirstThreeCharacters)
{
    const std::pair<std::string, std::optional<int>> cases[] = {
        {"012 - Panzer IV  - Available 03/039 to 05/045 ", 12},
        {"123 formations found using UC 5", 123},
        {"12 formations found using UC 5", std::nullopt},  // "12 " is no number
        {" 42  Rifle Plt", 42},
        {"000 - ", std::nullopt},
        {"Searching for Units of class 1", std::nullopt},
        {"07", std::nullopt},
        {"", std::nullopt},
        {"-12 - odd", std::nullopt},
    };
    for (const auto& [line, n] : cases)
        EXPECT_EQ(RecordNumberOfLine(line), n) << line;
}

}  // namespace
}  // namespace brackle
