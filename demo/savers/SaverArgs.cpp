#include "demo/savers/SaverArgs.h"

#include <cstdlib>
#include <cwctype>

namespace lum::demo {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// A window handle written as a signed decimal number; null when absent or
// malformed (a handle is never 0).
HWND ParseWindow(const std::wstring& text, size_t at) {
    while (at < text.size() && (IsBlank(text[at]) || text[at] == L':')) ++at;
    if (at >= text.size()) return nullptr;
    const wchar_t* begin = text.c_str() + at;
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(begin, &end, 10);
    if (end == begin || value == 0) return nullptr;
    if (*end != L'\0' && !IsBlank(*end)) return nullptr;
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(value));
}

} // namespace

std::wstring ArgumentsOf(const std::wstring& commandLine) {
    size_t at = 0;
    while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
    if (at < commandLine.size() && commandLine[at] == L'"') {
        const size_t close = commandLine.find(L'"', at + 1);
        at = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
    }
    while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
    return commandLine.substr(at);
}

SaverArgs ParseSaverCommandLine(const std::wstring& commandLine) {
    const std::wstring args = ArgumentsOf(commandLine);
    SaverArgs result;
    if (args.size() < 2 || (args[0] != L'/' && args[0] != L'-')) return result;  // no switch: settings
    switch (std::towlower(args[1])) {
    case L's':
        result.run = SaverRun::FullScreen;
        break;
    case L'p':
    case L'l':
        result.window = ParseWindow(args, 2);
        result.run = result.window ? SaverRun::Preview : SaverRun::None;
        break;
    case L'c':
        result.window = ParseWindow(args, 2);
        break;
    case L'a':
        result.run = SaverRun::None;
        break;
    default:
        break;  // unknown switch: settings, as with none
    }
    return result;
}

bool MouseMoveFilter::EndsSaver(POINT position) {
    if (!m_seen || ::GetTickCount64() < m_settleUntil) {
        m_seen = true;
        m_first = position;
        return false;
    }
    return std::abs(position.x - m_first.x) > m_threshold || std::abs(position.y - m_first.y) > m_threshold;
}

} // namespace lum::demo
