// How messages reach toolkit objects: subclassed windows, dialogs run from
// the in-memory template, hooks on foreign windows, the guard that keeps an
// exception out of the system's dispatch, and centring.
#include "tests/support/RunningProgram.h"
#include "tests/support/TestWindows.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/Controls.h"
#include "toolkit/GuardedDispatch.h"
#include "toolkit/SubClassDialog.h"
#include "toolkit/SubClassHook.h"
#include "toolkit/SubClassWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace lum {
namespace {

using test::TestWindow;

bool Contains(const std::vector<UINT>& messages, UINT message) {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

class RecordingWindow : public SubClassWindowBase_CL {
public:
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == throwOn) throw std::runtime_error("handler failed");
        const LRESULT result = SubClassWindowBase_CL::HandleMessage(hwnd, message, wParam, lParam);
        if (message == WM_DESTROY) procAfterDestroy = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
        return result;
    }
    HWND CreateStatic(HWND parent, const wchar_t* text) {
        return CreateAndSubclass(0, L"Static", text, WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, parent, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    }
    std::vector<UINT> messages;
    LONG_PTR procAfterDestroy = 0;
    UINT throwOn = 0;
};

TEST(SubClassWindow, BindsAfterCreationForwardsAndRestoresAtDestroy) {
    TestWindow host(50, 50, 300, 200);
    RecordingWindow object;
    HWND hwnd = object.CreateStatic(host.hwnd(), L"before");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(object.Window(), hwnd);
    // What was sent while the window was created went to the class only.
    EXPECT_FALSE(Contains(object.messages, WM_NCCREATE));
    EXPECT_FALSE(Contains(object.messages, WM_CREATE));

    ::SetWindowTextW(hwnd, L"after");  // through the object to the control's own procedure
    EXPECT_TRUE(Contains(object.messages, WM_SETTEXT));
    EXPECT_EQ(test::WindowText(hwnd), L"after");
    // A handler that throws never unwinds through the system: the previous procedure answers.
    object.throwOn = WM_GETTEXT;
    EXPECT_EQ(test::WindowText(hwnd), L"after");
    object.throwOn = 0;

    const LONG_PTR oldProc = reinterpret_cast<LONG_PTR>(object.OldProc());
    ::DestroyWindow(hwnd);
    EXPECT_EQ(object.procAfterDestroy, oldProc);
    EXPECT_FALSE(Contains(object.messages, WM_NCDESTROY));
}

WNDPROC g_under = nullptr;
int g_overSeen = 0;
LRESULT CALLBACK OverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == WM_NCDESTROY) ++g_overSeen;
    return ::CallWindowProcW(g_under, hwnd, message, wParam, lParam);
}

TEST(SubClassWindow, AnObjectGoneBeforeItsWindowLetsItGoAndKeepsALaterSubclass) {
    TestWindow host(50, 50, 300, 200);
    auto object = std::make_unique<RecordingWindow>();
    HWND alone = object->CreateStatic(host.hwnd(), L"x");
    const LONG_PTR oldProc = reinterpret_cast<LONG_PTR>(object->OldProc());
    object.reset();
    EXPECT_EQ(::GetWindowLongPtrW(alone, GWLP_WNDPROC), oldProc);
    EXPECT_EQ(::GetWindowLongPtrW(alone, GWLP_USERDATA), 0);

    // Tooltips subclass their tool window after the toolkit did: the object
    // cannot take itself out of the middle, so it only unbinds.
    object = std::make_unique<RecordingWindow>();
    HWND hooked = object->CreateStatic(host.hwnd(), L"x");
    g_under = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hooked, GWLP_WNDPROC));
    g_overSeen = 0;
    ::SetWindowLongPtrW(hooked, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OverProc));
    object.reset();
    ::SetWindowTextW(hooked, L"through the class");
    EXPECT_EQ(test::WindowText(hooked), L"through the class");
    ::DestroyWindow(hooked);
    EXPECT_EQ(g_overSeen, 2);  // the later subclass saw the end of its window
}

