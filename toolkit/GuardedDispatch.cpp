#include "toolkit/GuardedDispatch.h"

#include <cstdio>

namespace lum {

std::wstring DispatchFailureText(const wchar_t* where, UINT message, const char* what) {
    wchar_t number[16] = {};
    std::swprintf(number, 16, L"0x%04X", message);
    std::wstring text = L"Lumenary: ";
    text += where ? where : L"?";
    text += L" failed on message ";
    text += number;
    text += L": ";
    // The text of a standard exception is plain ASCII in practice; other bytes become '?'.
    for (const char* c = what ? what : "unknown exception"; *c; ++c)
        text += static_cast<unsigned char>(*c) < 0x80 ? static_cast<wchar_t>(*c) : L'?';
    text += L'\n';
    return text;
}

void ReportDispatchFailure(const wchar_t* where, UINT message) noexcept {
    // Called inside a handler: the exception object lives until it ends.
    const char* what = "unknown exception";
    try {
        throw;
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    try {
        ::OutputDebugStringW(DispatchFailureText(where, message, what).c_str());
    } catch (...) {
        ::OutputDebugStringW(L"Lumenary: a message handler failed\n");
    }
}

} // namespace lum
