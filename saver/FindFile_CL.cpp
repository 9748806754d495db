#include "saver/FindFile_CL.h"

#include "base/Scoped.h"

namespace lum {

void SplitFindPattern(const std::wstring& pattern, std::wstring& folder, std::wstring& filePart) {
    const size_t slash = pattern.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        folder.clear();
        filePart = pattern;
        return;
    }
    folder = pattern.substr(0, slash);
    filePart = pattern.substr(slash + 1);
}

void FindFile_CL::Find(const std::wstring& pattern, bool recursive) {
    m_bRecursive = recursive;
    SplitFindPattern(pattern, m_strDirectory, m_strFilePattern);
    // Without a folder part the search would run in whatever folder happens
    // to be current (or the drive's root): walk nothing instead.
    if (m_strDirectory.empty() || m_strFilePattern.empty()) return;
    OnEnterDirectory(m_strDirectory, m_strDirectory);
    Walk(m_strDirectory);
    OnLeaveDirectory();
}

void FindFile_CL::OnEnterDirectory(const std::wstring&, const std::wstring&) {}

void FindFile_CL::OnLeaveDirectory() {}

void FindFile_CL::Walk(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    UniqueFind find(::FindFirstFileW((folder + L"\\" + m_strFilePattern).c_str(), &data));
    if (!find) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            OnFile(folder, name);
            continue;
        }
        // A junction can point back up the tree; following it would never end.
        if (!m_bRecursive || (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        OnEnterDirectory(folder, name);
        Walk(folder + L"\\" + name);
        OnLeaveDirectory();
    } while (::FindNextFileW(find.get(), &data));
}

} // namespace lum
