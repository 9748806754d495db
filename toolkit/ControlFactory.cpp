#include "toolkit/ControlFactory.h"

#include "base/Scoped.h"

namespace lum {

namespace {
SIZE MeasureExtent(HDC dc, const std::wstring& text) {
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT box{};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT);
    return SIZE{extent.cx, box.bottom - box.top};
}

SIZE MeasureIn(HFONT font, const std::wstring& text) {
    // A fresh screen DC per measurement, given back at once.
    WindowDC screen(nullptr);
    if (!screen) return SIZE{};
    SelectScope select(screen.get(), font);
    return MeasureExtent(screen.get(), text);
}
} // namespace

TextMetrics MeasureControlText(HFONT font, const std::wstring& text) {
    TextMetrics m;
    m.text = MeasureIn(font, text);
    m.letterW = MeasureIn(font, L"W").cx;
    m.letterM = MeasureIn(font, L"M").cy;
    return m;
}

HWND CreateControlWindow(ControlBase_CL& control, const wchar_t* className, const std::wstring& text,
                         DWORD style, int x, int y, SIZE size, HWND parent) {
    control.m_hWnd = ::CreateWindowExW(0, className, text.c_str(), style, x, y, size.cx, size.cy, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.m_nId)),
                                       ::GetModuleHandleW(nullptr), nullptr);
    if (control.m_hWnd) {
        ::SendMessageW(control.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(control.m_hFont), TRUE);
    }
    return control.m_hWnd;
}

template <typename T>
int ControlFactory_CL::AddMeasured(const wchar_t* className, const std::wstring& text, DWORD style, int x,
                                   int y, SIZE (*sizeRule)(const TextMetrics&), HWND parent) {
    auto control = std::make_unique<T>();
    control->m_nId = TakeNextId();
    const SIZE size = sizeRule(MeasureControlText(control->m_hFont, text));
    CreateControlWindow(*control, className, text, style, x, y, size, parent);
    return AddControl(std::move(control));
}

int ControlFactory_CL::AddStaticText(const std::wstring& text, int x, int y, HWND parent) {
    return AddMeasured<StaticText_CL>(L"Static", text, kControlWindowStyle, x, y, &StaticTextSize, parent);
}

int ControlFactory_CL::AddButton(const std::wstring& text, HWND parent) {
    return AddMeasured<Button_CL>(L"Button", text, kControlWindowStyle | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                  &ButtonSize, parent);
}

int ControlFactory_CL::AddCheckBox(const std::wstring& text, HWND parent) {
    const int index = AddMeasured<CheckBox_CL>(L"Button", text,
                                               kControlWindowStyle | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0,
                                               &CheckBoxSize, parent);
    if (HWND box = m_Controls[index]->m_hWnd) ::SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    return index;
}

int ControlFactory_CL::AddEdit(HWND parent, int columns, int rows, DWORD style) {
    const DWORD windowStyle =
        style == kEditDefaultStyle
            ? kControlWindowStyle | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                  ES_WANTRETURN
            : style | kControlWindowStyle | WS_TABSTOP;
    auto control = std::make_unique<Edit_CL>();
    control->m_nId = TakeNextId();
    const SIZE size = EditSize(MeasureControlText(control->m_hFont, std::wstring()), columns, rows);
    CreateControlWindow(*control, L"Edit", std::wstring(), windowStyle, 0, 0, size, parent);
    return AddControl(std::move(control));
}

int ControlFactory_CL::AddComboBox(HWND parent, int lines, DWORD style) {
    const DWORD windowStyle = style == kComboDefaultStyle
                                  ? kControlWindowStyle | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | CBS_DROPDOWN
                                  : style | kControlWindowStyle | WS_TABSTOP;
    auto control = std::make_unique<ComboBox_CL>();
    control->m_nId = TakeNextId();
    const SIZE size = ComboBoxSize(MeasureControlText(control->m_hFont, std::wstring()), lines);
    CreateControlWindow(*control, L"ComboBox", std::wstring(), windowStyle, 0, 0, size, parent);
    return AddControl(std::move(control));
}

int ControlFactory_CL::AddListBox(HWND parent) {
    auto control = std::make_unique<ListBox_CL>();
    control->m_nId = TakeNextId();
    const SIZE size = ListBoxSize(MeasureControlText(control->m_hFont, std::wstring()));
    CreateControlWindow(*control, L"ListBox", std::wstring(),
                        kControlWindowStyle | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY, 0, 0, size,
                        parent);
    return AddControl(std::move(control));
}

int ControlFactory_CL::AddControl(std::unique_ptr<ControlBase_CL> control) {
    m_Controls.push_back(std::move(control));
    return static_cast<int>(m_Controls.size()) - 1;
}

ControlBase_CL* ControlFactory_CL::Control(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_Controls[index].get();
}

void ControlFactory_CL::StackIndexes(const std::vector<int>& indexes, int x, int y, int gap) {
    std::vector<int> heights;
    heights.reserve(indexes.size());
    for (const int index : indexes) heights.push_back(GetControlRect(*m_Controls[index]).height);
    const std::vector<POINT> positions = StackedPositions(heights, x, y, gap);
    for (size_t i = 0; i < indexes.size(); ++i) {
        MoveControlTo(*m_Controls[indexes[i]], positions[i].x, positions[i].y);
    }
}

void ControlFactory_CL::StackControls(int lastIndex, int x, int y, int gap) {
    std::vector<int> indexes;
    for (int i = 0; i <= lastIndex && i < Count(); ++i) indexes.push_back(i);
    StackIndexes(indexes, x, y, gap);
}

void ControlFactory_CL::MoveControlsToX(const std::vector<int>& indexes, int x) {
    for (const int index : ListedIndexes(indexes, Count())) {
        MoveControlTo(*m_Controls[index], x, GetControlRect(*m_Controls[index]).top);
    }
}

void ControlFactory_CL::StackListedControls(const std::vector<int>& indexes, int x, int y) {
    StackIndexes(ListedIndexes(indexes, Count()), x, y, 4);
}

int ControlFactory_CL::AddOkCancelButtons(HWND parent, const std::wstring& acceptText,
                                          const std::wstring& cancelText) {
    RECT client{};
    ::GetClientRect(parent, &client);
    const auto renumber = [](ControlBase_CL& button, int id) {
        button.m_nId = id;
        if (button.m_hWnd) ::SetWindowLongPtrW(button.m_hWnd, GWLP_ID, id);
    };
    const int acceptIndex = AddButton(acceptText, parent);
    ControlBase_CL& accept = *m_Controls[acceptIndex];
    renumber(accept, kAcceptButtonId);
    const int cancelIndex = AddButton(cancelText, parent);
    ControlBase_CL& cancel = *m_Controls[cancelIndex];
    renumber(cancel, kCancelButtonId);

    const ControlRect a = GetControlRect(accept);
    const ControlRect c = GetControlRect(cancel);
    const OkCancelPlacement at = PlaceOkCancel(client, SIZE{a.width, a.height}, SIZE{c.width, c.height});
    MoveControlTo(cancel, at.cancel.x, at.cancel.y);
    MoveControlTo(accept, at.accept.x, at.accept.y);
    return acceptIndex;
}

} // namespace lum
