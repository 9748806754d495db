#pragma once
// Driving another process's windows as a user would: its controls by id,
// its message boxes, the real mouse, and screenshots of what it shows.
#include "tests/support/RunningProgram.h"

#include <windows.h>

#include <string>
#include <vector>

namespace lum::test {

// The first descendant of `parent` with control id `id`; null if none.
HWND FindDescendant(HWND parent, int id);

// Waits for a visible top-level window of `program` with this caption.
HWND WaitForCaption(const RunningProgram& program, const std::wstring& caption, DWORD milliseconds);
HWND FirstEdit(HWND dialog);  // in creation order

// The texts of a tab control's tabs (read through the owner's memory).
std::vector<std::wstring> TabTexts(HWND tabs);

// Selects and focuses one item of another process's list view.
bool SelectListViewItem(HWND listView, int index);

// Real mouse input at screen points.
void MouseMoveTo(POINT screen);
void MouseClick(POINT screen);
void MouseDrag(POINT from, POINT to);
// The middle of a list box row, in screen coordinates.
POINT ListRowCenter(HWND list, int row);

// A child window of `host` that belongs to another process than `hostProcess`
// (a saver's preview window); null if none.
HWND ForeignChild(HWND host, DWORD hostProcess);
// The file name of the program that made `window` ("Bubbles.scr").
std::wstring ProgramFileName(HWND window);
// A visible top-level window of a running ".scr" program; null if none.
HWND SaverTopWindow();
// Whether any ".scr" program runs.
bool AnySaverRunning();

// Saves the whole screen as build/screenshots/e2e/<name>.png; the path.
std::wstring Screenshot(const std::wstring& name);

} // namespace lum::test
