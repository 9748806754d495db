// Finding installed savers in two folders and telling new ones from known.
#include "saver/ScreenSaverInstallCheck_CL.h"
#include "tests/support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>

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
    EXPECT_THAT(check.m_FoundPaths, UnorderedElementsAre(Windows() + L"\\Starfield.scr", Windows() + L"\\CAPS.SCR",
                                                         Windows() + L"\\AvastSS.scr", System() + L"\\ssText3d.scr",
                                                         System() + L"\\avastss.scr"));
    EXPECT_THAT(check.m_NewPaths, UnorderedElementsAre(Windows() + L"\\Starfield.scr", Windows() + L"\\CAPS.SCR",
                                                       System() + L"\\ssText3d.scr", System() + L"\\avastss.scr"));
    EXPECT_THAT(check.m_KnownPaths, IsEmpty());
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
    // A second check starts afresh.
    EXPECT_EQ(check.Check({Windows() + L"\\Once.scr"}, Windows(), System()), 0);
    EXPECT_THAT(check.m_FoundPaths, ElementsAre(Windows() + L"\\Once.scr"));
}

// The check over the prefix's own Windows and system folders (the shell's,
// without trailing backslash), with one saver put into each for the test
// (and taken out again however the test ends).
TEST(DiscoveryShellFolders, TheCheckWalksTheShellsWindowsAndSystemFolders) {
    wchar_t windows[MAX_PATH] = {}, system[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    ::GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(::CompareStringOrdinal(ShellFolderPath(CSIDL_WINDOWS).c_str(), -1, windows, -1, TRUE), CSTR_EQUAL);
    EXPECT_EQ(::CompareStringOrdinal(ShellFolderPath(CSIDL_SYSTEM).c_str(), -1, system, -1, TRUE), CSTR_EQUAL);
    struct Placed {
        std::wstring path;
        explicit Placed(std::wstring p) : path(std::move(p)) { Touch(path); }
        ~Placed() { ::DeleteFileW(path.c_str()); }
    };
    const Placed inWindows(ShellFolderPath(CSIDL_WINDOWS) + L"\\LumenaryProbe1.scr");
    const Placed inSystem(ShellFolderPath(CSIDL_SYSTEM) + L"\\LumenaryProbe2.scr");

    ScreenSaverInstallCheck_CL check;
    EXPECT_EQ(check.Check({inSystem.path}), 1);
    EXPECT_EQ(std::count(check.m_FoundPaths.begin(), check.m_FoundPaths.end(), inWindows.path), 1);
    EXPECT_EQ(std::count(check.m_FoundPaths.begin(), check.m_FoundPaths.end(), inSystem.path), 1);
    EXPECT_EQ(std::count(check.m_NewPaths.begin(), check.m_NewPaths.end(), inWindows.path), 1);
    EXPECT_EQ(std::count(check.m_NewPaths.begin(), check.m_NewPaths.end(), inSystem.path), 0);
}

// The walker's hooks, as the favourites menu uses them (recursive).
class TraceWalk : public FindFile_CL {
public:
    std::vector<std::wstring> trace;

protected:
    void OnEnterDirectory(const std::wstring& folder, const std::wstring& name) override {
        trace.push_back(L"enter " + folder + L" | " + name);
    }
    void OnFile(const std::wstring& folder, const std::wstring& fileName) override {
        trace.push_back(L"file " + folder + L" | " + fileName);
    }
    void OnLeaveDirectory() override { trace.push_back(L"leave"); }
};

TEST(FindFileWalk, HooksSeeFoldersAndFilesInNestingOrder) {
    test::TempFolder root;
    const std::wstring top = root / L"Favorites";
    ASSERT_TRUE(test::MakeFolders(top + L"\\ニュース"));
    Touch(top + L"\\ニュース\\site.url");

    TraceWalk recursive;
    recursive.Find(top + L"\\*.*", true);
    EXPECT_THAT(recursive.trace, ElementsAre(L"enter " + top + L" | " + top, L"enter " + top + L" | ニュース",
                                             L"file " + top + L"\\ニュース | site.url", L"leave", L"leave"));

    TraceWalk flat;
    flat.Find(top + L"\\*.*", false);
    EXPECT_THAT(flat.trace, ElementsAre(L"enter " + top + L" | " + top, L"leave"));

    // No folder part: nothing is walked (not the current folder).
    TraceWalk bare;
    bare.Find(L"*.*", true);
    EXPECT_THAT(bare.trace, IsEmpty());
}

} // namespace
} // namespace lum
