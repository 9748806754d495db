#pragma once
// What the commands leave outside the program: the trash and the desktop
// settings of the current user.
#include <windows.h>

#include <string>

namespace lum::test {

// Whether the Linux trash holds a folder that was deleted from `windowsPath`.
bool InTrash(const std::wstring& windowsPath);

// A string value below HKCU\Control Panel\desktop; empty when absent.
std::wstring DesktopValue(const wchar_t* name);
void SetDesktopValue(const wchar_t* name, const std::wstring& value);

} // namespace lum::test
