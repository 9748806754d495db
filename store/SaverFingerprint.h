#pragma once
// The key under which the publisher's database knows a saver file: a hash of
// its file name, its first bytes and its size. The builder and the client
// must agree on it bit for bit, so both use this code.
#include <cstddef>
#include <cstdint>
#include <string>

namespace lum {

// How many leading bytes of the file take part.
constexpr size_t kFingerprintHeadBytes = 256;

// The pure hash. `head` holds the file's first min(size, 256) bytes;
// `wholeFile` says that those are all the file has (a file shorter than 256
// bytes then adds one end-of-file step); `sizeLow` is the low 32 bits of
// the file size, or 0 where the size could not be read.
uint64_t FingerprintOf(const std::wstring& fileName, const unsigned char* head, size_t headCount,
                       bool wholeFile, uint32_t sizeLow);

// Reads the file and hashes it; false when the file cannot be opened.
bool SaverFingerprint(const std::wstring& saverPath, uint64_t& key);

} // namespace lum
