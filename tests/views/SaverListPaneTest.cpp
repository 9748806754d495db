// The left pane with real windows under Wine: tabs from a collection on
// disk, selection and right click reported to a main window, reordering by
// drag stored in the entry files, and the rows as they are painted.
#include "tests/support/PaneTestSupport.h"
#include "toolkit/GdiPlusOwners.h"
#include "views/SaverListTabWindow.h"
#include "views/SaverRowPainter.h"
#include "views/ThumbnailCache.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <utility>

namespace lum {
namespace {

using test::EntryFields;

class ListPane : public ::testing::Test {
protected:
    void Open() {
        collection.Load();
        tabs = pane.Create(&collection.catalog, static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), main.hwnd());
        ASSERT_NE(tabs, nullptr);
        list = pane.ListBox();
        ASSERT_NE(list, nullptr);
        ::MoveWindow(tabs, 0, 0, 520, 700, TRUE);
        pane.SelectTab(0);
        ::UpdateWindow(tabs);
        main.Clear();
    }
    void ShowTab(const std::wstring& name) {
        const int tab = pane.FindTabByName(name);
        ASSERT_GE(tab, 0) << test::Narrow(name);
        pane.SelectTab(tab);
        ::UpdateWindow(list);
    }
    std::vector<std::wstring> TabTexts() const {
        std::vector<std::wstring> texts;
        for (int i = 0; i < static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)); ++i) {
            wchar_t text[256] = {};
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 256;
            ::SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            texts.push_back(text);
        }
        return texts;
    }
    int Rows() const { return static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); }
    int Selected() const { return static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0)); }
    LRESULT Drag(UINT notification, POINT screen) {
        DRAGLISTINFO info{notification, list, screen};
        return ::SendMessageW(tabs, pane.DragListMessage(), kIdSaverList, reinterpret_cast<LPARAM>(&info));
    }
    // Pressed on row `from`, moved over row `over`, ended on row `to`; what the press answered.
    LRESULT DragRows(int from, int over, int to, UINT end = DL_DROPPED) {
        const LRESULT began = Drag(DL_BEGINDRAG, test::RowCentreOnScreen(list, from));
        Drag(DL_DRAGGING, test::RowCentreOnScreen(list, over));
        Drag(end, test::RowCentreOnScreen(list, to));
        return began;
    }
    // A left click as the mouse would give it, at a point of the list.
    void ClickList(POINT inList) {
        const LPARAM at = MAKELPARAM(inList.x, inList.y);
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(list, WM_LBUTTONUP, 0, at);
    }
    void RightClickTabs(POINT inTabs) {
        ::SendMessageW(tabs, WM_PARENTNOTIFY, MAKEWPARAM(WM_RBUTTONDOWN, kIdSaverList),
                       MAKELPARAM(inTabs.x, inTabs.y));
    }
    POINT ListToTabs(POINT p) const {
        ::MapWindowPoints(list, tabs, &p, 1);
        return p;
    }
    RECT RowRect(int row) const {
        RECT r{};
        ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void AddAnimals() {
        int sort = 0;
        for (const wchar_t* title : {L"P", L"Q", L"R", L"S"})
            collection.AddEntry(EntryFields{L"動物", title, L"メモ", sort++, L"", 0xFF3060C0});
        collection.AddEntry(EntryFields{L"映画", L"X", L"", 0, L"", 0xFFC03030});
    }

    GdiplusSession gdiplus;
    test::TestCollection collection;
    SaverListTabWindow_CL pane;
    test::TestWindow& main = test::SharedMainWindow(560, 740);
    HWND tabs = nullptr;
    HWND list = nullptr;

    // The pane's windows go before the pane object does.
    void TearDown() override { main.Empty(); }
};

// The windows' numbers, by which the program finds them, are the whole program's test (e2e).
TEST_F(ListPane, OneTabPerCategoryWithEntriesInTheCategoryListsOrder) {
    const wchar_t* categories[] = {L"動物", L"映画", L"自然／風景"};
    const int counts[] = {5, 4, 3};
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < counts[c]; ++i)
            collection.AddEntry(EntryFields{categories[c], std::wstring(categories[c]) + std::to_wstring(i), L"", i});
    Open();
    // In the order of the category list, not of the entries.
    EXPECT_EQ(TabTexts(), (std::vector<std::wstring>{L"全て(12)", L"映画", L"自然／風景", L"動物"}));
    const std::vector<int> expected{0, collection.SlotOf(L"映画"), collection.SlotOf(L"自然／風景"),
                                    collection.SlotOf(L"動物")};
    EXPECT_EQ(pane.TabCategories(), expected);
    EXPECT_EQ(pane.FindTabByName(L"全て"), -1);      // the first tab reads 全て(12)
    EXPECT_EQ(pane.FindTabByName(L"全て(12)"), 0);

    EXPECT_EQ(Rows(), 12);
    pane.SelectTab(2);
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(pane.CategorySlotOfTab(2), collection.SlotOf(L"自然／風景"));
    EXPECT_EQ(pane.CategorySlotOfTab(-1), 0);

    // A rebuild after an entry changed category drops the tab that emptied.
    for (auto& item : collection.catalog.items)
        if (item.category == L"自然／風景") item.category = L"映画";
    BuildGroups(collection.catalog);
    pane.RebuildTabs();
    EXPECT_EQ(TabTexts(), (std::vector<std::wstring>{L"全て(12)", L"映画", L"動物"}));
    EXPECT_EQ(pane.FindTabByName(L"映画"), 1);
}

