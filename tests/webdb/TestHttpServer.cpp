#include "tests/webdb/TestHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace lum::test {

namespace {

SOCKET ListenOnLoopback(int backlog, unsigned short& port) {
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    SOCKET s = started ? ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP) : INVALID_SOCKET;
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(s, backlog) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return s;
}

bool SendAll(SOCKET s, const std::string& data) {
    for (size_t at = 0; at < data.size();) {
        const int n = ::send(s, data.data() + at, static_cast<int>(std::min<size_t>(data.size() - at, 1 << 20)), 0);
        if (n <= 0) return false;
        at += static_cast<size_t>(n);
    }
    return true;
}

// The file's size, and `count` of its bytes from `first`: a range is read
// alone, as a real server reads it, so that it costs what it should.
bool ReadFilePart(const std::wstring& path, size_t first, size_t count, std::string& out, size_t& size) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary | std::ios::ate);
    if (!file) return false;
    size = static_cast<size_t>(file.tellg());
    out.assign(first < size ? std::min(count, size - first) : 0, '\0');
    return out.empty() ||
           file.seekg(static_cast<std::streamoff>(first)).read(&out[0], static_cast<std::streamsize>(out.size()));
}

// Waits up to `limitMs` for bytes, in short slices so that a stopping
// server does not sit in a read, and reads them: 0 when the client closed,
// negative on an error or when nothing came (WSAETIMEDOUT).
int Receive(SOCKET s, char (&buffer)[4096], int limitMs, const std::atomic<bool>& stopping) {
    for (int waited = 0; waited < limitMs && !stopping; waited += 50) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval slice{0, 50 * 1000};
        if (::select(0, &readable, nullptr, nullptr, &slice) != 0) return ::recv(s, buffer, sizeof buffer, 0);
    }
    ::WSASetLastError(WSAETIMEDOUT);
    return SOCKET_ERROR;
}

} // namespace

