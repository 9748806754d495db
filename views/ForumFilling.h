#pragma once
// The product forum's posting form, filled in from a collection entry when
// the page has loaded: the title, the message, and the thumbnail's path on
// the clipboard for the picture upload.
#include "base/SaverItem.h"
#include "views/HtmlDocument.h"

#include <string>

namespace lum {

// Puts the text on the clipboard; false when the clipboard cannot be had
// or refuses the data (the memory is then freed here).
bool PutTextOnClipboard(HWND owner, const std::wstring& text);

// Fills what the page has of the form; missing fields are skipped.
void FillForumForm(FormPage_IF& page, const SaverItem& item, HWND clipboardOwner);

} // namespace lum
