// Toolbars with their tooltips, the rebar's bands, drop-down arrows and
// height changes, with real common controls.
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindows.h"
#include "toolkit/ReBer.h"
#include "toolkit/ToolBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <set>
#include <vector>

namespace lum {
namespace {

using test::TestWindow;

constexpr DWORD kRebarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_TOOLTIPS |
                              RBS_VARHEIGHT | RBS_BANDBORDERS | RBS_DBLCLKTOGGLE;

std::wstring StripFile() { return test::DistFolder() + L"\\menu_image.bmp"; }

RECT ItemRect(HWND toolbar, int index) {
    RECT r{};
    ::SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
}

TEST(ToolBar, OneToolPerButtonWithATooltipAfterEveryInsertion) {
    TestWindow owner(20, 20, 500, 120);
    ToolBar_CL bar;
    ASSERT_NE(bar.CreateToolbar(owner.hwnd()), nullptr);
    const HWND tips = bar.ToolTips().m_hTipWnd;
    ASSERT_NE(tips, nullptr);

    struct Plan {
        int command;
        const wchar_t* tip;
    };
    // The third button has no tooltip; the tooltips after it must still be there.
    const Plan plan[] = {{1126, L"戻る"}, {1127, L"進む"}, {1128, nullptr}, {1129, L"リロード"}, {1130, L"ホーム"}};
    int withTips = 0;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(bar.InsertButton(i, i, plan[i].command, plan[i].tip));
        if (plan[i].tip) ++withTips;
        EXPECT_EQ(bar.ToolTips().ToolCount(), withTips) << "after button " << i;
    }
    // Each tool still reads its own button's text.
    std::set<UINT_PTR> ids;
    for (int i = 0; i < withTips; ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        ASSERT_TRUE(::SendMessageW(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)));
        ids.insert(tool.uId);
        wchar_t text[64] = {};
        tool.lpszText = text;
        ::SendMessageW(tips, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
        const auto planned = std::find_if(std::begin(plan), std::end(plan),
                                          [&](const Plan& p) { return p.command == static_cast<int>(tool.uId); });
        ASSERT_NE(planned, std::end(plan));
        EXPECT_STREQ(text, planned->tip);
    }
    EXPECT_EQ(ids, (std::set<UINT_PTR>{1126, 1127, 1129, 1130}));
}

// Also: no image list (the strip did not load), and a window that outlives its object.
TEST(ToolBar, SixteenButtonsAtMostNoRecordTwiceAndNoImagesNeeded) {
    TestWindow owner(20, 20, 800, 120);
    auto bar = std::make_unique<ToolBar_CL>();
    const HWND hwnd = bar->CreateToolbar(owner.hwnd());
    ASSERT_NE(hwnd, nullptr);
    bar->SetImageList(nullptr);
    ASSERT_TRUE(bar->InsertButton(0, 0, 2000, L"a"));  // its tooltip subclasses the toolbar too
    EXPECT_FALSE(bar->InsertButton(0, 1, 2001, L"again"));  // the record is in use
    for (int i = 1; i < kToolBarCapacity; ++i) ASSERT_TRUE(bar->InsertButton(i, i, 2000 + i, nullptr));
    EXPECT_FALSE(bar->InsertButton(16, 0, 3000, L"seventeenth"));
    EXPECT_FALSE(bar->InsertButton(-1, 0, 3001, nullptr));
    EXPECT_EQ(bar->Record(16), nullptr);
    EXPECT_EQ(bar->ButtonCount(), 16);
    EXPECT_EQ(bar->ToolTips().ToolCount(), 1);
    bar.reset();
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_USERDATA), 0);
    EXPECT_EQ(::SendMessageW(hwnd, TB_BUTTONCOUNT, 0, 0), 16);
}

// An owner window that hands its messages to the rebar the way the main
// window does, and notes what it is asked to show. The chevron's menu is
// checked in the main window's command bar (CommandBarTest), its arithmetic
// in PopupMenuTest.
class BarOwner : public DropDownMenuFactory_IF {
public:
    struct DropDown {
        int command;
        UINT flags;
        int x, y;
    };

    BarOwner() {
        window.SetHandler([this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            if (message == WM_SIZE) sizes.push_back(std::make_pair(wParam, lParam));
            if (message == WM_SIZE || message == WM_NOTIFY)
                result = rebar.HandleOwnerMessage(hwnd, message, wParam, lParam);
            return message == WM_NOTIFY;
        });
        rebar.m_pDropDownFactory = this;
        rebar.CreateRebar(WS_EX_TOOLWINDOW, kRebarStyle, window.hwnd(), ::GetModuleHandleW(nullptr), nullptr);
    }

    void ShowDropDownMenu(int command, UINT flags, int x, int y, HWND) override {
        dropDowns.push_back(DropDown{command, flags, x, y});
    }

    void Resize(int width) {
        ::SetWindowPos(window.hwnd(), nullptr, 0, 0, width, 240, SWP_NOMOVE | SWP_NOZORDER);
    }

    TestWindow window{30, 30, 640, 240};
    ReBer_CL rebar;
    std::vector<DropDown> dropDowns;
    std::vector<std::pair<WPARAM, LPARAM>> sizes;
};

