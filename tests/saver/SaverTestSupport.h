#pragma once
// What the saver tests share: fixture savers copied into test folders, the
// record each fixture writes, host windows and watched processes.
#include "tests/support/RunningProgram.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindows.h"

#include <windows.h>

#include <map>
#include <string>

namespace lum::test {

// Copies a built fixture saver (bin\<fixture>) to `destination`.
bool CopyFixture(const std::wstring& fixture, const std::wstring& destination);
std::wstring FixturePath(const std::wstring& fixture);  // in the test bin folder
std::wstring DemoSaverPath(const std::wstring& name);   // dist\demo\<name>.scr

// The record a fixture keeps beside itself ("<saver path>.log"); empty
// while there is none (or while it is being rewritten).
std::map<std::wstring, std::wstring> ReadRecord(const std::wstring& saverPath);
std::wstring RecordValue(const std::wstring& saverPath, const std::wstring& key);
int RecordNumber(const std::wstring& saverPath, const std::wstring& key);  // -1 when absent

// A shown window with a caption standing in for the program's preview pane.
struct HostWindow : TestWindow {
    explicit HostWindow(int x = 60, int y = 60, int width = 320, int height = 240)
        : TestWindow(x, y, width, height, ShownWithCaption) {}
    HWND get() const { return hwnd(); }
};

} // namespace lum::test
