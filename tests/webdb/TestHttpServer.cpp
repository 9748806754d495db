#include "tests/webdb/TestHttpServer.h"

#include "base/Scoped.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>

namespace lum::test {

namespace {

struct WinsockScope {
    WinsockScope() {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockScope() { ::WSACleanup(); }
};

void EnsureWinsock() { static WinsockScope scope; }

SOCKET ListenOnLoopback(int backlog, unsigned short& port) {
    EnsureWinsock();
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(s, backlog) != 0) {
        ::closesocket(s);
        return INVALID_SOCKET;
    }
    int length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return s;
}

bool SendAll(SOCKET s, const char* data, size_t size) {
    while (size > 0) {
        const int n = ::send(s, data, static_cast<int>(std::min<size_t>(size, 1 << 20)), 0);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool SendAll(SOCKET s, const std::string& text) { return SendAll(s, text.data(), text.size()); }

std::string ToLower(std::string text) {
    for (char& c : text) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The file's size, and `count` of its bytes from `first`: a range is read
// alone, as a real server reads it, so that it costs what it should.
bool ReadFilePart(const std::wstring& path, size_t first, size_t count, std::string& out, size_t& size) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    size = ::GetFileSize(file.get(), nullptr);
    count = first < size ? std::min(count, size - first) : 0;
    out.resize(count);
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(first);
    DWORD read = 0;
    return count == 0 || (::SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) &&
                          ::ReadFile(file.get(), &out[0], static_cast<DWORD>(count), &read, nullptr) && read == count);
}

std::wstring Widen(const std::string& text) {
    std::wstring out;
    for (char c : text) out.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return out;
}

// "bytes=a-b" or "bytes=a-"; false for anything else (then served whole).
bool ParseRange(const std::string& value, size_t size, size_t& first, size_t& last, bool& satisfiable) {
    unsigned long long a = 0, b = 0;
    char dash = 0;
    int n = std::sscanf(value.c_str(), " bytes=%llu%c%llu", &a, &dash, &b);
    if (n < 2 || dash != '-') return false;
    if (n == 2) b = size ? size - 1 : 0;
    satisfiable = a < size && a <= b;
    first = static_cast<size_t>(a);
    last = static_cast<size_t>(std::min<unsigned long long>(b, size ? size - 1 : 0));
    return true;
}

} // namespace

TestHttpServer::TestHttpServer(std::wstring root) : m_root(std::move(root)) {
    m_listener = ListenOnLoopback(SOMAXCONN, m_port);
    if (m_listener != INVALID_SOCKET) m_acceptThread = std::thread([this] { AcceptLoop(); });
}

TestHttpServer::~TestHttpServer() {
    m_stopping = true;
    if (m_listener != INVALID_SOCKET) ::closesocket(m_listener);
    if (m_acceptThread.joinable()) m_acceptThread.join();
    std::vector<std::thread> workers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (SOCKET s : m_openClients) ::shutdown(s, SD_BOTH);
        workers.swap(m_workers);
    }
    for (std::thread& t : workers) t.join();
}

std::wstring TestHttpServer::HostSetting() const { return L"127.0.0.1:" + std::to_wstring(m_port); }

void TestHttpServer::Misbehave(const std::string& path, Misbehaviour how) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_behaviour[path] = how;
}

void TestHttpServer::MisbehaveEverywhere(Misbehaviour how) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_everywhere = how;
}

std::vector<RecordedRequest> TestHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

int TestHttpServer::CountRequests(const std::string& path) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(std::count_if(m_requests.begin(), m_requests.end(),
                                          [&](const RecordedRequest& r) { return r.path == path; }));
}

Misbehaviour TestHttpServer::BehaviourFor(const std::string& path) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_behaviour.find(path);
    return it != m_behaviour.end() ? it->second : m_everywhere;
}

void TestHttpServer::AcceptLoop() {
    while (!m_stopping) {
        SOCKET client = ::accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            if (m_stopping) break;
            continue;
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_openClients.push_back(client);
        m_workers.emplace_back([this, client] { Serve(client); });
    }
}

void TestHttpServer::Serve(SOCKET client) {
    DWORD timeout = 10000;
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    BOOL noDelay = TRUE;
    ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    // Well-behaved answers keep the connection for the client's next
    // request, as a web server's do; every misbehaviour ends it.
    while (!m_stopping && ServeRequest(client)) {
    }
    char buffer[4096];
    ::shutdown(client, SD_SEND);
    // Let the client read what was sent before the socket goes.
    while (::recv(client, buffer, sizeof buffer, 0) > 0) {
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_openClients.erase(std::remove(m_openClients.begin(), m_openClients.end(), client), m_openClients.end());
    }
    ::closesocket(client);
}

