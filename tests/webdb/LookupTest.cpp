#include "tests/webdb/DatabaseFixture.h"

#include "store/SaverDatabase.h"
#include "store/WebSaverDatabase.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

constexpr char kIndexPath[] = "lumenary/db_saver_index.txt";
constexpr char kStringsPath[] = "lumenary/db_saver_string.txt";

// A database made with the builder's writer: the savers of interest after
// sixty others, so that a lookup searches past the index's first chunk.
class LookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_star = MakeSaverFile(m_db.SaverFolder(), L"Starfield.scr", 5000, 1);
        m_bubbles = MakeSaverFile(m_db.SaverFolder(), L"Bubbles.scr", 300, 2);
        m_unknown = MakeSaverFile(m_db.SaverFolder(), L"Unknown.scr", 700, 3);
        m_plain = MakeSaverFile(m_db.SaverFolder(), L"Plain.scr", 400, 8);
        for (int i = 0; i < 60; ++i) m_writer.Add(0x5000 + i, L"filler.scr", {L"", L"f", L"", L""}, false, 0);
        m_writer.Add(KeyOf(m_bubbles), L"Bubbles.scr", {L"アート", L"泡", L"ふわふわ", L"http://b.example/"}, false, 1);
        m_writer.Add(KeyOf(m_star), L"Starfield.scr",
                     {L"自然／風景", L"星の海", L"宇宙を\r\n進む", L"http://s.example/star"}, true, 0);
        m_writer.Add(KeyOf(m_plain), L"Plain.scr", {L"", L"", L"説明だけ", L""}, false, 1);
        m_pictures = {SmallPng(10), SmallPng(11)};
        m_db.PointSettingsAt(m_db.Server().HostSetting());
    }
    void Publish() { m_db.Write(m_writer, m_pictures); }
    // A lookup of its own; a batch that holds the index already (from a
    // lookup of an unknown saver first) must answer the same.
    FetchOutcome Lookup(const std::wstring& saver, SaverItem& item, SeekMethod seek = SeekMethod::Automatic) {
        SaverItem inBatch = item, warm;
        const FetchOutcome alone = LookupSaverInfo(m_db.Endpoint(), saver, m_db.DestFolder(), item, QuickOptions(seek));
        WebSaverDatabase_CL batch(m_db.SettingsPath(), QuickOptions(seek));
        batch.FetchInfo(m_unknown, m_db.DestFolder(), warm);
        batch.FetchInfo(saver, m_db.DestFolder(), inBatch);
        EXPECT_EQ(batch.LastOutcome(), alone);
        EXPECT_EQ(TextsOf(inBatch), TextsOf(item));
        EXPECT_EQ(inBatch.large_image, item.large_image);
        return alone;
    }

    DatabaseFolder m_db;
    dbbuilder::DatabaseWriter m_writer;
    std::vector<std::vector<unsigned char>> m_pictures;
    std::wstring m_star, m_bubbles, m_unknown, m_plain;
};

TEST_F(LookupTest, KnownSaversFillTheRecordAndWriteTheirPictureOthersAreNotFound) {
    // The longest fields a record holds, under the longest name (99 units).
    const std::wstring longName = std::wstring(95, L'長') + L".scr";
    const std::wstring longest = MakeSaverFile(m_db.SaverFolder(), longName, 10, 4);
    const Texts most{std::wstring(127, L'分'), std::wstring(255, L'題'), std::wstring(3000, L'文'), L"http://l/"};
    m_writer.Add(KeyOf(longest), longName, {most[0], most[1], most[2], most[3]}, false, 1);
    Publish();
    SaverItem item;
    ASSERT_EQ(FetchSaverInfo(m_db.SettingsPath(), m_star, m_db.DestFolder(), item), 1);
    EXPECT_EQ(TextsOf(item), (Texts{L"自然／風景", L"星の海", L"宇宙を\r\n進む", L"http://s.example/star"}));
    EXPECT_EQ(item.large_image, 1);
    EXPECT_EQ(ReadBytes(m_db.ImagePath()), m_pictures[0]);

    // An empty category and title leave the record's own.
    SaverItem plain;
    plain.category = L"未設定";
    plain.title = L"Plain";
    ASSERT_EQ(Lookup(m_plain, plain), FetchOutcome::Found);
    EXPECT_EQ(TextsOf(plain), (Texts{L"未設定", L"Plain", L"説明だけ", L""}));
    ASSERT_EQ(Lookup(longest, item), FetchOutcome::Found);
    EXPECT_EQ(TextsOf(item), most);

    // Unknown, missing and changed savers (other bytes: another saver) are not found.
    ::DeleteFileW(m_db.ImagePath().c_str());
    const int stringRequests = m_db.Server().CountRequests(kStringsPath);
    std::vector<unsigned char> bytes = ReadBytes(m_star);
    bytes[10] ^= 1;
    WriteBytes(m_star, bytes);
    for (const std::wstring& saver : {m_unknown, m_db.SaverFolder() + L"\\gone.scr", m_star}) {
        SaverItem item;
        EXPECT_EQ(Lookup(saver, item), FetchOutcome::NotFound) << Narrow(saver);
    }
    EXPECT_FALSE(FileExists(m_db.ImagePath()));
    EXPECT_EQ(m_db.Server().CountRequests(kStringsPath), stringRequests);
}

