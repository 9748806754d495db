#include "base/AppSettings.h"
#include "base/ModulePath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

TEST(ModulePath, SplitsPathsIntoFolderFileAndBaseName) {
    const ModulePath m = SplitModulePath(L"C:\\Program Files\\Lumenary\\Lumenary.exe");
    EXPECT_EQ(m.folder, L"C:\\Program Files\\Lumenary");
    EXPECT_EQ(m.fileName, L"Lumenary.exe");
    EXPECT_EQ(m.baseName, L"Lumenary");

    const ModulePath dotted = SplitModulePath(L"C:\\tools\\my.app.exe");
    EXPECT_EQ(dotted.baseName, L"my.app");

    // Without a backslash the whole path is the folder.
    const ModulePath bare = SplitModulePath(L"Lumenary.exe");
    EXPECT_EQ(bare.folder, L"Lumenary.exe");
    EXPECT_TRUE(bare.fileName.empty());
    EXPECT_TRUE(bare.baseName.empty());

    EXPECT_EQ(FileNameOfPath(L"C:\\a\\b\\Star.scr"), L"Star.scr");
    EXPECT_EQ(FileNameOfPath(L"Star.scr"), L"Star.scr");
    EXPECT_EQ(FolderOfPath(L"C:\\a\\b\\Star.scr"), L"C:\\a\\b");
    EXPECT_EQ(FolderOfPath(L"Star.scr"), L"");
}

TEST(ModulePath, SettingsFileFollowsTheProgramName) {
    const std::wstring docs = L"C:\\users\\me\\Documents";
    EXPECT_EQ(SettingsPathFor(docs, SplitModulePath(L"D:\\x\\Lumenary.exe")),
              L"C:\\users\\me\\Documents\\Lumenary\\Lumenary.ini");
    EXPECT_EQ(SettingsPathFor(docs, SplitModulePath(L"D:\\x\\Other.exe")),
              L"C:\\users\\me\\Documents\\Lumenary\\Other.ini");
    EXPECT_EQ(DataFolderOf(L"C:\\users\\me\\Documents\\Lumenary\\Other.ini"), L"C:\\users\\me\\Documents\\Lumenary");
}

TEST(ModulePath, RunningTestKnowsItsOwnFile) {
    const ModulePath m = QueryModulePath();
    EXPECT_EQ(m.fileName, L"base_tests.exe");
    EXPECT_EQ(m.baseName, L"base_tests");
    EXPECT_EQ(m.folder, test::TestBinFolder());
    EXPECT_FALSE(DocumentsFolder().empty());
    EXPECT_NE(DocumentsFolder().back(), L'\\');
}

TEST(AppSettings, MissingFileReadsZeroAndAnyNonZeroCounts) {
    test::TempFolder temp;
    AppSettings settings(temp / L"settings.ini");
    EXPECT_FALSE(settings.PreviewHide());
    EXPECT_FALSE(settings.FavoritesIconSize());
    settings.WriteInt(L"preview_hide", 1);
    EXPECT_TRUE(settings.PreviewHide());
    settings.WriteInt(L"favorites_icon_size", 7);  // a hand-edited value
    EXPECT_TRUE(settings.FavoritesIconSize());
    settings.WriteInt(L"preview_hide", 0);
    EXPECT_FALSE(settings.PreviewHide());
}

} // namespace
} // namespace lum
