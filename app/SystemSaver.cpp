#include "app/SystemSaver.h"

#include <vector>

namespace lum {

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\desktop";
constexpr wchar_t kSaverValue[] = L"SCRNSAVE.EXE";
constexpr wchar_t kActiveValue[] = L"ScreenSaveActive";

struct RegistryKey {
    HKEY key = nullptr;
    RegistryKey() = default;
    ~RegistryKey() {
        if (key) ::RegCloseKey(key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
};

// A string value as it was before, to put back when a later write fails.
struct PreviousValue {
    bool existed = false;
    DWORD type = REG_SZ;
    std::vector<BYTE> data;
};

PreviousValue ReadPrevious(HKEY key, const wchar_t* name) {
    PreviousValue previous;
    DWORD size = 0;
    if (::RegQueryValueExW(key, name, nullptr, &previous.type, nullptr, &size) != ERROR_SUCCESS) return previous;
    previous.data.resize(size);
    if (::RegQueryValueExW(key, name, nullptr, &previous.type, previous.data.data(), &size) != ERROR_SUCCESS)
        return previous;
    previous.data.resize(size);
    previous.existed = true;
    return previous;
}

void PutBack(HKEY key, const wchar_t* name, const PreviousValue& previous) {
    if (previous.existed)
        ::RegSetValueExW(key, name, 0, previous.type, previous.data.data(), static_cast<DWORD>(previous.data.size()));
    else
        ::RegDeleteValueW(key, name);
}

bool WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

std::wstring Quoted(const std::wstring& title) { return L"\"" + title + L"\""; }

} // namespace

std::wstring ShortSaverPath(const std::wstring& saverPath) {
    if (saverPath.empty()) return std::wstring();
    const DWORD attributes = ::GetFileAttributesW(saverPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::wstring();
    const DWORD needed = ::GetShortPathNameW(saverPath.c_str(), nullptr, 0);
    if (needed == 0 || needed > MAX_PATH) return std::wstring();
    std::vector<wchar_t> buffer(needed);
    const DWORD length = ::GetShortPathNameW(saverPath.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed) return std::wstring();
    return std::wstring(buffer.data(), length);
}

SystemSaverResult SetSystemScreenSaver(const std::wstring& saverPath) {
    const DWORD attributes = saverPath.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(saverPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return SystemSaverResult::FileMissing;
    const std::wstring shortPath = ShortSaverPath(saverPath);
    if (shortPath.empty()) return SystemSaverResult::NoShortPath;

    RegistryKey desktop;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &desktop.key) !=
        ERROR_SUCCESS)
        return SystemSaverResult::RegistryFailed;
    const PreviousValue previousSaver = ReadPrevious(desktop.key, kSaverValue);
    if (!WriteString(desktop.key, kSaverValue, shortPath)) {
        PutBack(desktop.key, kSaverValue, previousSaver);
        return SystemSaverResult::RegistryFailed;
    }
    if (!WriteString(desktop.key, kActiveValue, L"1")) {
        PutBack(desktop.key, kSaverValue, previousSaver);
        return SystemSaverResult::RegistryFailed;
    }
    // The registry alone does not switch a screen saver that was off back on
    // for the running session.
    ::SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_SENDCHANGE);
    return SystemSaverResult::Set;
}

std::wstring SystemSaverSetText(const std::wstring& title) {
    return Quoted(title) + L"をＰＣのスクリーンセーバに設定しました。\r\n" +
           L"設定したスクリーンセーバーに対して詳細な設定を行いますか？\n";
}

std::wstring SystemSaverFailureText(SystemSaverResult result, const std::wstring& title, const std::wstring& path) {
    const std::wstring head = Quoted(title) + L"をＰＣのスクリーンセーバに設定できませんでした。\r\n";
    switch (result) {
    case SystemSaverResult::Set:
        return std::wstring();
    case SystemSaverResult::FileMissing:
        return head + L"スクリーンセーバーのファイルが見つかりません。\r\n" + path;
    case SystemSaverResult::NoShortPath:
        return head + L"スクリーンセーバーのファイルの場所を短い形式にできません。\r\n" + path;
    case SystemSaverResult::RegistryFailed:
        break;
    }
    return head + L"レジストリに書き込めませんでした。設定は変更されていません。";
}

} // namespace lum
