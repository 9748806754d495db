#pragma once
// The main window with entries that run fixture savers, and what the
// commands leave behind outside it: the trash and the desktop settings.
#include "tests/mainview/MainWindowFixture.h"
#include "tests/commands/OutsideTraces.h"
#include "tests/saver/SaverTestSupport.h"

#include <string>

namespace lum::test {

class CommandsTest : public MainWindowTest {
protected:
    // An entry whose folder holds its own copy of the fixture, so that the
    // preview runs from (and keeps busy) the entry folder.
    std::wstring AddFixtureEntry(int number, const std::wstring& category, const std::wstring& title,
                                 const std::wstring& fixture);
    // Selects a row of the current tab and waits until its preview runs.
    void SelectAndWaitForPreview(int row);
    // Posts a command as the command bar would.
    void Command(UINT id);
    ScreenSaver_CL& Runner() { return m_view->ListPane().ListObject().Runner(); }
    int CurrentTab() const;
};

} // namespace lum::test