// A left click's selection reaching the program is the whole program's test (e2e).
TEST_F(ListPane, ARightClickSelectsTheRowAndAsksForTheMenu) {
    AddAnimals();
    Open();
    const RECT row1 = RowRect(1);
    const POINT inTabs = ListToTabs(POINT{row1.left + 150, row1.top + 30});
    RightClickTabs(inTabs);
    ASSERT_TRUE(main.WaitFor(kMsgListContextMenu));
    ASSERT_TRUE(main.WaitFor(kMsgSelectionChanged));
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(main.Of(kMsgSelectionChanged).back().wParam, 1u);
    POINT onScreen = inTabs;
    ::ClientToScreen(tabs, &onScreen);
    const test::Posted menu = main.Of(kMsgListContextMenu).back();
    EXPECT_EQ(menu.wParam, 0u);
    EXPECT_EQ(static_cast<short>(LOWORD(menu.lParam)), onScreen.x);
    EXPECT_EQ(static_cast<short>(HIWORD(menu.lParam)), onScreen.y);

    // Showing another tab drops the highlight: row numbers mean other entries
    // there. Below the last row nothing is selected, but the menu is asked for.
    main.Clear();
    ShowTab(L"映画");  // one entry: everything below 104 pixels is empty list
    EXPECT_EQ(Selected(), -1);
    ASSERT_EQ(Rows(), 1);
    RightClickTabs(ListToTabs(POINT{100, kSaverRowHeight + 150}));
    ASSERT_TRUE(main.WaitFor(kMsgListContextMenu));
    test::PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(Selected(), -1);
    for (const auto& posted : main.Of(kMsgSelectionChanged)) EXPECT_EQ(static_cast<int>(posted.wParam), -1);
}

// That a drop stores the new order is the whole program's test (e2e); here
// the drag's single empty row, the other categories and the selection.
TEST_F(ListPane, ADragKeepsOneEmptyRowLeavesOtherCategoriesAndTheSelectionFollows) {
    AddAnimals();
    Open();
    ShowTab(L"動物");
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);  // P is the selected entry

    EXPECT_EQ(Drag(DL_BEGINDRAG, test::RowCentreOnScreen(list, 0)), TRUE);
    for (const int over : {1, 2}) {
        EXPECT_EQ(Drag(DL_DRAGGING, test::RowCentreOnScreen(list, over)), DL_MOVECURSOR);
        EXPECT_EQ(Rows(), 5) << "one empty row at the end while the drag is on";
    }
    EXPECT_EQ(Drag(DL_DROPPED, test::RowCentreOnScreen(list, 2)), 0);
    EXPECT_EQ(Rows(), 4);
    for (const auto& [title, id] : {std::pair{L"Q", 0}, {L"R", 1}, {L"P", 2}, {L"S", 3}, {L"X", 0}})
        EXPECT_EQ(collection.StoredSortId(title), id) << test::Narrow(title);

    // The highlight went with P, and the main window hears where P is now.
    EXPECT_EQ(Selected(), 2);
    ASSERT_TRUE(main.WaitFor(kMsgSelectionChanged));
    EXPECT_EQ(main.Of(kMsgSelectionChanged).back().wParam, 2u);
}

TEST_F(ListPane, DropsThatChangeNothingLeaveTheFilesAndTheRowsAlone) {
    AddAnimals();
    Open();
    // No drag in the all tab, and nothing follows a refused drag.
    EXPECT_EQ(DragRows(0, 2, 2), FALSE);
    EXPECT_EQ(Rows(), 5);
    ShowTab(L"動物");
    const std::vector<std::wstring> pqrs{L"P", L"Q", L"R", L"S"};
    const std::wstring qFile = collection.FolderOf(L"Q") + L"\\saver_item.ini";
    const std::vector<unsigned char> before = test::ReadBytes(qFile);

    const struct {
        int from, over, to;
        UINT end;
    } drops[] = {
        {1, 2, 1, DL_DROPPED},  // onto the starting row
        {1, 3, 4, DL_DROPPED},  // onto the empty row shown during the drag
        {0, 3, 3, DL_CANCELDRAG},
    };
    for (const auto& d : drops) {
        EXPECT_EQ(DragRows(d.from, d.over, d.to, d.end), TRUE);
        EXPECT_EQ(Rows(), 4) << d.from << " -> " << d.to;  // the empty row went with the drag
    }

    EXPECT_EQ(collection.TitlesOf(collection.SlotOf(L"動物")), pqrs);
    EXPECT_EQ(test::ReadBytes(qFile), before);
    EXPECT_EQ(collection.StoredSortId(L"P"), 0);
}

