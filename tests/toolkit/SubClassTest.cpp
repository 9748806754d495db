// How messages reach toolkit objects: subclassed windows, dialogs run from
// the in-memory template, hooks on foreign windows, and centring.
#include "tests/toolkit/TestWindows.h"
#include "toolkit/Controls.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/SubClassDialog.h"
#include "toolkit/SubClassHook.h"
#include "toolkit/SubClassWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
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
        const LRESULT result = SubClassWindowBase_CL::HandleMessage(hwnd, message, wParam, lParam);
        if (message == WM_DESTROY) procAfterDestroy = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
        return result;
    }
    std::vector<UINT> messages;
    LONG_PTR procAfterDestroy = 0;
};

TEST(SubClassWindow, BindsAfterCreationForwardsAndRestoresAtDestroy) {
    TestWindow host(50, 50, 300, 200);
    RecordingWindow object;
    HWND hwnd = object.CreateAndSubclass(0, L"Static", L"before", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20,
                                         host.hwnd(), reinterpret_cast<HMENU>(77), ::GetModuleHandleW(nullptr),
                                         nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(object.Window(), hwnd);
    EXPECT_EQ(::GetDlgCtrlID(hwnd), 77);
    // Found again through the user data, and the toolkit procedure is in front.
    EXPECT_EQ(reinterpret_cast<SubClassWindowBase_CL*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)), &object);
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubClassWindowProc));
    ASSERT_NE(object.OldProc(), nullptr);
    // What was sent while the window was created went to the class only.
    EXPECT_FALSE(Contains(object.messages, WM_NCCREATE));
    EXPECT_FALSE(Contains(object.messages, WM_CREATE));

    // Messages pass through the object to the static control's own procedure.
    ::SetWindowTextW(hwnd, L"after");
    EXPECT_TRUE(Contains(object.messages, WM_SETTEXT));
    wchar_t text[32] = {};
    ::GetWindowTextW(hwnd, text, 32);
    EXPECT_STREQ(text, L"after");

    const LONG_PTR oldProc = reinterpret_cast<LONG_PTR>(object.OldProc());
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(Contains(object.messages, WM_DESTROY));
    EXPECT_EQ(object.procAfterDestroy, oldProc);
    // The last message went straight to the class procedure.
    EXPECT_FALSE(Contains(object.messages, WM_NCDESTROY));
}

TEST(SubClassWindow, FailedCreationLeavesNoWindow) {
    RecordingWindow object;
    EXPECT_EQ(object.CreateAndSubclass(0, L"NoSuchClassAnywhere", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                       nullptr, ::GetModuleHandleW(nullptr), nullptr),
              nullptr);
    EXPECT_EQ(object.Window(), nullptr);
    EXPECT_EQ(object.OldProc(), nullptr);
}

TEST(SubClassWindow, AnObjectGoneBeforeItsWindowLetsTheWindowGo) {
    TestWindow host(50, 50, 300, 200);
    auto object = std::make_unique<RecordingWindow>();
    HWND hwnd = object->CreateAndSubclass(0, L"Static", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, host.hwnd(),
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
    const LONG_PTR oldProc = reinterpret_cast<LONG_PTR>(object->OldProc());
    object.reset();
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC), oldProc);
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_USERDATA), 0);
    ::SetWindowTextW(hwnd, L"still works");
    wchar_t text[32] = {};
    ::GetWindowTextW(hwnd, text, 32);
    EXPECT_STREQ(text, L"still works");
    ::DestroyWindow(hwnd);
    EXPECT_FALSE(::IsWindow(hwnd));
}

WNDPROC g_under = nullptr;
int g_overSeen = 0;
LRESULT CALLBACK OverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == WM_NCDESTROY) ++g_overSeen;
    return ::CallWindowProcW(g_under, hwnd, message, wParam, lParam);
}

