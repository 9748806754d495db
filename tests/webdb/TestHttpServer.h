#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the database tests: serves a
// folder, honours Range (unless told not to), and misbehaves on purpose
// per request path to show how the client copes.
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
    Silent,           // accepts, reads the request, never answers
};

struct RecordedRequest {
    std::string path;
    std::string range;  // value of the Range header, empty without one
};

class TestHttpServer {
public:
    explicit TestHttpServer(std::wstring root);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    bool running() const { return m_listener != INVALID_SOCKET; }
    unsigned short port() const { return m_port; }
    // "127.0.0.1:port", as the settings key takes it.
    std::wstring HostSetting() const;

    // path as requested, without the leading slash ("lumenary/db_saver_index.txt").
    void Misbehave(const std::string& path, Misbehaviour how);
    void MisbehaveEverywhere(Misbehaviour how);

    std::vector<RecordedRequest> Requests() const;
    int CountRequests(const std::string& path) const;
    // Silent connections that the client closed while the server still held them.
    int ClientHangups() const { return m_clientHangups; }

private:
    void AcceptLoop();
    void Serve(SOCKET client);
    bool ServeRequest(SOCKET client);  // true: the connection stays for another request
    bool WaitForRequest(SOCKET client) const;
    Misbehaviour BehaviourFor(const std::string& path) const;

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
