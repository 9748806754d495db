#pragma once
// The platform's profile functions, with two safeguards: a new file is made
// UTF-16 first (otherwise the functions write it in the ANSI code page and
// Japanese text on a non-Japanese system turns into question marks), and no
// value written may hold a line break (it would split into several lines and
// could even forge a key of its own).
#include <string>

namespace lum {

// Longest value a reader keeps: the buffers hold 4096 wide characters.
constexpr size_t kIniValueBuffer = 4096;

// Each CRLF, CR or LF becomes one blank.
std::wstring IniSafeValue(const std::wstring& value);

// Creates the file as UTF-16LE with only a byte-order mark when it does not
// exist yet; an existing file, ANSI or UTF-16, is left as it is.
void EnsureUnicodeIniFile(const std::wstring& path);

bool WriteIniString(const std::wstring& path, const wchar_t* section, const std::wstring& key,
                    const std::wstring& value);
bool WriteIniInt(const std::wstring& path, const wchar_t* section, const std::wstring& key, int value);

std::wstring ReadIniString(const std::wstring& path, const wchar_t* section, const std::wstring& key,
                           const wchar_t* fallback = L"");
int ReadIniInt(const std::wstring& path, const wchar_t* section, const std::wstring& key, int fallback);

} // namespace lum
