#include "tests/webdb/DatabaseFixture.h"

#include "tests/support/RunningProgram.h"
#include "tools/dbbuilder/Manifest.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

std::string U8(const std::wstring& text) { return dbbuilder::EncodeUtf8(text); }

struct ProcessResult {
    int exitCode = -1;
    std::string output;  // standard output and error, UTF-8
};

// Runs the database builder as its own process, as the publisher would;
// the command interpreter gathers what it prints into one file.
ProcessResult RunBuilder(const std::vector<std::wstring>& arguments) {
    TempFolder temp;
    std::wstring command = L"/c \"\"" + TestBinFolder() + L"\\lumenary_dbbuilder.exe\"";
    for (const std::wstring& a : arguments) command += L" \"" + a + L"\"";
    RunningProgram builder(L"C:\\windows\\system32\\cmd.exe", command + L" > \"" + (temp / L"log") + L"\" 2>&1\"");
    const DWORD code = builder.WaitForExit(120000);
    const std::vector<unsigned char> log = ReadBytes(temp / L"log");
    return {code == STILL_ACTIVE ? -1 : static_cast<int>(code), std::string(log.begin(), log.end())};
}

// A publisher's folder: savers, pictures and a manifest; the output goes
// into the served folder's "lumenary".
class BuilderTest : public ::testing::Test {
protected:
    std::wstring Publisher() const { return m_db.Root() + L"\\publisher"; }
    std::wstring ManifestPath() const { return Publisher() + L"\\manifest.tsv"; }
    void SetUp() override { MakeFolders(Publisher() + L"\\pictures"); }
    void WriteManifest(const std::string& text) { ASSERT_TRUE(WriteBytes(ManifestPath(), text)); }
    void AddPicture(const std::wstring& name, unsigned char tag) {
        ASSERT_TRUE(WriteBytes(Publisher() + L"\\pictures\\" + name, SmallPng(tag)));
    }
    ProcessResult Build() { return RunBuilder({L"--saver-dir", m_db.SaverFolder(), ManifestPath(), m_db.DbFolder()}); }

    DatabaseFolder m_db;
};

TEST_F(BuilderTest, RoundTripThroughTheClient) {
    const std::wstring star = MakeSaverFile(m_db.SaverFolder(), L"Starfield.scr", 4000, 1);
    const std::wstring copy = m_db.SaverFolder() + L"\\Stars2.scr";
    ASSERT_TRUE(::CopyFileW(star.c_str(), copy.c_str(), FALSE));
    const std::wstring elsewhere = MakeSaverFile(m_db.Root() + L"\\other", L"Plasma.scr", 300, 4);
    for (unsigned char tag = 1; tag <= 3; ++tag) AddPicture(std::to_wstring(tag) + L".png", tag);
    struct Row {
        std::wstring saver;
        Texts texts;
        int large;
        unsigned char picture;  // shared pictures are written once each
    };
    const Row rows[] = {
        {star, {L"自然／風景", L"星の海", L"宇宙を進む", L"http://s.example/"}, 1, 1},
        {MakeSaverFile(m_db.SaverFolder(), L"Bubbles.scr", 100, 2), {L"アート", L"泡", L"", L""}, 0, 2},
        // The longest name (99 units), category, title and a long note.
        {MakeSaverFile(m_db.SaverFolder(), std::wstring(95, L'長') + L".scr", 10, 3),
         {std::wstring(127, L'分'), std::wstring(255, L'題'), std::wstring(3000, L'文'), L"http://l.example/"}, 0, 3},
        {copy, {L"幾何学模様", L"星の海（別名）", L"", L""}, 0, 1},
        {elsewhere, {L"動物", L"絶対パス", L"", L""}, 0, 2}};
    std::string text = "# demo\n";
    for (const Row& r : rows) {
        // Savers of the saver folder by their name, the other one by its whole path.
        text += U8(r.saver == elsewhere ? elsewhere : dbbuilder::BaseName(r.saver));
        for (const std::wstring& field : r.texts) text += "\t" + U8(field);
        text += "\t" + std::to_string(r.large) + "\tpictures/" + std::to_string(r.picture) + ".png\n";
    }
    WriteManifest(text);

    const ProcessResult run = Build();
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("wrote 5 records and 3 pictures"), std::string::npos) << run.output;
    EXPECT_FALSE(FileExists(m_db.DbFolder() + L"\\images\\img00003.png"));
    for (const Row& r : rows) {
        SaverItem item;
        ASSERT_EQ(LookupSaverInfo(m_db.Endpoint(), r.saver, m_db.DestFolder(), item, QuickOptions()),
                  FetchOutcome::Found) << Narrow(r.saver);
        EXPECT_EQ(TextsOf(item), r.texts);
        EXPECT_EQ(item.large_image, r.large);
        EXPECT_EQ(ReadBytes(m_db.ImagePath()), SmallPng(r.picture));
    }
}

TEST_F(BuilderTest, EachRefusalNamesTheLineAndWritesNothing) {
    MakeSaverFile(m_db.SaverFolder(), L"Good.scr", 100, 1);
    MakeSaverFile(m_db.SaverFolder(), L"Other.scr", 200, 2);
    AddPicture(L"good.png", 1);
    ASSERT_TRUE(WriteBytes(Publisher() + L"\\pictures\\fake.png", std::string("<html>not a picture</html>")));
    const std::string good = "Good.scr\tc\tt\td\tw\t0\tpictures/good.png\n";
    // The manifest's third line and part of the builder's message. The
    // manifest's own checks are the parser's (ManifestTest); one of them
    // stands here for how the builder reports them.
    const std::pair<std::string, const char*> refusals[] = {
        {"Other.scr\t" + std::string(128, 'c') + "\tt\td\tw\t0\tpictures/good.png\n", "category is 128"},
        {"Gone.scr\tc\tt\td\tw\t0\tpictures/good.png\n", "cannot read the saver file"},
        {"Other.scr\tc\tt\td\tw\t0\tpictures/none.png\n", "cannot read the picture"},
        {"Other.scr\tc\tt\td\tw\t0\tpictures/fake.png\n", "is not a PNG file"},
        {good, "same saver file as line 2"}};
    for (const auto& [line, message] : refusals) {
        WriteManifest("# header\n" + good + line);
        const ProcessResult run = Build();
        SCOPED_TRACE(run.output);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.output.find("manifest.tsv:3: error: "), std::string::npos);
        EXPECT_NE(run.output.find(message), std::string::npos);
        EXPECT_FALSE(FileExists(m_db.DbFolder() + L"\\db_saver_index.txt"));
    }
}

TEST_F(BuilderTest, CommandLineMistakes) {
    EXPECT_EQ(RunBuilder({}).exitCode, 2);
    EXPECT_EQ(RunBuilder({L"--saver-dir"}).exitCode, 2);
    EXPECT_EQ(RunBuilder({L"--bogus", L"a", L"b"}).exitCode, 2);
    const ProcessResult missing = RunBuilder({m_db.Root() + L"\\none.tsv", m_db.DbFolder()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("cannot read the manifest"), std::string::npos) << missing.output;
}

} // namespace
} // namespace lum::test
