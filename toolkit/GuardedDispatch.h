#pragma once
// Every window, dialog and hook procedure hands its message to our code
// through GuardedDispatch: an exception must never unwind through the
// system's dispatch code. One that arrives is reported with the message
// number and the message goes to the fallback (the previous or default
// procedure) as if our code had not handled it.
#include <windows.h>

#include <exception>
#include <string>

namespace lum {

// "Lumenary: <where> failed on message 0x0111: <what>" and a line end.
std::wstring DispatchFailureText(const wchar_t* where, UINT message, const char* what);

// Sends DispatchFailureText of the exception being handled to the debugger.
void ReportDispatchFailure(const wchar_t* where, UINT message) noexcept;

template <typename Handler, typename Fallback>
auto GuardedDispatch(const wchar_t* where, UINT message, Handler&& handler, Fallback&& fallback) noexcept
    -> decltype(handler()) {
    try {
        return handler();
    } catch (...) {
        ReportDispatchFailure(where, message);
    }
    try {
        return fallback();
    } catch (...) {
        ReportDispatchFailure(where, message);
        return {};
    }
}

} // namespace lum
