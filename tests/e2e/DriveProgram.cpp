#include "tests/e2e/DriveProgram.h"

#include "base/Scoped.h"
#include "tests/support/TestSupport.h"
#include "toolkit/GdiPlusOwners.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <thread>

namespace lum::test {

namespace {

struct IdSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK MatchId(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<IdSearch*>(param);
    if (::GetDlgCtrlID(hwnd) != search.id) return TRUE;
    search.found = hwnd;
    return FALSE;
}

bool EndsWithScr(const wchar_t* name) {
    const size_t length = wcslen(name);
    return length > 4 && ::lstrcmpiW(name + length - 4, L".scr") == 0;
}

std::wstring ImageNameOf(DWORD processId) {
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!process || !::QueryFullProcessImageNameW(process.get(), 0, path, &size)) return std::wstring();
    return std::wstring(path, size);
}

void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

struct ForeignSearch {
    DWORD hostProcess;
    HWND found = nullptr;
};

BOOL CALLBACK MatchForeign(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<ForeignSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search.hostProcess) return TRUE;
    search.found = hwnd;
    return FALSE;
}

BOOL CALLBACK MatchSaverWindow(HWND hwnd, LPARAM param) {
    if (!::IsWindowVisible(hwnd)) return TRUE;
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (!EndsWithScr(ImageNameOf(owner).c_str())) return TRUE;
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
}

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Memory in another process, freed with its owner.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) : m_size(size) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        m_process.reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
        if (m_process)
            m_address = ::VirtualAllocEx(m_process.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (m_address) ::VirtualFreeEx(m_process.get(), m_address, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    explicit operator bool() const { return m_address != nullptr; }
    char* at(size_t offset) const { return static_cast<char*>(m_address) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const {
        return ::WriteProcessMemory(m_process.get(), at(offset), data, size, nullptr) != 0;
    }
    bool Read(size_t offset, void* data, size_t size) const {
        return ::ReadProcessMemory(m_process.get(), at(offset), data, size, nullptr) != 0;
    }

private:
    UniqueHandle m_process;
    void* m_address = nullptr;
    size_t m_size;
};

} // namespace

HWND FindDescendant(HWND parent, int id) {
    IdSearch search{id};
    ::EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForCaption(const RunningProgram& program, const std::wstring& caption, DWORD milliseconds) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : program.TopWindows())
                if (WindowText(window) == caption) found = window;
            return found != nullptr;
        },
        std::chrono::milliseconds(milliseconds));
    return found;
}

void PressDialogButton(HWND dialog, int buttonId) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

std::wstring BoxText(HWND box) { return WindowText(::GetDlgItem(box, 0xFFFF)); }

std::vector<std::wstring> TabTexts(HWND tabs) {
    std::vector<std::wstring> texts;
    constexpr size_t kTextChars = 128;
    RemoteBuffer remote(tabs, sizeof(TCITEMW) + kTextChars * sizeof(wchar_t));
    if (!remote) return texts;
    const int count = static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.at(sizeof(TCITEMW)));
        item.cchTextMax = static_cast<int>(kTextChars);
        const wchar_t none[1] = {};
        remote.Write(sizeof(TCITEMW), none, sizeof none);
        remote.Write(0, &item, sizeof item);
        ::SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.at(0)));
        wchar_t text[kTextChars] = {};
        remote.Read(sizeof(TCITEMW), text, sizeof text - sizeof(wchar_t));
        texts.emplace_back(text);
    }
    return texts;
}

bool SelectListViewItem(HWND listView, int index) {
    RemoteBuffer remote(listView, sizeof(LVITEMW));
    if (!remote) return false;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    remote.Write(0, &item, sizeof item);
    return ::SendMessageW(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(remote.at(0))) != 0;
}

void MouseMoveTo(POINT screen) {
    // Absolute moves: the program sees WM_MOUSEMOVE as from a real mouse.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
    Pause(60);
}

void MouseClick(POINT screen) {
    MouseMoveTo(screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pause(60);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pause(100);
}

void MouseDrag(POINT from, POINT to) {
    MouseMoveTo(from);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pause(150);
    constexpr int kSteps = 12;
    for (int step = 1; step <= kSteps; ++step) {
        MouseMoveTo(POINT{from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
    }
    Pause(150);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pause(200);
}

POINT ListRowCenter(HWND list, int row) {
    RECT client{};
    ::GetClientRect(list, &client);
    const int height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    POINT point{client.right / 2, (row - top) * height + height / 2};
    ::ClientToScreen(list, &point);
    return point;
}

HWND ForeignChild(HWND host, DWORD hostProcess) {
    ForeignSearch search{hostProcess};
    ::EnumChildWindows(host, MatchForeign, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND SaverTopWindow() {
    HWND found = nullptr;
    ::EnumWindows(MatchSaverWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool AnySaverRunning() {
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    if (!snapshot || !::Process32FirstW(snapshot.get(), &entry)) return false;
    do {
        if (EndsWithScr(entry.szExeFile)) return true;
    } while (::Process32NextW(snapshot.get(), &entry));
    return false;
}

std::wstring Screenshot(const std::wstring& name) {
    const std::wstring folder = TestBinFolder() + L"\\..\\screenshots\\e2e";
    MakeFolders(folder);
    const std::wstring path = folder + L"\\" + name + L".png";
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    WindowDC screen(nullptr);
    UniqueMemoryDC memory(::CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        SelectScope selected(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    }
    Gdiplus::GpBitmap* picture = nullptr;
    if (gdip::GdipCreateBitmapFromHBITMAP(bitmap.get(), nullptr, &picture) != Gdiplus::Ok) return std::wstring();
    GdipImage owned;
    *owned.put() = picture;
    return SaveAsPng(owned.get(), path) ? path : std::wstring();
}

} // namespace lum::test
