#include "store/SaverFingerprint.h"

#include "base/ModulePath.h"
#include "base/Scoped.h"

namespace lum {

uint64_t FingerprintOf(const std::wstring& fileName, const unsigned char* head, size_t headCount,
                       bool wholeFile, uint32_t sizeLow) {
    uint64_t h = 0;
    for (wchar_t u : fileName) h = 3 * h + static_cast<uint16_t>(u);
    if (headCount > kFingerprintHeadBytes) headCount = kFingerprintHeadBytes;
    for (size_t i = 0; i < headCount; ++i) h = 3 * h + head[i];
    // The reading loop stops after 256 bytes without looking further; a
    // shorter file meets its end inside the loop and that step counts -1.
    if (headCount < kFingerprintHeadBytes && wholeFile) h = 3 * h - 1;
    return h + sizeLow;
}

bool SaverFingerprint(const std::wstring& saverPath, uint64_t& key) {
    unsigned char head[kFingerprintHeadBytes];
    size_t got = 0;
    bool wholeFile = false;
    {
        UniqueFile file(::CreateFileW(saverPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        while (got < sizeof head) {
            DWORD read = 0;
            if (!::ReadFile(file.get(), head + got, static_cast<DWORD>(sizeof head - got), &read, nullptr)) {
                return false;
            }
            if (read == 0) {
                wholeFile = true;
                break;
            }
            got += read;
        }
    }
    // The size comes from a second, read-shared open; when that one is
    // refused the size simply does not take part.
    uint32_t sizeLow = 0;
    UniqueFile sized(::CreateFileW(saverPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (sized) sizeLow = ::GetFileSize(sized.get(), nullptr);
    key = FingerprintOf(FileNameOfPath(saverPath), head, got, wholeFile, sizeLow);
    return true;
}

} // namespace lum
