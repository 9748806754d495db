#include "saver/ScreenSaverInstallInfoDialog_CL.h"

#include "base/Scoped.h"
#include "saver/AddSavers.h"
#include "store/WebSaverDatabase.h"

#include <commctrl.h>
#include <shellapi.h>

namespace lum {

namespace {

constexpr UINT kTicked = 0x2000;
constexpr UINT kUnticked = 0x1000;
const wchar_t kHintText[] = L"コレクションに加えたいスクリーンセーバを上のリストから選択（チェック）してください。";

// The saver's icon from the system image list, copied into `list`; the
// list's index, or 0 when no icon could be had.
int AppendSaverIcon(HIMAGELIST list, const std::wstring& path) {
    SHFILEINFOW info{};
    const auto system = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX));
    if (!system || !list) return 0;
    UniqueIcon icon(::ImageList_GetIcon(system, info.iIcon, ILD_TRANSPARENT));
    if (!icon) return 0;
    const int index = ::ImageList_AddIcon(list, icon.get());
    return index < 0 ? 0 : index;
}

void SetStateImage(HWND list, int index, UINT state) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = state;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

} // namespace

ScreenSaverInstallInfoDialog_CL::ScreenSaverInstallInfoDialog_CL(ScreenSaverInstallCheck_CL* check,
                                                                 SaverCatalog* catalog)
    : m_pCheck(check), m_pCatalog(catalog) {}

INT_PTR ScreenSaverInstallInfoDialog_CL::HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam,
                                                             LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit();
        return 1;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->idFrom == kIdNewSaverList && header->code == LVN_ITEMCHANGED) UpdateAddButton();
        return 0;
    }
    case WM_DESTROY:
        ReleaseCheckBoxImages();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return 0;
        if (m_pToggleButton && LOWORD(wParam) == m_pToggleButton->m_nId) OnToggle();
        else if (LOWORD(wParam) == kAcceptButtonId) OnAdd();
        else if (LOWORD(wParam) == kCancelButtonId) ::EndDialog(hwnd, 0);
        return 1;
    default:
        return SubClassDialogBase_CL::HandleDialogMessage(hwnd, message, wParam, lParam);
    }
}