// Waits in short slices for the client's next request, so that a stopping
// server does not sit in a read that the platform may not cut short.
bool TestHttpServer::WaitForRequest(SOCKET client) const {
    for (int waited = 0; !m_stopping && waited < 10000; waited += 50) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client, &readable);
        timeval slice{0, 50 * 1000};
        const int ready = ::select(0, &readable, nullptr, nullptr, &slice);
        if (ready != 0) return ready > 0;
    }
    return false;
}

bool TestHttpServer::ServeRequest(SOCKET client) {
    if (!WaitForRequest(client)) return false;
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const int n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<size_t>(n));
    }
    if (head.find("\r\n\r\n") == std::string::npos) return false;  // the client is done

    std::istringstream lines(head);
    std::string method, target, version, line;
    lines >> method >> target >> version;
    std::getline(lines, line);
    std::string range;
    bool clientCloses = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string name = ToLower(line.substr(0, colon));
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        if (name == "range") range = value;
        if (name == "connection" && ToLower(value) == "close") clientCloses = true;
    }
    const std::string path = !target.empty() && target[0] == '/' ? target.substr(1) : target;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back({path, range});
    }

    const Misbehaviour how = BehaviourFor(path);
    std::string body;
    size_t size = 0;
    const std::wstring file = m_root + L"\\" + Widen(path);
    const bool found = !method.empty() && path.find("..") == std::string::npos && ReadFilePart(file, 0, 0, body, size);
    std::string status = "200 OK";
    std::string extra;
    bool keepAlive = false;

    if (how == Misbehaviour::Silent) {
        // Hold the connection open without a word until the client gives up
        // (or a minute passes, or the server stops).
        DWORD tick = 200;
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&tick), sizeof tick);
        for (int waited = 0; !m_stopping && waited < 60000; waited += 200) {
            const int n = ::recv(client, buffer, sizeof buffer, 0);
            if (n == 0 || (n < 0 && ::WSAGetLastError() != WSAETIMEDOUT)) {
                ++m_clientHangups;
                break;
            }
        }
    } else if (!found || how == Misbehaviour::ErrorStatus) {
        const std::string page = "<html><body><h1>404 Not Found</h1>" + std::string(600, ' ') + "</body></html>";
        SendAll(client, "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                            std::to_string(page.size()) + "\r\nConnection: close\r\n\r\n" + page);
    } else {
        size_t first = 0, last = 0;
        bool satisfiable = false;
        if (!range.empty() && how != Misbehaviour::IgnoreRange && ParseRange(range, size, first, last, satisfiable)) {
            if (!satisfiable) {
                SendAll(client, "HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */" +
                                    std::to_string(size) + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                status.clear();
            } else {
                status = "206 Partial Content";
                extra = "Content-Range: bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" +
                        std::to_string(size) + "\r\n";
                ReadFilePart(file, first, last - first + 1, body, size);
            }
        } else {
            ReadFilePart(file, 0, size, body, size);
        }
        if (!status.empty()) {
            std::string header = "HTTP/1.1 " + status + "\r\nContent-Type: application/octet-stream\r\n" + extra;
            if (how == Misbehaviour::Chunked) {
                header += "Transfer-Encoding: chunked\r\n";
            } else if (how != Misbehaviour::NoContentLength) {
                header += "Content-Length: " + std::to_string(body.size()) + "\r\n";
            }
            keepAlive = how == Misbehaviour::None && !clientCloses;
            header += keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
            SendAll(client, header);
            if (how == Misbehaviour::Chunked) {
                for (size_t at = 0; at < body.size(); at += 1000) {
                    const std::string piece = body.substr(at, 1000);
                    std::ostringstream size;
                    size << std::hex << piece.size() << "\r\n";
                    if (!SendAll(client, size.str() + piece + "\r\n")) break;
                }
                SendAll(client, "0\r\n\r\n");
            } else if (how == Misbehaviour::ShortBody) {
                SendAll(client, body.data(), body.size() / 2);
            } else if (how == Misbehaviour::Trickle) {
                for (size_t at = 0; at < body.size() && !m_stopping; at += 97) {
                    const size_t n = std::min<size_t>(97, body.size() - at);
                    if (!SendAll(client, body.data() + at, n)) break;
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                }
            } else {
                SendAll(client, body);
            }
        }
    }
    return keepAlive;
}

unsigned short ClosedPort() {
    unsigned short port = 0;
    SOCKET s = ListenOnLoopback(1, port);
    if (s != INVALID_SOCKET) ::closesocket(s);
    return port;
}

} // namespace lum::test
