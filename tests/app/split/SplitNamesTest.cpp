// Sources and output folders whose names hold characters of any script. On
// Windows only: the standard library of the native build converts wide names
// in the "C" locale, which holds ASCII alone.

#include "SplitTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
namespace {

std::vector<std::wstring> Entries(const std::filesystem::path& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().wstring());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SplitNames, AnyScriptReachesThePartsExactly) {
    // Polish, Greek, Cyrillic, and a character beyond the BMP.
    for (const std::wstring stem : {L"Łódź_Umsatz", L"Πωλήσεις", L"Продажи", L"Umsatz 📈"}) {
        TSplitFolder folder(stem);
        const TFileSplit split = folder.Split(NumberedLines(25), 10, {}, L".csv");
        EXPECT_EQ(split.Parts, (std::vector<std::string>{NumberedLines(9),
                                                         NumberedLines(19).substr(
                                                             NumberedLines(9).size()),
                                                         NumberedLines(25).substr(
                                                             NumberedLines(19).size())}));
        EXPECT_EQ(Entries(folder.Output()), (std::vector<std::wstring>{L"0.csv", L"1.csv", L"2.csv"}));
        // The folder beside the source carries the name as it is, no look-alike.
        EXPECT_EQ(Entries(folder.Source().parent_path()),
                  (std::vector<std::wstring>{stem, stem + L".txt"}));
    }
}

} // namespace
#endif