void ScreenSaverInstallInfoDialog_CL::OnInit() {
    CenterOverOwner(::GetWindow(m_hWnd, GW_OWNER), m_hWnd);
    ::SetWindowTextW(m_hWnd, L"インストールされたスクリーンセーバーがありました。");

    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int h = MeasureControlText(m_hFont, L"M").letterM;
    const int width = client.right;
    const int height = client.bottom;

    // The dialog owns the icon list: without LVS_SHAREIMAGELISTS the list
    // view would destroy it a second time.
    m_hListView = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS, 4, 4,
                                    width - 8, height - 5 * h - 8, m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdNewSaverList)),
                                    ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(m_hListView, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    ::SendMessageW(m_hListView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    std::wstring header = L"スクリーンセーバー";
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = 640;
    column.pszText = header.data();
    ::SendMessageW(m_hListView, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    m_ImageList.Reset(::ImageList_Create(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                         ILC_COLORDDB | ILC_MASK, 100, 16));
    if (m_ImageList.Handle()) ::ImageList_SetBkColor(m_ImageList.Handle(), RGB(255, 255, 255));
    ::SendMessageW(m_hListView, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_ImageList.Handle()));
    FillList();

    // Made where it will stay: a control moved after its first paint can
    // carry along the bits the list view had clipped.
    m_factory.AddStaticText(kHintText, 4, height - 4 * h - 8, m_hWnd);
    m_pToggleButton = m_factory.Control(m_factory.AddButton(kSelectAllLabel, m_hWnd));
    m_factory.StackControls(1, 4, height - 4 * h - 8, 8);
    m_pAddButton = m_factory.Control(m_factory.AddOkCancelButtons(m_hWnd, L"コレクションに加える", L"何もしない"));
    UpdateAddButton();
    ::ShowWindow(m_hWnd, SW_SHOW);
}

void ScreenSaverInstallInfoDialog_CL::ReleaseCheckBoxImages() {
    // The check boxes' image list is made by the list view itself, but a
    // list view that shares its image lists destroys none of them: it is
    // taken back here, while the list view still exists, and destroyed.
    if (!m_hListView) return;
    UniqueImageList checkBoxes(reinterpret_cast<HIMAGELIST>(
        ::SendMessageW(m_hListView, LVM_SETIMAGELIST, LVSIL_STATE, 0)));
}

void ScreenSaverInstallInfoDialog_CL::FillList() {
    if (!m_pCheck) return;
    int index = 0;
    for (const std::wstring& path : m_pCheck->m_NewPaths) {
        std::wstring text = path;
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = index++;
        item.pszText = text.data();
        item.iImage = AppendSaverIcon(m_ImageList.Handle(), path);
        const auto at = static_cast<int>(::SendMessageW(m_hListView, LVM_INSERTITEMW, 0,
                                                        reinterpret_cast<LPARAM>(&item)));
        if (at >= 0) SetStateImage(m_hListView, at, kUnticked);
    }
}

bool ScreenSaverInstallInfoDialog_CL::IsTicked(int index) const {
    const auto state = static_cast<UINT>(::SendMessageW(m_hListView, LVM_GETITEMSTATE, static_cast<WPARAM>(index),
                                                        LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) == kTicked;
}

void ScreenSaverInstallInfoDialog_CL::UpdateAddButton() {
    if (!m_pAddButton || !m_pAddButton->m_hWnd) return;
    const int count = static_cast<int>(::SendMessageW(m_hListView, LVM_GETITEMCOUNT, 0, 0));
    bool any = false;
    for (int i = 0; i < count && !any; ++i) any = IsTicked(i);
    ::EnableWindow(m_pAddButton->m_hWnd, any);
}

void ScreenSaverInstallInfoDialog_CL::OnToggle() {
    const int count = static_cast<int>(::SendMessageW(m_hListView, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) SetStateImage(m_hListView, i, m_bSelectAllNext ? kTicked : kUnticked);
    m_bSelectAllNext = m_bSelectAllNext ? 0 : 1;
    if (m_pToggleButton)
        ::SetWindowTextW(m_pToggleButton->m_hWnd, m_bSelectAllNext ? kSelectAllLabel : kUnselectAllLabel);
}

void ScreenSaverInstallInfoDialog_CL::SetHint(const std::wstring& text) {
    ControlBase_CL* hint = m_factory.Control(0);
    if (!hint || !hint->m_hWnd) return;
    ::SetWindowTextW(hint->m_hWnd, text.c_str());
    ::UpdateWindow(hint->m_hWnd);
}

void ScreenSaverInstallInfoDialog_CL::OnAdd() {
    if (!m_pCheck || !m_pCatalog) return;
    std::vector<std::wstring> ticked;
    for (size_t i = 0; i < m_pCheck->m_NewPaths.size(); ++i) {
        if (IsTicked(static_cast<int>(i))) ticked.push_back(m_pCheck->m_NewPaths[i]);
    }
    if (ticked.empty()) return;

    // The lookups block this thread: say so, and keep the buttons from
    // being pressed again meanwhile.
    for (int i = 0; i < m_factory.Count(); ++i) {
        if (ControlBase_CL* control = m_factory.Control(i)) ::EnableWindow(control->m_hWnd, FALSE);
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    // One database for the whole batch: an unreachable server costs one
    // time-out, not one per saver.
    WebSaverDatabase_CL database(m_pCatalog->settings_path, m_fetchOptions);
    const std::vector<std::wstring> notAdded =
        AddSavers(*m_pCatalog, ticked, &database,
                  [this](size_t n, size_t total, const std::wstring& path) { SetHint(AddProgressText(n, total, path)); });
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    if (!notAdded.empty())
        ::MessageBoxW(m_hWnd, NotAddedMessage(notAdded).c_str(), kNotAddedCaption, MB_OK | MB_ICONWARNING);
    ::EndDialog(m_hWnd, 1);
}

} // namespace lum
