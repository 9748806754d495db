#include "tests/commands/OutsideTraces.h"

#include "base/Scoped.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace lum::test {

namespace {

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (; text && *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

std::string Utf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
    return out;
}

} // namespace

bool InTrash(const std::wstring& windowsPath) {
    // The trash records the Unix path it came from; the unique part of a
    // test folder and the entry are its last four levels.
    std::wstring tail = windowsPath;
    for (wchar_t& c : tail) c = c == L'\\' ? L'/' : c;
    const size_t cut = tail.rfind(L'/', tail.rfind(L'/', tail.rfind(L'/', tail.rfind(L'/') - 1) - 1) - 1);
    const std::string wanted = Utf8(tail.substr(cut));

    std::wstring trash = L"Z:" + Widen(std::getenv("XDG_DATA_HOME")) + L"/Trash/info/";
    for (wchar_t& c : trash) c = c == L'/' ? L'\\' : c;
    WIN32_FIND_DATAW found{};
    UniqueFind search(::FindFirstFileW((trash + L"*.trashinfo").c_str(), &found));
    if (!search) return false;
    do {
        const std::vector<unsigned char> bytes = ReadBytes(trash + found.cFileName);
        if (std::string(bytes.begin(), bytes.end()).find(wanted) != std::string::npos) return true;
    } while (::FindNextFileW(search.get(), &found));
    return false;
}

std::wstring DesktopValue(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\desktop", name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return std::wstring();
    return value;
}

void SetDesktopValue(const wchar_t* name, const std::wstring& value) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\desktop", name, REG_SZ, value.c_str(),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

} // namespace lum::test
