#include "store/InetHttp.h"

#include <algorithm>
#include <climits>
#include <new>
#include <utility>
#include <vector>

namespace lum {

namespace {

// The agent name holds an ideographic space between the two words.
const wchar_t kAgentName[] = L"Microsoft Internet\u3000Explorer";

// Always ask the server: the index may change at any time.
const DWORD kRequestFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;

bool ParseDecimal(const std::wstring& text, size_t& at, uint64_t& value) {
    const size_t start = at;
    value = 0;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
        if (value > (UINT64_MAX - 9) / 10) return false;
        value = value * 10 + static_cast<uint64_t>(text[at] - L'0');
        ++at;
    }
    return at > start;
}

void SkipBlanks(const std::wstring& text, size_t& at) {
    while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) ++at;
}

} // namespace

int32_t ParseContentLength(const std::wstring& text) {
    size_t at = 0;
    SkipBlanks(text, at);
    uint64_t value = 0;
    if (!ParseDecimal(text, at, value)) return 0;
    SkipBlanks(text, at);
    if (at != text.size() || value > INT32_MAX) return 0;
    return static_cast<int32_t>(value);
}

bool ParseContentRange(const std::wstring& text, ContentRange& out) {
    size_t at = 0;
    SkipBlanks(text, at);
    if (text.compare(at, 5, L"bytes") != 0) return false;
    at += 5;
    SkipBlanks(text, at);
    if (!ParseDecimal(text, at, out.first) || at >= text.size() || text[at++] != L'-') return false;
    if (!ParseDecimal(text, at, out.last) || out.last < out.first) return false;
    if (at >= text.size() || text[at++] != L'/') return false;
    if (at < text.size() && text[at] == L'*') {
        out.total = -1;
        ++at;
    } else {
        uint64_t total = 0;
        if (!ParseDecimal(text, at, total) || total > static_cast<uint64_t>(INT64_MAX) || total <= out.last) {
            return false;
        }
        out.total = static_cast<int64_t>(total);
    }
    SkipBlanks(text, at);
    return at == text.size();
}

std::wstring RangeHeader(uint64_t offset, uint64_t count) {
    return L"Range: bytes=" + std::to_wstring(offset) + L"-" + std::to_wstring(offset + count - 1) + L"\r\n";
}

DWORD ReadFully(const ReadSomeFn& readSome, unsigned char* into, DWORD n, DWORD& error) {
    // One read may bring less than asked while more is on its way: only an
    // empty successful read marks the end of the data.
    DWORD got = 0;
    while (got < n) {
        DWORD read = 0;
        if (!readSome(into + got, n - got, read)) {
            error = ::GetLastError();
            break;
        }
        if (read == 0 || read > n - got) break;
        got += read;
    }
    return got;
}

bool IsConnectionFailure(DWORD error) {
    switch (error) {
    case ERROR_INTERNET_TIMEOUT:
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
    case ERROR_INTERNET_CANNOT_CONNECT:
    case ERROR_INTERNET_CONNECTION_ABORTED:
    case ERROR_INTERNET_CONNECTION_RESET:
    case ERROR_INTERNET_SERVER_UNREACHABLE:
    case ERROR_INTERNET_PROXY_SERVER_UNREACHABLE:
        return true;
    default:
        return false;
    }
}

// Children first (members go in reverse order): closing the session would
// take its children with it, and closing those afterwards could hit a
// handle value already reused.
InetHttp_CL::~InetHttp_CL() = default;

void InetHttp_CL::ApplyTimeouts(HINTERNET handle) const {
    DWORD connect = m_timeouts.connectMs;
    DWORD receive = m_timeouts.receiveMs;
    DWORD retries = 1;
    ::InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
    ::InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
    ::InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &receive, sizeof receive);
    ::InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
    ::InternetSetOptionW(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &receive, sizeof receive);
}

