// The right pane with real windows: the view's place, the still picture as
// painted, the notices and the context menu message. A demo saver running
// inside the view is MainViewTest's.
#include "tests/support/PaneTestSupport.h"
#include "toolkit/GdiPlusOwners.h"
#include "views/PreviewPainter.h"
#include "views/SaverListTabWindow.h"
#include "views/SaverPreviewTabWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace lum {
namespace {

using test::EntryFields;

constexpr uint32_t kRed = 0xD02020, kBlue = 0x2040D0, kWhite = 0xFFFFFF;

class PreviewPane : public ::testing::Test {
protected:
    void Open() {
        pane.View().SetCurrentItem(&current);
        pane.View().SetNotifyWindow(main.hwnd());
        tabs = pane.CreateAndSubclass(WS_EX_CLIENTEDGE, WC_TABCONTROLW, nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 300, 300,
                                      main.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdRightPane)),
                                      ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(tabs, nullptr);
        ::SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
        for (const wchar_t* text : {L"スクリーンセーバーを探す", L"プレビュー"}) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(text);
            ::SendMessageW(tabs, TCM_INSERTITEMW, ::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&item));
        }
        ::SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
        view = pane.PreviewWindow();
        ASSERT_NE(view, nullptr);
        ::MoveWindow(tabs, 0, 0, 840, 680, TRUE);
        ::UpdateWindow(tabs);
    }
    // Shows `entry`'s entry as the current item.
    void Select(const EntryFields& entry) {
        collection.AddEntry(entry);
        collection.Load();
        for (const SaverItem& item : collection.catalog.items)
            if (item.title == entry.title) current = item;
    }
    void SizeView(int width, int height) {
        ::MoveWindow(view, 0, 0, width, height, TRUE);
        ::UpdateWindow(view);
    }

    GdiplusSession gdiplus;
    test::TestCollection collection;
    SaverItem current;
    SaverPreviewTabWindow_CL pane;
    test::TestWindow& main = test::SharedMainWindow(880, 720);
    HWND tabs = nullptr;
    HWND view = nullptr;

    // The pane's windows go before the pane object does.
    void TearDown() override { main.Empty(); }
};

TEST_F(PreviewPane, TheViewFillsTheDisplayAreaWithTheBrowserHostAndPassesItsContextMenuOn) {
    Open();
    HWND host = ::CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 50, 50, tabs,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdBrowserHost)), nullptr, nullptr);
    pane.SetBrowserHost(host);
    ::MoveWindow(tabs, 0, 0, 700, 500, TRUE);

    RECT area{};
    ::GetClientRect(tabs, &area);
    ::SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (HWND child : {view, host}) {
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, area.left);
        EXPECT_EQ(r.top, area.top);
        EXPECT_EQ(r.right, area.right);
        EXPECT_EQ(r.bottom, area.bottom);
    }
    EXPECT_EQ(::GetFocus(), view);

    // The context menu goes to the main window with the same point, and the
    // selection is not touched by it.
    const LPARAM at = MAKELPARAM(321, 234);
    EXPECT_EQ(::SendMessageW(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), at), 1);
    ASSERT_TRUE(main.WaitFor(kMsgPreviewContextMenu));
    const auto posted = main.Of(kMsgPreviewContextMenu);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, reinterpret_cast<WPARAM>(view));
    EXPECT_EQ(posted[0].lParam, at);
    EXPECT_TRUE(main.Of(kMsgSelectionChanged).empty());
}

// Where the picture goes at each size is PreviewPlan's (ViewPlanTest); here
// one case as the screen shows it. 400 x 100 in 800 x 600: 800 x 200 at
// y 200, red rows 200-299, blue 300-399, white bands around.
TEST_F(PreviewPane, StillPictureIsScaledToTheViewWidthAndLetterboxed) {
    Open();
    Select(EntryFields(L"動物", L"絵").WithLargePicture(400, 100, 0xFFD02020, 0xFF2040D0));
    SizeView(800, 600);
    ASSERT_EQ(pane.View().Content(), PreviewContent::StillPicture);
    ::InvalidateRect(view, nullptr, TRUE);
    ::UpdateWindow(view);
    const test::Pixels screen = test::CaptureClientFromScreen(view);
    ASSERT_EQ(screen.width, 800);
    const std::pair<int, uint32_t> rows[] = {{0, kWhite},  {199, kWhite}, {205, kRed},   {290, kRed},
                                             {310, kBlue}, {394, kBlue},  {401, kWhite}, {599, kWhite}};
    for (const auto& [y, colour] : rows)
        for (int x : {0, 400, 799})
            EXPECT_TRUE(test::Near(screen.at(x, y), colour)) << x << "," << y << " " << std::hex << screen.at(x, y);
}

TEST_F(PreviewPane, NoticesInsteadOfAnEmptyBox) {
    Open();
    SizeView(600, 400);
    const uint32_t calm = test::Rgb(kNoticeBackground);

    // Nothing selected.
    ASSERT_EQ(pane.View().Content(), PreviewContent::NothingSelected);
    const test::Pixels pixels = test::PrintClient(view);
    EXPECT_TRUE(test::HasInk(pixels, RECT{0, 150, 600, 250}, calm));  // the message, in the middle
    EXPECT_FALSE(test::HasInk(pixels, RECT{0, 0, 600, 120}, calm));

    // The entry's saver file is gone (no copy in its folder either).
    current.scr = collection.Root() + L"\\gone\\Missing.scr";
    current.folder = collection.Root();
    ASSERT_EQ(pane.View().Content(), PreviewContent::SaverMissing);
    EXPECT_TRUE(test::HasInk(test::PrintClient(view), RECT{0, 120, 600, 280}, calm));

    // A still-picture entry without its picture.
    current.large_image = 1;
    current.image = collection.Root() + L"\\image.png";
    ASSERT_EQ(pane.View().Content(), PreviewContent::PictureMissing);
    EXPECT_TRUE(test::Near(test::PrintClient(view).at(5, 5), calm, 0));

    // A picture that cannot be decoded is shown the same way.
    test::WriteBytes(collection.Root() + L"\\imageL.png", std::string("not a picture"));
    ASSERT_EQ(pane.View().Content(), PreviewContent::StillPicture);
    EXPECT_TRUE(test::Near(test::PrintClient(view).at(5, 5), calm, 0));
}

} // namespace
} // namespace lum
