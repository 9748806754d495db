#include "tests/e2e/DriveProgram.h"

#include "base/Scoped.h"
#include "tests/support/TestSupport.h"
#include "toolkit/GdiPlusOwners.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <thread>

namespace lum::test {

namespace {

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

std::wstring ImagePath(DWORD processId) {
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!process || !::QueryFullProcessImageNameW(process.get(), 0, path, &size)) return std::wstring();
    return std::wstring(path, size);
}

bool IsSaverProcess(DWORD processId) {
    const std::wstring path = ImagePath(processId);
    return path.size() >= 4 && ::lstrcmpiW(path.c_str() + path.size() - 4, L".scr") == 0;
}

DWORD ProcessOf(HWND hwnd) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hwnd, &processId);
    return processId;
}

// One search over windows: the first that `match` accepts.
struct Search {
    bool (*match)(HWND, LPARAM);
    LPARAM argument;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    if (!search.match(hwnd, search.argument)) return TRUE;
    search.found = hwnd;
    return FALSE;
}

HWND FirstChild(HWND parent, bool (*match)(HWND, LPARAM), LPARAM argument) {
    Search search{match, argument};
    if (parent)
        ::EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&search));
    else
        ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Memory in the process of `window`, for messages that carry pointers.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size)
        : m_process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(window))) {
        if (m_process)
            m_address = ::VirtualAllocEx(m_process.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (m_address) ::VirtualFreeEx(m_process.get(), m_address, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    explicit operator bool() const { return m_address != nullptr; }
    LPARAM at(size_t offset) const { return reinterpret_cast<LPARAM>(static_cast<char*>(m_address) + offset); }
    void Write(size_t offset, const void* data, size_t size) const {
        ::WriteProcessMemory(m_process.get(), reinterpret_cast<void*>(at(offset)), data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const {
        ::ReadProcessMemory(m_process.get(), reinterpret_cast<void*>(at(offset)), data, size, nullptr);
    }

private:
    UniqueHandle m_process;
    void* m_address = nullptr;
};

void SendMouse(DWORD flags, POINT screen = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
    Pause(60);
}

// A press soon after the last one would make a double click, which a list
// box takes as a double click and not as a choice of row: each press here
// is a press of its own.
void PressLeftButton() {
    static ULONGLONG lastPress = 0;
    const ULONGLONG apart = ::GetDoubleClickTime() + 100;
    const ULONGLONG now = ::GetTickCount64();
    if (lastPress && now - lastPress < apart) Pause(static_cast<int>(apart - (now - lastPress)));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    lastPress = ::GetTickCount64();
}

} // namespace

HWND FindDescendant(HWND parent, int id) {
    return FirstChild(parent, [](HWND hwnd, LPARAM wanted) { return ::GetDlgCtrlID(hwnd) == wanted; }, id);
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

HWND FirstEdit(HWND dialog) {
    return FirstChild(dialog, [](HWND hwnd, LPARAM) {
        wchar_t name[16] = {};
        ::GetClassNameW(hwnd, name, 16);
        return ::lstrcmpiW(name, L"Edit") == 0;
    }, 0);
}

std::vector<std::wstring> TabTexts(HWND tabs) {
    std::vector<std::wstring> texts;
    wchar_t text[128] = {};
    RemoteBuffer remote(tabs, sizeof(TCITEMW) + sizeof text);
    const int count = remote ? static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.at(sizeof(TCITEMW)));
        item.cchTextMax = 127;
        remote.Write(0, &item, sizeof item);
        remote.Write(sizeof(TCITEMW), L"", sizeof(wchar_t));
        ::SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), remote.at(0));
        remote.Read(sizeof(TCITEMW), text, sizeof text - sizeof(wchar_t));
        texts.emplace_back(text);
    }
    return texts;
}

bool SelectListViewItem(HWND listView, int index) {
    RemoteBuffer remote(listView, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    remote.Write(0, &item, sizeof item);
    return remote && ::SendMessageW(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(index), remote.at(0)) != 0;
}

// Absolute moves: the program sees WM_MOUSEMOVE as from a real mouse.
void MouseMoveTo(POINT screen) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen); }

void MouseClick(POINT screen) {
    MouseMoveTo(screen);
    PressLeftButton();
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pause(100);
}

void MouseDrag(POINT from, POINT to) {
    MouseMoveTo(from);
    PressLeftButton();
    Pause(150);
    constexpr int kSteps = 12;
    for (int step = 1; step <= kSteps; ++step)
        MouseMoveTo(POINT{from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
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
    return FirstChild(host, [](HWND hwnd, LPARAM own) { return ProcessOf(hwnd) != static_cast<DWORD>(own); },
                      static_cast<LPARAM>(hostProcess));
}

std::wstring ProgramFileName(HWND window) {
    const std::wstring path = window ? ImagePath(ProcessOf(window)) : std::wstring();
    return path.substr(path.find_last_of(L"\\/") + 1);
}

HWND SaverTopWindow() {
    return FirstChild(nullptr, [](HWND hwnd, LPARAM) { return ::IsWindowVisible(hwnd) && IsSaverProcess(ProcessOf(hwnd)); }, 0);
}

bool AnySaverRunning() {
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (bool more = snapshot && ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry) != FALSE)
        if (IsSaverProcess(entry.th32ProcessID)) return true;
    return false;
}

std::wstring Screenshot(const std::wstring& name) {
    const std::wstring folder = TestBinFolder() + L"\\..\\screenshots\\e2e";
    MakeFolders(folder);
    const std::wstring path = folder + L"\\" + name + L".png";
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    WindowDC screen(nullptr);
    UniqueMemoryDC memory(::CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        SelectScope selected(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    }
    GdipImage picture;
    gdip::GdipCreateBitmapFromHBITMAP(bitmap.get(), nullptr, reinterpret_cast<Gdiplus::GpBitmap**>(picture.put()));
    return picture && SaveAsPng(picture.get(), path) ? path : std::wstring();
}

} // namespace lum::test
