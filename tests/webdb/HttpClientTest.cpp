#include "tests/webdb/DatabaseFixture.h"

#include "store/SaverDatabase.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(std::make_tuple(r.first, r.last, r.total), std::make_tuple(10u, 19u, 100));
    ASSERT_TRUE(ParseContentRange(L"bytes 0-0/*", r));
    EXPECT_EQ(r.total, -1);
    for (const wchar_t* bad : {L"bytes 10-9/100", L"bytes 10-19/15", L"bytes */100", L"items 1-2/3"})
        EXPECT_FALSE(ParseContentRange(bad, r)) << Narrow(bad);
    EXPECT_EQ(RangeHeader(100, 28), L"Range: bytes=100-127\r\n");
}

// Error pages, missing lengths, cut bodies, ranges and bodies sent in small
// pieces are read through the lookups (LookupTest).
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

} // namespace
} // namespace lum::test