// Pixels of the list as it paints itself; row r's text box starts at x 132.
TEST_F(ListPane, RowsShowThumbnailTextAndTheSelection) {
    collection.AddEntry(EntryFields{L"動物", L"赤い星", L"一行目のメモ", 0, L"", 0xFFE02020});
    const std::wstring broken = collection.AddEntry(EntryFields{L"動物", L"壊れた画像", L"", 1, L"", 0});
    test::WriteBytes(broken + L"\\image.png", std::string("this is not a png file"));
    collection.AddEntry(EntryFields{L"動物", L"三つ目", L"", 2, L"", 0xFF2040D0});
    Open();
    ShowTab(L"動物");
    ASSERT_EQ(Rows(), 3);

    const uint32_t white = 0xFFFFFF;
    test::Pixels pixels = test::PrintClient(list);
    ASSERT_GT(pixels.height, 3 * kSaverRowHeight);
    // Row 0: the red thumbnail at (4, 4), unscaled 128 x 96 (upper half red).
    EXPECT_TRUE(test::Near(pixels.at(4 + 127, 4 + 10), 0xE02020)) << std::hex << pixels.at(131, 14);
    EXPECT_TRUE(test::Near(pixels.at(4 + 20, 4 + 90), 0x701010)) << std::hex << pixels.at(24, 94);
    EXPECT_TRUE(test::Near(pixels.at(2, 50), white));  // outside the picture
    // Row 1: a broken picture draws no thumbnail and no crash; every row shows its text.
    EXPECT_FALSE(test::HasInk(pixels, RECT{0, kSaverRowHeight + 2, 132, 2 * kSaverRowHeight - 2}, white));
    for (int row = 0; row <= 2; ++row) {
        const int top = row * kSaverRowHeight;
        EXPECT_TRUE(test::HasInk(pixels, RECT{134, top + 6, pixels.width, top + 20}, white)) << row;
    }

    // The selected row's text box is tinted and the row framed, 2 pixels
    // wide; moving the selection on leaves no frame behind.
    const uint32_t tint = kRowSelectedBoxColour & 0xFFFFFF;
    const uint32_t frame = test::Rgb(::GetSysColor(COLOR_HIGHLIGHT));
    for (const int row : {1, 2}) {
        const RECT r = RowRect(row);
        ClickList(POINT{r.left + 200, r.top + 50});
        ::UpdateWindow(list);
        pixels = test::PrintClient(list);
        const int top = row * kSaverRowHeight;
        EXPECT_TRUE(test::Near(pixels.at(pixels.width - 20, top + 80), tint)) << row;
        for (const POINT p : {POINT{1, top + 50}, {60, top}, {60, top + kSaverRowHeight - 1}})
            EXPECT_TRUE(test::Near(pixels.at(p.x, p.y), frame)) << p.x << "," << p.y;
        EXPECT_TRUE(test::Near(pixels.at(3, top + 50), white)) << row;
    }
    EXPECT_TRUE(test::Near(pixels.at(0, kSaverRowHeight + 50), white));
    EXPECT_TRUE(test::Near(pixels.at(pixels.width - 20, kSaverRowHeight + 80), white));
}

TEST(RowFont, IsMsUiGothicAndAMissingFamilyStillDrawsText) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.ok());
    const FallbackFont row = MakeRowFont();
    ASSERT_TRUE(row);
    EXPECT_FALSE(row.UsedFallback());  // the test prefix maps "MS UI Gothic" to an installed font

    // Without the family the system's GUI font is used, and text still shows.
    const FallbackFont missing(L"Lumenary No Such Family", 10.0f);
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing.UsedFallback());

    SaverItem entry;
    entry.title = L"星空";
    entry.note = L"Latin text too";
    ThumbnailCache thumbnails(SIZE{128, 100}, 1);
    const test::Pixels pixels = test::DrawnPixels(400, kSaverRowHeight, 0xFFFFFF, [&](HDC dc) {
        DrawSaverRow(dc, RECT{0, 0, 400, kSaverRowHeight}, entry, false, missing, thumbnails);
    });
    EXPECT_TRUE(test::HasInk(pixels, RECT{134, 6, 400, 40}, 0xFFFFFF));
}

} // namespace
} // namespace lum