TEST(SubClassWindow, HookedOverByAnotherSubclassTheChainStaysWhole) {
    // Tooltips subclass their tool window after the toolkit did.
    TestWindow host(50, 50, 300, 200);
    auto object = std::make_unique<RecordingWindow>();
    HWND hwnd = object->CreateAndSubclass(0, L"Static", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, host.hwnd(),
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
    g_under = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    g_overSeen = 0;
    const WNDPROC over = &OverProc;
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(over));
    object.reset();  // cannot take itself out of the middle: it unbinds
    ::SetWindowTextW(hwnd, L"through the class");
    wchar_t text[32] = {};
    ::GetWindowTextW(hwnd, text, 32);
    EXPECT_STREQ(text, L"through the class");
    ::DestroyWindow(hwnd);
    EXPECT_EQ(g_overSeen, 2);  // the later subclass saw the end of its window
}

class ScriptedDialog : public SubClassDialogBase_CL {
public:
    static constexpr UINT kEnd = WM_APP + 1;
    INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == WM_SETFONT) {
            fontSent = reinterpret_cast<HFONT>(wParam);
            boundAtFont = Window() == hwnd;
        }
        if (message == WM_INITDIALOG) {
            dcDuringRun = m_hDC;
            templateDuringRun = TemplateBuffer();
            if (TemplateBuffer()) {
                templateZeroAfterHeader = std::all_of(TemplateBuffer() + 24, TemplateBuffer() + kDialogTemplateSize,
                                                      [](std::uint8_t b) { return b == 0; });
                // Scribble on the buffer: the next run must start from a clean one.
                std::fill(m_pTemplate.get() + 24, m_pTemplate.get() + kDialogTemplateSize, 0xAB);
            }
            ::SetTimer(hwnd, 1, 5000, nullptr);  // a safety net if nothing ends the dialog
            if (onInit) onInit(hwnd);
        }
        if (message == WM_TIMER) ::EndDialog(hwnd, -2);
        if (message == kEnd) {
            ::EndDialog(hwnd, static_cast<INT_PTR>(wParam));
            return TRUE;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == kAcceptButtonId) ::EndDialog(hwnd, 1);
        if (message == WM_COMMAND && LOWORD(wParam) == kCancelButtonId) ::EndDialog(hwnd, 0);
        return SubClassDialogBase_CL::HandleDialogMessage(hwnd, message, wParam, lParam);
    }
    std::function<void(HWND)> onInit;
    std::vector<UINT> messages;
    HDC dcDuringRun = nullptr;
    HFONT fontSent = nullptr;
    bool boundAtFont = false;
    const std::uint8_t* templateDuringRun = nullptr;
    bool templateZeroAfterHeader = false;
};

