#include "store/ProfileSection.h"

#include "base/Scoped.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cwchar>

namespace lum {

namespace {

// The profile functions trim ASCII blanks and ^Z (the old end-of-file
// mark); wider blanks such as the ideographic space are kept.
bool IsProfileBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

bool IsLineBreak(wchar_t c) { return c == L'\n' || c == L'\r'; }

// Names compare without regard to case, by the platform's case mapping.
wchar_t FoldCase(wchar_t c) {
    if (c < 0x80) return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    // CharLowerW takes a single character in the low word of its argument.
    LPWSTR lowered = ::CharLowerW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)));
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(lowered));
}

bool SameIgnoringCase(const wchar_t* a, size_t aLength, const std::wstring& b) {
    if (aLength != b.size()) return false;
    for (size_t i = 0; i < aLength; ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

// Names and values are C strings to the platform: a 0 ends them.
std::wstring UpToNul(const wchar_t* begin, const wchar_t* end) {
    const wchar_t* at = begin;
    while (at < end && *at != L'\0') ++at;
    return std::wstring(begin, at);
}

std::wstring DecodeWith(UINT codePage, const unsigned char* data, size_t size) {
    if (size == 0 || size > INT_MAX) return std::wstring();
    const char* bytes = reinterpret_cast<const char*>(data);
    const int length = ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    if (length > 0) ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), &text[0], length);
    return text;
}

std::wstring DecodeUtf16(const unsigned char* data, size_t size, bool bigEndian) {
    std::wstring text(size / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned lo = data[2 * i + (bigEndian ? 1 : 0)];
        const unsigned hi = data[2 * i + (bigEndian ? 0 : 1)];
        text[i] = static_cast<wchar_t>(lo | (hi << 8));
    }
    return text;
}

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'z') return c - L'a' + 10;
    if (c >= L'A' && c <= L'Z') return c - L'A' + 10;
    return 99;
}

// The integer reading of GetPrivateProfileIntW: leading control characters
// and blanks skipped, one sign, a "0x", "0o" or "0b" prefix choosing the
// base, digits up to the first other character, wrapping at 32 bits.
int ProfileInteger(const std::wstring& text) {
    size_t at = 0;
    while (at < text.size() && text[at] <= L' ') ++at;
    bool minus = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) minus = text[at++] == L'-';
    unsigned long base = 10;
    if (at + 1 < text.size() && text[at] == L'0') {
        const wchar_t mark = text[at + 1];
        base = mark == L'x' ? 16 : mark == L'o' ? 8 : mark == L'b' ? 2 : 10;
        if (base != 10) at += 2;
    }
    unsigned long total = 0;
    for (; at < text.size() && static_cast<unsigned long>(DigitValue(text[at])) < base; ++at)
        total = (total * base + static_cast<unsigned long>(DigitValue(text[at]))) & 0xFFFFFFFFul;
    const auto value = static_cast<unsigned int>(minus ? 0u - total : total);
    return static_cast<int>(value);
}

} // namespace

std::wstring DecodeProfileBytes(const unsigned char* data, size_t size) {
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) return DecodeWith(CP_UTF8, data + 3, size - 3);
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) return DecodeUtf16(data + 2, size - 2, false);
    if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) return DecodeUtf16(data + 2, size - 2, true);
    return DecodeWith(CP_ACP, data, size);
}

ProfileSection ProfileSection::Parse(const std::wstring& text, const std::wstring& section) {
    ProfileSection result;
    const wchar_t* const end = text.data() + text.size();
    const wchar_t* next = text.data();
    bool inSection = false;
    while (next < end) {
        const wchar_t* lineStart = next;
        const wchar_t* lineEnd = lineStart;
        while (lineEnd < end && !IsLineBreak(*lineEnd)) ++lineEnd;
        next = lineEnd < end ? lineEnd + 1 : end;
        while (lineStart < lineEnd && IsProfileBlank(*lineStart)) ++lineStart;
        while (lineEnd > lineStart && IsProfileBlank(lineEnd[-1])) --lineEnd;
        if (lineStart >= lineEnd) continue;

        if (*lineStart == L'[') {
            const wchar_t* close = lineEnd - 1;
            while (close > lineStart && *close != L']') --close;
            // Without a closing bracket the line is an ordinary key line.
            if (close > lineStart) {
                if (inSection) return result;  // only the first such section counts
                const std::wstring name = UpToNul(lineStart + 1, close);
                inSection = SameIgnoringCase(name.data(), name.size(), section);
                continue;
            }
        }
        if (!inSection) continue;

        Entry entry;
        const wchar_t* nameEnd = lineEnd;
        const wchar_t* equals = std::wmemchr(lineStart, L'=', static_cast<size_t>(lineEnd - lineStart));
        if (equals) {
            nameEnd = equals;
            while (nameEnd > lineStart && IsProfileBlank(nameEnd[-1])) --nameEnd;
            const wchar_t* valueStart = equals + 1;
            while (valueStart < lineEnd && IsProfileBlank(*valueStart)) ++valueStart;
            entry.value = UpToNul(valueStart, lineEnd);
            entry.hasValue = true;
            entry.valueAt = static_cast<size_t>(valueStart - text.data());
            entry.valueLength = static_cast<size_t>(lineEnd - valueStart);
        }
        entry.name = UpToNul(lineStart, nameEnd);
        result.m_entries.push_back(std::move(entry));
    }
    return result;
}