TEST_F(LookupTest, ABatchDownloadsTheIndexOnceAndTheStringsByRange) {
    Publish();
    WebSaverDatabase_CL batch(m_db.SettingsPath(), QuickOptions());
    SaverItem star, bubbles, unknown;
    ASSERT_TRUE(batch.FetchInfo(m_star, m_db.DestFolder(), star));
    ASSERT_TRUE(batch.FetchInfo(m_bubbles, m_db.DestFolder(), bubbles));
    EXPECT_FALSE(batch.FetchInfo(m_unknown, m_db.DestFolder(), unknown));
    EXPECT_EQ(star.title, L"星の海");
    EXPECT_EQ(bubbles.title, L"泡");
    EXPECT_EQ(m_db.Server().CountRequests(kIndexPath), 1);
    EXPECT_EQ(m_db.Server().CountRequests(kStringsPath), 2);
    for (const RecordedRequest& request : m_db.Server().Requests())
        EXPECT_TRUE(request.path != kStringsPath || !request.range.empty()) << "strings without a range";

    // The host is read at each lookup: pointed at another server, the batch
    // fetches that server's index and picture.
    DatabaseFolder mirror;
    dbbuilder::DatabaseWriter other;
    other.Add(KeyOf(m_star), L"Starfield.scr", {L"映画", L"ミラーの星", L"", L""}, false, 0);
    mirror.Write(other, {SmallPng(99)});
    m_db.PointSettingsAt(mirror.Server().HostSetting());
    ASSERT_TRUE(batch.FetchInfo(m_star, m_db.DestFolder(), star));
    EXPECT_EQ(star.title, L"ミラーの星");
    EXPECT_EQ(mirror.Server().CountRequests(kIndexPath), 1);
    EXPECT_EQ(ReadBytes(m_db.ImagePath()), SmallPng(99));
}

// Error pages, answers without a length and cut bodies of each of the three
// files: a lookup never takes them for the file and never leaves a picture.
// An index sent in small pieces is read whole.
TEST_F(LookupTest, AMisbehavingServerGivesNoWrongAnswer) {
    Publish();
    const char* picture = "lumenary/images/img00000.png";
    struct Case {
        const char* path;
        Misbehaviour how;
        SeekMethod seek;
        FetchOutcome outcome;  // Found stands for "anything but Found" with a cut body
    };
    std::vector<Case> cases;
    for (const char* path : {kIndexPath, kStringsPath, picture}) {
        cases.push_back({path, Misbehaviour::ErrorStatus, SeekMethod::Automatic, FetchOutcome::Failed});
        for (SeekMethod seek : {SeekMethod::Automatic, SeekMethod::Discard})
            cases.push_back({path, Misbehaviour::ShortBody, seek, FetchOutcome::Found});
    }
    cases.push_back({kIndexPath, Misbehaviour::Trickle, SeekMethod::Automatic, FetchOutcome::Found});
    for (Misbehaviour how : {Misbehaviour::NoContentLength, Misbehaviour::Chunked}) {
        cases.push_back({kIndexPath, how, SeekMethod::Automatic, FetchOutcome::NotFound});
        // Strings without a length: a Range answer still names the file's size
        // (Content-Range), so that way works; a whole-file answer cannot be
        // checked against the record and finds nothing.
        cases.push_back({kStringsPath, how, SeekMethod::Range, FetchOutcome::Found});
        cases.push_back({kStringsPath, how, SeekMethod::Discard, FetchOutcome::NotFound});
        cases.push_back({picture, how, SeekMethod::Automatic, FetchOutcome::Failed});  // an empty thumbnail
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.path << " misbehaviour " << static_cast<int>(c.how) << " seek "
                                        << static_cast<int>(c.seek));
        m_db.Server().Misbehave(c.path, c.how);
        SaverItem item;
        const FetchOutcome outcome = Lookup(m_star, item, c.seek);
        const bool found = c.how != Misbehaviour::ShortBody && c.outcome == FetchOutcome::Found;
        if (c.how != Misbehaviour::ShortBody) {
            EXPECT_EQ(outcome, c.outcome);
        }
        EXPECT_EQ(outcome == FetchOutcome::Found, found);
        EXPECT_TRUE(!found || item.title == L"星の海");
        EXPECT_EQ(FileExists(m_db.ImagePath()), found);
        ::DeleteFileW(m_db.ImagePath().c_str());
        m_db.Server().Misbehave(c.path, Misbehaviour::None);
    }
}