TEST(SubClassDialog, RunModalReturnsWhatEndDialogWasGiven) {
    TestWindow owner(100, 100, 500, 400);
    ScriptedDialog dialog;
    dialog.onInit = [](HWND hwnd) { ::PostMessageW(hwnd, ScriptedDialog::kEnd, 7, 0); };
    EXPECT_EQ(dialog.RunModal(owner.hwnd()), 7);

    // Nothing of the dialog manager's creation traffic reached the object:
    // first the GUI font that binding sends, then WM_INITDIALOG.
    ASSERT_GE(dialog.messages.size(), 2u);
    EXPECT_EQ(dialog.messages[0], static_cast<UINT>(WM_SETFONT));
    EXPECT_EQ(dialog.messages[1], static_cast<UINT>(WM_INITDIALOG));
    for (const UINT early : {WM_NCCREATE, WM_CREATE, WM_NCCALCSIZE, WM_GETMINMAXINFO}) {
        EXPECT_FALSE(Contains(dialog.messages, early)) << early;
    }
    EXPECT_TRUE(dialog.boundAtFont);
    EXPECT_TRUE(Contains(dialog.messages, WM_DESTROY));
    // Bound at WM_INITDIALOG: the window, a DC until WM_DESTROY and the GUI font.
    EXPECT_NE(dialog.Window(), nullptr);
    EXPECT_NE(dialog.dcDuringRun, nullptr);
    EXPECT_EQ(dialog.DeviceContext(), nullptr);
    EXPECT_EQ(dialog.Font(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(dialog.fontSent, dialog.Font());
}

TEST(SubClassDialog, AcceptAndCancelButtonsAndTitleBarClose) {
    TestWindow owner(100, 100, 500, 400);
    {
        ScriptedDialog dialog;
        ControlFactory_CL controls;
        dialog.onInit = [&](HWND hwnd) {
            const int ok = controls.AddOkCancelButtons(hwnd, L"OK", L"キャンセル");
            ::PostMessageW(controls.Control(ok)->m_hWnd, BM_CLICK, 0, 0);
        };
        EXPECT_EQ(dialog.RunModal(owner.hwnd()), 1);
    }
    {
        ScriptedDialog dialog;
        ControlFactory_CL controls;
        dialog.onInit = [&](HWND hwnd) {
            const int ok = controls.AddOkCancelButtons(hwnd, L"OK", L"キャンセル");
            ::PostMessageW(controls.Control(ok + 1)->m_hWnd, BM_CLICK, 0, 0);
        };
        EXPECT_EQ(dialog.RunModal(owner.hwnd()), 0);
    }
    {
        // The title bar's close button sends SC_CLOSE; the base ends with 0.
        ScriptedDialog dialog;
        dialog.onInit = [](HWND hwnd) { ::PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); };
        EXPECT_EQ(dialog.RunModal(owner.hwnd()), 0);
        EXPECT_TRUE(Contains(dialog.messages, WM_CLOSE));
    }
}

TEST(SubClassDialog, SecondRunReusesAndRezeroesTheTemplate) {
    TestWindow owner(100, 100, 500, 400);
    ScriptedDialog dialog;
    EXPECT_EQ(dialog.TemplateBuffer(), nullptr);
    dialog.onInit = [](HWND hwnd) { ::PostMessageW(hwnd, ScriptedDialog::kEnd, 3, 0); };
    ASSERT_EQ(dialog.RunModal(owner.hwnd()), 3);
    const std::uint8_t* first = dialog.TemplateBuffer();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(dialog.templateZeroAfterHeader);
    EXPECT_EQ(first[24 + 100], 0xAB);  // the scribble is still there between runs

    dialog.templateZeroAfterHeader = false;
    ASSERT_EQ(dialog.RunModal(owner.hwnd()), 3);
    EXPECT_EQ(dialog.templateDuringRun, first);
    EXPECT_TRUE(dialog.templateZeroAfterHeader);
}

TEST(SubClassDialog, ProcedureIgnoresMessagesBeforeInitDialog) {
    // A real window with empty user data stands for a dialog being created.
    TestWindow window(0, 0, 100, 100);
    ScriptedDialog dialog;
    const LPARAM object = reinterpret_cast<LPARAM>(&dialog);
    EXPECT_EQ(SubClassDialogProc(window.hwnd(), WM_SETFONT, 0, object), FALSE);
    EXPECT_EQ(SubClassDialogProc(window.hwnd(), WM_NCCALCSIZE, 0, object), FALSE);
    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_EQ(::GetWindowLongPtrW(window.hwnd(), GWLP_USERDATA), 0);

    EXPECT_EQ(SubClassDialogProc(window.hwnd(), WM_INITDIALOG, 0, object), TRUE);
    ::KillTimer(window.hwnd(), 1);
    EXPECT_EQ(::GetWindowLongPtrW(window.hwnd(), GWLP_USERDATA), object);
    EXPECT_EQ(dialog.Window(), window.hwnd());
    EXPECT_NE(dialog.DeviceContext(), nullptr);
    // From now on the object gets every message.
    SubClassDialogProc(window.hwnd(), WM_USER + 9, 0, 0);
    EXPECT_EQ(dialog.messages.back(), static_cast<UINT>(WM_USER + 9));
    SubClassDialogProc(window.hwnd(), WM_DESTROY, 0, 0);
    EXPECT_EQ(dialog.DeviceContext(), nullptr);
    ::SetWindowLongPtrW(window.hwnd(), GWLP_USERDATA, 0);
}

// A window of our own whose procedure counts what it gets.
struct TargetLog {
    int custom = 0;
    int destroy = 0;
    int ncdestroy = 0;
    LONG_PTR procAtNcDestroy = 0;
};
TargetLog g_target;
constexpr UINT kCustom = WM_USER + 5;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kCustom:
        ++g_target.custom;
        return 1234;
    case WM_DESTROY:
        ++g_target.destroy;
        return 0;
    case WM_NCDESTROY:
        ++g_target.ncdestroy;
        g_target.procAtNcDestroy = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
        break;
    default:
        break;
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

TEST(SubClassHook, WithoutCallbackEveryMessagePassesOn) {
    HWND target = MakeTarget();
    ASSERT_NE(target, nullptr);
    SubClass_CL hook;
    hook.Install(target, nullptr, nullptr);
    EXPECT_EQ(HookOfWindow(target), &hook);
    EXPECT_EQ(::GetWindowLongPtrW(target, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubClassHookProc));
    EXPECT_EQ(::SendMessageW(target, kCustom, 0, 0), 1234);
    EXPECT_EQ(g_target.custom, 1);
    ::DestroyWindow(target);
    // The foreign window still sees its own destruction, with its own procedure back.
    EXPECT_EQ(g_target.destroy, 1);
    EXPECT_EQ(g_target.ncdestroy, 1);
    EXPECT_EQ(g_target.procAtNcDestroy, reinterpret_cast<LONG_PTR>(&TargetProc));
}

TEST(SubClassHook, AHookGoneBeforeItsWindowPutsTheProcedureBack) {
    HWND target = MakeTarget();
    {
        SubClass_CL hook;
        hook.Install(target, nullptr, nullptr);
    }
    EXPECT_EQ(::GetWindowLongPtrW(target, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TargetProc));
    EXPECT_EQ(::SendMessageW(target, kCustom, 0, 0), 1234);
    ::DestroyWindow(target);
    EXPECT_EQ(g_target.destroy, 1);
}

struct HookOwner {
    std::vector<UINT> seen;
};

LRESULT OwnerCallback(HWND hwnd, UINT message, WPARAM, LPARAM) {
    SubClass_CL* hook = HookOfWindow(hwnd);
    auto* owner = static_cast<HookOwner*>(hook->m_pOwner);
    owner->seen.push_back(message);
    if (message == WM_USER + 6) {
        hook->m_bHandled = TRUE;  // kept from the window's own procedure
        return 77;
    }
    return 5;
}

TEST(SubClassHook, CallbackSeesMessagesAndReachesItsOwner) {
    HWND target = MakeTarget();
    HookOwner owner;
    SubClass_CL hook;
    hook.Install(target, &OwnerCallback, &owner);
    // Not handled: the callback's result gives way to the old procedure's.
    EXPECT_EQ(::SendMessageW(target, kCustom, 0, 0), 1234);
    EXPECT_EQ(g_target.custom, 1);
    // Handled: the callback's result, and the old procedure never sees it.
    EXPECT_EQ(::SendMessageW(target, WM_USER + 6, 0, 0), 77);
    ASSERT_GE(owner.seen.size(), 2u);
    EXPECT_TRUE(Contains(owner.seen, kCustom));
    EXPECT_TRUE(Contains(owner.seen, WM_USER + 6));
    ::DestroyWindow(target);
    EXPECT_TRUE(Contains(owner.seen, WM_DESTROY));
    EXPECT_FALSE(Contains(owner.seen, WM_NCDESTROY));
}

LRESULT LinkCallback(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message == kCustom) {
        ControlBase_CL* control = ControlOfWindow(hwnd);
        ++*static_cast<int*>(control->m_pLink);
    }
    return 0;
}

