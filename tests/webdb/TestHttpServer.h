#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the database tests: serves a
// folder, honours Range, and misbehaves on purpose per request path.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lum::test {

enum class Misbehaviour {
    None,
    ErrorStatus,      // 404 with an HTML page of its own
    NoContentLength,  // body ended by closing the connection
    ShortBody,        // announces the whole length, sends half, closes
    Chunked,          // Transfer-Encoding: chunked, no length
    IgnoreRange,      // always 200 and the whole file
    Trickle,          // small pieces with pauses in between
    Silent,           // reads the request, never answers
};

struct RecordedRequest {
    std::string path;   // without the leading slash
    std::string range;  // the Range header, empty without one
};

class TestHttpServer {
public:
    explicit TestHttpServer(std::wstring root);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    bool running() const { return m_listener != INVALID_SOCKET; }
    unsigned short port() const { return m_port; }
    std::wstring HostSetting() const { return L"127.0.0.1:" + std::to_wstring(m_port); }

    void Misbehave(const std::string& path, Misbehaviour how);
    void MisbehaveEverywhere(Misbehaviour how);
    std::vector<RecordedRequest> Requests() const;
    int CountRequests(const std::string& path) const;
    // Silent connections that the client closed while the server held them.
    int ClientHangups() const { return m_clientHangups; }

private:
    void Serve(SOCKET client);
    bool ServeRequest(SOCKET client);  // true: the connection stays for another request

    std::wstring m_root;
    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_clientHangups{0};
    std::thread m_acceptThread;

    mutable std::mutex m_mutex;
    std::vector<std::thread> m_workers;
    std::vector<SOCKET> m_openClients;
    std::vector<RecordedRequest> m_requests;
    std::map<std::string, Misbehaviour> m_behaviour;
    Misbehaviour m_everywhere = Misbehaviour::None;
};

// A port on 127.0.0.1 where nothing listens (connections are refused).
unsigned short ClosedPort();

} // namespace lum::test
