#include "store/ItemFile.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using test::StoreFolder;

SaverItem FullItem(const std::wstring& folder) {
    SaverItem item;
    item.folder = folder;
    item.sort_id = 4;
    item.category = L"自然／風景";
    item.title = L"星空の海 Starry";
    item.note = L"夜空を流れる星。速度は設定で変えられます";
    item.web = L"http://example.invalid/星/";
    item.scr = L"C:\\windows\\system32\\星空.scr";
    item.large_image = 1;
    item.use_original_saver = 1;
    return item;
}

TEST(ItemFile, MissingFileOrSectionGivesTheDefaults) {
    StoreFolder store;
    const std::wstring ini = store.WriteEntry(L"00000", L"");
    // A file with another section only, and a path with no file at all.
    test::WriteUtf16File(ini, L"[OTHER]\r\ntitle=x\r\n");
    for (const std::wstring& path : {ini, store.All() + L"\\00009\\saver_item.ini"}) {
        SaverItem item;
        item.mark = 7;
        ReadItem(path, item);
        EXPECT_EQ(item.sort_id, -1);
        EXPECT_EQ(item.category, L"未設定");
        EXPECT_EQ(item.title, L"");
        EXPECT_EQ(item.note, L"");
        EXPECT_EQ(item.web, L"");
        EXPECT_EQ(item.scr, L"");
        EXPECT_EQ(item.large_image, 0);
        EXPECT_EQ(item.use_original_saver, 0);
        EXPECT_EQ(item.mark, 7u) << "reading leaves the mark alone";
        EXPECT_EQ(item.folder, path.substr(0, path.rfind(L'\\')));
        EXPECT_EQ(item.image, item.folder + L"\\image.png");
    }
}

TEST(ItemFile, SaveThenReadKeepsEveryStoredFieldInKeyOrder) {
    StoreFolder store;
    const std::wstring folder = store.All() + L"\\00002";
    ASSERT_TRUE(test::MakeFolders(folder));
    const SaverItem saved = FullItem(folder);
    SaveItem(saved);

    SaverItem loaded;
    ReadItem(folder + L"\\saver_item.ini", loaded);
    EXPECT_EQ(loaded.sort_id, saved.sort_id);
    EXPECT_EQ(loaded.category, saved.category);
    EXPECT_EQ(loaded.title, saved.title);
    EXPECT_EQ(loaded.note, saved.note);
    EXPECT_EQ(loaded.web, saved.web);
    EXPECT_EQ(loaded.scr, saved.scr);
    EXPECT_EQ(loaded.large_image, 1);
    EXPECT_EQ(loaded.use_original_saver, 1);
    EXPECT_EQ(loaded.folder, folder);

    const std::wstring text = test::ReadTextFile(folder + L"\\saver_item.ini");
    size_t last = 0;
    for (const wchar_t* key : {L"sort_id=4", L"category=", L"title=", L"note=", L"web=", L"scr=",
                               L"large_image=1", L"use_original_saver=1"}) {
        const size_t at = text.find(key);
        ASSERT_NE(at, std::wstring::npos) << test::Narrow(key);
        EXPECT_GT(at, last) << test::Narrow(key) << " out of order";
        last = at;
    }
    EXPECT_EQ(text.find(L"mark"), std::wstring::npos);
    EXPECT_EQ(text.find(L"image.png"), std::wstring::npos);
}

// The profile functions would write a new file in the ANSI code page; under
// this prefix's code page Japanese would become question marks.
TEST(ItemFile, JapaneseSurvivesInANewFileOnANonJapaneseCodePage) {
    StoreFolder store;
    const std::wstring folder = store.All() + L"\\00000";
    ASSERT_TRUE(test::MakeFolders(folder));
    SaveItem(FullItem(folder));
    const auto bytes = test::ReadBytes(folder + L"\\saver_item.ini");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);

    SaverItem loaded;
    ReadItem(folder + L"\\saver_item.ini", loaded);
    EXPECT_EQ(loaded.title, L"星空の海 Starry") << "code page " << ::GetACP();
    EXPECT_EQ(loaded.category, L"自然／風景");
    EXPECT_EQ(loaded.note.find(L'?'), std::wstring::npos);
}

TEST(ItemFile, ExistingAnsiFileIsReadAndUpdatedInPlace) {
    StoreFolder store;
    const std::wstring ini = store.All() + L"\\00000\\saver_item.ini";
    ASSERT_TRUE(test::MakeFolders(store.All() + L"\\00000"));
    ASSERT_TRUE(test::WriteBytes(ini, std::string("[SAVER_ITEM]\r\nsort_id=-3\r\ntitle=Plain\r\nextra=kept\r\n")));
    SaverItem item;
    ReadItem(ini, item);
    EXPECT_EQ(item.sort_id, -3);
    EXPECT_EQ(item.title, L"Plain");

    item.title = L"Renamed";
    SaveItem(item);
    const auto bytes = test::ReadBytes(ini);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], '[') << "an ANSI file stays ANSI";
    SaverItem again;
    ReadItem(ini, again);
    EXPECT_EQ(again.title, L"Renamed");
    EXPECT_NE(test::ReadTextFile(ini).find(L"extra=kept"), std::wstring::npos) << "other keys stay";
}

// A note with a line break followed by "scr=" must not change which program
// the entry runs, and nothing after a break may be lost.
TEST(ItemFile, LineBreaksAreStoredAsBlanksAndForgeNoKey) {
    StoreFolder store;
    const std::wstring folder = store.All() + L"\\00000";
    ASSERT_TRUE(test::MakeFolders(folder));
    SaverItem item = FullItem(folder);
    item.scr = L"C:\\savers\\good.scr";
    item.note = L"一行目\r\nscr=C:\\evil.scr\nlarge_image=0\rend";
    item.title = L"two\nlines";
    item.web = L"http://a/\r\nb";
    SaveItem(item);

    const std::wstring text = test::ReadTextFile(folder + L"\\saver_item.ini");
    EXPECT_EQ(text.find(L"\nscr=C:\\evil"), std::wstring::npos);
    SaverItem loaded;
    ReadItem(folder + L"\\saver_item.ini", loaded);
    EXPECT_EQ(loaded.scr, L"C:\\savers\\good.scr");
    EXPECT_EQ(loaded.large_image, 1);
    EXPECT_EQ(loaded.note, L"一行目 scr=C:\\evil.scr large_image=0 end");
    EXPECT_EQ(loaded.title, L"two lines");
    EXPECT_EQ(loaded.web, L"http://a/ b");
}

TEST(ItemFile, EntryFileNameMatchesInFullIgnoringCase) {
    EXPECT_TRUE(IsEntryFileName(L"saver_item.ini"));
    EXPECT_TRUE(IsEntryFileName(L"SAVER_ITEM.INI"));
    EXPECT_FALSE(IsEntryFileName(L"saver_item.ini.bak"));
    EXPECT_FALSE(IsEntryFileName(L"saver_item.in"));
    EXPECT_FALSE(IsEntryFileName(L"saver-item.ini"));
}

} // namespace
} // namespace lum
