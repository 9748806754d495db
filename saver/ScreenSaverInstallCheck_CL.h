#pragma once
// Finds the screen savers in the Windows and system folders that the
// collection does not hold yet.
#include "saver/FindFile_CL.h"

#include <string>
#include <vector>

namespace lum {

// True when the name's extension (from its last dot) is ".scr" in any case.
bool HasSaverExtension(const std::wstring& fileName);

// Collects the paths of the .scr files a walk meets.
class FindScreenSaver_CL : public FindFile_CL {
public:
    explicit FindScreenSaver_CL(std::vector<std::wstring>* result) : m_pResult(result) {}

protected:
    void OnFile(const std::wstring& folder, const std::wstring& fileName) override;

private:
    std::vector<std::wstring>* m_pResult;  // not owned
};

class ScreenSaverInstallCheck_CL {
public:
    ScreenSaverInstallCheck_CL() = default;
    virtual ~ScreenSaverInstallCheck_CL() = default;

    // knownPaths: the installed-saver path of every entry (CollectSaverPaths).
    // Walks both folders (not their sub-folders) and lists in m_NewPaths every
    // saver whose exact path no entry holds. An empty folder argument is
    // skipped; the same folder given twice is walked once. Returns 1 when
    // something new was found, else 0.
    int Check(const std::vector<std::wstring>& knownPaths, const std::wstring& windowsFolder,
              const std::wstring& systemFolder);
    // The same over the shell's Windows and system folders.
    int Check(const std::vector<std::wstring>& knownPaths);

    std::vector<std::wstring> m_KnownPaths;
    std::vector<std::wstring> m_FoundPaths;
    std::vector<std::wstring> m_NewPaths;
};

// A shell folder (CSIDL_WINDOWS, CSIDL_SYSTEM, ...) without a trailing
// backslash; empty when the shell cannot tell.
std::wstring ShellFolderPath(int csidl);

} // namespace lum
