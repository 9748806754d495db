#pragma once
// The left pane: a tab strip with one tab per category that has entries and,
// inside it, the owner-drawn saver list. Selecting a row, a right click and
// reordering by drag are reported to the main window or stored at once.
#include "saver/ScreenSaver_CL.h"
#include "store/SaverCatalog.h"
#include "toolkit/SubClassWindow.h"
#include "views/SaverListPlan.h"
#include "views/SaverRowPainter.h"
#include "base/Messages.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace lum {

// Holds the list box and the runner that the live preview and the full
// screen runs use.
class SaverListWindow_CL {
public:
    SaverListWindow_CL() = default;
    virtual ~SaverListWindow_CL();  // stops the runner's saver
    SaverListWindow_CL(const SaverListWindow_CL&) = delete;
    SaverListWindow_CL& operator=(const SaverListWindow_CL&) = delete;

    ScreenSaver_CL& Runner() { return m_runner; }
    HWND Window() const { return m_hWnd; }
    void SetWindow(HWND hwnd) { m_hWnd = hwnd; }

private:
    HWND m_hWnd = nullptr;
    ScreenSaver_CL m_runner;
};

class SaverListTabWindow_CL : public SubClassWindowBase_CL {
public:
    SaverListTabWindow_CL();
    ~SaverListTabWindow_CL() override;

    // Creates the tab control (id 200) as a child of `mainWindow` and the
    // list box (id 300) inside it; returns the tab control.
    HWND Create(SaverCatalog* catalog, HFONT font, HWND mainWindow);

    void RebuildTabs();
    // Makes tab `index` current and gives the list one row per entry of its category.
    void SelectTab(int index);
    int CategorySlotOfTab(int index) const;
    int FindTabByName(const std::wstring& name) const;

    HWND TabControl() const { return m_hWnd; }
    HWND ListBox() const { return m_hListBox; }
    SaverListWindow_CL& ListObject() { return m_listObject; }
    const std::vector<int>& TabCategories() const { return m_tabCategories; }
    // The number registered for drag-list notifications (0 before Create).
    UINT DragListMessage() const { return m_uDragListMsg; }
    // The category slot of the tab that is current now.
    int CurrentCategorySlot() const;

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void LayOut();
    void DrawRow(const DRAWITEMSTRUCT& draw);
    void OnRightClick(POINT pointInTabs);
    LRESULT OnDragList(const DRAGLISTINFO& info);
    void ShowExtraRow();
    void RemoveExtraRow();
    void EraseInsertMark();
    const CategoryGroup* CurrentGroup() const;

    HWND m_hListBox = nullptr;
    HWND m_hMainWindow = nullptr;
    SaverCatalog* m_pCatalog = nullptr;
    SaverListWindow_CL m_listObject;
    UINT m_uDragListMsg = 0;
    int m_nDragStart = -1;
    bool m_bExtraRow = false;
    int m_nDragTarget = -1;
    bool m_bSyntheticClick = false;  // a right click is selecting its row
    std::vector<int> m_tabCategories;
    std::unique_ptr<FallbackFont> m_pRowFont;  // made at the first row drawn, freed with the window
    ThumbnailCache m_thumbnails;                // emptied at every rebuild and with the window
};

} // namespace lum
