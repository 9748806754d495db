#include "saver/SmallImageSelectDialog_CL.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/GdiPlusOwners.h"

#include <commctrl.h>

#include <algorithm>

namespace lum {

namespace {

constexpr int kDialogWidth = 840;
constexpr int kDialogHeight = 520;
constexpr DWORD kJoinLimitMs = 5000;  // the worker has posted; only its last send (bounded) remains
const wchar_t kCaption[] = L"スクリーンセーバーを終了されたタイミングから１５秒間前までの画像を録画します。";
const wchar_t kMessageCaption[] = L"サムネイル";
const wchar_t kRecordText[] = L"スクリーンセーバー画像を取得する";
const wchar_t kSetText[] = L"サムネイルに設定する";
const wchar_t kCancelText[] = L"キャンセル";

HWND MakeButton(HWND dialog, int id, const wchar_t* text, HFONT font) {
    HWND button = ::CreateWindowExW(0, L"Button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                    0, 0, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (button) ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return button;
}

// A GDI+ bitmap of a GDI bitmap, saved as PNG.
bool SaveBitmapAsPng(HBITMAP bitmap, const std::wstring& path) {
    GdipImage image;
    Gdiplus::GpBitmap* made = nullptr;
    if (!bitmap || gdip::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &made) != Gdiplus::Ok) return false;
    *image.put() = made;
    return SaveAsPng(image.get(), path);
}

// Thumbnail `index` of the list, drawn into a bitmap of its own.
UniqueBitmap ThumbnailBitmap(HIMAGELIST list, int index) {
    WindowDC screen(nullptr);
    UniqueMemoryDC dc(::CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), kThumbWidth, kThumbHeight));
    if (!dc || !bitmap) return UniqueBitmap();
    SelectScope selected(dc.get(), bitmap.get());
    if (!::ImageList_Draw(list, index, dc.get(), 0, 0, ILD_NORMAL)) return UniqueBitmap();
    return bitmap;
}

} // namespace

std::wstring EntryFolderOfImage(const std::wstring& imagePath) {
    const size_t slash = imagePath.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash == 0) return std::wstring();
    std::wstring folder = imagePath.substr(0, slash);
    // "C:" alone is a drive, not an entry's folder.
    if (folder.size() == 2 && folder[1] == L':') return std::wstring();
    return folder;
}

SmallImageSelectDialog_CL::SmallImageSelectDialog_CL(const RecorderSettings& settings) : m_settings(settings) {}

SmallImageSelectDialog_CL::~SmallImageSelectDialog_CL() {
    if (m_pRecording) ::SetEvent(m_pRecording->stopEvent.get());
    if (m_hRecorderThread) ::WaitForSingleObject(m_hRecorderThread.get(), kJoinLimitMs);
}

INT_PTR SmallImageSelectDialog_CL::HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit();
        return 1;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return 0;
        switch (LOWORD(wParam)) {
        case kIdRecordButton: OnRecord(); break;
        case kIdSetThumbnail: OnSet(); break;
        case kIdCancelCapture: ::PostMessageW(hwnd, WM_CLOSE, 0, 0); break;
        default: break;
        }
        return 1;
    case UM_RECORDING_DONE:
        OnRecordingDone();
        return 1;
    case WM_SETCURSOR:
        if (!m_pRecording) return 0;
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, TRUE);
        return 1;
    case WM_CLOSE:
        OnClose();
        return 1;
    default:
        return SubClassDialogBase_CL::HandleDialogMessage(hwnd, message, wParam, lParam) ? 1 : 0;
    }
}

void SmallImageSelectDialog_CL::OnInit() {
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    ::MoveWindow(m_hWnd, 0, 0, kDialogWidth, kDialogHeight, FALSE);
    CenterOverOwner(owner, m_hWnd);
    ::SetWindowTextW(m_hWnd, kCaption);

    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int letterH = MeasureControlText(m_hFont, L"W").text.cy;
    const int letterM = MeasureControlText(m_hFont, L"M").letterM;
    // Each list view destroys only image lists it was not told to share:
    // the ring owns the thumbnails.
    m_hListView = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL |
                                        LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                                    0, 0, client.right, client.bottom - 2 * letterH, m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdRecordedList)),
                                    ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(m_hListView, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);

    // All three buttons take the widest label, so that none is cut off.
    const wchar_t* labels[] = {kRecordText, kSetText, kCancelText};
    SIZE text{};
    for (const wchar_t* label : labels) {
        const SIZE size = MeasureControlText(m_hFont, std::wstring(label) + L"  ").text;
        text.cx = std::max(text.cx, size.cx);
        text.cy = std::max(text.cy, size.cy);
    }
    const int w = text.cx;
    const int height = text.cy + 8;
    const int top = client.bottom - letterM - 12;
    m_hRecordButton = MakeButton(m_hWnd, kIdRecordButton, kRecordText, m_hFont);
    m_hSetButton = MakeButton(m_hWnd, kIdSetThumbnail, kSetText, m_hFont);
    m_hCancelButton = MakeButton(m_hWnd, kIdCancelCapture, kCancelText, m_hFont);
    ::MoveWindow(m_hCancelButton, client.right - w - 8, top, w + 8, height, FALSE);
    ::MoveWindow(m_hSetButton, client.right - 2 * w - 16, top, w + 8, height, FALSE);
    ::MoveWindow(m_hRecordButton, client.right - 3 * w - 24, top, w + 8, height, FALSE);
    ::EnableWindow(m_hSetButton, FALSE);
    ::ShowWindow(m_hWnd, SW_SHOW);
}

