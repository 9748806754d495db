#include "saver/ScreenSaverInstallCheck_CL.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

namespace lum {

namespace {

// A folder as the walk needs it: the shell sometimes hands folders out with
// a trailing backslash, which would double up in every found path.
std::wstring WithoutTrailingSlash(std::wstring folder) {
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    return folder;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

// Only letters A to Z are folded, as the shell's extension check does.
wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::wstring FileNamePart(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

bool HasSaverExtension(const std::wstring& fileName) {
    const size_t dot = fileName.rfind(L'.');
    if (dot == std::wstring::npos) return false;
    const std::wstring extension = fileName.substr(dot);
    static const wchar_t kSaver[] = L".scr";
    if (extension.size() != 4) return false;
    for (size_t i = 0; i < 4; ++i)
        if (AsciiLower(extension[i]) != kSaver[i]) return false;
    return true;
}

void FindScreenSaver_CL::OnFile(const std::wstring& folder, const std::wstring& fileName) {
    if (m_pResult && HasSaverExtension(fileName)) m_pResult->push_back(folder + L"\\" + fileName);
}

int ScreenSaverInstallCheck_CL::Check(const std::vector<std::wstring>& knownPaths, const std::wstring& windowsFolder,
                                      const std::wstring& systemFolder) {
    m_KnownPaths = knownPaths;
    m_FoundPaths.clear();
    m_NewPaths.clear();

    const std::wstring windows = WithoutTrailingSlash(windowsFolder);
    const std::wstring system = WithoutTrailingSlash(systemFolder);
    FindScreenSaver_CL finder(&m_FoundPaths);
    if (!windows.empty()) finder.Find(windows + L"\\*.*", false);
    if (!system.empty() && !(windows.size() && SameFolder(windows, system))) finder.Find(system + L"\\*.*", false);

    for (const std::wstring& found : m_FoundPaths) {
        if (std::find(m_KnownPaths.begin(), m_KnownPaths.end(), found) != m_KnownPaths.end()) continue;
        // This one file name is never offered, in exactly this spelling.
        if (FileNamePart(found) == L"AvastSS.scr") continue;
        m_NewPaths.push_back(found);
    }
    return m_NewPaths.empty() ? 0 : 1;
}

int ScreenSaverInstallCheck_CL::Check(const std::vector<std::wstring>& knownPaths) {
    return Check(knownPaths, ShellFolderPath(CSIDL_WINDOWS), ShellFolderPath(CSIDL_SYSTEM));
}

std::wstring ShellFolderPath(int csidl) {
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &list)) || !list) return std::wstring();
    wchar_t path[MAX_PATH] = {};
    const BOOL ok = ::SHGetPathFromIDListW(list, path);
    ::CoTaskMemFree(list);
    return ok ? WithoutTrailingSlash(path) : std::wstring();
}

} // namespace lum
