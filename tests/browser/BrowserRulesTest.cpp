// The decisions behind the browser pane and the command bar.
#include "views/BrowserRules.h"

#include "base/CurrentSelection.h"
#include "base/Messages.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

TEST(BrowserRules, OnlyWebAddressesCount) {
    const struct { const wchar_t* url; bool web; } cases[] = {
        {L"http://a.example/", true},  {L"HTTPS://a.example", true}, {L"http://", false},
        {L"file:///C:/x.html", false}, {L"javascript:x()", false},   {L"", false},
        {L"ftp://a.example/", false},  {L" http://a.example", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsWebAddress(c.url), c.web) << c.url;
}

TEST(BrowserRules, HistoryMenusHoldTheNearestFiftyPagesAtMost) {
    const struct { long pages; size_t read; } cases[] = {{-1, 0}, {0, 0}, {3, 3}, {50, 50}, {60, 50}};
    for (const auto& c : cases) EXPECT_EQ(HistoryEntriesToRead(c.pages), c.read) << c.pages;
}

TEST(BrowserRules, ContextMenuGreysWhatTheSelectionCannotDo) {
    const UINT G = MFS_GRAYED;
    SaverItem chosen;
    chosen.web = L"http://a.example/dl";
    SaverItem noWeb;
    noWeb.web = L"file:///C:/x";
    using States = std::array<UINT, kContextMenuItems>;
    EXPECT_EQ(ContextMenuStates(NoSelectionItem(), false), (States{G, G, G, G, G, G, G}));
    EXPECT_EQ(ContextMenuStates(chosen, true), (States{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ContextMenuStates(chosen, false), (States{0, G, 0, 0, G, G, G}));
    EXPECT_EQ(ContextMenuStates(noWeb, true), (States{0, 0, G, 0, 0, 0, 0}));
    EXPECT_EQ(ContextMenuItems()[2].command, kCmdOpenDownloadPage);
}

TEST(BrowserRules, ContextMenuPointsAreSignedAndTheKeyboardUsesTheRow) {
    const POINT row{40, 50};
    const POINT left = ContextMenuPoint(MAKELPARAM(-300, 20), row);
    EXPECT_EQ(left.x, -300);
    EXPECT_EQ(left.y, 20);
    const POINT keyboard = ContextMenuPoint(static_cast<LPARAM>(-1), row);
    EXPECT_EQ(keyboard.x, 40);
    EXPECT_EQ(keyboard.y, 50);
}

TEST(BrowserRules, PageTexts) {
    EXPECT_EQ(BrowserCaption(L"ABC"), L"Lumenary 「ABC」");
    SaverItem item;
    item.category = L"動物";
    item.title = L"金魚";
    item.web = L"http://a.example/";
    EXPECT_EQ(ForumMessage(item), L"■カテゴリ\r\n動物\r\n\r\n■タイトル\r\n金魚\r\n\r\n■説明\r\n\r\n\r\n"
                                  L"■ダウンロードできるサイト\r\nhttp://a.example/\r\n\r\n");
}

} // namespace
} // namespace lum
