#include "app/EntryDeletion.h"


#include <shellapi.h>


namespace lum {

namespace {

constexpr size_t kEntryNameLength = 5;

bool SameTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

bool FolderStillThere(const std::wstring& folder) {
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring Quoted(const std::wstring& title) { return L"\"" + title + L"\""; }

} // namespace

bool IsEntryFolder(const std::wstring& folder, const std::wstring& collectionFolder) {
    if (collectionFolder.empty() || folder.size() != collectionFolder.size() + 1 + kEntryNameLength) return false;
    if (folder[collectionFolder.size()] != L'\\') return false;
    if (!SameTextIgnoringCase(folder.substr(0, collectionFolder.size()), collectionFolder)) return false;
    for (size_t i = collectionFolder.size() + 1; i < folder.size(); ++i) {
        if (folder[i] < L'0' || folder[i] > L'9') return false;
    }
    // The collection folder itself must be a plain path: no "." or ".."
    // step could then make the entry folder point elsewhere.
    return collectionFolder.find(L"\\.") == std::wstring::npos && collectionFolder.find(L'/') == std::wstring::npos;
}

std::vector<wchar_t> DoubleNullPathList(const std::wstring& path) {
    std::vector<wchar_t> list(path.begin(), path.end());
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

DeleteWaitStep NextDeleteWaitStep(bool saverAlive, ULONGLONG waitedMs, ULONGLONG limitMs) {
    if (!saverAlive) return DeleteWaitStep::Delete;
    return waitedMs < limitMs ? DeleteWaitStep::KeepWaiting : DeleteWaitStep::GiveUp;
}

RecycleResult MoveEntryFolderToRecycleBin(HWND owner, const std::wstring& folder,
                                          const std::wstring& collectionFolder) {
    if (!IsEntryFolder(folder, collectionFolder)) return RecycleResult::NotAnEntry;
    std::vector<wchar_t> source = DoubleNullPathList(folder);
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.data();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING;
    operation.lpszProgressTitle = L"削除中です。";
    const int result = ::SHFileOperationW(&operation);
    if (operation.fAnyOperationsAborted) return RecycleResult::Aborted;
    if (result != 0 || FolderStillThere(folder)) return RecycleResult::Failed;
    return RecycleResult::Deleted;
}

std::wstring DeleteQuestionText(const std::wstring& title) {
    return L"Lumenaryから" + Quoted(title) +
           L"の情報を削除します。\r\n削除する事によってLumenaryから情報は消えますが、ＰＣにインストールされているスク"
           L"リーンセーバーは削除されません。ＰＣにインストールされたスクリーンセーバーを削除するには、インストールした"
           L"スクリーンセーバー毎に、アンインストール方法が存在すると思われますので、アンインストール方法を確認して、"
           L"アプリケーションの追加と削除などからアンインストールしてください。\r\n\r\n削除を実行しますか？";
}

std::wstring DeleteFailureText(RecycleResult result, const std::wstring& title, const std::wstring& folder) {
    const std::wstring head = Quoted(title) + L"の情報は削除されませんでした。\r\n";
    switch (result) {
    case RecycleResult::Deleted:
        return std::wstring();
    case RecycleResult::NotAnEntry:
        return head + L"コレクションの項目のフォルダーではないため、削除しませんでした。\r\n" + folder;
    case RecycleResult::Aborted:
        return head + L"削除が中止されました。";
    case RecycleResult::Failed:
        break;
    }
    return head + L"フォルダーをごみ箱に移動できませんでした。\r\n" + folder;
}

std::wstring SaverStillRunningText(const std::wstring& title) {
    return L"スクリーンセーバーがまだ動作しているため、" + Quoted(title) +
           L"の情報は削除しませんでした。\r\nスクリーンセーバーが終了してから、もう一度削除してください。";
}

} // namespace lum
