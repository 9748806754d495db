#include "views/BrowserRules.h"

#include "base/CurrentSelection.h"
#include "base/Messages.h"

#include <shlwapi.h>
#include <windowsx.h>

#include <cwctype>

namespace lum {

namespace {

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
    const size_t n = wcslen(prefix);
    if (text.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        if (std::towlower(text[i]) != prefix[i]) return false;
    }
    return true;
}

} // namespace

bool IsWebAddress(const std::wstring& url) {
    for (const wchar_t* scheme : {L"http://", L"https://"}) {
        if (StartsWithNoCase(url, scheme) && url.size() > wcslen(scheme)) return true;
    }
    return false;
}

bool ShouldOpenNewWindow(DWORD flags, const std::wstring& url) {
    // NWMF_USERINITED and NWMF_USERREQUESTED: a click or key press of the user.
    const DWORD userAsked = 0x2 | 0x80000;
    return (flags & userAsked) != 0 && IsWebAddress(url);
}

size_t HistoryEntriesToRead(long count) {
    if (count <= 0) return 0;
    return static_cast<size_t>(count) < kMaxHistoryEntries ? static_cast<size_t>(count) : kMaxHistoryEntries;
}

std::wstring BrowserCaption(const std::wstring& title) { return L"Lumenary 「" + title + L"」"; }

std::wstring ForumMessage(const SaverItem& item) {
    return L"■カテゴリ\r\n" + item.category + L"\r\n\r\n■タイトル\r\n" + item.title + L"\r\n\r\n■説明\r\n" +
           item.note + L"\r\n\r\n■ダウンロードできるサイト\r\n" + item.web + L"\r\n\r\n";
}

bool FavouriteIdAvailable(UINT id) { return id >= kIdFavouriteFirst && id <= kIdFavouriteLast; }

int FavouriteEntryOfId(UINT id, size_t pathCount) {
    if (!FavouriteIdAvailable(id)) return -1;
    const size_t entry = id - kIdFavouriteFirst;
    return entry < pathCount ? static_cast<int>(entry) : -1;
}

const std::array<ContextMenuItem, kContextMenuItems>& ContextMenuItems() {
    static const std::array<ContextMenuItem, kContextMenuItems> items = {{
        {kCmdEditInformation, L"スクリーンセーバーの情報を編集する", 9},
        {kCmdChangeThumbnail, L"サムネイル表示の画像を変更する", 15},
        {kCmdOpenDownloadPage, L"ダウンロードサイトへ", 1},
        {kCmdDeleteEntry, L"スクリーンセーバー情報を削除します。", 11},
        {kCmdRunFullScreen, L"全画面で表示する", 10},
        {kCmdSetSystemSaver, L"スクリーンセーバーに設定する", 12},
        {kCmdSaverSettings, L"スクリーンセーバ設定画面を出す", 9},
    }};
    return items;
}

std::array<UINT, kContextMenuItems> ContextMenuStates(const SaverItem& item, bool saverExists) {
    const UINT noSelection = item.mark == kNoSelectionMark ? MFS_GRAYED : 0;
    const UINT noSaver = saverExists ? 0 : MFS_GRAYED;
    const UINT noWeb = IsWebAddress(item.web) ? 0 : MFS_GRAYED;
    return {noSelection, noSaver, noWeb, noSelection, noSaver, noSaver, noSaver};
}

POINT ContextMenuPoint(LPARAM lParam, POINT fallback) {
    if (lParam == -1) return fallback;
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

std::wstring DisplayNameOf(const std::wstring& fileName) {
    const size_t dot = fileName.rfind(L'.');
    return dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
}

bool IsFavouriteCandidate(DWORD attributes, const std::wstring& fileName) {
    if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return false;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return true;
    const size_t dot = fileName.rfind(L'.');
    return dot != std::wstring::npos && ::lstrcmpiW(fileName.c_str() + dot, L".url") == 0;
}

} // namespace lum
