#include "tests/webdb/DatabaseFixture.h"

#include "store/InetHttp.h"
#include "store/SaverDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    DatabaseEndpoint e;
    ASSERT_TRUE(ParseDatabaseHost(L"", e));
    EXPECT_EQ(e.host, kDefaultDatabaseHost);
    EXPECT_EQ(e.port, 80);
    ASSERT_TRUE(ParseDatabaseHost(L"  mirror.example.org  ", e));
    EXPECT_EQ(e.host, L"mirror.example.org");
    EXPECT_EQ(e.port, 80);
    ASSERT_TRUE(ParseDatabaseHost(L"127.0.0.1:8080", e));
    EXPECT_EQ(e.host, L"127.0.0.1");
    EXPECT_EQ(e.port, 8080);
    ASSERT_TRUE(ParseDatabaseHost(L"[::1]:81", e));
    EXPECT_EQ(e.host, L"::1");
    EXPECT_EQ(e.port, 81);
    for (const wchar_t* bad : {L"host:", L"host:0", L"host:65536", L"host:8o", L"a b", L"http://x", L"x/y",
                               L"[::1", L"[]:80", L"[::1]x", L"a:1:2"}) {
        EXPECT_FALSE(ParseDatabaseHost(bad, e)) << Narrow(bad);
    }

    TempFolder temp;
    const std::wstring settings = temp / L"Lumenary.ini";
    ASSERT_TRUE(ReadDatabaseEndpoint(settings, e));  // no file yet: our own host
    EXPECT_EQ(e.host, kDefaultDatabaseHost);
    WriteUtf16File(settings, L"[SAVER_SETTING]\r\ndatabase_host=db.test:8123\r\n");
    ASSERT_TRUE(ReadDatabaseEndpoint(settings, e));
    EXPECT_EQ(e.host, L"db.test");
    EXPECT_EQ(e.port, 8123);
}

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_body.resize(100000);
        for (size_t i = 0; i < m_body.size(); ++i) m_body[i] = static_cast<unsigned char>((i * 7) ^ (i >> 9));
        ASSERT_TRUE(WriteBytes(m_db.Root() + L"\\blob.bin", m_body));
    }
    bool Get(InetHttp_CL& http, const std::wstring& path, const std::wstring& headers = L"") {
        return http.Open(QuickOptions().timeouts) && http.Connect(L"127.0.0.1", m_db.Server().port()) &&
               http.Request(path, headers) == 1;
    }
    DatabaseFolder m_db;
    std::vector<unsigned char> m_body;
};

TEST_F(HttpClientTest, ReadGathersEveryPieceOfATrickledBody) {
    m_db.Server().Misbehave("blob.bin", Misbehaviour::Trickle);
    InetHttp_CL http;
    ASSERT_TRUE(Get(http, L"blob.bin"));
    ASSERT_EQ(http.ContentLength(), 20000 * 5);
    // The body comes in pieces of 97 bytes: one platform read would stop short.
    ASSERT_EQ(http.Read(30000), 30000u);
    EXPECT_TRUE(std::equal(m_body.begin(), m_body.begin() + 30000, http.Data()));
    ASSERT_EQ(http.Skip(50000), 50000u);
    ASSERT_EQ(http.Read(20000), 20000u);
    EXPECT_TRUE(std::equal(m_body.begin() + 80000, m_body.end(), http.Data()));
    EXPECT_EQ(http.Read(10), 0u);  // the end of the data
}

TEST_F(HttpClientTest, OnlyStatus200CountsAnd206OnlyForARange) {
    InetHttp_CL missing;
    EXPECT_FALSE(Get(missing, L"nothing-here.bin"));
    EXPECT_EQ(missing.StatusCode(), 404u);
    EXPECT_GT(missing.ContentLength(), 0);  // an error page has a body of its own

    m_db.Server().Misbehave("blob.bin", Misbehaviour::ErrorStatus);
    InetHttp_CL error;
    EXPECT_FALSE(Get(error, L"blob.bin"));
    m_db.Server().Misbehave("blob.bin", Misbehaviour::None);

    InetHttp_CL range;
    ASSERT_TRUE(Get(range, L"blob.bin", RangeHeader(1000, 500)));
    EXPECT_EQ(range.StatusCode(), 206u);
    EXPECT_EQ(range.ContentLength(), 500);
    EXPECT_EQ(range.QueryHeader(HTTP_QUERY_CONTENT_RANGE), L"bytes 1000-1499/100000");
    ASSERT_EQ(range.Read(500), 500u);
    EXPECT_TRUE(std::equal(m_body.begin() + 1000, m_body.begin() + 1500, range.Data()));
    EXPECT_EQ(m_db.Server().Requests().back().range, "bytes=1000-1499");
}

TEST_F(HttpClientTest, NoLengthReadsAsZeroAndShortBodyReadsShort) {
    m_db.Server().Misbehave("blob.bin", Misbehaviour::NoContentLength);
    InetHttp_CL closeDelimited;
    ASSERT_TRUE(Get(closeDelimited, L"blob.bin"));
    EXPECT_EQ(closeDelimited.ContentLength(), 0);

    m_db.Server().Misbehave("blob.bin", Misbehaviour::Chunked);
    InetHttp_CL chunked;
    ASSERT_TRUE(Get(chunked, L"blob.bin"));
    EXPECT_EQ(chunked.ContentLength(), 0);

    m_db.Server().Misbehave("blob.bin", Misbehaviour::ShortBody);
    InetHttp_CL cut;
    ASSERT_TRUE(Get(cut, L"blob.bin"));
    EXPECT_EQ(cut.ContentLength(), 100000);
    EXPECT_EQ(cut.Read(100000), 50000u);
}

} // namespace
} // namespace lum::test
