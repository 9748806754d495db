#pragma once
// Making a saver of the collection the PC's screen saver: the current
// user's "Control Panel\desktop" values, then the system is told.
#include <windows.h>

#include <string>

namespace lum {

enum class SystemSaverResult {
    Set,
    FileMissing,     // no saver file at that path: nothing written
    NoShortPath,     // no usable 8.3 form: nothing written
    RegistryFailed,  // the key could not be opened or a value not written;
                     // what was written is put back
};

// The short (8.3) form of an existing file's path, as the system expects
// under "SCRNSAVE.EXE"; empty when the file is missing or the form does not
// fit a program path.
std::wstring ShortSaverPath(const std::wstring& saverPath);

// Writes "SCRNSAVE.EXE" and "ScreenSaveActive" below HKCU\"Control
// Panel\desktop", both or neither, and on success turns the screen saver on
// for the running session with a change notice.
SystemSaverResult SetSystemScreenSaver(const std::wstring& saverPath);

// The announcement after success, with its question about the settings page.
std::wstring SystemSaverSetText(const std::wstring& title);
// What the user is told when nothing was set.
std::wstring SystemSaverFailureText(SystemSaverResult result, const std::wstring& title, const std::wstring& path);

} // namespace lum