class ScriptedDialog : public SubClassDialogBase_CL {
public:
    static constexpr UINT kEnd = WM_APP + 1;
    INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == WM_SETFONT) boundAtFont = Window() == hwnd;
        if (message == WM_INITDIALOG) {
            if (TemplateBuffer()) {
                templateDuringRun = TemplateBuffer();
                templateZeroAfterHeader = std::all_of(TemplateBuffer() + 24, TemplateBuffer() + kDialogTemplateSize,
                                                      [](std::uint8_t b) { return b == 0; });
                // Scribble on the buffer: the next run must start from a clean one.
                std::fill(m_pTemplate.get() + 24, m_pTemplate.get() + kDialogTemplateSize, 0xAB);
            }
            ::SetTimer(hwnd, 1, 5000, nullptr);  // a safety net if nothing ends the dialog
            if (onInit) onInit(hwnd);
        }
        if (message == WM_TIMER) ::EndDialog(hwnd, -2);
        if (message == kEnd) ::EndDialog(hwnd, static_cast<INT_PTR>(wParam));
        return SubClassDialogBase_CL::HandleDialogMessage(hwnd, message, wParam, lParam);
    }
    std::function<void(HWND)> onInit;
    std::vector<UINT> messages;
    bool boundAtFont = false;
    const std::uint8_t* templateDuringRun = nullptr;
    bool templateZeroAfterHeader = false;
};

TEST(SubClassDialog, RunModalBindsAtInitAndReturnsWhatEndDialogWasGiven) {
    TestWindow owner(100, 100, 500, 400);
    ScriptedDialog dialog;
    dialog.onInit = [](HWND hwnd) { ::PostMessageW(hwnd, ScriptedDialog::kEnd, 7, 0); };
    EXPECT_EQ(dialog.RunModal(owner.hwnd()), 7);
    // Nothing of the creation traffic reached the object: first the GUI font
    // that binding sends, then WM_INITDIALOG.
    ASSERT_GE(dialog.messages.size(), 2u);
    EXPECT_EQ(dialog.messages[0], static_cast<UINT>(WM_SETFONT));
    EXPECT_EQ(dialog.messages[1], static_cast<UINT>(WM_INITDIALOG));
    EXPECT_TRUE(dialog.boundAtFont);
    EXPECT_EQ(dialog.Font(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));

    // A second run reuses the template buffer, zeroed afresh.
    const std::uint8_t* first = dialog.TemplateBuffer();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first[24 + 100], 0xAB);
    ASSERT_EQ(dialog.RunModal(owner.hwnd()), 7);
    EXPECT_EQ(dialog.templateDuringRun, first);
    EXPECT_TRUE(dialog.templateZeroAfterHeader);
}

// What each dialog does with its own buttons is that dialog's test; Escape
// through a real dialog's loop is SettingsDialogTest's.
TEST(SubClassDialog, TheTitleBarsCloseButtonEndsTheDialogWithZero) {
    TestWindow owner(100, 100, 500, 400);
    ScriptedDialog dialog;
    dialog.onInit = [&](HWND hwnd) { ::PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); };
    EXPECT_EQ(dialog.RunModal(owner.hwnd()), 0);
}

