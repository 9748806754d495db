#include "store/ItemFile.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using test::StoreFolder;
using Bytes = std::vector<unsigned char>;

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

Bytes Utf16(const std::wstring& text, bool bigEndian = false) {
    Bytes bytes = bigEndian ? Bytes{0xFE, 0xFF} : Bytes{0xFF, 0xFE};
    for (wchar_t c : text) {
        const auto lo = static_cast<unsigned char>(c & 0xFF), hi = static_cast<unsigned char>(c >> 8);
        bytes.push_back(bigEndian ? hi : lo);
        bytes.push_back(bigEndian ? lo : hi);
    }
    return bytes;
}

Bytes Narrow(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::wstring PlatformString(const std::wstring& path, const wchar_t* key, const wchar_t* fallback, DWORD size) {
    std::vector<wchar_t> buffer(size + 1, L'\0');
    const DWORD n = ::GetPrivateProfileStringW(L"SAVER_ITEM", key, fallback, buffer.data(), size, path.c_str());
    return std::wstring(buffer.data(), n);
}

// Every value as the profile functions give it, one call per key.
SaverItem ReadItemPerKey(const std::wstring& path) {
    SaverItem item;
    auto integer = [&](const wchar_t* key, int fallback) {
        return static_cast<int32_t>(::GetPrivateProfileIntW(L"SAVER_ITEM", key, fallback, path.c_str()));
    };
    item.sort_id = integer(L"sort_id", -1);
    item.category = PlatformString(path, L"category", L"未設定", 4096);
    item.title = PlatformString(path, L"title", L"", 4096);
    item.note = PlatformString(path, L"note", L"", 4096);
    item.web = PlatformString(path, L"web", L"", 4096);
    item.scr = PlatformString(path, L"scr", L"", 4096);
    item.large_image = integer(L"large_image", 0);
    item.use_original_saver = integer(L"use_original_saver", 0);
    return item;
}

// What the entry file stores, as one value that gtest can compare and print.
auto StoredFields(const SaverItem& i) {
    return std::make_tuple(i.sort_id, test::Narrow(i.category), test::Narrow(i.title), test::Narrow(i.note),
                           test::Narrow(i.web), test::Narrow(i.scr), i.large_image, i.use_original_saver);
}

struct FileCase {
    const char* what;
    Bytes bytes;
};

// The single read must give what the profile functions give on the same
// file, whatever the file holds; the comparison runs on the platform's own
// functions, so no expectation here is written by hand.
TEST(ItemFile, SingleReadGivesWhatThePerKeyReadsGive) {
    const std::wstring longValue(5000, L'長');
    const std::wstring quotedLong = L"\"" + std::wstring(4094, L'q') + L"\"";
    const std::vector<FileCase> cases = {
        {"Japanese UTF-16", Utf16(L"[SAVER_ITEM]\r\nsort_id=12\r\ncategory=自然／風景\r\ntitle=星空の海\r\n"
                                  L"note=夜空を流れる星\r\nweb=http://例え.jp/\r\nscr=C:\\savers\\星.scr\r\n"
                                  L"large_image=1\r\nuse_original_saver=1\r\n")},
        {"ANSI", Narrow("[SAVER_ITEM]\r\nsort_id=7\r\ncategory=\x82\xa0\x83X\r\ntitle=Caf\xe9 \x93\xfa\r\n"
                        "scr=C:\\a.scr\r\n")},
        {"UTF-8 with its mark", Narrow("\xEF\xBB\xBF[SAVER_ITEM]\ntitle=\xE6\x98\x9F\nsort_id=2\n")},
        {"UTF-16 big-endian", Utf16(L"[SAVER_ITEM]\r\ntitle=逆順\r\nsort_id=5\r\n", true)},
        {"missing keys, other case", Utf16(L"[saver_item]\r\nTITLE=only a title\r\n")},
        {"quoted values", Utf16(L"[SAVER_ITEM]\r\ntitle=\"quoted\"\r\nnote='single'\r\nweb=\"unbalanced\r\n"
                                L"scr=\"\"\r\ncategory='\r\nsort_id=\"5\"\r\nlarge_image='1'\r\n")},
        {"blanks", Utf16(L"  [SAVER_ITEM]  \r\n\r\n  title \t=  spaced out \t \r\n\x3000note\x3000=\x3000全角\x3000\r\n"
                         L"web=\x00a0nbsp\x00a0\r\nscr=ctrl-z\x1a\r\ncategory=in\rside\r\nsort_id= 12abc\r\n"
                         L"large_image\r\nuse_original_saver=\r\n")},
        {"repeats and broken lines",
         Utf16(L"title=before any section\r\n[SAVER_ITEM\r\n[SAVER_ITEM]\r\n[SAVER_ITEM=x\r\ntitle=first\r\n"
               L"title=second\r\nnote\r\nnote=after a bare name\r\n[X]\r\nweb=other\r\n[SAVER_ITEM]\r\nscr=later\r\n")},
        {"integers", Utf16(L"[SAVER_ITEM]\r\nsort_id=-3\r\nlarge_image=0x10\r\nuse_original_saver=99999999999\r\n"
                           L"scr=0b101\r\nweb=0X10\r\nnote=-0o17z\r\n")},
        {"values past the buffer", Utf16(L"[SAVER_ITEM]\r\nnote=" + longValue + L"\r\ntitle=" + quotedLong + L"\r\n")},
    };
    StoreFolder store;
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        // A fresh path per case: the platform may cache a file it has read.
        const std::wstring folder = store.All() + L"\\" + std::to_wstring(i);
        const std::wstring path = folder + L"\\saver_item.ini";
        ASSERT_TRUE(test::MakeFolders(folder));
        ASSERT_TRUE(test::WriteBytes(path, cases[i].bytes));

        SaverItem item;
        item.mark = 7;
        ReadItem(path, item);
        EXPECT_EQ(StoredFields(item), StoredFields(ReadItemPerKey(path)));
        EXPECT_EQ(item.mark, 7u) << "reading leaves the mark alone";
        EXPECT_EQ(item.image, folder + L"\\image.png");
    }
    // No file at all reads as every default.
    const std::wstring none = store.All() + L"\\none\\saver_item.ini";
    SaverItem item;
    ReadItem(none, item);
    EXPECT_EQ(StoredFields(item), StoredFields(ReadItemPerKey(none)));
    EXPECT_EQ(item.category, L"未設定");
}

