#include "demo/savers/DialogTemplate.h"

namespace lum::demo {

namespace {
constexpr size_t kCountIndex = 4;  // cdit: after style and extended style
}

DialogTemplate::DialogTemplate(DWORD style, short cx, short cy, const std::wstring& title, WORD pointSize,
                               const std::wstring& font) {
    Dword(style | DS_SETFONT);
    Dword(0);  // extended style
    Word(0);   // item count, filled in by AddItem
    Word(0);
    Word(0);
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(0);  // no menu
    Word(0);  // default class
    Text(title);
    Word(pointSize);
    Text(font);
}

void DialogTemplate::Text(const std::wstring& s) {
    for (wchar_t c : s) Word(static_cast<WORD>(c));
    Word(0);
}

void DialogTemplate::AddItem(DWORD style, short x, short y, short cx, short cy, WORD id,
                             const std::wstring& className, WORD atom, const std::wstring& text) {
    AlignToDword();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(static_cast<WORD>(x));
    Word(static_cast<WORD>(y));
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(id);
    if (className.empty()) {
        Word(0xFFFF);
        Word(atom);
    } else {
        Text(className);
    }
    Text(text);
    Word(0);  // no creation data
    m_words[kCountIndex] = static_cast<WORD>(++m_count);
}

} // namespace lum::demo