const ProfileSection::Entry* ProfileSection::Find(const std::wstring& key) const {
    for (const Entry& entry : m_entries)
        if (SameIgnoringCase(entry.name.data(), entry.name.size(), key)) return &entry;
    return nullptr;
}

std::wstring ProfileSection::String(const std::wstring& key, const std::wstring& fallback,
                                    size_t bufferChars) const {
    if (bufferChars == 0) return std::wstring();
    const Entry* entry = Find(key);
    const std::wstring& whole = (entry && entry->hasValue) ? entry->value : fallback;
    // A value in matching quotes loses them, unless the buffer cuts the
    // closing one off.
    size_t first = 0;
    bool quoted = false;
    if (whole.size() >= 2 && (whole[0] == L'\'' || whole[0] == L'"') && whole.back() == whole[0]) {
        quoted = true;
        first = 1;
    }
    const size_t rest = whole.size() - first;
    std::wstring out = whole.substr(first, std::min(rest, bufferChars - 1));
    if (quoted && bufferChars >= rest && !out.empty()) out.pop_back();
    return out;
}

int ProfileSection::Int(const std::wstring& key, int fallback) const {
    // The platform reads the text into 30 characters first.
    const std::wstring text = String(key, std::wstring(), 30);
    return text.empty() ? fallback : ProfileInteger(text);
}

bool ProfileSection::ValueSpan(const std::wstring& key, size_t& at, size_t& length) const {
    const Entry* entry = Find(key);
    if (!entry || !entry->hasValue) return false;
    at = entry->valueAt;
    length = entry->valueLength;
    return true;
}

namespace {

bool ReadWholeFile(HANDLE file, std::vector<unsigned char>& bytes) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size) || size.QuadPart > INT_MAX) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && !::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        return false;
    bytes.resize(got);
    return true;
}

} // namespace

ProfileSection ReadProfileSection(const std::wstring& path, const std::wstring& section) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::vector<unsigned char> bytes;
    if (!file || !ReadWholeFile(file.get(), bytes)) return ProfileSection();
    return ProfileSection::Parse(DecodeProfileBytes(bytes.data(), bytes.size()), section);
}

bool ReplaceProfileValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                         const std::wstring& value) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::vector<unsigned char> bytes;
    if (!file || !ReadWholeFile(file.get(), bytes)) return false;
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return false;
    size_t at = 0, length = 0;
    if (!ProfileSection::Parse(DecodeProfileBytes(bytes.data(), bytes.size()), section).ValueSpan(key, at, length))
        return false;
    // Text position p is byte 2 + 2p, after the byte-order mark.
    const size_t from = 2 + 2 * at;
    std::vector<unsigned char> tail;
    for (wchar_t c : value) {
        tail.push_back(static_cast<unsigned char>(c & 0xFF));
        tail.push_back(static_cast<unsigned char>(c >> 8));
    }
    tail.insert(tail.end(), bytes.begin() + static_cast<std::ptrdiff_t>(from + 2 * length), bytes.end());
    // Only the bytes from the value on are written again.
    LARGE_INTEGER offset{};
    offset.QuadPart = static_cast<LONGLONG>(from);
    DWORD written = 0;
    return ::SetFilePointerEx(file.get(), offset, nullptr, FILE_BEGIN) &&
           ::WriteFile(file.get(), tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr) &&
           written == tail.size() && ::SetEndOfFile(file.get());
}

} // namespace lum