TEST(ControlSubclass, HookedControlReachesItsLinkAndKeepsWorking) {
    TestWindow host(40, 40, 200, 100);
    ControlFactory_CL controls;
    ControlBase_CL* text = controls.Control(controls.AddStaticText(L"abc", 0, 0, host.hwnd()));
    ASSERT_NE(text->m_hWnd, nullptr);
    int hits = 0;
    text->m_pLink = &hits;
    const WNDPROC own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(text->m_hWnd, GWLP_WNDPROC));
    HookControl(*text, &LinkCallback);
    EXPECT_EQ(text->m_pfnOldProc, own);
    EXPECT_EQ(ControlOfWindow(text->m_hWnd), text);
    ::SendMessageW(text->m_hWnd, kCustom, 0, 0);
    EXPECT_EQ(hits, 1);
    ::SetWindowTextW(text->m_hWnd, L"xyz");
    wchar_t buffer[16] = {};
    ::GetWindowTextW(text->m_hWnd, buffer, 16);
    EXPECT_STREQ(buffer, L"xyz");
    HWND window = text->m_hWnd;
    ::DestroyWindow(window);
    EXPECT_FALSE(::IsWindow(window));
}

TEST(CenterOverOwner, PositionArithmetic) {
    EXPECT_EQ(CenteredPosition(RECT{100, 80, 700, 480}, 200, 100).x, 300);
    EXPECT_EQ(CenteredPosition(RECT{100, 80, 700, 480}, 200, 100).y, 230);
    // Odd differences truncate toward zero, also when the dialog is the larger.
    EXPECT_EQ(CenteredPosition(RECT{0, 0, 101, 51}, 50, 50).x, 25);
    EXPECT_EQ(CenteredPosition(RECT{0, 0, 101, 51}, 50, 50).y, 0);
    EXPECT_EQ(CenteredPosition(RECT{10, 10, 111, 20}, 200, 20).x, 10 + (-99 / 2));
    EXPECT_EQ(CenteredPosition(RECT{10, 10, 111, 20}, 200, 20).x, -39);
    EXPECT_EQ(CenteredPosition(RECT{-300, 0, -100, 100}, 100, 40).x, -250);
}

