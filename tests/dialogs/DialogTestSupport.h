#pragma once
// What the dialog tests share: a catalogue reached through the process-wide
// selection, as the dialogs reach it, and the user's gestures, sent from the
// answerer's thread to a dialog that runs modally on the test thread.
#include "store/SaverCatalog.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

namespace lum::test {

// A catalogue with its settings file in a temp folder, made the current one.
struct CatalogScope {
    explicit CatalogScope(std::vector<std::wstring> categories);
    ~CatalogScope();
    SaverCatalog catalog;
    TempFolder temp;
};

// The user types `text` over the whole content of an edit.
void TypeReplacing(HWND edit, const std::wstring& text);
// A notification from a control to the dialog, handled before this returns;
// `index` is first selected in a combo or list box.
void Notify(HWND dialog, HWND control, int code, int index = -1);
// The items of a list box or a combo box.
std::vector<std::wstring> ListTexts(HWND list);
bool IsEnabled(HWND dialog, int id);
// Position and size in the dialog's client coordinates.
RECT ClientRectOf(HWND control);

} // namespace lum::test