TEST_F(LookupTest, EveryWayToTheStringsGivesTheSameBytesAndNothingPastTheirEnd) {
    // Many records, so the wanted strings lie well inside the file.
    dbbuilder::DatabaseWriter w;
    for (int i = 0; i < 400; ++i) {
        w.Add(0x9000 + i, L"n" + std::to_wstring(i) + L".scr",
              {L"c" + std::to_wstring(i), L"t", std::wstring(i % 50, L'説'), L"w"}, false, 0);
    }
    m_db.Write(w, m_pictures);
    const SaverIndexRecord record = DecodeIndexRecord(w.Index().data() + 333 * kIndexRecordSize);
    const std::vector<unsigned char> expected(w.Strings().begin() + record.stringOffset,
                                              w.Strings().begin() + record.stringOffset + record.StringBytes());

    // Small pieces need every read gathered (and skipped over); a server
    // that ignores Range is skipped up to the bytes, but not by Range alone.
    for (Misbehaviour how : {Misbehaviour::None, Misbehaviour::Trickle, Misbehaviour::IgnoreRange}) {
        m_db.Server().Misbehave(kStringsPath, how);
        for (SeekMethod seek : {SeekMethod::Automatic, SeekMethod::Range, SeekMethod::Discard}) {
            SCOPED_TRACE(testing::Message() << "misbehaviour " << static_cast<int>(how) << " seek " << static_cast<int>(seek));
            const bool byRangeAlone = how == Misbehaviour::IgnoreRange && seek == SeekMethod::Range;
            std::vector<unsigned char> bytes;
            ASSERT_EQ(FetchStringBytes(m_db.Endpoint(), record.stringOffset, record.StringBytes(), QuickOptions(seek), bytes),
                      byRangeAlone ? FetchOutcome::Failed : FetchOutcome::Found);
            if (!byRangeAlone) {
                EXPECT_EQ(bytes, expected);
            }
        }
    }

    // Strings that start or end past the end of the file (a broken record)
    // are not there, whichever the way.
    m_db.Server().Misbehave(kStringsPath, Misbehaviour::None);
    const uint32_t size = static_cast<uint32_t>(w.Strings().size());
    const std::pair<uint32_t, uint32_t> beyond[] = {{size - 10, 20}, {size, 1}, {size + 5000, 1}, {0xFFFFFFF0u, 32}};
    for (const auto& [offset, count] : beyond) {
        for (SeekMethod seek : {SeekMethod::Automatic, SeekMethod::Range, SeekMethod::Discard}) {
            std::vector<unsigned char> bytes;
            EXPECT_EQ(FetchStringBytes(m_db.Endpoint(), offset, count, QuickOptions(seek), bytes),
                      FetchOutcome::NotFound) << offset << " " << static_cast<int>(seek);
        }
    }
}

// A refused connection or a server that never answers costs one try per
// batch: the rest of the batch asks no more, even once the server is back.
TEST_F(LookupTest, AnUnreachableServerCostsOneTryPerBatch) {
    Publish();
    const std::wstring refused = L"127.0.0.1:" + std::to_wstring(ClosedPort());
    SaverItem item;
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent server" : "refused connection");
        m_db.Server().MisbehaveEverywhere(silent ? Misbehaviour::Silent : Misbehaviour::None);
        m_db.PointSettingsAt(silent ? m_db.Server().HostSetting() : refused);
        WebSaverDatabase_CL source(m_db.SettingsPath(), QuickOptions());
        EXPECT_FALSE(source.FetchInfo(m_star, m_db.DestFolder(), item));
        EXPECT_TRUE(source.ServerUnreachable());
        m_db.Server().MisbehaveEverywhere(Misbehaviour::None);
        m_db.PointSettingsAt(m_db.Server().HostSetting());
        for (int i = 0; i < 4; ++i) EXPECT_FALSE(source.FetchInfo(m_star, m_db.DestFolder(), item));
        EXPECT_EQ(source.LastOutcome(), FetchOutcome::Unreachable);
        EXPECT_EQ(source.LookupCount(), 1);
        EXPECT_EQ(m_db.Server().CountRequests(kIndexPath), silent ? 1 : 0);
    }
    EXPECT_TRUE(WaitUntil([this] { return m_db.Server().ClientHangups() == 1; })) << "the client gave up the wait";
    WebSaverDatabase_CL next(m_db.SettingsPath(), QuickOptions());
    EXPECT_TRUE(next.FetchInfo(m_star, m_db.DestFolder(), item)) << "a new batch asks again";
}

} // namespace
} // namespace lum::test
