#include "app/MainView.h"

#include "saver/ScreenSaverInstallCheck_CL.h"
#include "saver/ScreenSaverInstallInfoDialog_CL.h"
#include "saver/SmallImageSelectDialog_CL.h"

namespace lum {

namespace {

// After a reload the old slot and row name other entries: find the
// selected entry again by its folder in the list now shown, or forget it.
void ReselectAfterReload(CurrentSelection& selection, const SaverCatalog& catalog, int slot, HWND listBox) {
    const std::wstring folder = selection.current_item.folder;
    selection.category_slot = slot;
    selection.ClearItem();
    if (folder.empty() || slot < 0 || static_cast<size_t>(slot) >= catalog.groups.size()) return;
    const std::vector<int32_t>& rows = catalog.groups[static_cast<size_t>(slot)].items;
    for (size_t row = 0; row < rows.size(); ++row) {
        const auto index = static_cast<size_t>(rows[row]);
        if (index < catalog.items.size() && catalog.items[index].folder == folder) {
            selection.item_row = static_cast<int>(row);
            selection.current_item = catalog.items[index];
            ::SendMessageW(listBox, LB_SETCURSEL, row, 0);
            return;
        }
    }
}

} // namespace

void MainView_CL::OnFindNewSavers() {
    ShowRightTab(1);
    ScreenSaverInstallCheck_CL check;
    std::vector<std::wstring> known;
    CollectSaverPaths(m_catalog, known);
    {
        const HCURSOR before = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        check.Check(known);
        ::SetCursor(before);
    }
    if (check.m_NewPaths.empty()) {
        ::MessageBoxW(m_hWnd, L"新たにインストールされたスクリーンセーバはありませんでした。",
                      L"インストール確認結果", MB_OK);
        return;
    }
    ScreenSaverInstallInfoDialog_CL dialog(&check, &m_catalog);
    if (dialog.RunModal(m_hWnd) != 1) return;
    LoadItems(m_catalog);
    BuildGroups(m_catalog);
    m_listPane.RebuildTabs();
    m_listPane.SelectTab(0);
    ReselectAfterReload(*m_pSelection, m_catalog, m_listPane.CategorySlotOfTab(0), m_listPane.ListBox());
    WaitThenRefresh(dialog.Window());
}

void MainView_CL::OnChangeThumbnail() {
    const SaverItem& item = m_pSelection->current_item;
    if (!m_pSelection->HasCurrentItem()) return;
    SmallImageSelectDialog_CL dialog;
    dialog.m_strSaverPath = item.scr;
    dialog.m_strImagePath = item.image.empty() && !item.folder.empty() ? item.folder + L"\\image.png" : item.image;
    m_listPane.ListObject().Runner().Stop();
    dialog.RunModal(m_hWnd);
    WaitThenRefresh(dialog.Window());
}

} // namespace lum
