// The control factory: identifiers, sizes measured from the GUI font,
// window styles, and the column layouts.
#include "base/Scoped.h"
#include "tests/support/TestWindows.h"
#include "toolkit/ControlFactory.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

// The GUI font's extent of a one-line text, measured here with GDI.
SIZE Measure(const std::wstring& text) {
    WindowDC screen(nullptr);
    SelectScope font(screen.get(), ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)); }

class ControlFactoryTest : public ::testing::Test {
protected:
    ControlRect RectOf(int index) { return GetControlRect(*factory.Control(index)); }
    test::TestWindow host{60, 60, 420, 320};
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
    EXPECT_EQ(factory.NextId(), counterBefore + 2);

    // A second factory starts again from 4352.
    ControlFactory_CL other;
    EXPECT_EQ(other.Control(other.AddListBox(host.hwnd()))->m_nId, 4352);
}

TEST_F(ControlFactoryTest, SizesComeFromTheTextMetrics) {
    const SIZE one = Measure(L"一行目");
    ASSERT_GT(one.cy, 0);

    // A two-line static text: two lines tall, as wide as the string measured as one line.
    ControlBase_CL* text = factory.Control(factory.AddStaticText(L"一行目\n二行目", 8, 12, host.hwnd()));
    const ControlRect r = GetControlRect(*text);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 12);
    EXPECT_EQ(r.height, 2 * one.cy);
    EXPECT_GT(r.width, one.cx);

    const SIZE caption = Measure(L"参照...");
    const ControlRect button = RectOf(factory.AddButton(L"参照...", host.hwnd()));
    EXPECT_EQ(button.left, 0);
    EXPECT_EQ(button.width, caption.cx + 8);
    EXPECT_EQ(button.height, caption.cy + 8);

    const int w = Measure(L"W").cx;
    const int m = Measure(L"M").cy;
    const ControlRect edit = RectOf(factory.AddEdit(host.hwnd(), 10, 3));
    EXPECT_EQ(edit.width, 10 * w);
    EXPECT_EQ(edit.height, 3 * m);
}

TEST_F(ControlFactoryTest, EditAndComboStyles) {
    ControlBase_CL* multi = factory.Control(factory.AddEdit(host.hwnd(), 20, 4));
    ASSERT_NE(multi->m_hWnd, nullptr);
    const DWORD multiLine = ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL;
    EXPECT_EQ(StyleOf(multi->m_hWnd) & multiLine, multiLine);
    // Windows draws the border in the non-client area; Wine's edit control
    // draws it inside, insetting its text. Either shows against a borderless edit.
    const auto frameWidth = [](HWND hwnd) {
        RECT window{}, client{};
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
    EXPECT_EQ(StyleOf(single->m_hWnd) & (multiLine | ES_PASSWORD), static_cast<DWORD>(ES_PASSWORD));
    EXPECT_EQ(frameWidth(single->m_hWnd), 0);  // no border unless asked for

    ControlBase_CL* drop = factory.Control(factory.AddComboBox(host.hwnd(), 8));
    EXPECT_NE(::GetWindow(drop->m_hWnd, GW_CHILD), nullptr);  // a drop-down combo has its edit field
    // Every control got the GUI font.
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(drop->m_hWnd, WM_GETFONT, 0, 0)),
              static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

TEST_F(ControlFactoryTest, StackAndIndentColumns) {
    factory.AddStaticText(L"一つ目の設定", 0, 0, host.hwnd());
    factory.AddCheckBox(L"有効にする", host.hwnd());
    factory.AddStaticText(L"二つ目\nの設定", 0, 0, host.hwnd());
    factory.AddCheckBox(L"表示する", host.hwnd());
    factory.StackControls(factory.Count() - 1, 8, 8, 8);
    int y = 8;
    for (int i = 0; i < factory.Count(); ++i) {
        const ControlRect r = RectOf(i);
        EXPECT_EQ(r.left, 8) << i;
        EXPECT_EQ(r.top, y) << i;
        y += r.height + 8;
    }
    const int topOfThird = RectOf(2).top;

    factory.MoveControlsToX({1, 3, -1, 0}, 24);  // stops at -1: control 0 stays
    EXPECT_EQ((std::vector<int>{RectOf(0).left, RectOf(1).left, RectOf(2).left, RectOf(3).left}),
              (std::vector<int>{8, 24, 8, 24}));
    EXPECT_EQ(RectOf(2).top, topOfThird);

    // Indexes that name no control are skipped, not read past the array.
    factory.MoveControlsToX({99, -7, 2, -1}, 40);
    EXPECT_EQ(RectOf(2).left, 40);

    factory.StackListedControls({3, 1}, 100, 50);  // no -1: up to the end of the list
    const ControlRect third = RectOf(3);
    EXPECT_EQ(third.left, 100);
    EXPECT_EQ(third.top, 50);
    EXPECT_EQ(RectOf(1).top, 50 + third.height + 4);

    // A list that starts with its end, or a negative last index, moves nothing.
    const ControlRect before = RectOf(0);
    factory.MoveControlsToX({-1, 0}, 300);
    factory.StackControls(-1, 200, 200, 8);
    EXPECT_EQ(RectOf(0).left, before.left);
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
    factory.StackControls(5, 0, 0, 4);  // a control without a window is left alone, the others stacked
    EXPECT_EQ(RectOf(0).top, 0);
    EXPECT_GE(RectOf(next).top, 33 + 4);
}

} // namespace
} // namespace lum
