#include "app/MainView.h"

#include "app/EntryDeletion.h"
#include "base/SystemFolder.h"
#include "app/SystemSaver.h"
#include "toolkit/Relayout.h"

#include <commctrl.h>
#include <imm.h>
#include <shellapi.h>

namespace lum {

namespace {

constexpr wchar_t kNoticeCaption[] = L"お知らせ";
constexpr wchar_t kDeleteCaption[] = L"削除確認";
constexpr UINT kDeleteWaitPeriodMs = 500;
constexpr UINT kFullScreenWatchPeriodMs = 1500;
// After a full-screen run the saver's last frames and the desktop settle
// before the preview starts again.
constexpr UINT kFullScreenSettleMs = 750;
constexpr UINT kImeSendTimeoutMs = 200;

// Shows the wait cursor while a saver is being started (the runner waits
// until the new process is ready).
class WaitCursor {
public:
    WaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

// The IME window belongs to the saver's process: a hung saver must not
// hold up the main window, so the send gives up after a short time.
void SendImeControl(HWND saverWindow, WPARAM command) {
    if (!saverWindow) return;
    HWND ime = ::ImmGetDefaultIMEWnd(saverWindow);
    if (!ime) return;
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(ime, WM_IME_CONTROL, command, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kImeSendTimeoutMs, &answer);
}

bool IsNoSelection(const SaverItem& item) { return item.mark == kNoSelectionMark || item.folder.empty(); }

} // namespace

void MainView_CL::OnSaverSettings() {
    const std::wstring saver = m_pSelection->current_item.scr;
    if (saver.empty()) return;
    {
        WaitCursor busy;
        m_settingsRunner.Start(saver.c_str(), m_previewPane.PreviewWindow(), SAVER_MODE_CONFIG);
    }
    // The preview restarts once the settings window has closed, so that it
    // shows what the user chose there.
    WaitThenRefresh(m_settingsRunner.SaverWindow());
}

void MainView_CL::OnRunFullScreen() {
    if (!m_pSelection->HasCurrentItem()) return;
    ShowRightTab(1);
    {
        WaitCursor busy;
        RefreshPreview(true, SAVER_MODE_FULLSCREEN);
    }
    m_hFullScreenWindow = nullptr;
    m_bFullScreenSettling = false;
    ::SetTimer(m_hWnd, kTimerFullScreenWatch, kFullScreenWatchPeriodMs, nullptr);
}

void MainView_CL::OnFullScreenTick() {
    ScreenSaver_CL& runner = m_listPane.ListObject().Runner();
    if (m_bFullScreenSettling) {
        ::KillTimer(m_hWnd, kTimerFullScreenWatch);
        m_bFullScreenSettling = false;
        RefreshPreview(true, SAVER_MODE_PREVIEW);
        return;
    }
    // The full-screen start may still wait for the preview saver to end.
    const bool running =
        runner.IsSaverAlive() || runner.IsStarting() || runner.IsClosing() || !runner.PendingPath().empty();
    if (running) {
        if (HWND window = runner.SaverWindow()) m_hFullScreenWindow = window;
        if (::GetForegroundWindow() != m_hWnd) SendImeControl(m_hFullScreenWindow, IMC_CLOSESTATUSWINDOW);
        return;
    }
    SendImeControl(m_hFullScreenWindow, IMC_OPENSTATUSWINDOW);
    m_hFullScreenWindow = nullptr;
    m_bFullScreenSettling = true;
    ::SetTimer(m_hWnd, kTimerFullScreenWatch, kFullScreenSettleMs, nullptr);
}

void MainView_CL::OnSetSystemSaver() {
    const SaverItem item = m_pSelection->current_item;
    const SystemSaverResult result = SetSystemScreenSaver(item.scr);
    if (result != SystemSaverResult::Set) {
        ::MessageBoxW(m_hWnd, SystemSaverFailureText(result, item.title, item.scr).c_str(), kNoticeCaption,
                      MB_OK | MB_ICONWARNING);
        return;
    }
    if (::MessageBoxW(m_hWnd, SystemSaverSetText(item.title).c_str(), kNoticeCaption, MB_YESNO) != IDYES) return;
    const std::wstring rundll = SystemFolderPath(L"rundll32.exe");
    const auto opened = reinterpret_cast<INT_PTR>(
        rundll.empty() ? nullptr
                       : ::ShellExecuteW(m_hWnd, L"open", rundll.c_str(), L"shell32.dll,Control_RunDLL desk.cpl,,1",
                                         nullptr, SW_SHOWDEFAULT));
    if (opened <= 32) {
        ::MessageBoxW(m_hWnd, L"スクリーンセーバーの設定画面を開けませんでした。", kNoticeCaption,
                      MB_OK | MB_ICONWARNING);
    }
}

void MainView_CL::OnDeleteEntry() {
    // One deletion at a time: a second request while the first is asked or
    // waits for the saver is ignored.
    if (m_bAskingDelete || m_pendingDeletion) return;
    const SaverItem item = m_pSelection->current_item;
    if (IsNoSelection(item)) return;

    m_bAskingDelete = true;
    const int answer = ::MessageBoxW(m_hWnd, DeleteQuestionText(item.title).c_str(), kDeleteCaption, MB_YESNO);
    m_bAskingDelete = false;
    if (answer != IDYES) return;

    ScreenSaver_CL& runner = m_listPane.ListObject().Runner();
    PendingDeletion pending;
    pending.folder = item.folder;
    pending.title = item.title;
    pending.category = item.category;
    pending.saverModule = runner.ModuleName();
    pending.saverProcessId = runner.ProcessId();
    pending.askedAt = ::GetTickCount64();
    runner.Stop();
    m_pendingDeletion = std::move(pending);
    ::SetTimer(m_hWnd, kTimerDeleteWait, kDeleteWaitPeriodMs, nullptr);
}

void MainView_CL::OnDeleteWaitTick() {
    if (!m_pendingDeletion) {
        ::KillTimer(m_hWnd, kTimerDeleteWait);
        return;
    }
    ScreenSaver_CL& runner = m_listPane.ListObject().Runner();
    const PendingDeletion& waiting = *m_pendingDeletion;
    // The folder's files are in use until the saver that ran from it has
    // gone, and also while the runner is still between stop and start.
    const bool alive = ScreenSaver_CL::IsSaverProcessAlive(waiting.saverModule.c_str(), waiting.saverProcessId) ||
                       runner.IsStarting() || runner.IsClosing();
    const DeleteWaitStep step = NextDeleteWaitStep(alive, ::GetTickCount64() - waiting.askedAt, m_deleteWaitLimitMs);
    if (step == DeleteWaitStep::KeepWaiting) return;

    ::KillTimer(m_hWnd, kTimerDeleteWait);
    // Taken out before anything modal runs: the timers keep firing there.
    const PendingDeletion entry = std::move(*m_pendingDeletion);
    m_pendingDeletion.reset();
    if (step == DeleteWaitStep::GiveUp) {
        ::MessageBoxW(m_hWnd, SaverStillRunningText(entry.title).c_str(), kNoticeCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    DeleteEntry(entry);
    RelayoutWindow(m_listPane.TabControl());
    RelayoutWindow(m_previewPane.PreviewWindow());
}

void MainView_CL::DeleteEntry(const PendingDeletion& entry) {
    const int tab = static_cast<int>(::SendMessageW(m_listPane.TabControl(), TCM_GETCURSEL, 0, 0));
    const RecycleResult result = MoveEntryFolderToRecycleBin(m_hWnd, entry.folder, m_catalog.CollectionFolder());
    if (result != RecycleResult::Deleted) {
        ::MessageBoxW(m_hWnd, DeleteFailureText(result, entry.title, entry.folder).c_str(), kNoticeCaption,
                      MB_OK | MB_ICONWARNING);
        return;
    }
    LoadItems(m_catalog);
    BuildGroups(m_catalog);
    m_listPane.RebuildTabs();

    // Row numbers changed with the reload. The previewed record is
    // forgotten too: a saver added later may reuse the freed folder number
    // and must still start in the preview.
    m_pSelection->ClearItem();
    m_pSelection->previewed_item = NoSelectionItem();
    m_listPane.ListObject().Runner().Stop();

    int target = 0;
    if (tab > 0) {
        target = m_listPane.FindTabByName(entry.category);
        if (target < 0) target = 0;
    }
    m_listPane.SelectTab(target);
    m_commandBar.SetSaverButtonsEnabled(false);
}

bool MainView_CL::OnCommandTimer(UINT_PTR id) {
    switch (id) {
    case kTimerDeleteWait:
        OnDeleteWaitTick();
        return true;
    case kTimerFullScreenWatch:
        OnFullScreenTick();
        return true;
    default:
        return false;
    }
}

} // namespace lum
