#pragma once
// Modal dialogs built from an item-less template in memory: every control
// is created at run time, so the program carries no dialog resource.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace lum {

constexpr std::size_t kDialogTemplateSize = 1024;
constexpr DWORD kDialogTemplateStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_SETFOREGROUND | DS_MODALFRAME;
constexpr short kDialogTemplateWidth = 320;   // dialog units; each dialog resizes itself
constexpr short kDialogTemplateHeight = 240;

// Zeroes the buffer and writes the DLGTEMPLATE header: no items, no menu,
// the standard dialog class, an empty title and no font block. The zero
// bytes after the header are the empty menu, class and title arrays.
void WriteEmptyDialogTemplate(std::uint8_t* buffer, std::size_t size);

class SubClassDialogBase_CL {
public:
    SubClassDialogBase_CL() = default;
    virtual ~SubClassDialogBase_CL() = default;
    SubClassDialogBase_CL(const SubClassDialogBase_CL&) = delete;
    SubClassDialogBase_CL& operator=(const SubClassDialogBase_CL&) = delete;

    // Base: WM_CLOSE ends with 0; WM_INITDIALOG shows the dialog and
    // returns 1; everything else returns 0.
    virtual INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Runs the dialog modally over the owner; returns what EndDialog was
    // given (-1 when the dialog could not be created).
    INT_PTR RunModal(HWND owner);

    HWND Window() const { return m_hWnd; }
    HFONT Font() const { return m_hFont; }
    // The template buffer: null before the first run, then the same buffer
    // for every run of this object.
    const std::uint8_t* TemplateBuffer() const { return m_pTemplate.get(); }

protected:
    HWND m_hWnd = nullptr;
    std::unique_ptr<std::uint8_t[]> m_pTemplate;
    HFONT m_hFont = nullptr;                   // stock object, never deleted

    friend INT_PTR CALLBACK SubClassDialogProc(HWND, UINT, WPARAM, LPARAM);
};

INT_PTR CALLBACK SubClassDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Where a window of the given client size is centred over a rectangle;
// the halves truncate toward zero.
POINT CenteredPosition(const RECT& over, int width, int height);

// Takes the dialog out of its parent and centres its client size over the
// owner's window rectangle. Without a usable owner it centres over the
// primary monitor's work area instead of reading an unset rectangle.
void CenterOverOwner(HWND owner, HWND dialog);

} // namespace lum
