// Toolbars with their tooltips, the rebar's bands, chevron menus, drop-down
// arrows and height changes, with real common controls.
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
        EXPECT_EQ(bar.ButtonCount(), i + 1);
        EXPECT_EQ(bar.ToolTips().ToolCount(), withTips) << "after button " << i;
    }
    // Each tool covers its own button and still reads its own text.
    std::set<UINT_PTR> ids;
    for (int i = 0; i < withTips; ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        ASSERT_TRUE(::SendMessageW(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)));
        ids.insert(tool.uId);
        RECT item{};
        ::SendMessageW(bar.Window(), TB_GETRECT, tool.uId, reinterpret_cast<LPARAM>(&item));
        EXPECT_TRUE(::EqualRect(&item, &tool.rect)) << "tool " << tool.uId;
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

    bar->SetButtonState(2003, TBSTATE_INDETERMINATE);
    EXPECT_EQ(::SendMessageW(hwnd, TB_GETSTATE, 2003, 0), TBSTATE_INDETERMINATE);
    bar.reset();
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_USERDATA), 0);
    EXPECT_EQ(::SendMessageW(hwnd, TB_BUTTONCOUNT, 0, 0), 16);
}

// An owner window that hands its messages to the rebar the way the main
// window does, and notes what it is asked to show.
class BarOwner : public DropDownMenuFactory_IF {
public:
    static constexpr UINT_PTR kEndMenuTimer = 42;
    struct DropDown {
        int command;
        UINT flags;
        int x, y;
        HWND owner;
    };

    BarOwner() {
        window.SetHandler([this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            if (message == WM_SIZE) sizes.push_back(std::make_pair(wParam, lParam));
            if (message == WM_SIZE || message == WM_NOTIFY)
                result = rebar.HandleOwnerMessage(hwnd, message, wParam, lParam);
            if (message == WM_INITMENUPOPUP) {  // note what the menu shows, then close it
                ++menusOpened;
                shownItems.clear();
                const HMENU menu = reinterpret_cast<HMENU>(wParam);
                for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                    MENUITEMINFOW info{};
                    info.cbSize = sizeof(info);
                    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
                    ::GetMenuItemInfoW(menu, i, TRUE, &info);
                    shownItems.push_back(info);
                }
                ::SetTimer(hwnd, kEndMenuTimer, 50, nullptr);
            }
            if (message == WM_TIMER && wParam == kEndMenuTimer) {
                ::KillTimer(hwnd, kEndMenuTimer);
                ::EndMenu();
                return true;
            }
            return message == WM_NOTIFY;
        });
        rebar.m_pDropDownFactory = this;
        rebar.CreateRebar(WS_EX_TOOLWINDOW, kRebarStyle, window.hwnd(), ::GetModuleHandleW(nullptr), nullptr);
    }

    void ShowDropDownMenu(int command, UINT flags, int x, int y, HWND owner) override {
        dropDowns.push_back(DropDown{command, flags, x, y, owner});
    }

    void Resize(int width) {
        ::SetWindowPos(window.hwnd(), nullptr, 0, 0, width, 240, SWP_NOMOVE | SWP_NOZORDER);
    }

    TestWindow window{30, 30, 640, 240};
    ReBer_CL rebar;
    std::vector<DropDown> dropDowns;
    std::vector<std::pair<WPARAM, LPARAM>> sizes;
    std::vector<MENUITEMINFOW> shownItems;
    int menusOpened = 0;
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
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(rebar.Window(), WM_GETFONT, 0, 0)),
              static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));

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

// Narrows the owner until the band's toolbar shows all but its last
// `hidden` buttons wholly.
bool NarrowUntilHidden(BarOwner& owner, HWND toolbar, int hidden) {
    const int count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    const RECT keep = ItemRect(toolbar, count - hidden - 1), lose = ItemRect(toolbar, count - hidden);
    for (int width = 900; width > 60; width -= 2) {
        owner.Resize(width);
        RECT shown{};
        ::GetClientRect(toolbar, &shown);
        if (shown.right >= keep.right && shown.right < lose.right) return true;
    }
    return false;
}