TEST(ItemFile, SaveThenReadKeepsEveryStoredFieldAndForgesNoKey) {
    StoreFolder store;
    const std::wstring folder = store.All() + L"\\00002";
    ASSERT_TRUE(test::MakeFolders(folder));
    const SaverItem saved = FullItem(folder);
    SaveItem(saved);

    SaverItem loaded;
    ReadItem(folder + L"\\saver_item.ini", loaded);
    EXPECT_EQ(StoredFields(loaded), StoredFields(saved));

    const std::wstring text = test::ReadTextFile(folder + L"\\saver_item.ini");
    EXPECT_EQ(text.find(L"mark"), std::wstring::npos);
    EXPECT_EQ(text.find(L"image.png"), std::wstring::npos);

    // Line breaks are stored as blanks: a note with a break followed by
    // "scr=" does not change which program runs, and nothing after a break is lost.
    SaverItem broken = saved;
    broken.note = L"一行目\r\nscr=C:\\evil.scr\nlarge_image=0\rend";
    broken.title = L"two\nlines";
    SaveItem(broken);
    ReadItem(folder + L"\\saver_item.ini", loaded);
    EXPECT_EQ(loaded.scr, saved.scr);
    EXPECT_EQ(loaded.large_image, 1);
    EXPECT_EQ(loaded.note, L"一行目 scr=C:\\evil.scr large_image=0 end");
    EXPECT_EQ(loaded.title, L"two lines");
}

} // namespace
} // namespace lum
