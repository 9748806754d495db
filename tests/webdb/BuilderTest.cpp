#include "tests/webdb/DatabaseFixture.h"

#include "base/Scoped.h"
#include "tools/dbbuilder/Manifest.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

std::string U8(const std::wstring& text) { return dbbuilder::EncodeUtf8(text); }

struct ProcessResult {
    int exitCode = -1;
    std::string output;  // standard output and error, UTF-8
};

// Runs the database builder as its own process, as the publisher would.
ProcessResult RunBuilder(const std::vector<std::wstring>& arguments) {
    ProcessResult result;
    TempFolder temp;
    const std::wstring logPath = temp / L"builder.log";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueFile log(::CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return result;

    std::wstring command = L"\"" + TestBinFolder() + L"\\lumenary_dbbuilder.exe\"";
    for (const std::wstring& a : arguments) command += L" \"" + a + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = log.get();
    startup.hStdError = log.get();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                          &process)) {
        return result;
    }
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    if (::WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.hProcess, 99);
        ::WaitForSingleObject(process.hProcess, 5000);
        result.output = "builder did not finish";
        return result;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    log.reset();
    const std::vector<unsigned char> bytes = ReadBytes(logPath);
    result.output.assign(bytes.begin(), bytes.end());
    return result;
}

// A publisher's folder: savers, pictures and a manifest; the output goes
// into the served folder's "lumenary".
class BuilderTest : public ::testing::Test {
protected:
    std::wstring Publisher() const { return m_db.Root() + L"\\publisher"; }
    std::wstring ManifestPath() const { return Publisher() + L"\\manifest.tsv"; }
    void WriteManifest(const std::string& text) {
        MakeFolders(Publisher() + L"\\pictures");
        ASSERT_TRUE(WriteBytes(ManifestPath(), text));
    }
    void AddPicture(const std::wstring& name, unsigned char tag) {
        MakeFolders(Publisher() + L"\\pictures");
        ASSERT_TRUE(WriteBytes(Publisher() + L"\\pictures\\" + name, SmallPng(tag)));
    }
    ProcessResult Build() { return RunBuilder({L"--saver-dir", m_db.SaverFolder(), ManifestPath(), m_db.DbFolder()}); }
    FetchOutcome Lookup(const std::wstring& saver, SaverItem& item) {
        return LookupSaverInfo(m_db.Endpoint(), saver, m_db.DestFolder(), item, QuickOptions());
    }

    DatabaseFolder m_db;
};

