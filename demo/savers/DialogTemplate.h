#pragma once
// Builds a dialog template in memory, the layout DialogBoxIndirectParamW reads.
#include <windows.h>

#include <string>
#include <vector>

namespace lum::demo {

class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const std::wstring& title, WORD pointSize,
                   const std::wstring& font);
    // `className` is a class name, or empty with `atom` one of the
    // predefined classes (0x0080 button, 0x0082 static, 0x0085 combo box).
    void AddItem(DWORD style, short x, short y, short cx, short cy, WORD id, const std::wstring& className,
                 WORD atom, const std::wstring& text);
    int ItemCount() const { return m_count; }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) { Word(LOWORD(d)); Word(HIWORD(d)); }
    void Text(const std::wstring& s);
    void AlignToDword() { if (m_words.size() % 2) Word(0); }

    std::vector<WORD> m_words;  // the allocation is DWORD aligned
    int m_count = 0;
};

} // namespace lum::demo
