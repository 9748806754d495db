#include "store/AddressHistory.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lum {
namespace {

using test::StoreFolder;

std::vector<std::wstring> Addresses(int from, int to) {
    std::vector<std::wstring> list;
    for (int i = from; i <= to; ++i) list.push_back(L"http://site" + std::to_wstring(i) + L"/");
    return list;
}

TEST(AddressHistoryRule, NewAddressGoesFirstAndTheListStaysAtThirty) {
    EXPECT_EQ(UpdatedAddressHistory({}, L"a"), std::vector<std::wstring>{L"a"});
    EXPECT_EQ(UpdatedAddressHistory({L"b", L"c"}, L"a"), (std::vector<std::wstring>{L"a", L"b", L"c"}));

    const auto thirty = Addresses(1, 30);
    const auto updated = UpdatedAddressHistory(thirty, L"new");
    ASSERT_EQ(updated.size(), 30u);
    EXPECT_EQ(updated[0], L"new");
    EXPECT_EQ(updated[29], thirty[28]);
    EXPECT_EQ(std::find(updated.begin(), updated.end(), thirty[29]), updated.end()) << "the oldest is dropped";
}

TEST(AddressHistoryRule, AnAddressEnteredAgainMovesToTheFront) {
    EXPECT_EQ(UpdatedAddressHistory({L"b", L"a", L"c", L"a"}, L"a"), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(UpdatedAddressHistory({L"A"}, L"a"), (std::vector<std::wstring>{L"a", L"A"})) << "exact match only";
    // Re-entering one of thirty keeps all thirty.
    const auto thirty = Addresses(1, 30);
    const auto updated = UpdatedAddressHistory(thirty, thirty[29]);
    ASSERT_EQ(updated.size(), 30u);
    EXPECT_EQ(updated[0], thirty[29]);
    EXPECT_EQ(updated[1], thirty[0]);
    EXPECT_EQ(updated[29], thirty[28]);
}

TEST(AddressHistoryOnDisk, ThirtyFirstAddressDropsTheOldestInFileAndMemory) {
    StoreFolder store;
    const auto all = Addresses(1, 31);
    for (const auto& address : all) AddAddress(store.catalog, nullptr, address);
    ASSERT_EQ(store.catalog.address_history.size(), 30u);
    EXPECT_EQ(store.catalog.address_history[0], all[30]);
    EXPECT_EQ(store.catalog.address_history[29], all[1]);

    const std::wstring text = test::ReadTextFile(store.catalog.settings_path);
    EXPECT_NE(text.find(L"count=30"), std::wstring::npos);
    EXPECT_NE(text.find(L"item29=" + all[1]), std::wstring::npos);
    EXPECT_EQ(text.find(L"item30"), std::wstring::npos);

    SaverCatalog loaded;
    loaded.settings_path = store.catalog.settings_path;
    LoadAddressHistory(loaded);
    EXPECT_EQ(loaded.address_history, store.catalog.address_history);
}

TEST(AddressHistoryOnDisk, DuplicatesAndLineBreaksAreStoredOnce) {
    StoreFolder store;
    AddAddress(store.catalog, nullptr, L"http://a/");
    AddAddress(store.catalog, nullptr, L"http://b/\r\nitem00=http://evil/");
    AddAddress(store.catalog, nullptr, L"http://a/");
    SaverCatalog loaded;
    loaded.settings_path = store.catalog.settings_path;
    LoadAddressHistory(loaded);
    EXPECT_EQ(loaded.address_history,
              (std::vector<std::wstring>{L"http://a/", L"http://b/ item00=http://evil/"}));
    EXPECT_EQ(loaded.address_history, store.catalog.address_history);

    // The same address with its break, entered again after a reload, is
    // recognised instead of appearing twice.
    AddAddress(loaded, nullptr, L"http://b/\r\nitem00=http://evil/");
    EXPECT_EQ(loaded.address_history.size(), 2u);
}

TEST(AddressHistoryOnDisk, JapaneseAddressesSurviveInANewSettingsFile) {
    StoreFolder store;
    AddAddress(store.catalog, nullptr, L"http://例え.テスト/スクリーンセーバー");
    const auto bytes = test::ReadBytes(store.catalog.settings_path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    SaverCatalog loaded;
    loaded.settings_path = store.catalog.settings_path;
    LoadAddressHistory(loaded);
    EXPECT_EQ(loaded.address_history, std::vector<std::wstring>{L"http://例え.テスト/スクリーンセーバー"});
}

// A real combo box in a window of this test.
class ComboWindow {
public:
    ComboWindow() {
        m_parent.reset(::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                         nullptr, ::GetModuleHandleW(nullptr), nullptr));
        m_combo = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 0, 300, 200,
                                    m_parent.get(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    HWND combo() const { return m_combo; }
    std::vector<std::wstring> Items() const {
        std::vector<std::wstring> items;
        const LRESULT n = ::SendMessageW(m_combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            std::wstring text(static_cast<size_t>(::SendMessageW(m_combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
            std::vector<wchar_t> buffer(text.size() + 1);
            ::SendMessageW(m_combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
            items.emplace_back(buffer.data());
        }
        return items;
    }
    std::wstring EditText() const {
        wchar_t buffer[256] = {};
        ::GetWindowTextW(m_combo, buffer, 256);
        return buffer;
    }

private:
    UniqueWindow m_parent;
    HWND m_combo = nullptr;  // destroyed with its parent
};

TEST(AddressBox, FillAndAddKeepTheBoxEqualToTheHistory) {
    StoreFolder store;
    ASSERT_TRUE(test::WriteUtf16File(store.catalog.settings_path,
                                     L"[ADDRESS_ITEM]\r\ncount=2\r\nitem00=http://b/\r\nitem01=http://a/\r\n"));
    LoadAddressHistory(store.catalog);
    ComboWindow box;
    ASSERT_NE(box.combo(), nullptr);
    FillAddressBox(store.catalog, box.combo());
    EXPECT_EQ(box.Items(), (std::vector<std::wstring>{L"http://b/", L"http://a/"}));

    ::SetWindowTextW(box.combo(), L"http://a/");
    AddAddress(store.catalog, box.combo(), L"http://a/");
    EXPECT_EQ(box.Items(), (std::vector<std::wstring>{L"http://a/", L"http://b/"}));
    EXPECT_EQ(box.EditText(), L"http://a/") << "what the user typed stays in the field";

    AddAddress(store.catalog, box.combo(), L"http://c/");
    EXPECT_EQ(box.Items(), (std::vector<std::wstring>{L"http://c/", L"http://a/", L"http://b/"}));
    EXPECT_EQ(box.Items(), store.catalog.address_history);
}

} // namespace
} // namespace lum
