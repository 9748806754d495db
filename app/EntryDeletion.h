#pragma once
// Removing an entry of the collection: which folders may go, the list the
// shell is given, how long the deletion waits for the preview saver, and
// what the user is told.
#include <windows.h>

#include <string>
#include <vector>

namespace lum {

// What the user agreed to delete, remembered when they answered Yes: a
// click on another entry while the saver shuts down must not change it.
struct PendingDeletion {
    std::wstring folder;
    std::wstring title;
    std::wstring category;
    std::wstring saverModule;   // the preview saver to wait for (may be empty)
    DWORD saverProcessId = 0;
    ULONGLONG askedAt = 0;      // tick count when the wait began
};

// True only for an entry folder: exactly five decimal digits directly under
// `collectionFolder` (letter case aside). Anything else, such as the
// collection folder itself, a parent of it or a path with "..", is refused.
bool IsEntryFolder(const std::wstring& folder, const std::wstring& collectionFolder);

// The shell's source list for one path: the path, its terminating null and
// the list's closing null, nothing more.
std::vector<wchar_t> DoubleNullPathList(const std::wstring& path);

enum class DeleteWaitStep { KeepWaiting, Delete, GiveUp };

// While the saver runs and the limit has not passed: keep waiting. Once it
// has gone: delete. A saver still running at the limit: give up.
DeleteWaitStep NextDeleteWaitStep(bool saverAlive, ULONGLONG waitedMs, ULONGLONG limitMs);

enum class RecycleResult {
    Deleted,
    NotAnEntry,  // refused before the shell was asked
    Aborted,     // the user cancelled the shell's operation
    Failed,      // the shell reported an error, or the folder is still there
};

// Moves the entry folder to the recycle bin. The shell warns the user when
// the folder cannot go to the bin and would be deleted for good.
RecycleResult MoveEntryFolderToRecycleBin(HWND owner, const std::wstring& folder,
                                          const std::wstring& collectionFolder);

// The question asked before an entry is deleted.
std::wstring DeleteQuestionText(const std::wstring& title);
// What the user is told when the entry was not deleted; empty for Deleted.
std::wstring DeleteFailureText(RecycleResult result, const std::wstring& title, const std::wstring& folder);
// The preview saver did not end within the limit.
std::wstring SaverStillRunningText(const std::wstring& title);

} // namespace lum
