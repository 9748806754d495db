// The pane's handling of browser events, fired through the real sink with
// hand-built arguments: Wine's browser object sends almost none of them.
#include "tests/browser/BrowserDoubles.h"

#include "base/Messages.h"

#include <exdispid.h>
#include <gtest/gtest.h>

namespace lum::test {
namespace {

class BrowserEvents : public ::testing::Test {
protected:
    void SetUp() override { pane.SetListener(&listener); }

    void NavigateComplete(IDispatch* frame, const wchar_t* url) {
        Fire(*sink.get(), DISPID_NAVIGATECOMPLETE2, vector(EventArg::Dispatch(frame), EventArg::StringByRef(url)));
    }
    void DocumentComplete(IDispatch* frame, const wchar_t* url) {
        Fire(*sink.get(), DISPID_DOCUMENTCOMPLETE, vector(EventArg::Dispatch(frame), EventArg::StringByRef(url)));
    }
    template <typename... A>
    static std::vector<EventArg> vector(A&&... args) {
        std::vector<EventArg> list;
        (list.push_back(std::move(args)), ...);
        return list;
    }

    FakeBrowserPane pane;
    RecordingListener listener;
    ComPtr<IDispatch> sink = pane.EventSink();
};

TEST_F(BrowserEvents, OnlyTheFirstFrameOfANavigationIsFollowed) {
    ComPtr<IDispatch> top = NewFrame(), inner = NewFrame();
    NavigateComplete(top.get(), L"http://a.example/");
    NavigateComplete(inner.get(), L"http://a.example/frame.html");
    EXPECT_TRUE(pane.IsLoading());
    DocumentComplete(inner.get(), L"http://a.example/frame.html");
    EXPECT_TRUE(pane.IsLoading());
    DocumentComplete(top.get(), L"http://a.example/");
    EXPECT_FALSE(pane.IsLoading());
    EXPECT_EQ(listener.navigated, std::vector<std::wstring>{L"http://a.example/"});
    EXPECT_EQ(listener.completed, std::vector<std::wstring>{L"http://a.example/"});

    // The next navigation is followed afresh.
    NavigateComplete(inner.get(), L"http://b.example/");
    EXPECT_EQ(listener.navigated.back(), L"http://b.example/");
}

TEST_F(BrowserEvents, ACompleteReadyStateEndsTheFollowedNavigation) {
    ComPtr<IDispatch> top = NewFrame();
    NavigateComplete(top.get(), L"http://a.example/");
    Fire(*sink.get(), DISPID_COMMANDSTATECHANGE, vector(EventArg::Int(1), EventArg::Int(0)));
    EXPECT_TRUE(pane.IsLoading());
    pane.readyState = READYSTATE_COMPLETE;
    Fire(*sink.get(), DISPID_COMMANDSTATECHANGE, vector(EventArg::Int(1), EventArg::Int(0)));
    EXPECT_FALSE(pane.IsLoading());
    DocumentComplete(top.get(), L"http://a.example/");
    EXPECT_TRUE(listener.completed.empty());
}

TEST_F(BrowserEvents, ArgumentsOfTheWrongCountOrTypeAreDropped) {
    ComPtr<IDispatch> top = NewFrame();
    Fire(*sink.get(), DISPID_NAVIGATECOMPLETE2, vector(EventArg::Dispatch(top.get())));
    Fire(*sink.get(), DISPID_NAVIGATECOMPLETE2, vector(EventArg::Int(5), EventArg::String(L"http://a.example/")));
    Fire(*sink.get(), DISPID_TITLECHANGE, vector(EventArg::Int(7)));
    Fire(*sink.get(), DISPID_TITLECHANGE, {});
    EXPECT_EQ(sink->Invoke(DISPID_TITLECHANGE, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              S_OK);
    EXPECT_FALSE(pane.IsLoading());
    EXPECT_TRUE(listener.navigated.empty());
    EXPECT_TRUE(listener.titles.empty());

    Fire(*sink.get(), DISPID_TITLECHANGE, vector(EventArg::String(L"ABC")));
    EXPECT_EQ(listener.titles, std::vector<std::wstring>{L"ABC"});
}

TEST_F(BrowserEvents, NewWindowsAreAlwaysCancelledAndOpenedOnlyWhenTheUserAskedForAWebPage) {
    struct Case {
        long flags;
        const wchar_t* url;
        bool opened;
    } cases[] = {
        {0x2, L"http://a.example/x", true},          // user-initiated
        {0x80000, L"https://a.example/y", true},     // user-requested
        {0x0, L"http://a.example/popup", false},     // script in a loop
        {0x2, L"file:///C:/windows/win.ini", false},
        {0x2, L"javascript:alert(1)", false},
    };
    for (const Case& c : cases) {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        pane.openedOutside.clear();
        Fire(*sink.get(), DISPID_NEWWINDOW3,
             vector(EventArg::Dispatch(nullptr), EventArg::BoolRef(&cancel), EventArg::Int(c.flags),
                    EventArg::String(L"http://a.example/"), EventArg::String(c.url)));
        EXPECT_EQ(cancel, VARIANT_TRUE) << c.url;
        EXPECT_EQ(pane.openedOutside.size(), c.opened ? 1u : 0u) << c.url;
    }
}

TEST_F(BrowserEvents, AClosedPaneHearsNoMoreEventsWhileTheSinkLivesOn) {
    sink->AddRef();  // as the browser would still hold it
    pane.CloseBrowser();
    ComPtr<IDispatch> top = NewFrame();
    NavigateComplete(top.get(), L"http://a.example/");
    Fire(*sink.get(), DISPID_TITLECHANGE, vector(EventArg::String(L"late")));
    EXPECT_TRUE(listener.navigated.empty());
    EXPECT_TRUE(listener.titles.empty());
    EXPECT_EQ(sink->Release(), 1u);
}

TEST_F(BrowserEvents, HistoryKeepsTheNearestFiftyPagesAndItsMenusTravelByOffset) {
    for (int i = 1; i <= 60; ++i)
        pane.log.back.push_back({L"back " + std::to_wstring(i), L"http://b.example/" + std::to_wstring(i)});
    pane.log.forward = {{L"", L"http://f.example/1"}, {L"next 2", L"http://f.example/2"}};
    Fire(*sink.get(), DISPID_TITLECHANGE, vector(EventArg::String(L"now")));

    ASSERT_EQ(pane.BackEntries().size(), 50u);
    EXPECT_EQ(pane.BackEntries().front().title, L"back 1");
    EXPECT_EQ(pane.BackEntries().back().title, L"back 50");
    ASSERT_EQ(pane.ForwardEntries().size(), 2u);

    PopupMenu_CL back, forward;
    pane.BuildHistoryMenu(back, false);
    pane.BuildHistoryMenu(forward, true);
    ASSERT_EQ(::GetMenuItemCount(back.Handle()), 50);
    EXPECT_EQ(::GetMenuItemID(back.Handle(), 0), kIdHistoryBackFirst);
    EXPECT_EQ(::GetMenuItemID(back.Handle(), 49), kIdHistoryBackFirst + 49);
    EXPECT_EQ(back.m_Entries[0].m_nImage, 0);
    EXPECT_EQ(forward.m_Entries[0].m_Text, L"http://f.example/1");  // no title: its address
    EXPECT_EQ(forward.m_Entries[1].m_Info.wID, kIdHistoryForwardFirst + 1);
    EXPECT_EQ(forward.m_Entries[1].m_nImage, 1);

    pane.TravelTo(-3);
    pane.TravelTo(2);
    pane.TravelTo(5);  // beyond the list: nowhere
    EXPECT_EQ(pane.log.travelled, (std::vector<int>{-3, 2}));
}

} // namespace
} // namespace lum::test
