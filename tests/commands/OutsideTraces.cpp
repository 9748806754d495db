#include "tests/commands/OutsideTraces.h"

#include "base/Scoped.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>

namespace lum::test {

bool InTrash(const std::wstring& windowsPath) {
    // The trash records the Unix path a folder came from. Its last four
    // levels (test folder, "Collection", "all", entry) are ASCII and unique.
    size_t cut = windowsPath.size();
    for (int level = 0; level < 4 && cut != std::wstring::npos && cut > 0; ++level) cut = windowsPath.rfind(L'\\', cut - 1);
    std::string wanted;
    for (wchar_t c : windowsPath.substr(cut == std::wstring::npos ? 0 : cut)) wanted += c == L'\\' ? '/' : static_cast<char>(c);

    std::wstring info = L"Z:" + std::wstring(_wgetenv(L"XDG_DATA_HOME")) + L"\\Trash\\info\\";
    for (wchar_t& c : info) c = c == L'/' ? L'\\' : c;
    WIN32_FIND_DATAW found{};
    UniqueFind search(::FindFirstFileW((info + L"*.trashinfo").c_str(), &found));
    for (bool more = static_cast<bool>(search); more; more = ::FindNextFileW(search.get(), &found) != FALSE) {
        const std::vector<unsigned char> bytes = ReadBytes(info + found.cFileName);
        if (std::string(bytes.begin(), bytes.end()).find(wanted + "\n") != std::string::npos) return true;
    }
    return false;
}

std::wstring DesktopValue(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    return ::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\desktop", name, RRF_RT_REG_SZ, nullptr, value, &size) ==
                   ERROR_SUCCESS
               ? value
               : L"";
}

void SetDesktopValue(const wchar_t* name, const std::wstring& value) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\desktop", name, REG_SZ, value.c_str(),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

} // namespace lum::test
