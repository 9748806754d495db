#pragma once
#include <windows.h>

namespace lum {

// How a rebar asks its owner for the menu of a drop-down button.
class DropDownMenuFactory_IF {
public:
    virtual ~DropDownMenuFactory_IF() = default;
    // Shows the command's menu with its top-left corner at the screen point
    // (x, y), owned by the window. The flags are always 64 and unused.
    virtual void ShowDropDownMenu(int command, UINT flags, int x, int y, HWND owner) = 0;
};

constexpr UINT kDropDownFlags = 64;

} // namespace lum
