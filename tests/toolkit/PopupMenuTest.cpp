// Owner-drawn popup menu entries, and the chevron's choice of buttons.
#include "toolkit/Chevron.h"
#include "toolkit/PopupMenu.h"

#include <gtest/gtest.h>

#include <memory>

namespace lum {
namespace {

TEST(PopupMenu, EntriesAreMadeInOrderAndInsertedOwnerDrawn) {
    PopupMenu_CL none;  // without a menu nothing is inserted
    EXPECT_FALSE(none.AppendItem(*none.GetEntry(0), L"x"));
    EXPECT_FALSE(none.SetItemState(0, MFS_GRAYED));

    PopupMenu_CL menu;
    ASSERT_NE(menu.CreatePopup(), nullptr);
    EXPECT_EQ(menu.GetEntry(1), nullptr);  // entries are made in order only
    MenuEntry_CL* first = menu.GetEntry(0);
    ASSERT_NE(first, nullptr);

    first->m_Info.wID = 1145;
    first->m_nImage = 9;
    {
        std::wstring text = L"スクリーンセーバーの情報を編集する";
        ASSERT_TRUE(menu.AppendItem(*first, text));
    }  // the text lives on with the entry
    MenuEntry_CL* second = menu.GetEntry(1);
    second->m_Info.wID = 1143;
    ASSERT_TRUE(menu.AppendItem(*second, L"サムネイル表示の画像を変更する"));
    // Growing the list leaves earlier entries where they were.
    for (int i = 2; i < 40; ++i) menu.GetEntry(i);
    EXPECT_EQ(menu.GetEntry(0), first);
    EXPECT_EQ(first->m_Text, L"スクリーンセーバーの情報を編集する");

    EXPECT_EQ(::GetMenuItemCount(menu.Handle()), 2);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu.Handle(), 1, TRUE, &item));
    EXPECT_EQ(item.wID, 1143u);
    EXPECT_TRUE(item.fType & MFT_OWNERDRAW);
    EXPECT_EQ(MenuOfItemData(item.dwItemData), &menu);
    EXPECT_EQ(menu.FindEntry(1143), second);

    ASSERT_TRUE(menu.SetItemState(1, MFS_GRAYED));
    EXPECT_TRUE(::GetMenuState(menu.Handle(), 1143, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(menu.SetItemState(99, MFS_GRAYED));
}

TEST(PopupMenu, SubmenuObjectsOutliveTheirParentsMenu) {
    auto parent = std::make_unique<PopupMenu_CL>();
    auto child = std::make_unique<PopupMenu_CL>();
    parent->CreatePopup();
    child->CreatePopup();
    MenuEntry_CL* inner = child->GetEntry(0);
    inner->m_Info.wID = 1155;
    child->AppendItem(*inner, L"x");
    MenuEntry_CL* folder = parent->GetEntry(0);
    folder->m_Info.wID = 1154;
    folder->m_Info.hSubMenu = child->Handle();
    folder->m_pSubMenu = child.get();
    ASSERT_TRUE(parent->AppendItem(*folder, L"A"));
    ASSERT_EQ(::GetSubMenu(parent->Handle(), 0), child->Handle());

    const HMENU childMenu = child->Handle();
    parent.reset();
    EXPECT_TRUE(::IsMenu(childMenu));  // still the child object's to destroy
    EXPECT_EQ(::GetMenuItemCount(childMenu), 1);
    child.reset();
    EXPECT_FALSE(::IsMenu(childMenu));
}

std::vector<RECT> Row(int left, int top, int width, int height, int count) {
    std::vector<RECT> buttons;
    for (int i = 0; i < count; ++i) {
        buttons.push_back(RECT{left + i * width, top, left + (i + 1) * width, top + height});
    }
    return buttons;
}

TEST(Chevron, HiddenButtonsAreThePartlyVisibleOneAndAllAfterIt) {
    const std::vector<RECT> buttons = Row(100, 50, 31, 30, 7);  // 100 .. 317
    EXPECT_EQ(CountHiddenButtons(RECT{90, 45, 317, 85}, buttons), 0);  // the last edge exactly
    EXPECT_EQ(CountHiddenButtons(RECT{90, 45, 316, 85}, buttons), 1);
    EXPECT_EQ(CountHiddenButtons(RECT{90, 45, 255, 85}, buttons), 2);   // 5th ends at 255
    EXPECT_EQ(CountHiddenButtons(RECT{90, 45, 254, 85}, buttons), 3);
    // Cut off at the top counts too, and a band left of the buttons hides all.
    EXPECT_EQ(CountHiddenButtons(RECT{90, 60, 400, 85}, buttons), 7);
    EXPECT_EQ(CountHiddenButtons(RECT{0, 0, 50, 50}, buttons), 7);
    EXPECT_EQ(CountHiddenButtons(RECT{0, 0, 50, 50}, {}), 0);
    // A gap inside does not bring later buttons back.
    std::vector<RECT> broken = buttons;
    broken[2].bottom = 200;
    EXPECT_EQ(CountHiddenButtons(RECT{90, 45, 400, 85}, broken), 5);
}

TEST(Chevron, ItemStateFromButtonState) {
    EXPECT_EQ(ChevronItemState(TBSTATE_ENABLED), 0u);
    EXPECT_EQ(ChevronItemState(TBSTATE_INDETERMINATE), static_cast<UINT>(MFS_GRAYED));
    EXPECT_EQ(ChevronItemState(TBSTATE_ENABLED | TBSTATE_INDETERMINATE), static_cast<UINT>(MFS_GRAYED));
    EXPECT_EQ(ChevronItemState(TBSTATE_ENABLED | TBSTATE_MARKED), static_cast<UINT>(MFS_CHECKED));
    EXPECT_EQ(ChevronItemState(TBSTATE_CHECKED), 0u);
}

} // namespace
} // namespace lum
