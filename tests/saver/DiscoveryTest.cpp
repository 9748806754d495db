// Finding installed savers in two folders and telling new ones from known.
#include "saver/ScreenSaverInstallCheck_CL.h"
#include "tests/support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lum {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

void Touch(const std::wstring& path) { ASSERT_TRUE(test::WriteBytes(path, std::string("MZ"))) << test::Narrow(path); }

class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::MakeFolders(Windows()));
        ASSERT_TRUE(test::MakeFolders(System()));
    }
    std::wstring Windows() const { return m_root / L"windows"; }
    std::wstring System() const { return m_root / L"windows\\system32"; }
    test::TempFolder m_root;
};

// One name is never offered, but only in its exact spelling.
TEST_F(DiscoveryTest, ListsEverySaverOfBothFoldersWhenTheCollectionIsEmpty) {
    for (const wchar_t* name : {L"AvastSS.scr", L"Starfield.scr", L"CAPS.SCR", L"notes.txt", L"double.scr.bak",
                                L"a.scrx", L"ascr", L"a.sc"})
        Touch(Windows() + L"\\" + name);
    for (const wchar_t* name : {L"avastss.scr", L"ssText3d.scr"}) Touch(System() + L"\\" + name);
    // A sub-folder of the system folder is not searched, nor is a folder
    // that only looks like a saver.
    ASSERT_TRUE(test::MakeFolders(System() + L"\\deeper"));
    Touch(System() + L"\\deeper\\Hidden.scr");
    ASSERT_TRUE(test::MakeFolders(System() + L"\\folder.scr"));

    ScreenSaverInstallCheck_CL check;
    EXPECT_EQ(check.Check({}, Windows(), System()), 1);
    EXPECT_THAT(check.m_NewPaths, UnorderedElementsAre(Windows() + L"\\Starfield.scr", Windows() + L"\\CAPS.SCR",
                                                       System() + L"\\ssText3d.scr", System() + L"\\avastss.scr"));
    // The Windows folder is walked first.
    ASSERT_EQ(check.m_NewPaths.size(), 4u);
    EXPECT_EQ(check.m_NewPaths[1].find(L"system32"), std::wstring::npos);
    EXPECT_NE(check.m_NewPaths[2].find(L"system32"), std::wstring::npos);
}

TEST_F(DiscoveryTest, AKnownSaverIsSkippedOnlyUnderItsExactPath) {
    Touch(Windows() + L"\\Known.scr");
    Touch(Windows() + L"\\Cased.scr");
    Touch(System() + L"\\Known.scr");  // same name, other folder: a saver of its own

    ScreenSaverInstallCheck_CL check;
    const std::vector<std::wstring> known = {Windows() + L"\\Known.scr", Windows() + L"\\CASED.scr",
                                             L"C:\\elsewhere\\Gone.scr"};
    EXPECT_EQ(check.Check(known, Windows(), System()), 1);
    EXPECT_THAT(check.m_NewPaths, UnorderedElementsAre(Windows() + L"\\Cased.scr", System() + L"\\Known.scr"));
}

TEST_F(DiscoveryTest, EmptyMissingAndRepeatedFoldersAreHandled) {
    ScreenSaverInstallCheck_CL check;
    EXPECT_EQ(check.Check({L"C:\\x.scr"}, Windows(), System()), 0);
    EXPECT_THAT(check.m_FoundPaths, IsEmpty());
    EXPECT_EQ(check.Check({}, m_root / L"missing", L""), 0);

    Touch(Windows() + L"\\Once.scr");
    // A trailing backslash does not double up in the paths, and the same
    // folder given twice is walked once.
    EXPECT_EQ(check.Check({}, Windows() + L"\\", Windows()), 1);
    EXPECT_THAT(check.m_NewPaths, ElementsAre(Windows() + L"\\Once.scr"));
}

} // namespace
} // namespace lum
