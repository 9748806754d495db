// The system's browser object for real: created, placed in the pane, and
// navigated by the address bar, a favourite and the download command to a
// local HTTP server.
// Closing the window ends its process.
#include "tests/webdb/TestHttpServer.h"
#include "tests/mainview/MainWindowFixture.h"

#include "app/MainWindowClass.h"
#include "base/Messages.h"
#include "views/LikeMenu.h"

namespace lum::test {
namespace {

using std::chrono::milliseconds;

class RealBrowserTest : public MainWindowTest, public ::testing::WithParamInterface<BrowserKind> {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        MakeFolders(m_collection.InRoot(L"site"));
        for (const std::string page : {"typed", "fav", "dl"})
            WriteBytes(m_collection.InRoot(L"site\\" + std::wstring(page.begin(), page.end()) + L".html"),
                       "<html><body>" + page + "</body></html>");
        m_server = std::make_unique<TestHttpServer>(m_collection.InRoot(L"site"));
        ASSERT_TRUE(m_server->running());
    }
    std::wstring Url(const char* page) const {
        return L"http://127.0.0.1:" + std::to_wstring(m_server->port()) + L"/" +
               std::wstring(page, page + strlen(page));
    }
    bool Requested(const char* page) {
        return PumpUntil([&] { return m_server->CountRequests(page) > 0; }, milliseconds(15000));
    }
    std::unique_ptr<TestHttpServer> m_server;  // outlives the window: destroyed after TearDown
};

TEST_P(RealBrowserTest, AddressFavouriteAndDownloadPageReachTheServer) {
    m_view = std::make_unique<MainView_CL>();
    m_view->SetSettingsPath(m_collection.catalog.settings_path);
    m_view->SetBrowserKind(GetParam());
    m_hwnd = CreateMainWindow(::GetModuleHandleW(nullptr), *m_view);
    ASSERT_NE(m_hwnd, nullptr);
    m_view->SetWindow(m_hwnd);
    BrowserWindow_CL& browser = m_view->BrowserPane();
    ASSERT_TRUE(browser.HasBrowser());
    if (GetParam() == BrowserKind::Automatic && !browser.IsInProcess()) {
        ASSERT_NE(browser.BrowserWnd(), nullptr);
        EXPECT_EQ(::GetParent(browser.BrowserWnd()), m_view->BrowserHost());
    }

    MenuMain_CL& bar = m_view->CommandBar();
    ::SetWindowTextW(bar.AddressCombo(), Url("typed.html").c_str());
    ::SendMessageW(::GetWindow(bar.AddressCombo(), GW_CHILD), WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(Requested("typed.html"));

    const std::wstring favourites = m_collection.InRoot(L"Favorites");
    MakeFolders(favourites);
    WriteBytes(favourites + L"\\local.url", "[InternetShortcut]\r\nURL=" + Narrow(Url("fav.html")) + "\r\n");
    bar.SetFavouritesFolder(favourites);
    ASSERT_TRUE(bar.BuildFavouritesMenu());
    ::SendMessageW(m_hwnd, WM_COMMAND, kIdFavouriteFirst, 0);
    EXPECT_TRUE(Requested("fav.html"));

    // The selected entry's download page, through the context menu's command.
    TheCurrentSelection().current_item.web = Url("dl.html");
    ::SendMessageW(m_hwnd, WM_COMMAND, kCmdOpenDownloadPage, 0);
    EXPECT_TRUE(Requested("dl.html"));

    // Closing leaves no browser process behind.
    DWORD processId = 0;
    ::GetWindowThreadProcessId(browser.BrowserWnd(), &processId);
    ::SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(m_hwnd); }));
    EXPECT_FALSE(browser.HasBrowser());
    if (processId && processId != ::GetCurrentProcessId()) {
        UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
        // Asked to close, it may still be on its way out on a busy machine.
        EXPECT_TRUE(!process || ::WaitForSingleObject(process.get(), 15000) == WAIT_OBJECT_0);
    }
}

INSTANTIATE_TEST_SUITE_P(Hosting, RealBrowserTest, ::testing::Values(BrowserKind::Automatic, BrowserKind::InProcess));

} // namespace
} // namespace lum::test
