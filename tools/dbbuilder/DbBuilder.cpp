#include "tools/dbbuilder/DbBuilder.h"

#include "base/ModulePath.h"
#include "store/SaverFingerprint.h"
#include "base/Scoped.h"

#include <map>
#include <utility>

namespace lum::dbbuilder {

namespace {

const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool ReadWholeFile(const std::wstring& path, std::string& out) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > 512ll * 1024 * 1024) return false;
    out.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return out.empty() || (::ReadFile(file.get(), &out[0], static_cast<DWORD>(out.size()), &read, nullptr) &&
                           read == out.size());
}

bool WriteWholeFile(const std::wstring& path, const void* data, size_t size) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) return false;
    DWORD written = 0;
    return size == 0 ||
           (::WriteFile(file.get(), data, static_cast<DWORD>(size), &written, nullptr) && written == size);
}

} // namespace

DatabaseWriter::DatabaseWriter() {
    // A byte-order mark lets editors open the strings file as UTF-16; the
    // records address their strings by byte offset, so it costs nothing.
    m_strings = {0xFF, 0xFE};
}

bool DatabaseWriter::Add(uint64_t key, const std::wstring& fileName, const SaverRecordStrings& strings,
                         bool largeImage, uint16_t pictureNumber) {
    SaverIndexRecord record;
    record.key = key;
    record.name = fileName;
    record.stringOffset = static_cast<uint32_t>(m_strings.size());
    record.categoryLength = static_cast<uint8_t>(strings.category.size());
    record.largeImage = largeImage;
    record.titleLength = static_cast<uint8_t>(strings.title.size());
    record.noteLength = static_cast<uint16_t>(strings.note.size());
    record.webLength = static_cast<uint16_t>(strings.web.size());
    record.pictureNumber = pictureNumber;
    if (strings.category.size() > kCategoryMaxChars || strings.title.size() > kTitleMaxChars ||
        strings.note.size() > kNoteMaxChars || strings.web.size() > kWebMaxChars) {
        return false;
    }
    const std::vector<unsigned char> bytes = EncodeRecordStrings(strings);
    if (m_strings.size() + bytes.size() > UINT32_MAX) return false;
    IndexRecordBytes encoded;
    if (!EncodeIndexRecord(record, encoded)) return false;
    m_index.insert(m_index.end(), encoded.begin(), encoded.end());
    m_strings.insert(m_strings.end(), bytes.begin(), bytes.end());
    return true;
}

bool DatabaseWriter::WriteFiles(const std::wstring& folder, std::wstring& error) const {
    if (!MakeFolderTree(folder)) {
        error = L"cannot create the folder " + folder;
        return false;
    }
    const std::wstring index = folder + L"\\db_saver_index.txt";
    const std::wstring strings = folder + L"\\db_saver_string.txt";
    if (!WriteWholeFile(index, m_index.data(), m_index.size())) {
        error = L"cannot write " + index;
        return false;
    }
    if (!WriteWholeFile(strings, m_strings.data(), m_strings.size())) {
        error = L"cannot write " + strings;
        return false;
    }
    return true;
}

bool IsAbsolutePath(const std::wstring& path) {
    if (path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/')) return true;
    return path.size() >= 2 && path[1] == L':';
}

std::wstring ResolvePath(const std::wstring& base, const std::wstring& path) {
    std::wstring resolved = IsAbsolutePath(path) || base.empty() ? path : base + L"\\" + path;
    for (wchar_t& c : resolved) {
        if (c == L'/') c = L'\\';
    }
    return resolved;
}

bool MakeFolderTree(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash > 2) MakeFolderTree(path.substr(0, slash));
    return ::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

bool BuildDatabase(const BuildRequest& request, std::vector<ManifestError>& errors, BuildSummary& summary) {
    std::string text;
    if (!ReadWholeFile(request.manifestPath, text)) {
        errors.push_back({0, L"cannot read the manifest " + request.manifestPath});
        return false;
    }
    const std::vector<ManifestEntry> entries = ParseManifest(text, errors);
    if (!errors.empty()) return false;

    const std::wstring manifestFolder = FolderOfPath(request.manifestPath);
    const std::wstring saverFolder = request.saverFolder.empty() ? manifestFolder : request.saverFolder;

    struct Picture {
        std::wstring path;
        std::string bytes;
    };
    std::vector<Picture> pictures;
    std::map<std::wstring, uint16_t> pictureNumbers;
    std::map<std::pair<uint64_t, std::wstring>, int> seen;  // (key, name) -> line
    DatabaseWriter writer;

    for (const ManifestEntry& entry : entries) {
        const std::wstring saverPath = ResolvePath(saverFolder, entry.saver);
        const std::wstring name = BaseName(saverPath);
        uint64_t key = 0;
        if (!SaverFingerprint(saverPath, key)) {
            errors.push_back({entry.line, L"cannot read the saver file " + saverPath});
            continue;
        }
        const auto previous = seen.emplace(std::make_pair(key, name), entry.line);
        if (!previous.second) {
            errors.push_back({entry.line, L"describes the same saver file as line " +
                                              std::to_wstring(previous.first->second)});
            continue;
        }
        const std::wstring picturePath = ResolvePath(manifestFolder, entry.picture);
        auto number = pictureNumbers.find(picturePath);
        if (number == pictureNumbers.end()) {
            Picture picture{picturePath, {}};
            if (!ReadWholeFile(picturePath, picture.bytes)) {
                errors.push_back({entry.line, L"cannot read the picture " + picturePath});
                continue;
            }
            if (picture.bytes.size() < sizeof kPngSignature ||
                picture.bytes.compare(0, sizeof kPngSignature, reinterpret_cast<const char*>(kPngSignature),
                                      sizeof kPngSignature) != 0) {
                errors.push_back({entry.line, L"the picture " + picturePath + L" is not a PNG file"});
                continue;
            }
            if (pictures.size() >= kPictureCountMax) {
                errors.push_back({entry.line, L"more than 65536 pictures"});
                continue;
            }
            number = pictureNumbers.emplace(picturePath, static_cast<uint16_t>(pictures.size())).first;
            pictures.push_back(std::move(picture));
        }
        SaverRecordStrings strings{entry.category, entry.title, entry.note, entry.web};
        if (!writer.Add(key, name, strings, entry.largeImage, number->second)) {
            errors.push_back({entry.line, L"the strings file would grow past 4 GiB"});
        }
    }
    if (!errors.empty()) return false;

    std::wstring error;
    if (!writer.WriteFiles(request.outputFolder, error)) {
        errors.push_back({0, error});
        return false;
    }
    const std::wstring images = request.outputFolder + L"\\images";
    if (!MakeFolderTree(images)) {
        errors.push_back({0, L"cannot create the folder " + images});
        return false;
    }
    for (size_t i = 0; i < pictures.size(); ++i) {
        const std::wstring target = images + L"\\" + PictureFileName(static_cast<uint16_t>(i));
        if (!WriteWholeFile(target, pictures[i].bytes.data(), pictures[i].bytes.size())) {
            errors.push_back({0, L"cannot write " + target});
            return false;
        }
    }
    summary.records = writer.RecordCount();
    summary.pictures = pictures.size();
    return true;
}

} // namespace lum::dbbuilder