void SmallImageSelectDialog_CL::ForgetPictures() {
    // The list lets go of the ring before the ring goes, on this thread.
    ::SendMessageW(m_hListView, LVM_DELETEALLITEMS, 0, 0);
    ::SendMessageW(m_hListView, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
    m_pShown.reset();
}

void SmallImageSelectDialog_CL::EnableButtons() {
    const bool idle = m_pRecording == nullptr;
    ::EnableWindow(m_hRecordButton, idle);
    ::EnableWindow(m_hSetButton, idle && m_pShown && m_pShown->ring.Count() > 0);
}

void SmallImageSelectDialog_CL::OnRecord() {
    if (m_pRecording) return;
    ForgetPictures();
    auto session = std::make_shared<RecordingSession>(m_hWnd, m_settings);
    // A start asked for while the last saver is still closing is carried
    // out later by the runner: the worker waits for it before it looks.
    ScreenSaver_CL* runner = &m_Runner;
    session->saverReady = [runner] { return !runner->IsClosing() && !runner->IsStarting(); };
    *m_frames = 0;
    session->frames = m_frames;
    m_pRecording = session;
    EnableButtons();
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));

    // The cover wait starts once the saver's start has returned: a start may
    // take seconds.
    m_Runner.Start(m_strSaverPath.c_str(), nullptr, SAVER_MODE_FULLSCREEN);
    m_hRecorderThread = StartRecorder(session, &m_uRecorderThreadId);
    if (!m_hRecorderThread) ::PostMessageW(m_hWnd, UM_RECORDING_DONE, 0, 0);
}

void SmallImageSelectDialog_CL::OnRecordingDone() {
    if (!m_pRecording) return;
    bool joined = true;
    if (m_hRecorderThread) {
        joined = ::WaitForSingleObject(m_hRecorderThread.get(), kJoinLimitMs) == WAIT_OBJECT_0;
        m_hRecorderThread.reset();
        m_uRecorderThreadId = 0;
    }
    m_Runner.Stop();
    // A worker that has not ended may still write its ring: then nothing of
    // it is shown (it keeps its own reference and frees it when it ends).
    if (joined) m_pShown = std::move(m_pRecording);
    m_pRecording.reset();
    if (m_bCloseWhenDone) {
        OnClose();
        return;
    }
    ShowPictures();
    EnableButtons();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    if (!m_pShown || m_pShown->ring.Count() == 0) {
        ::MessageBoxW(m_hWnd, L"スクリーンセーバーの画面を録画できませんでした。\r\n"
                              L"スクリーンセーバーが起動しなかったか、すぐに終了した可能性があります。",
                      kMessageCaption, MB_OK | MB_ICONINFORMATION);
    }
}

void SmallImageSelectDialog_CL::ShowPictures() {
    if (!m_pShown) return;
    const PictureRing& ring = m_pShown->ring;
    ::SendMessageW(m_hListView, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(ring.Thumbnails()));
    int position = 0;
    for (int slot : ring.SlotsNewestFirst()) {
        std::wstring label = AgeLabel(position, m_settings.intervalMs);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = position;
        item.iImage = slot;
        item.pszText = label.data();
        ::SendMessageW(m_hListView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        ++position;
    }
}

void SmallImageSelectDialog_CL::OnSet() {
    if (!m_pShown || m_pRecording) return;
    const int selected = static_cast<int>(::SendMessageW(m_hListView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                         LVNI_SELECTED));
    if (selected < 0) return;
    const std::wstring folder = EntryFolderOfImage(m_strImagePath);
    if (folder.empty()) {
        ::MessageBoxW(m_hWnd, L"このエントリーにはフォルダーがないため、サムネイルを保存できません。", L"サムネイル",
                      MB_OK | MB_ICONWARNING);
        return;
    }
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = selected;
    if (!::SendMessageW(m_hListView, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return;
    const PictureRing& ring = m_pShown->ring;
    if (item.iImage < 0 || item.iImage >= ring.Count()) return;

    const UniqueBitmap thumbnail = ThumbnailBitmap(ring.Thumbnails(), item.iImage);
    bool saved = SaveBitmapAsPng(thumbnail.get(), m_strImagePath);
    // An older picture may have lost its full-screen copy to the memory
    // budget: the thumbnail alone is stored then.
    if (HBITMAP full = ring.FullPicture(item.iImage))
        saved = SaveBitmapAsPng(full, folder + L"\\imageL.png") && saved;
    if (!saved) {
        ::MessageBoxW(m_hWnd, L"サムネイルを保存できませんでした。", kMessageCaption, MB_OK | MB_ICONWARNING);
    }
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void SmallImageSelectDialog_CL::OnClose() {
    if (m_pRecording) {
        // The worker stops at its next look at the event and posts; the
        // dialog ends once that has arrived.
        m_bCloseWhenDone = true;
        ::SetEvent(m_pRecording->stopEvent.get());
        return;
    }
    ForgetPictures();
    ::EndDialog(m_hWnd, 0);
}

} // namespace lum
