#pragma once
// A directory walker whose hooks see every folder and file it meets.
#include <string>

namespace lum {

// "C:\a\*.*" -> folder "C:\a" and file part "*.*"; no backslash: no folder.
void SplitFindPattern(const std::wstring& pattern, std::wstring& folder, std::wstring& filePart);

class FindFile_CL {
public:
    virtual ~FindFile_CL() = default;

    // Walks the folder of `pattern` (a folder, a backslash and a wildcard
    // file part such as "*.*"), and its sub-folders when `recursive` is set.
    // A folder that cannot be searched contributes nothing.
    void Find(const std::wstring& pattern, bool recursive);

protected:
    // Before a folder is walked: the top folder comes as (folder, folder),
    // a sub-folder as (its parent folder, its name).
    virtual void OnEnterDirectory(const std::wstring& folder, const std::wstring& name);
    // Every entry that is not a folder.
    virtual void OnFile(const std::wstring& folder, const std::wstring& fileName) = 0;
    // After a folder has been walked.
    virtual void OnLeaveDirectory();

    std::wstring m_strFilePattern;
    std::wstring m_strDirectory;
    bool m_bRecursive = false;

private:
    void Walk(const std::wstring& folder);
};

} // namespace lum
