#pragma once
// The publisher's list of savers for the database builder: UTF-8 text, one
// saver a line, seven fields separated by tabs:
//   saver file, category, title, description, download address,
//   still-picture flag (0 or 1), picture file (PNG)
// Blank lines and lines starting with "#" are skipped. Every field is
// checked against what the database format can hold.
#include <string>
#include <vector>

namespace lum::dbbuilder {

struct ManifestEntry {
    int line = 0;
    std::wstring saver;    // as written: relative or absolute
    std::wstring category;
    std::wstring title;
    std::wstring note;
    std::wstring web;
    bool largeImage = false;
    std::wstring picture;  // as written
};

struct ManifestError {
    int line = 0;          // 0: not tied to one line
    std::wstring message;
};

// Decodes strict UTF-8 into UTF-16; false for malformed input.
bool DecodeUtf8(const std::string& bytes, std::wstring& out);
std::string EncodeUtf8(const std::wstring& text);

// Parses and checks the text; every refused line adds an error. Entries are
// returned only for the lines that passed.
std::vector<ManifestEntry> ParseManifest(const std::string& bytes, std::vector<ManifestError>& errors);

// The part after the last slash or backslash.
std::wstring BaseName(const std::wstring& path);

} // namespace lum::dbbuilder
