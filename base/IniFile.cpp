#include "base/IniFile.h"

#include "base/Scoped.h"

#include <vector>

namespace lum {

std::wstring IniSafeValue(const std::wstring& value) {
    std::wstring out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const wchar_t c = value[i];
        if (c == L'\r') {
            out.push_back(L' ');
            if (i + 1 < value.size() && value[i + 1] == L'\n') ++i;
        } else if (c == L'\n') {
            out.push_back(L' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void EnsureUnicodeIniFile(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;  // exists already, or the folder is missing
    static const BYTE bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    ::WriteFile(file.get(), bom, sizeof bom, &written, nullptr);
}

bool WriteIniString(const std::wstring& path, const wchar_t* section, const std::wstring& key,
                    const std::wstring& value) {
    EnsureUnicodeIniFile(path);
    return ::WritePrivateProfileStringW(section, key.c_str(), IniSafeValue(value).c_str(), path.c_str()) != FALSE;
}

bool WriteIniInt(const std::wstring& path, const wchar_t* section, const std::wstring& key, int value) {
    return WriteIniString(path, section, key, std::to_wstring(value));
}

std::wstring ReadIniString(const std::wstring& path, const wchar_t* section, const std::wstring& key,
                           const wchar_t* fallback) {
    std::vector<wchar_t> buffer(kIniValueBuffer, L'\0');
    const DWORD n = ::GetPrivateProfileStringW(section, key.c_str(), fallback, buffer.data(),
                                               static_cast<DWORD>(buffer.size()), path.c_str());
    return std::wstring(buffer.data(), n);
}

int ReadIniInt(const std::wstring& path, const wchar_t* section, const std::wstring& key, int fallback) {
    return static_cast<int>(::GetPrivateProfileIntW(section, key.c_str(), fallback, path.c_str()));
}

} // namespace lum
