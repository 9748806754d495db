// The control factory: identifiers, sizes measured from the GUI font,
// window styles, and the column layouts.
#include "tests/support/TestWindows.h"
#include "toolkit/ControlFactory.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using test::TestWindow;

SIZE Measure(const std::wstring& text) {
    return MeasureControlText(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), text).text;
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)); }

class ControlFactoryTest : public ::testing::Test {
protected:
    TestWindow host{60, 60, 420, 320};
    ControlFactory_CL factory;
};

TEST_F(ControlFactoryTest, IdentifiersCountFrom4352AndSkipTheTwoButtonNumbers) {
    const int first = factory.AddStaticText(L"見出し", 0, 0, host.hwnd());
    const int second = factory.AddCheckBox(L"有効", host.hwnd());
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(::GetDlgCtrlID(factory.Control(first)->m_hWnd), 4352);
    EXPECT_EQ(factory.Control(second)->m_nId, 4353);

    const int counterBefore = factory.NextId();
    const int ok = factory.AddOkCancelButtons(host.hwnd(), L"OK", L"キャンセル");
    EXPECT_EQ(::GetDlgCtrlID(factory.Control(ok)->m_hWnd), 4096);
    EXPECT_EQ(::GetDlgCtrlID(factory.Control(ok + 1)->m_hWnd), 4098);
    EXPECT_EQ(::GetDlgItem(host.hwnd(), 4096), factory.Control(ok)->m_hWnd);
    EXPECT_EQ(factory.NextId(), counterBefore + 2);

    const int next = factory.AddButton(L"次", host.hwnd());
    EXPECT_EQ(factory.Control(next)->m_nId, counterBefore + 2);

    // A second factory starts again from 4352.
    ControlFactory_CL other;
    EXPECT_EQ(other.Control(other.AddListBox(host.hwnd()))->m_nId, 4352);
}

TEST_F(ControlFactoryTest, SizesComeFromTheTextMetrics) {
    const SIZE one = Measure(L"一行目");
    const SIZE two = Measure(L"一行目\n二行目");
    ASSERT_GT(one.cy, 0);
    EXPECT_EQ(two.cy, 2 * one.cy);

    // A two-line static text: two lines tall, as wide as the string measured as one line.
    ControlBase_CL* text = factory.Control(factory.AddStaticText(L"一行目\n二行目", 8, 12, host.hwnd()));
    const ControlRect r = GetControlRect(*text);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 12);
    EXPECT_EQ(r.height, 2 * one.cy);
    EXPECT_GT(r.width, one.cx);

    const SIZE caption = Measure(L"参照...");
    const ControlRect button = GetControlRect(*factory.Control(factory.AddButton(L"参照...", host.hwnd())));
    EXPECT_EQ(button.left, 0);
    EXPECT_EQ(button.width, caption.cx + 8);
    EXPECT_EQ(button.height, caption.cy + 8);

    const ControlRect check = GetControlRect(*factory.Control(factory.AddCheckBox(L"参照...", host.hwnd())));
    EXPECT_EQ(check.width, caption.cx + 32);
    EXPECT_EQ(check.height, caption.cy);

    const int w = Measure(L"W").cx;
    const int m = Measure(L"M").cy;
    const ControlRect edit = GetControlRect(*factory.Control(factory.AddEdit(host.hwnd(), 10, 3)));
    EXPECT_EQ(edit.width, 10 * w);
    EXPECT_EQ(edit.height, 3 * m);
    const ControlRect list = GetControlRect(*factory.Control(factory.AddListBox(host.hwnd())));
    EXPECT_EQ(list.width, 32 * w);
    EXPECT_GT(list.height, 0);
}