TEST_F(BuilderTest, RoundTripThroughTheClient) {
    const std::wstring longName = std::wstring(95, L'長') + L".scr";  // 99 units
    const std::wstring star = MakeSaverFile(m_db.SaverFolder(), L"Starfield.scr", 4000, 1);
    const std::wstring bubbles = MakeSaverFile(m_db.SaverFolder(), L"Bubbles.scr", 100, 2);
    const std::wstring longSaver = MakeSaverFile(m_db.SaverFolder(), longName, 10, 3);
    const std::wstring copy = m_db.SaverFolder() + L"\\Stars2.scr";
    ASSERT_TRUE(::CopyFileW(star.c_str(), copy.c_str(), FALSE));
    const std::wstring elsewhere = MakeSaverFile(m_db.Root() + L"\\other", L"Plasma.scr", 300, 4);
    AddPicture(L"star.png", 1);
    AddPicture(L"bubbles.png", 2);
    AddPicture(L"long.png", 3);

    const std::wstring maxCategory(127, L'分');
    const std::wstring maxTitle(255, L'題');
    const std::wstring longNote(3000, L'文');
    std::string text = "# demo\n";
    text += "Starfield.scr\t" + U8(L"自然／風景") + "\t" + U8(L"星の海") + "\t" + U8(L"宇宙を進む") +
            "\thttp://s.example/\t1\tpictures/star.png\n";
    text += "Bubbles.scr\t" + U8(L"アート") + "\t" + U8(L"泡") + "\t\t\t0\tpictures/bubbles.png\n";
    text += U8(longName) + "\t" + U8(maxCategory) + "\t" + U8(maxTitle) + "\t" + U8(longNote) +
            "\thttp://l.example/\t0\tpictures/long.png\n";
    text += "Stars2.scr\t" + U8(L"幾何学模様") + "\t" + U8(L"星の海（別名）") + "\t\t\t0\tpictures/star.png\n";
    text += U8(elsewhere) + "\t" + U8(L"動物") + "\t" + U8(L"絶対パス") + "\t\t\t0\tpictures/bubbles.png\n";
    WriteManifest(text);

    const ProcessResult run = Build();
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("wrote 5 records and 3 pictures"), std::string::npos) << run.output;
    EXPECT_EQ(ReadBytes(m_db.DbFolder() + L"\\db_saver_index.txt").size(), 5 * kIndexRecordSize);
    EXPECT_EQ(ReadBytes(m_db.DbFolder() + L"\\images\\img00002.png"), SmallPng(3));
    EXPECT_FALSE(FileExists(m_db.DbFolder() + L"\\images\\img00003.png"));  // shared pictures, one file each

    SaverItem item;
    ASSERT_EQ(Lookup(star, item), FetchOutcome::Found);
    EXPECT_EQ(TextsOf(item), (Texts{L"自然／風景", L"星の海", L"宇宙を進む", L"http://s.example/"}));
    EXPECT_EQ(item.large_image, 1);
    EXPECT_EQ(ReadBytes(m_db.ImagePath()), SmallPng(1));

    ASSERT_EQ(Lookup(copy, item), FetchOutcome::Found);
    EXPECT_EQ(item.title, L"星の海（別名）");
    EXPECT_EQ(item.large_image, 0);
    EXPECT_EQ(ReadBytes(m_db.ImagePath()), SmallPng(1));

    ASSERT_EQ(Lookup(longSaver, item), FetchOutcome::Found);
    EXPECT_EQ(TextsOf(item), (Texts{maxCategory, maxTitle, longNote, L"http://l.example/"}));

    ASSERT_EQ(Lookup(bubbles, item), FetchOutcome::Found);
    EXPECT_EQ(item.title, L"泡");
    EXPECT_TRUE(item.note.empty());
    ASSERT_EQ(Lookup(elsewhere, item), FetchOutcome::Found);
    EXPECT_EQ(item.title, L"絶対パス");
    EXPECT_EQ(ReadBytes(m_db.ImagePath()), SmallPng(2));
}

struct Refusal {
    const char* what;
    std::string line;     // the manifest's third line
    const char* message;  // part of the builder's message
};

TEST_F(BuilderTest, EachRefusalNamesTheLineAndWritesNothing) {
    MakeSaverFile(m_db.SaverFolder(), L"Good.scr", 100, 1);
    MakeSaverFile(m_db.SaverFolder(), L"Other.scr", 200, 2);
    AddPicture(L"good.png", 1);
    ASSERT_TRUE(WriteBytes(Publisher() + L"\\pictures\\fake.png", std::string("<html>not a picture</html>")));
    const std::string good = "Good.scr\tc\tt\td\tw\t0\tpictures/good.png\n";
    // The manifest's own checks are the parser's (ManifestTest); one of them
    // stands here for how the builder reports them.
    const std::vector<Refusal> refusals = {
        {"long category", "Other.scr\t" + std::string(128, 'c') + "\tt\td\tw\t0\tpictures/good.png\n", "category is 128"},
        {"missing saver", "Gone.scr\tc\tt\td\tw\t0\tpictures/good.png\n", "cannot read the saver file"},
        {"missing picture", "Other.scr\tc\tt\td\tw\t0\tpictures/none.png\n", "cannot read the picture"},
        {"not png", "Other.scr\tc\tt\td\tw\t0\tpictures/fake.png\n", "is not a PNG file"},
        {"twice", good, "same saver file as line 2"},
    };
    for (const Refusal& r : refusals) {
        WriteManifest("# header\n" + good + r.line);
        const ProcessResult run = Build();
        EXPECT_EQ(run.exitCode, 1) << r.what << ": " << run.output;
        EXPECT_NE(run.output.find("manifest.tsv:3: error: "), std::string::npos) << r.what << ": " << run.output;
        EXPECT_NE(run.output.find(r.message), std::string::npos) << r.what << ": " << run.output;
        EXPECT_FALSE(FileExists(m_db.DbFolder() + L"\\db_saver_index.txt")) << r.what;
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
