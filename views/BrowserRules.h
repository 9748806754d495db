#pragma once
// The decisions of the browser pane and the command bar, free of windows
// and COM so that they can be checked on their own.
#include "base/SaverItem.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace lum {

// The program's own pages on the publisher's site.
constexpr wchar_t kHomePageUrl[] = L"http://www.lumenary.example/lumenary/";
constexpr wchar_t kForumPageUrl[] = L"http://www.lumenary.example/lumenary/forum/post.html";

// Only web addresses reach the browser from data that came from outside
// (the collection's download addresses, new-window requests).
bool IsWebAddress(const std::wstring& url);

// A page asked for a new window: open it only when the user asked for it
// and it is a web address. `flags` are the event's NWMF_ flags.
bool ShouldOpenNewWindow(DWORD flags, const std::wstring& url);

struct HistoryEntry {
    std::wstring title;
    std::wstring url;
};
constexpr size_t kMaxHistoryEntries = 50;
// How many entries of a travel log list are read.
size_t HistoryEntriesToRead(long count);

// The main window's caption for a page title.
std::wstring BrowserCaption(const std::wstring& title);

// What the forum page's message box receives for an entry.
std::wstring ForumMessage(const SaverItem& item);

// The favourites menu hands out ids 1154..3154; none after that.
bool FavouriteIdAvailable(UINT id);
// The entry number a favourites command names, or -1 outside the range or
// beyond the paths of the menu last shown.
int FavouriteEntryOfId(UINT id, size_t pathCount);

// The saver context menu: its items in order and whether each is greyed.
struct ContextMenuItem {
    UINT command;
    const wchar_t* text;
    int image;
};
constexpr size_t kContextMenuItems = 7;
const std::array<ContextMenuItem, kContextMenuItems>& ContextMenuItems();
// Greyed states (MFS_GRAYED or 0) for the items above, for the selected entry.
std::array<UINT, kContextMenuItems> ContextMenuStates(const SaverItem& item, bool saverExists);

// Where a context menu opens. A point from WM_CONTEXTMENU is signed (a
// monitor left of the first has negative x); -1 means the keyboard asked,
// and then the menu opens at `fallback` (the selected row).
POINT ContextMenuPoint(LPARAM lParam, POINT fallback);

// A favourites item's text: the name without its extension.
std::wstring DisplayNameOf(const std::wstring& fileName);
// Only folders and Internet shortcuts are offered, never hidden or system
// entries (the folder's desktop.ini would be a dead item).
bool IsFavouriteCandidate(DWORD attributes, const std::wstring& fileName);

} // namespace lum