TEST(CenterOverOwner, MovesARealDialogOverItsOwner) {
    TestWindow owner(100, 80, 600, 400);
    TestWindow dialog(0, 0, 201, 101);
    CenterOverOwner(owner.hwnd(), dialog.hwnd());
    RECT placed{};
    ::GetWindowRect(dialog.hwnd(), &placed);
    RECT client = dialog.ClientRect();
    EXPECT_EQ(placed.left, 100 + (600 - client.right) / 2);
    EXPECT_EQ(placed.top, 80 + (400 - client.bottom) / 2);
    EXPECT_EQ(placed.right - placed.left, 201);  // the size is kept

    // Without an owner it is centred over the work area.
    CenterOverOwner(nullptr, dialog.hwnd());
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(dialog.hwnd(), &placed);
    const POINT expected = CenteredPosition(work, client.right, client.bottom);
    EXPECT_EQ(placed.left, expected.x);
    EXPECT_EQ(placed.top, expected.y);
}

TEST(DialogTemplate, HeaderBytesAndZeroes) {
    std::vector<std::uint8_t> buffer(kDialogTemplateSize, 0xEE);
    WriteEmptyDialogTemplate(buffer.data(), buffer.size());
    const std::uint8_t header[18] = {0x80, 0x02, 0xCA, 0x80, 0, 0, 0, 0, 0, 0,
                                     0,    0,    0,    0,    0x40, 0x01, 0xF0, 0x00};
    EXPECT_TRUE(std::equal(header, header + 18, buffer.begin()));
    EXPECT_TRUE(std::all_of(buffer.begin() + 18, buffer.end(), [](std::uint8_t b) { return b == 0; }));
    const auto* dlg = reinterpret_cast<const DLGTEMPLATE*>(buffer.data());
    EXPECT_EQ(dlg->style, 0x80CA0280u);
    EXPECT_EQ(dlg->style & DS_SETFONT, 0u);
    EXPECT_EQ(dlg->cdit, 0);
}

} // namespace
} // namespace lum