TEST_F(ControlFactoryTest, EditAndComboStyles) {
    ControlBase_CL* multi = factory.Control(factory.AddEdit(host.hwnd(), 20, 4));
    ASSERT_NE(multi->m_hWnd, nullptr);
    EXPECT_EQ(multi->m_nType, kEditField);
    const DWORD multiStyle = StyleOf(multi->m_hWnd);
    EXPECT_TRUE(multiStyle & ES_MULTILINE);
    EXPECT_TRUE(multiStyle & ES_WANTRETURN);
    EXPECT_TRUE(multiStyle & WS_VSCROLL);
    // Windows draws the border in the non-client area; Wine's edit control
    // takes the WS_BORDER bit over and draws the frame inside, insetting its
    // text. Either shows against the same edit made without a border.
    const auto frameWidth = [](HWND hwnd) {
        RECT window{};
        RECT client{};
        ::GetWindowRect(hwnd, &window);
        ::GetClientRect(hwnd, &client);
        return (window.right - window.left) - client.right;
    };
    const auto textInset = [](HWND hwnd) {
        RECT format{};
        ::SendMessageW(hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return format.left;
    };
    ControlBase_CL* plain = factory.Control(
        factory.AddEdit(host.hwnd(), 20, 4, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN));
    const bool framed = frameWidth(multi->m_hWnd) > frameWidth(plain->m_hWnd) ||
                        textInset(multi->m_hWnd) > textInset(plain->m_hWnd);
    EXPECT_TRUE(framed);

    ControlBase_CL* single = factory.Control(factory.AddEdit(host.hwnd(), 20, 1, ES_AUTOHSCROLL | ES_PASSWORD));
    const DWORD singleStyle = StyleOf(single->m_hWnd);
    EXPECT_FALSE(singleStyle & ES_MULTILINE);
    EXPECT_FALSE(singleStyle & WS_VSCROLL);
    EXPECT_TRUE(singleStyle & ES_PASSWORD);
    EXPECT_EQ(frameWidth(single->m_hWnd), 0);  // no border unless asked for
    EXPECT_EQ(singleStyle & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP),
              static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP));

    ControlBase_CL* drop = factory.Control(factory.AddComboBox(host.hwnd(), 8));
    EXPECT_EQ(StyleOf(drop->m_hWnd) & 3u, static_cast<DWORD>(CBS_DROPDOWN));
    EXPECT_NE(::GetWindow(drop->m_hWnd, GW_CHILD), nullptr);  // a drop-down combo has its edit field
    ControlBase_CL* fixed = factory.Control(factory.AddComboBox(host.hwnd(), 8, CBS_DROPDOWNLIST));
    EXPECT_EQ(StyleOf(fixed->m_hWnd) & 3u, static_cast<DWORD>(CBS_DROPDOWNLIST));

    ControlBase_CL* box = factory.Control(factory.AddCheckBox(L"x", host.hwnd()));
    EXPECT_EQ(StyleOf(box->m_hWnd) & 0xFu, static_cast<DWORD>(BS_AUTOCHECKBOX));
    EXPECT_EQ(::SendMessageW(box->m_hWnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ::SendMessageW(box->m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(::SendMessageW(box->m_hWnd, BM_GETCHECK, 0, 0), BST_CHECKED);

    // Every control got the GUI font.
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(box->m_hWnd, WM_GETFONT, 0, 0)),
              static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

TEST_F(ControlFactoryTest, OkCancelKeepFourPixelsWhateverTheCaptions) {
    const RECT client = host.ClientRect();
    const int ok = factory.AddOkCancelButtons(host.hwnd(), L"OK", L"変更を取り消して閉じる");
    const ControlRect accept = GetControlRect(*factory.Control(ok));
    const ControlRect cancel = GetControlRect(*factory.Control(ok + 1));
    ASSERT_GT(cancel.width, accept.width + 20);  // really different widths
    EXPECT_EQ(cancel.left + cancel.width, client.right - 4);
    EXPECT_EQ(cancel.top + cancel.height, client.bottom - 4);
    EXPECT_EQ(accept.left + accept.width, cancel.left - 4);
    EXPECT_EQ(accept.top, cancel.top);

}

TEST_F(ControlFactoryTest, StackAndIndentColumns) {
    factory.AddStaticText(L"一つ目の設定", 0, 0, host.hwnd());
    factory.AddCheckBox(L"有効にする", host.hwnd());
    factory.AddStaticText(L"二つ目\nの設定", 0, 0, host.hwnd());
    factory.AddCheckBox(L"表示する", host.hwnd());
    factory.StackControls(factory.Count() - 1, 8, 8, 8);
    int y = 8;
    for (int i = 0; i < factory.Count(); ++i) {
        const ControlRect r = GetControlRect(*factory.Control(i));
        EXPECT_EQ(r.left, 8) << i;
        EXPECT_EQ(r.top, y) << i;
        y += r.height + 8;
    }
    const int topOfThird = GetControlRect(*factory.Control(2)).top;

    factory.MoveControlsToX({1, 3, -1, 0}, 24);  // stops at -1: control 0 stays
    EXPECT_EQ(GetControlRect(*factory.Control(0)).left, 8);
    EXPECT_EQ(GetControlRect(*factory.Control(1)).left, 24);
    EXPECT_EQ(GetControlRect(*factory.Control(2)).left, 8);
    EXPECT_EQ(GetControlRect(*factory.Control(3)).left, 24);
    EXPECT_EQ(GetControlRect(*factory.Control(2)).top, topOfThird);

    // Indexes that name no control are skipped, not read past the array.
    factory.MoveControlsToX({99, -7, 2, -1}, 40);
    EXPECT_EQ(GetControlRect(*factory.Control(2)).left, 40);

    factory.StackListedControls({3, 1, -1}, 100, 50);
    const ControlRect third = GetControlRect(*factory.Control(3));
    EXPECT_EQ(third.left, 100);
    EXPECT_EQ(third.top, 50);
    EXPECT_EQ(GetControlRect(*factory.Control(1)).top, 50 + third.height + 4);

    // A negative last index moves nothing.
    const ControlRect before = GetControlRect(*factory.Control(0));
    factory.StackControls(-1, 200, 200, 8);
    EXPECT_EQ(GetControlRect(*factory.Control(0)).left, before.left);
}

TEST_F(ControlFactoryTest, PerControlMoveAndResizeAndAFailedCreationKeepsItsIndex) {
    ControlBase_CL* c = factory.Control(factory.AddButton(L"押す", host.hwnd()));
    MoveControlTo(*c, 30, 40);
    ResizeControl(*c, 120, 33);
    const ControlRect r = GetControlRect(*c);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.width, r.height}), (std::vector<int>{30, 40, 120, 33}));

    // A parent that is not a window: the control has no window but keeps its place.
    const int broken = factory.AddStaticText(L"x", 0, 0, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)));
    EXPECT_EQ(factory.Control(broken)->m_hWnd, nullptr);
    const int next = factory.AddStaticText(L"y", 0, 0, host.hwnd());
    EXPECT_EQ(next, broken + 1);
    EXPECT_EQ(factory.Control(next)->m_nId, 4354);
    EXPECT_EQ(factory.Control(99), nullptr);
    factory.StackControls(5, 0, 0, 4);  // a control without a window is left alone
}

