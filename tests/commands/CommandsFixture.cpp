#include "tests/commands/CommandsFixture.h"

#include <commctrl.h>

namespace lum::test {

std::wstring CommandsTest::AddFixtureEntry(int number, const std::wstring& category, const std::wstring& title,
                                           const std::wstring& fixture) {
    const std::wstring original = FixturePath(fixture);
    const std::wstring folder = AddEntryFolder(number, {category, title, original, number});
    EXPECT_TRUE(CopyFixture(fixture, folder + L"\\" + fixture));
    return folder;
}

void CommandsTest::SelectAndWaitForPreview(int row) {
    const DWORD before = Runner().ProcessId();
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, static_cast<WPARAM>(row), 0);
    ASSERT_TRUE(PumpUntil(
        [&] { return Runner().ProcessId() != before && Runner().SaverWindow() && !Runner().IsClosing(); },
        std::chrono::milliseconds(15000)))
        << "no preview started for row " << row;
}

void CommandsTest::Command(UINT id) { ::PostMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

int CommandsTest::CurrentTab() const {
    return static_cast<int>(::SendMessageW(m_view->ListPane().TabControl(), TCM_GETCURSEL, 0, 0));
}

} // namespace lum::test