// A window class of our own whose procedure counts what it gets.
struct TargetLog {
    int custom = 0, destroy = 0, ncdestroy = 0;
    LONG_PTR procAtNcDestroy = 0;
} g_target;
constexpr UINT kCustom = WM_USER + 5;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCustom) return ++g_target.custom, 1234;
    if (message == WM_DESTROY) ++g_target.destroy;
    if (message == WM_NCDESTROY) {
        ++g_target.ncdestroy;
        g_target.procAtNcDestroy = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeTarget() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &TargetProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LumenaryHookTarget";
        return ::RegisterClassW(&wc);
    }();
    (void)atom;
    g_target = TargetLog{};
    return ::CreateWindowExW(0, L"LumenaryHookTarget", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

LRESULT OwnerCallback(HWND hwnd, UINT message, WPARAM, LPARAM) {
    SubClass_CL* hook = HookOfWindow(hwnd);
    static_cast<std::vector<UINT>*>(hook->m_pOwner)->push_back(message);
    if (message == WM_USER + 7) throw std::runtime_error("hook failed");
    if (message != WM_USER + 6) return 5;
    hook->m_bHandled = TRUE;  // kept from the window's own procedure
    return 77;
}

TEST(SubClassHook, CallbackReachesItsOwnerDecidesWhoAnswersAndLetsGo) {
    HWND target = MakeTarget();
    ASSERT_NE(target, nullptr);
    {
        SubClass_CL gone;  // without a callback all passes on; gone first, it puts the procedure back
        gone.Install(target, nullptr, nullptr);
        EXPECT_EQ(::SendMessageW(target, kCustom, 0, 0), 1234);
    }
    EXPECT_EQ(::GetWindowLongPtrW(target, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TargetProc));

    std::vector<UINT> seen;
    SubClass_CL hook;
    hook.Install(target, &OwnerCallback, &seen);
    EXPECT_EQ(HookOfWindow(target), &hook);
    EXPECT_EQ(::SendMessageW(target, kCustom, 0, 0), 1234);  // not handled: the old procedure answers
    EXPECT_EQ(::SendMessageW(target, WM_USER + 6, 0, 0), 77);
    EXPECT_EQ(::SendMessageW(target, WM_USER + 7, 0, 0), 0);  // it threw: DefWindowProc's answer
    EXPECT_EQ(::SendMessageW(target, kCustom, 0, 0), 1234);   // and the hook still works
    EXPECT_EQ(g_target.custom, 3);
    ::DestroyWindow(target);
    // The foreign window still sees its own destruction, with its own procedure back.
    EXPECT_EQ(g_target.destroy, 1);
    EXPECT_EQ(g_target.ncdestroy, 1);
    EXPECT_EQ(g_target.procAtNcDestroy, reinterpret_cast<LONG_PTR>(&TargetProc));
    EXPECT_TRUE(Contains(seen, kCustom));
    EXPECT_TRUE(Contains(seen, WM_USER + 7));
    EXPECT_TRUE(Contains(seen, WM_DESTROY));
    EXPECT_FALSE(Contains(seen, WM_NCDESTROY));
}

LRESULT LinkCallback(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message == kCustom) ++*static_cast<int*>(ControlOfWindow(hwnd)->m_pLink);
    return 0;
}

TEST(ControlSubclass, HookedControlReachesItsLinkAndKeepsWorking) {
    TestWindow host(40, 40, 200, 100);
    ControlFactory_CL controls;
    ControlBase_CL* text = controls.Control(controls.AddStaticText(L"abc", 0, 0, host.hwnd()));
    ASSERT_NE(text->m_hWnd, nullptr);
    int hits = 0;
    text->m_pLink = &hits;
    HookControl(*text, &LinkCallback);
    ::SendMessageW(text->m_hWnd, kCustom, 0, 0);
    EXPECT_EQ(hits, 1);
    ::SetWindowTextW(text->m_hWnd, L"xyz");
    EXPECT_EQ(test::WindowText(text->m_hWnd), L"xyz");
}

TEST(GuardedDispatch, FailureReportNamesTheMessageInHexAndKeepsAscii) {
    const std::wstring report = DispatchFailureText(L"window", WM_COMMAND, "bad input \xE9");
    EXPECT_EQ(report, L"Lumenary: window failed on message 0x0111: bad input ?\n");
}

TEST(CenterOverOwner, PositionArithmeticTruncatesTowardZero) {
    struct Case {
        RECT over;
        int width, height;
        POINT at;
    } const cases[] = {
        {{100, 80, 700, 480}, 200, 100, {300, 230}},
        {{0, 0, 101, 51}, 50, 50, {25, 0}},
        {{10, 10, 111, 20}, 200, 20, {-39, 5}},  // the dialog is the larger
        {{-300, 0, -100, 100}, 100, 40, {-250, 30}},
    };
    for (const Case& c : cases) {
        const POINT at = CenteredPosition(c.over, c.width, c.height);
        EXPECT_EQ(at.x, c.at.x) << c.over.left;
        EXPECT_EQ(at.y, c.at.y) << c.over.left;
    }
}

TEST(CenterOverOwner, MovesARealDialogOverItsOwnerOrTheWorkArea) {
    TestWindow owner(100, 80, 600, 400);
    TestWindow dialog(0, 0, 201, 101);  // a popup without frame: its client is all of it
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (const auto& [over, at] : {std::pair{owner.hwnd(), POINT{299, 229}},
                                   {nullptr, CenteredPosition(work, 201, 101)}}) {
        CenterOverOwner(over, dialog.hwnd());
        RECT placed{};
        ::GetWindowRect(dialog.hwnd(), &placed);
        EXPECT_EQ((std::vector<LONG>{placed.left, placed.top, placed.right - placed.left}),
                  (std::vector<LONG>{at.x, at.y, 201}));
    }
}

} // namespace
} // namespace lum