TEST(ControlLayout, OkCancelPlacementArithmetic) {
    const OkCancelPlacement p = PlaceOkCancel(RECT{0, 0, 300, 200}, SIZE{40, 24}, SIZE{90, 30});
    EXPECT_EQ(p.cancel.x, 300 - 4 - 90);
    EXPECT_EQ(p.cancel.y, 200 - 4 - 30);
    EXPECT_EQ(p.accept.x, 300 - 4 - 90 - 4 - 40);
    EXPECT_EQ(p.accept.y, p.cancel.y);  // top-aligned with the cancel button
}

TEST(ControlLayout, StackedPositionsAndListedIndexes) {
    const std::vector<POINT> at = StackedPositions({10, 0, 25}, 8, 8, 8);
    ASSERT_EQ(at.size(), 3u);
    EXPECT_EQ(at[1].y, 26);
    EXPECT_EQ(at[2].y, 34);
    EXPECT_EQ(ListedIndexes({2, 0, 5, 1, -1, 3}, 4), (std::vector<int>{2, 0, 1}));
    EXPECT_TRUE(ListedIndexes({-1, 1}, 4).empty());
    EXPECT_EQ(ListedIndexes({1, 3}, 4), (std::vector<int>{1, 3}));  // no terminator: up to the end
}

} // namespace
} // namespace lum
