#include "tests/webdb/DatabaseFixture.h"

#include "store/InetHttp.h"
#include "store/SaverDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace lum::test {
namespace {

TEST(HttpHeaderTest, ContentLengthAndRange) {
    const std::pair<const wchar_t*, int32_t> lengths[] = {
        {L"12800", 12800}, {L" 42 ", 42}, {L"2147483647", 2147483647}, {L"", 0}, {L"-5", 0}, {L"12x", 0},
        {L"2147483648", 0}, {L"99999999999999999999999", 0}};
    for (const auto& [text, length] : lengths) EXPECT_EQ(ParseContentLength(text), length) << Narrow(text);

    ContentRange r;
    ASSERT_TRUE(ParseContentRange(L"bytes 10-19/100", r));
    EXPECT_EQ(r.first, 10u);
    EXPECT_EQ(r.last, 19u);
    EXPECT_EQ(r.total, 100);
    ASSERT_TRUE(ParseContentRange(L"bytes 0-0/*", r));
    EXPECT_EQ(r.total, -1);
    for (const wchar_t* bad : {L"bytes 10-9/100", L"bytes 10-19/15", L"bytes */100", L"items 1-2/3"})
        EXPECT_FALSE(ParseContentRange(bad, r)) << Narrow(bad);
    EXPECT_EQ(RangeHeader(100, 28), L"Range: bytes=100-127\r\n");
}

TEST(DatabaseHostTest, HostAndPortFromTheSetting) {
    const std::tuple<const wchar_t*, std::wstring, unsigned short> good[] = {
        {L"", kDefaultDatabaseHost, 80}, {L"  mirror.example.org  ", L"mirror.example.org", 80},
        {L"127.0.0.1:8080", L"127.0.0.1", 8080}, {L"[::1]:81", L"::1", 81}};
    DatabaseEndpoint e;
    for (const auto& [text, host, port] : good) {
        ASSERT_TRUE(ParseDatabaseHost(text, e)) << Narrow(text);
        EXPECT_EQ(e.host, host);
        EXPECT_EQ(e.port, port);
    }
    for (const wchar_t* bad : {L"host:", L"host:0", L"host:65536", L"host:8o", L"a b", L"http://x", L"x/y",
                               L"[::1", L"[]:80", L"[::1]x", L"a:1:2"}) {
        EXPECT_FALSE(ParseDatabaseHost(bad, e)) << Narrow(bad);
    }

    // No settings file yet: our own host. A written host is read by every
    // lookup through the settings (LookupTest).
    TempFolder temp;
    ASSERT_TRUE(ReadDatabaseEndpoint(temp / L"Lumenary.ini", e));
    EXPECT_EQ(e.host, kDefaultDatabaseHost);
}

// Error pages, missing lengths, cut bodies and ranges are checked through
// the lookups (LookupTest); here the reads of a body that comes in pieces.
TEST(HttpClientTest, ReadGathersEveryPieceOfATrickledBody) {
    DatabaseFolder db;
    std::vector<unsigned char> body(100000);
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<unsigned char>((i * 7) ^ (i >> 9));
    ASSERT_TRUE(WriteBytes(db.Root() + L"\\blob.bin", body));
    db.Server().Misbehave("blob.bin", Misbehaviour::Trickle);
    InetHttp_CL http;
    ASSERT_TRUE(http.Open(QuickOptions().timeouts) && http.Connect(L"127.0.0.1", db.Server().port()) &&
                http.Request(L"blob.bin", L"") == 1);
    ASSERT_EQ(http.ContentLength(), 100000);
    // Pieces of 97 bytes: one platform read would stop short.
    ASSERT_EQ(http.Read(30000), 30000u);
    EXPECT_TRUE(std::equal(body.begin(), body.begin() + 30000, http.Data()));
    ASSERT_EQ(http.Skip(50000), 50000u);
    ASSERT_EQ(http.Read(20000), 20000u);
    EXPECT_TRUE(std::equal(body.begin() + 80000, body.end(), http.Data()));
    EXPECT_EQ(http.Read(10), 0u);  // the end of the data
}

} // namespace
} // namespace lum::test
