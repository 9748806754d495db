// Asks every Lumenary main window to close and waits for each to go away.
#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (lstrcmpW(name, L"MainWindowClass") == 0)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

} // namespace

int wmain() {
    std::vector<HWND> windows;
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    for (HWND hwnd : windows) ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    for (HWND hwnd : windows) {
        for (int i = 0; i < 100 && ::IsWindow(hwnd); ++i) ::Sleep(50);
        if (::IsWindow(hwnd)) {
            std::fwprintf(stderr, L"a Lumenary window did not close\n");
            return 1;
        }
    }
    std::wprintf(L"closed %u window(s)\n", static_cast<unsigned>(windows.size()));
    return 0;
}