// The saver toolbar of the command bar, inside the rebar: seven buttons from the strip.
struct SaverBar {
    explicit SaverBar(HWND rebar) {
        bar.CreateToolbar(rebar);
        images.LoadImageStrip(StripFile(), 24);
        bar.SetImageList(images.Handle());  // the image list object keeps owning it
        const int commands[] = {1150, 1145, 1151, 1130, 1146, 1147, 1148};
        const int pictures[] = {10, 9, 12, 7, 8, 9, 14};
        for (int i = 0; i < 7; ++i) bar.InsertButton(i, pictures[i], commands[i], L"ツールチップ");
    }
    HWND Window() const { return bar.Window(); }
    ToolBar_CL bar;
    ImageList_CL images;
};

TEST(ReBer, BandSizeComesFromTheButtonsAndEightBandsAtMost) {
    BarOwner owner;
    ReBer_CL& rebar = owner.rebar;
    ASSERT_NE(rebar.Window(), nullptr);
    SaverBar bar(rebar.Window());
    ASSERT_TRUE(rebar.AttachToolbar(0, bar.Window()));
    const RECT first = ItemRect(bar.Window(), 0), last = ItemRect(bar.Window(), 6);
    const RebarBand_CL* band = rebar.Band(0);
    EXPECT_EQ(band->m_Info.cxIdeal, static_cast<UINT>(last.right - first.left));
    EXPECT_EQ(band->m_Info.cyMinChild, static_cast<UINT>(last.bottom - first.top));
    EXPECT_TRUE(band->m_Info.fStyle & RBBS_USECHEVRON);
    EXPECT_TRUE(::GetWindowLongPtrW(bar.Window(), GWL_STYLE) & CCS_NORESIZE);
    ASSERT_TRUE(rebar.InsertBand(0, L"スクリーンセーバー"));
    EXPECT_EQ(rebar.m_ChevronChildren, std::vector<HWND>{bar.Window()});
    EXPECT_FALSE(rebar.InsertBand(0, L"again"));  // one record is one band

    // Up to eight bands; a ninth is refused and nothing is written past the records.
    for (int i = 1; i < kReBarCapacity; ++i) EXPECT_TRUE(rebar.InsertBand(i, L"帯")) << i;
    EXPECT_EQ(rebar.Band(8), nullptr);
    EXPECT_FALSE(rebar.InsertBand(8, L"九"));
    EXPECT_FALSE(rebar.AttachToolbar(8, bar.Window()));
    EXPECT_EQ(rebar.BandCount(), 8);
    EXPECT_EQ(rebar.Band(7)->m_nPosition, 7);
}

TEST(ReBer, DropDownArrowAsksTheFactoryAtTheButtonsBottomLeft) {
    BarOwner owner;
    ToolBar_CL bar;
    bar.CreateToolbar(owner.rebar.Window());
    bar.SetButtonStyle(1, BTNS_DROPDOWN);
    bar.InsertButton(0, 0, 1126, L"戻る");
    bar.InsertButton(1, 1, 1127, L"進む");
    owner.rebar.AttachToolbar(0, bar.Window());
    ASSERT_TRUE(owner.rebar.InsertBand(0, L"ブラウザ"));
    owner.Resize(640);

    RECT button{};
    ::SendMessageW(bar.Window(), TB_GETRECT, 1127, reinterpret_cast<LPARAM>(&button));
    // A click on the arrow part at the right end of the second button.
    const LPARAM at = MAKELPARAM(button.right - 4, (button.top + button.bottom) / 2);
    ::SendMessageW(bar.Window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(bar.Window(), WM_LBUTTONUP, 0, at);
    ASSERT_EQ(owner.dropDowns.size(), 1u);
    const BarOwner::DropDown& asked = owner.dropDowns[0];
    POINT corner{button.left, button.bottom};
    ::ClientToScreen(bar.Window(), &corner);
    EXPECT_EQ(asked.command, 1127);
    EXPECT_EQ(asked.flags, static_cast<UINT>(TPM_VERTICAL));  // below the button
    EXPECT_EQ(asked.x, corner.x);
    EXPECT_EQ(asked.y, corner.y);

    // Without a factory a drop-down does nothing.
    owner.rebar.m_pDropDownFactory = nullptr;
    ::SendMessageW(bar.Window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(bar.Window(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(owner.dropDowns.size(), 1u);
}

TEST(ReBer, OwnerSizeReachesTheRebarAndAHeightChangeReLaysOutTheOwner) {
    BarOwner owner;
    SaverBar first(owner.rebar.Window());
    SaverBar second(owner.rebar.Window());
    owner.rebar.AttachToolbar(0, first.Window());
    ASSERT_TRUE(owner.rebar.InsertBand(0, L"ブラウザ"));
    owner.Resize(300);  // the owner's size reaches the rebar
    RECT rebarBefore{};
    ::GetWindowRect(owner.rebar.Window(), &rebarBefore);
    EXPECT_EQ(rebarBefore.right - rebarBefore.left, owner.window.ClientRect().right);
    const RECT before = owner.window.ClientRect();

    // A band on a row of its own makes the rebar taller.
    owner.sizes.clear();
    owner.rebar.AttachToolbar(1, second.Window());
    owner.rebar.Band(1)->m_Info.fStyle |= RBBS_BREAK;
    ASSERT_TRUE(owner.rebar.InsertBand(1, L"スクリーンセーバー"));
    RECT rebarAfter{};
    ::GetWindowRect(owner.rebar.Window(), &rebarAfter);
    ASSERT_GT(rebarAfter.bottom - rebarAfter.top, rebarBefore.bottom - rebarBefore.top);
    ASSERT_FALSE(owner.sizes.empty());
    EXPECT_EQ(owner.sizes.back().first, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(owner.sizes.back().second, MAKELPARAM(before.right, before.bottom));
}

} // namespace
} // namespace lum