HINTERNET InetHttp_CL::Open(const HttpTimeouts& timeouts) {
    if (m_hSession) return m_hSession.get();
    m_hSession.reset(::InternetOpenW(kAgentName, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!m_hSession) {
        m_nLastError = ::GetLastError();
        return nullptr;
    }
    m_timeouts = timeouts;
    ApplyTimeouts(m_hSession.get());
    m_nLastError = 0;
    return m_hSession.get();
}

HINTERNET InetHttp_CL::Connect(const std::wstring& host, INTERNET_PORT port) {
    m_hRequest.reset();
    m_hConnect.reset();
    if (!m_hSession) return nullptr;
    m_hConnect.reset(
        ::InternetConnectW(m_hSession.get(), host.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    m_nLastError = m_hConnect ? 0 : ::GetLastError();
    if (m_hConnect) ApplyTimeouts(m_hConnect.get());
    return m_hConnect.get();
}

int InetHttp_CL::Request(const std::wstring& path, const std::wstring& headers) {
    m_hRequest.reset();
    m_nContentLength = 0;
    m_nStatusCode = 0;
    if (!m_hConnect) return 0;
    m_hRequest.reset(
        ::HttpOpenRequestW(m_hConnect.get(), L"GET", path.c_str(), nullptr, nullptr, nullptr, kRequestFlags, 0));
    if (!m_hRequest) {
        m_nLastError = ::GetLastError();
        return 0;
    }
    ApplyTimeouts(m_hRequest.get());
    if (!::HttpSendRequestW(m_hRequest.get(), headers.empty() ? nullptr : headers.c_str(),
                            headers.empty() ? 0 : static_cast<DWORD>(headers.size()), nullptr, 0)) {
        m_nLastError = ::GetLastError();
        return 0;
    }
    m_nLastError = 0;
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!::HttpQueryInfoW(m_hRequest.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        // No status line came back: the server hung up on us.
        m_nLastError = ERROR_INTERNET_CONNECTION_ABORTED;
        return 0;
    }
    m_nStatusCode = status;
    m_nContentLength = ParseContentLength(QueryHeader(HTTP_QUERY_CONTENT_LENGTH));
    // An error page is not the file we asked for, however well it arrives.
    if (status == HTTP_STATUS_OK) return 1;
    if (status == HTTP_STATUS_PARTIAL_CONTENT && !headers.empty()) return 1;
    return 0;
}

std::wstring InetHttp_CL::QueryHeader(DWORD info) const {
    if (!m_hRequest) return std::wstring();
    wchar_t buffer[256] = {};  // 512 bytes: far more than any header we read needs
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (!::HttpQueryInfoW(m_hRequest.get(), info, buffer, &size, nullptr)) return std::wstring();
    return std::wstring(buffer, size / sizeof(wchar_t));
}

DWORD InetHttp_CL::Read(DWORD n) {
    m_buffer.clear();
    if (!m_hRequest || n == MAXDWORD) return 0;
    try {
        m_buffer.resize(static_cast<size_t>(n) + 1);
    } catch (const std::bad_alloc&) {
        m_nLastError = ERROR_NOT_ENOUGH_MEMORY;
        return 0;
    }
    const DWORD got = ReadFully(
        [this](unsigned char* into, DWORD want, DWORD& read) {
            return ::InternetReadFile(m_hRequest.get(), into, want, &read) != FALSE;
        },
        m_buffer.data(), n, m_nLastError);
    m_buffer.resize(static_cast<size_t>(got) + 1);
    m_buffer[got] = 0;
    return got;
}

std::vector<unsigned char> InetHttp_CL::TakeData() {
    if (!m_buffer.empty()) m_buffer.pop_back();
    return std::move(m_buffer);
}

DWORD InetHttp_CL::Skip(DWORD n) {
    if (!m_hRequest) return 0;
    std::vector<unsigned char> scratch(64 * 1024);
    DWORD skipped = 0;
    while (skipped < n) {
        const DWORD want = std::min<DWORD>(n - skipped, static_cast<DWORD>(scratch.size()));
        const DWORD got = ReadFully(
            [this](unsigned char* into, DWORD size, DWORD& read) {
                return ::InternetReadFile(m_hRequest.get(), into, size, &read) != FALSE;
            },
            scratch.data(), want, m_nLastError);
        skipped += got;
        if (got < want) break;
    }
    return skipped;
}

} // namespace lum
