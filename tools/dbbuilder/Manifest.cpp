#include "tools/dbbuilder/Manifest.h"

#include "store/SaverIndexRecord.h"

#include <map>

namespace lum::dbbuilder {

namespace {

constexpr size_t kFieldCount = 7;

std::vector<std::wstring> SplitTabs(const std::wstring& line) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
        if (tab == std::wstring::npos) break;
        start = tab + 1;
    }
    return fields;
}

std::wstring TooLong(const wchar_t* what, size_t length, size_t limit) {
    return std::wstring(what) + L" is " + std::to_wstring(length) + L" UTF-16 code units long; at most " +
           std::to_wstring(limit) + L" fit";
}

} // namespace

bool DecodeUtf8(const std::string& bytes, std::wstring& out) {
    out.clear();
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        uint32_t cp = 0;
        size_t extra = 0;
        if (b < 0x80) {
            cp = b;
        } else if (b >= 0xC2 && b <= 0xDF) {
            cp = b & 0x1F;
            extra = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            cp = b & 0x0F;
            extra = 2;
        } else if (b >= 0xF0 && b <= 0xF4) {
            cp = b & 0x07;
            extra = 3;
        } else {
            return false;
        }
        if (i + extra >= bytes.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(cp));
        }
        i += extra + 1;
    }
    return true;
}

std::string EncodeUtf8(const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = static_cast<uint16_t>(text[i]);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size()) {
            const uint32_t low = static_cast<uint16_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::wstring BaseName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::vector<ManifestEntry> ParseManifest(const std::string& bytes, std::vector<ManifestError>& errors) {
    std::vector<ManifestEntry> entries;
    std::map<std::wstring, int> pictureLines;  // distinct pictures, in order met
    size_t start = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
    int lineNumber = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string raw = bytes.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();

        std::wstring line;
        if (!DecodeUtf8(raw, line)) {
            errors.push_back({lineNumber, L"the line is not valid UTF-8"});
            continue;
        }
        if (line.find_first_not_of(L" \t") == std::wstring::npos || line[0] == L'#') continue;

        const std::vector<std::wstring> fields = SplitTabs(line);
        if (fields.size() != kFieldCount) {
            errors.push_back({lineNumber, L"expected 7 tab-separated fields (saver, category, title, description, "
                                          L"address, still flag, picture), found " +
                                              std::to_wstring(fields.size())});
            continue;
        }
        ManifestEntry entry;
        entry.line = lineNumber;
        entry.saver = fields[0];
        entry.category = fields[1];
        entry.title = fields[2];
        entry.note = fields[3];
        entry.web = fields[4];
        entry.picture = fields[6];

        const size_t before = errors.size();
        const std::wstring name = BaseName(entry.saver);
        if (name.empty()) {
            errors.push_back({lineNumber, L"the saver file is missing"});
        } else if (name.size() > kRecordNameMaxChars) {
            errors.push_back({lineNumber, TooLong(L"the saver's file name", name.size(), kRecordNameMaxChars)});
        }
        if (entry.category.size() > kCategoryMaxChars) {
            errors.push_back({lineNumber, TooLong(L"the category", entry.category.size(), kCategoryMaxChars)});
        }
        if (entry.title.size() > kTitleMaxChars) {
            errors.push_back({lineNumber, TooLong(L"the title", entry.title.size(), kTitleMaxChars)});
        }
        if (entry.note.size() > kNoteMaxChars) {
            errors.push_back({lineNumber, TooLong(L"the description", entry.note.size(), kNoteMaxChars)});
        }
        if (entry.web.size() > kWebMaxChars) {
            errors.push_back({lineNumber, TooLong(L"the download address", entry.web.size(), kWebMaxChars)});
        }
        if (fields[5] == L"1") {
            entry.largeImage = true;
        } else if (fields[5] != L"0") {
            errors.push_back({lineNumber, L"the still-picture flag must be 0 or 1, not \"" + fields[5] + L"\""});
        }
        if (entry.picture.empty()) {
            errors.push_back({lineNumber, L"the picture file is missing"});
        } else if (pictureLines.emplace(entry.picture, lineNumber).second && pictureLines.size() > kPictureCountMax) {
            errors.push_back({lineNumber, L"this is picture number " + std::to_wstring(pictureLines.size()) +
                                              L"; the database numbers at most " +
                                              std::to_wstring(kPictureCountMax) + L" pictures (img00000 to img65535)"});
        }
        if (errors.size() == before) entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace lum::dbbuilder
