#pragma once
// Builds the publisher's three database files from a manifest:
// <output>\db_saver_index.txt, <output>\db_saver_string.txt and
// <output>\images\img%05d.png.
#include "store/SaverIndexRecord.h"
#include "tools/dbbuilder/Manifest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lum::dbbuilder {

// Collects records and their strings in the database's layout.
class DatabaseWriter {
public:
    DatabaseWriter();
    // False when the strings would no longer be addressable with 32 bits.
    bool Add(uint64_t key, const std::wstring& fileName, const SaverRecordStrings& strings, bool largeImage,
             uint16_t pictureNumber);
    const std::vector<unsigned char>& Index() const { return m_index; }
    const std::vector<unsigned char>& Strings() const { return m_strings; }
    size_t RecordCount() const { return m_index.size() / kIndexRecordSize; }
    // Writes the index and strings files into `folder` (made if missing).
    bool WriteFiles(const std::wstring& folder, std::wstring& error) const;

private:
    std::vector<unsigned char> m_index;
    std::vector<unsigned char> m_strings;
};

struct BuildRequest {
    std::wstring manifestPath;
    std::wstring saverFolder;   // relative saver paths start here; empty: the manifest's folder
    std::wstring outputFolder;
};

struct BuildSummary {
    size_t records = 0;
    size_t pictures = 0;
};

// Checks everything first; writes nothing when any line is refused.
bool BuildDatabase(const BuildRequest& request, std::vector<ManifestError>& errors, BuildSummary& summary);

bool IsAbsolutePath(const std::wstring& path);
// `path` as is when absolute, else below `base`; slashes become backslashes.
std::wstring ResolvePath(const std::wstring& base, const std::wstring& path);
bool MakeFolderTree(const std::wstring& path);

} // namespace lum::dbbuilder