// How many buttons count as hidden at a width is Chevron's arithmetic (PopupMenuTest).
TEST(ReBer, ChevronMenuOffersExactlyTheHiddenButtons) {
    BarOwner owner;
    SaverBar bar(owner.rebar.Window());
    bar.bar.SetButtonState(1147, TBSTATE_INDETERMINATE);
    owner.rebar.AttachToolbar(0, bar.Window());
    ASSERT_TRUE(owner.rebar.InsertBand(0, L"スクリーンセーバー"));

    // The owner's notification is taken from the rebar only; with nothing hidden no menu opens.
    owner.Resize(900);
    TestWindow stranger(0, 0, 10, 10);
    const auto notify = [&](HWND from) {
        NMREBARCHEVRON n{};  // band 0
        n.hdr.hwndFrom = from;
        n.hdr.code = static_cast<UINT>(RBN_CHEVRONPUSHED);
        return owner.rebar.HandleOwnerMessage(owner.window.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    };
    EXPECT_EQ(notify(stranger.hwnd()), 0);
    EXPECT_EQ(notify(owner.rebar.Window()), 1);
    EXPECT_EQ(owner.menusOpened, 0);

    ASSERT_TRUE(NarrowUntilHidden(owner, bar.Window(), 2));
    PopupMenu_CL menu;
    const POINT at = owner.rebar.BuildChevronMenu(NMREBARCHEVRON{}, menu);
    ASSERT_EQ(menu.EntryCount(), 2);
    const struct { UINT id; int image; UINT state; } expected[] = {{1147, 9, MFS_GRAYED}, {1148, 14, 0}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(menu.m_Entries[i].m_Info.wID, expected[i].id);
        EXPECT_EQ(menu.m_Entries[i].m_nImage, expected[i].image);
        EXPECT_EQ(menu.m_Entries[i].m_Info.fState, expected[i].state);
        EXPECT_TRUE(menu.m_Entries[i].m_Text.empty());  // buttons without captions
    }
    EXPECT_EQ(menu.m_hImageList, reinterpret_cast<HIMAGELIST>(::SendMessageW(bar.Window(), TB_GETIMAGELIST, 0, 0)));
    RECT band{};
    ::SendMessageW(owner.rebar.Window(), RB_GETRECT, 0, reinterpret_cast<LPARAM>(&band));
    ::MapWindowPoints(owner.rebar.Window(), nullptr, reinterpret_cast<POINT*>(&band), 2);
    EXPECT_EQ(at.x, band.right - 10);
    EXPECT_EQ(at.y, band.bottom);

    // The real chevron: the rebar notifies the owner, which opens that menu, owner-drawn.
    ::SendMessageW(owner.rebar.Window(), RB_PUSHCHEVRON, 0, 0);
    test::PumpFor(std::chrono::milliseconds(100));
    ASSERT_EQ(owner.menusOpened, 1);
    ASSERT_EQ(owner.shownItems.size(), 2u);
    EXPECT_EQ(owner.shownItems[0].wID, 1147u);
    EXPECT_TRUE(owner.shownItems[0].fState & MFS_GRAYED);
    EXPECT_TRUE(owner.shownItems[1].fType & MFT_OWNERDRAW);
    EXPECT_NE(owner.shownItems[1].dwItemData, 0u);  // the menu object, for the owner's drawing
}

TEST(ReBer, DropDownArrowAsksTheFactoryAtTheButtonsBottomLeft) {
    BarOwner owner;
    ToolBar_CL bar;
    bar.CreateToolbar(owner.rebar.Window());
    bar.SetButtonStyle(0, BTNS_DROPDOWN);
    bar.SetButtonStyle(1, BTNS_DROPDOWN);
    bar.InsertButton(0, 0, 1126, L"戻る");
    bar.InsertButton(1, 1, 1127, L"進む");
    bar.InsertButton(2, 2, 1128, L"中断");
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
    EXPECT_EQ(asked.owner, owner.window.hwnd());

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
    for (const int width : {500, 300}) {  // the owner's size reaches the rebar
        owner.Resize(width);
        RECT r{};
        ::GetWindowRect(owner.rebar.Window(), &r);
        EXPECT_EQ(r.right - r.left, owner.window.ClientRect().right);
    }
    const RECT before = owner.window.ClientRect();
    RECT rebarBefore{};
    ::GetWindowRect(owner.rebar.Window(), &rebarBefore);

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

    // A maximised owner is told so.
    ::SetWindowLongPtrW(owner.window.hwnd(), GWL_STYLE, ::GetWindowLongPtrW(owner.window.hwnd(), GWL_STYLE) | WS_MAXIMIZE);
    owner.sizes.clear();
    NMHDR header{};
    header.hwndFrom = owner.rebar.Window();
    header.code = static_cast<UINT>(RBN_HEIGHTCHANGE);
    ::SendMessageW(owner.window.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    ASSERT_EQ(owner.sizes.size(), 1u);
    EXPECT_EQ(owner.sizes[0].first, static_cast<WPARAM>(SIZE_MAXIMIZED));
}

} // namespace
} // namespace lum
