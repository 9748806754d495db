#include "base/AppSettings.h"
#include "base/ModulePath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

// The settings file is named after the program; only the last dot of a name
// starts its extension, and a path without a backslash has no file name.
TEST(ModulePath, SplitsAtTheLastBackslashAndDotAndNamesTheSettingsAfterTheProgram) {
    const ModulePath dotted = SplitModulePath(L"C:\\tools\\my.app.exe");
    EXPECT_EQ(dotted.folder, L"C:\\tools");
    EXPECT_EQ(dotted.baseName, L"my.app");
    const ModulePath bare = SplitModulePath(L"Lumenary.exe");
    EXPECT_EQ(bare.folder, L"Lumenary.exe");
    EXPECT_EQ(bare.fileName + bare.baseName, L"");
    EXPECT_EQ(FolderOfPath(L"Star.scr"), L"");

    EXPECT_EQ(SettingsPathFor(L"C:\\users\\me\\Documents", SplitModulePath(L"D:\\x\\Other.exe")),
              L"C:\\users\\me\\Documents\\Lumenary\\Other.ini");
    EXPECT_EQ(DataFolderOf(L"C:\\users\\me\\Documents\\Lumenary\\Other.ini"), L"C:\\users\\me\\Documents\\Lumenary");
}

TEST(ModulePath, RunningTestKnowsItsOwnFile) {
    const ModulePath m = QueryModulePath();
    EXPECT_EQ(m.fileName, L"base_tests.exe");
    EXPECT_EQ(m.folder, test::TestBinFolder());
    ASSERT_FALSE(DocumentsFolder().empty());
    EXPECT_NE(DocumentsFolder().back(), L'\\');
}

TEST(AppSettings, MissingFileReadsZeroAndAnyNonZeroCounts) {
    test::TempFolder temp;
    AppSettings settings(temp / L"settings.ini");
    EXPECT_FALSE(settings.PreviewHide());
    settings.WriteInt(L"favorites_icon_size", 7);  // a hand-edited value
    EXPECT_TRUE(settings.FavoritesIconSize());
}

} // namespace
} // namespace lum
