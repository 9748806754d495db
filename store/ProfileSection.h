#pragma once
// One section of an INI file, read with a single read of the file and
// answered from memory with exactly what the platform's profile functions
// would give for it: same line and blank rules, same quote stripping, same
// cut to the reader's buffer, same integer reading. Loading a large
// collection then costs one file read per entry instead of one full open
// and parse of the file per key.
#include <string>
#include <vector>

namespace lum {

// The file's text as the profile functions decode it: UTF-16 (either byte
// order) or UTF-8 after a byte-order mark, otherwise the ANSI code page.
std::wstring DecodeProfileBytes(const unsigned char* data, size_t size);

class ProfileSection {
public:
    // The first section named `section` in `text` (case ignored); an empty
    // result when there is none.
    static ProfileSection Parse(const std::wstring& text, const std::wstring& section);

    // What GetPrivateProfileStringW returns into a buffer of `bufferChars`.
    std::wstring String(const std::wstring& key, const std::wstring& fallback, size_t bufferChars) const;
    // What GetPrivateProfileIntW returns.
    int Int(const std::wstring& key, int fallback) const;
    // Where the value of `key` lies in the parsed text (blanks around it
    // excluded); false when the key is missing or has no "=".
    bool ValueSpan(const std::wstring& key, size_t& at, size_t& length) const;

private:
    struct Entry {
        std::wstring name;
        std::wstring value;
        bool hasValue = false;  // a line without "=" names a key with no value
        size_t valueAt = 0;     // position of the value in the parsed text
        size_t valueLength = 0;
    };
    const Entry* Find(const std::wstring& key) const;

    std::vector<Entry> m_entries;
};

// Reads `path` once and parses `section` of it; a missing or unreadable file
// gives an empty section, as it gives the defaults to the profile functions.
ProfileSection ReadProfileSection(const std::wstring& path, const std::wstring& section);

// Replaces the value of an existing key inside a UTF-16 file and leaves
// every other byte as it was, as the profile functions do on Windows (a
// rewrite through them costs a full parse and write of the file each time).
// False, with nothing written, for any other file: no such key, another
// encoding, or no access; the caller then writes through the platform.
bool ReplaceProfileValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                         const std::wstring& value);

} // namespace lum
