#include "app/MainView.h"

#include "dialogs/LumenarySettingDialog_CL.h"
#include "dialogs/LumenaryVersionDialog_CL.h"
#include "dialogs/SaverInfoSettingDialog_CL.h"
#include "toolkit/Relayout.h"

#include <commctrl.h>

#include <algorithm>

namespace lum {

namespace {

// The entry's record, found by its folder: a row number may be -1 or, after
// a reload, name another entry.
int FindItemByFolder(const SaverCatalog& catalog, const std::wstring& folder) {
    if (folder.empty()) return -1;
    for (size_t i = 0; i < catalog.items.size(); ++i)
        if (catalog.items[i].folder == folder) return static_cast<int>(i);
    return -1;
}

int FindRowByFolder(const CategoryGroup& group, const std::vector<SaverItem>& items, const std::wstring& folder) {
    for (size_t row = 0; row < group.items.size(); ++row) {
        const int32_t index = group.items[row];
        if (index >= 0 && static_cast<size_t>(index) < items.size() && items[static_cast<size_t>(index)].folder == folder)
            return static_cast<int>(row);
    }
    return -1;
}

} // namespace

void MainView_CL::OnEditInformation() {
    ShowRightTab(1);
    CurrentSelection& sel = *m_pSelection;
    const int before = FindItemByFolder(m_catalog, sel.current_item.folder);
    if (before < 0) return;

    SaverInfoSettingDialog_CL dialog;
    dialog.m_Item = m_catalog.items[static_cast<size_t>(before)];
    const INT_PTR result = dialog.RunModal(m_hWnd);
    if (result != 1 && !dialog.m_bCategoriesEdited) return;
    const int index = FindItemByFolder(m_catalog, dialog.m_Item.folder);
    if (index < 0) return;

    const int tab = static_cast<int>(::SendMessageW(m_listPane.TabControl(), TCM_GETCURSEL, 0, 0));
    const int shownSlot = m_listPane.CurrentCategorySlot();
    const std::wstring shownCategory =
        shownSlot >= 0 && static_cast<size_t>(shownSlot) < m_catalog.groups.size()
            ? m_catalog.groups[static_cast<size_t>(shownSlot)].name
            : std::wstring();

    // Only what the dialog edits is taken back; the order and the other
    // fields stay as the catalogue has them now.
    SaverItem& record = m_catalog.items[static_cast<size_t>(index)];
    const std::wstring oldCategory = record.category;
    record.category = dialog.m_Item.category;
    record.title = dialog.m_Item.title;
    record.note = dialog.m_Item.note;
    record.web = dialog.m_Item.web;
    record.large_image = dialog.m_Item.large_image;
    sel.current_item = record;
    SaveItem(record);

    if (record.category != oldCategory || dialog.m_bCategoriesEdited) {
        const std::wstring folder = record.folder;  // the reference ends with the regrouping
        BuildGroups(m_catalog);
        m_listPane.RebuildTabs();
        int slot = FindCategory(m_catalog, sel.current_item.category);
        if (slot < 0 || static_cast<size_t>(slot) >= m_catalog.groups.size()) slot = 0;
        sel.category_slot = slot;
        sel.item_row = m_catalog.groups.empty()
                           ? -1
                           : FindRowByFolder(m_catalog.groups[static_cast<size_t>(slot)], m_catalog.items, folder);
        m_listPane.ListObject().Runner().Stop();
        int newTab = 0;
        if (tab > 0) newTab = (std::max)(m_listPane.FindTabByName(shownCategory), 0);
        m_listPane.SelectTab(newTab);
    }
    WaitThenRefresh(dialog.Window());
}

void MainView_CL::OnAppSettings() {
    LumenarySettingDialog_CL dialog;
    dialog.SetSettingsPath(m_catalog.settings_path);
    if (dialog.RunModal(m_hWnd) != 1) return;
    WaitThenRefresh(dialog.Window());
    // "preview_hide" may have changed.
    RelayoutWindow(m_hWnd);
}

void MainView_CL::OnVersion() {
    LumenaryVersionDialog_CL dialog;
    dialog.RunModal(m_hWnd);
}

} // namespace lum
