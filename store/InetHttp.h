#pragma once
// A thin owner of one WinINet session for one request at a time: open,
// connect, send a GET, read the body. Every handle and the read buffer are
// released by the destructor, whatever path the caller took.
#include <windows.h>
#include <wininet.h>

#include "base/Scoped.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lum {

struct InternetHandleTraits {
    static HINTERNET invalid() noexcept { return nullptr; }
    static bool valid(HINTERNET h) noexcept { return h != nullptr; }
    static void close(HINTERNET h) noexcept { ::InternetCloseHandle(h); }
};
using UniqueInternet = Owned<HINTERNET, InternetHandleTraits>;

// Without these the platform may wait minutes for a host that does not
// answer, and the window hangs meanwhile.
struct HttpTimeouts {
    DWORD connectMs = 5000;
    DWORD receiveMs = 5000;
};

// Content-Length header text as a count: 0 when missing, negative, not a
// plain decimal number or beyond 32 bits.
int32_t ParseContentLength(const std::wstring& text);

// "bytes first-last/total" of a 206 answer; total is -1 for "*".
struct ContentRange {
    uint64_t first = 0;
    uint64_t last = 0;
    int64_t total = -1;
};
bool ParseContentRange(const std::wstring& text, ContentRange& out);

// The "Range" request header for `count` bytes from `offset` (count > 0).
std::wstring RangeHeader(uint64_t offset, uint64_t count);

// Calls `readSome` (one platform read: fills up to `want` bytes, sets how
// many came, false on error) until `n` bytes are in or a read brings none.
// Returns the count; `error` gets the platform error of a failed read.
using ReadSomeFn = std::function<bool(unsigned char* into, DWORD want, DWORD& got)>;
DWORD ReadFully(const ReadSomeFn& readSome, unsigned char* into, DWORD n, DWORD& error);

// True for the WinINet errors that mean the server could not be reached or
// stopped answering, as opposed to an answer we did not like.
bool IsConnectionFailure(DWORD error);

class InetHttp_CL {
public:
    InetHttp_CL() = default;
    virtual ~InetHttp_CL();  // request, connection, then session
    InetHttp_CL(const InetHttp_CL&) = delete;
    InetHttp_CL& operator=(const InetHttp_CL&) = delete;

    HINTERNET Open(const HttpTimeouts& timeouts = HttpTimeouts());
    HINTERNET Connect(const std::wstring& host, INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT);
    // Sends a GET for `path` (extra header lines may be given, CRLF-ended).
    // 1 when the answer is 200, or 206 when a Range header was sent; else 0.
    int Request(const std::wstring& path, const std::wstring& headers = std::wstring());
    // Reads until `n` bytes or the end of the data and returns how many came.
    DWORD Read(DWORD n);
    // Reads and throws away `n` bytes; returns how many were skipped.
    DWORD Skip(DWORD n);

    const unsigned char* Data() const { return m_buffer.data(); }
    // Hands the last read's bytes over (without the 0 after them).
    std::vector<unsigned char> TakeData();
    int32_t ContentLength() const { return m_nContentLength; }
    DWORD StatusCode() const { return m_nStatusCode; }
    // The platform error of the last call that failed, 0 after success.
    DWORD LastError() const { return m_nLastError; }
    std::wstring QueryHeader(DWORD info) const;

private:
    void ApplyTimeouts(HINTERNET handle) const;

    // Declared parent first, so that they are closed child first.
    UniqueInternet m_hSession;
    UniqueInternet m_hConnect;
    UniqueInternet m_hRequest;
    std::vector<unsigned char> m_buffer;  // the last read, with a 0 byte after it
    int32_t m_nContentLength = 0;
    DWORD m_nStatusCode = 0;
    DWORD m_nLastError = 0;
    HttpTimeouts m_timeouts;
};

} // namespace lum