TestHttpServer::TestHttpServer(std::wstring root) : m_root(std::move(root)) {
    m_listener = ListenOnLoopback(SOMAXCONN, m_port);
    if (m_listener == INVALID_SOCKET) return;
    m_acceptThread = std::thread([this] {
        while (!m_stopping) {
            SOCKET client = ::accept(m_listener, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            std::lock_guard<std::mutex> lock(m_mutex);
            m_openClients.push_back(client);
            m_workers.emplace_back([this, client] { Serve(client); });
        }
    });
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
    const std::vector<RecordedRequest> all = Requests();
    return static_cast<int>(std::count_if(all.begin(), all.end(), [&](const RecordedRequest& r) { return r.path == path; }));
}

void TestHttpServer::Serve(SOCKET client) {
    BOOL noDelay = TRUE;
    ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    // Well-behaved answers keep the connection for the client's next
    // request, as a web server's do; every misbehaviour ends it.
    while (!m_stopping && ServeRequest(client)) {
    }
    ::shutdown(client, SD_SEND);
    char buffer[4096];
    while (Receive(client, buffer, 10000, m_stopping) > 0) {  // the client reads what was sent
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_openClients.erase(std::remove(m_openClients.begin(), m_openClients.end(), client), m_openClients.end());
    }
    ::closesocket(client);
}

bool TestHttpServer::ServeRequest(SOCKET client) {
    std::string head;
    char buffer[4096];
    for (int n = 1; n > 0 && head.find("\r\n\r\n") == std::string::npos && head.size() < 65536;) {
        n = Receive(client, buffer, 10000, m_stopping);
        if (n > 0) head.append(buffer, static_cast<size_t>(n));
    }
    const size_t headEnd = head.find("\r\n\r\n");
    if (headEnd == std::string::npos) return false;  // the client is done

    // "GET /path HTTP/1.1", then the header lines.
    const size_t targetAt = head.find(' ') + 1;
    const std::string target = head.substr(targetAt, head.find(' ', targetAt) - targetAt);
    const std::string path = !target.empty() && target[0] == '/' ? target.substr(1) : target;
    std::string lower = head;
    for (char& c : lower) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    const auto requestHeader = [&](const std::string& name) {  // the value in lower case, empty without one
        const size_t at = lower.find("\r\n" + name + ":");
        if (at > headEnd) return std::string();
        const size_t from = lower.find_first_not_of(' ', at + name.size() + 3);
        return lower.substr(from, lower.find("\r\n", from) - from);
    };
    const std::string range = requestHeader("range");
    const bool clientCloses = requestHeader("connection") == "close";
    Misbehaviour how;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back({path, range});
        const auto it = m_behaviour.find(path);
        how = it != m_behaviour.end() ? it->second : m_everywhere;
    }

    std::wstring file = m_root + L"\\";
    for (char c : path) file.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    std::string body;
    size_t size = 0;
    const bool found = path.find("..") == std::string::npos && ReadFilePart(file, 0, 0, body, size);

    if (how == Misbehaviour::Silent) {
        // Hold the connection without a word until the client gives up
        // (or a minute passes, or the server stops).
        int n = 0;
        while ((n = Receive(client, buffer, 60000, m_stopping)) > 0) {
        }
        if (!m_stopping && (n == 0 || ::WSAGetLastError() != WSAETIMEDOUT)) ++m_clientHangups;
        return false;
    }
    if (!found || how == Misbehaviour::ErrorStatus) {
        const std::string page = "<html><body><h1>404 Not Found</h1>" + std::string(600, ' ') + "</body></html>";
        SendAll(client, "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                            std::to_string(page.size()) + "\r\nConnection: close\r\n\r\n" + page);
        return false;
    }
    // "bytes=a-b" and "bytes=a-" are served as asked (416 when they start
    // past the end); anything else, or a server that ignores ranges, gets it all.
    unsigned long long a = 0, b = 0;
    char dash = 0;
    const int fields =
        how == Misbehaviour::IgnoreRange ? 0 : std::sscanf(range.c_str(), " bytes=%llu%c%llu", &a, &dash, &b);
    const bool ranged = fields >= 2 && dash == '-';
    if (ranged && (a >= size || (fields == 3 && a > b))) {
        SendAll(client, "HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */" + std::to_string(size) +
                            "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        return false;
    }
    const size_t first = ranged ? static_cast<size_t>(a) : 0;
    const size_t end = ranged && fields == 3 ? static_cast<size_t>(std::min<unsigned long long>(b + 1, size)) : size;
    ReadFilePart(file, first, end - first, body, size);
    std::string header = ranged ? "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " + std::to_string(first) + "-" +
                                      std::to_string(end - 1) + "/" + std::to_string(size) + "\r\n"
                                : "HTTP/1.1 200 OK\r\n";
    header += "Content-Type: application/octet-stream\r\n";
    if (how == Misbehaviour::Chunked) {
        header += "Transfer-Encoding: chunked\r\n";
    } else if (how != Misbehaviour::NoContentLength) {
        header += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    }
    const bool keepAlive = how == Misbehaviour::None && !clientCloses;
    if (!SendAll(client, header + (keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n")))
        return false;
    // The body whole, in chunks, in small pieces with pauses, or half of it.
    const size_t piece = how == Misbehaviour::Chunked ? 1000 : how == Misbehaviour::Trickle ? 97 : body.size();
    const size_t sent = how == Misbehaviour::ShortBody ? body.size() / 2 : body.size();
    for (size_t at = 0; at < sent && !m_stopping; at += piece) {
        std::string part = body.substr(at, std::min(piece, sent - at));
        char length[16];
        std::snprintf(length, sizeof length, "%lx\r\n", static_cast<unsigned long>(part.size()));
        if (!SendAll(client, how == Misbehaviour::Chunked ? length + part + "\r\n" : part)) break;
        if (how == Misbehaviour::Trickle) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (how == Misbehaviour::Chunked) SendAll(client, "0\r\n\r\n");
    return keepAlive;
}

unsigned short ClosedPort() {
    unsigned short port = 0;
    SOCKET s = ListenOnLoopback(1, port);
    if (s != INVALID_SOCKET) ::closesocket(s);
    return port;
}

} // namespace lum::test
