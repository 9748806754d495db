// The pane's handling of browser events, fired through the real sink with
// hand-built arguments (Wine's browser object sends almost none of them).
#include "views/BrowserWindow.h"
#include "views/EventSink.h"

#include <exdispid.h>
#include <gtest/gtest.h>

#include <deque>

namespace lum::test {
namespace {

struct RecordingListener : BrowserEventListener_IF {
    std::vector<std::wstring> titles, navigated, completed;
    void OnTitleChange(const std::wstring& t) override { titles.push_back(t); }
    void OnTopNavigateComplete(const std::wstring& u) override { navigated.push_back(u); }
    void OnTopDocumentComplete(const std::wstring& u) override { completed.push_back(u); }
};

// A pane without a browser object whose questions the test answers.
class FakeBrowserPane : public BrowserWindow_CL {
public:
    long readyState = READYSTATE_LOADING;
    std::vector<std::wstring> openedOutside;

protected:
    long ReadyState() override { return readyState; }
    void OpenOutside(const std::wstring& url) override { openedOutside.push_back(url); }
};

// An event's arguments in its signature order; Fire lays them into
// DISPPARAMS in reverse, as browsers do.
class Args {
public:
    ~Args() {
        for (VARIANT& v : m_values) ::VariantClear(&v);
        for (VARIANT& v : m_targets) ::VariantClear(&v);
    }
    Args& String(const wchar_t* text) { Add(VT_BSTR).bstrVal = ::SysAllocString(text); return *this; }
    Args& StringByRef(const wchar_t* text) {
        VARIANT& target = m_targets.emplace_back();
        target.vt = VT_BSTR;
        target.bstrVal = ::SysAllocString(text);
        Add(VT_VARIANT | VT_BYREF).pvarVal = &target;
        return *this;
    }
    Args& Dispatch(IDispatch* object) {
        if (object) object->AddRef();
        Add(VT_DISPATCH).pdispVal = object;
        return *this;
    }
    Args& Int(long value) { Add(VT_I4).lVal = value; return *this; }
    Args& BoolRef(VARIANT_BOOL* flag) { Add(VT_BOOL | VT_BYREF).pboolVal = flag; return *this; }
    HRESULT Fire(IDispatch& sink, DISPID id) {
        std::vector<VARIANT> reversed(m_values.rbegin(), m_values.rend());
        DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        return sink.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }

private:
    VARIANT& Add(VARTYPE type) {
        VARIANT& value = m_values.emplace_back();
        value.vt = type;
        return value;
    }
    std::deque<VARIANT> m_values, m_targets;
};

// An IDispatch that stands for a frame; identity is all the pane uses.
ComPtr<IDispatch> NewFrame() { return ComPtr<IDispatch>(new EventSink_CL(nullptr)); }

class BrowserEvents : public ::testing::Test {
protected:
    void SetUp() override { pane.SetListener(&listener); }
    void NavigateComplete(IDispatch* frame, const wchar_t* url) {
        Args().Dispatch(frame).StringByRef(url).Fire(*sink.get(), DISPID_NAVIGATECOMPLETE2);
    }
    void DocumentComplete(IDispatch* frame, const wchar_t* url) {
        Args().Dispatch(frame).StringByRef(url).Fire(*sink.get(), DISPID_DOCUMENTCOMPLETE);
    }
    void CommandStateChange() { Args().Int(1).Int(0).Fire(*sink.get(), DISPID_COMMANDSTATECHANGE); }

    FakeBrowserPane pane;
    RecordingListener listener;
    ComPtr<IDispatch> sink = pane.EventSink();
};

// Only the first frame of a navigation is followed, until its document
// completes or the ready state says complete.
TEST_F(BrowserEvents, TheFirstFrameOfANavigationIsFollowedToItsEnd) {
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

    // The next navigation is followed afresh, and a complete ready state ends it.
    NavigateComplete(inner.get(), L"http://b.example/");
    EXPECT_EQ(listener.navigated.back(), L"http://b.example/");
    CommandStateChange();
    EXPECT_TRUE(pane.IsLoading());
    pane.readyState = READYSTATE_COMPLETE;
    CommandStateChange();
    EXPECT_FALSE(pane.IsLoading());
    DocumentComplete(inner.get(), L"http://b.example/");
    EXPECT_EQ(listener.completed.size(), 1u);
}

TEST_F(BrowserEvents, ArgumentsOfTheWrongCountOrTypeAreDropped) {
    ComPtr<IDispatch> top = NewFrame();
    Args().Dispatch(top.get()).Fire(*sink.get(), DISPID_NAVIGATECOMPLETE2);
    Args().Int(7).Fire(*sink.get(), DISPID_TITLECHANGE);
    EXPECT_EQ(sink->Invoke(DISPID_TITLECHANGE, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              S_OK);
    EXPECT_FALSE(pane.IsLoading());
    EXPECT_TRUE(listener.navigated.empty());
    EXPECT_TRUE(listener.titles.empty());

    Args().String(L"ABC").Fire(*sink.get(), DISPID_TITLECHANGE);
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
        {0x2, L"javascript:alert(1)", false},  // no web page (BrowserRulesTest)
    };
    for (const Case& c : cases) {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        pane.openedOutside.clear();
        Args().Dispatch(nullptr).BoolRef(&cancel).Int(c.flags).String(L"http://a.example/").String(c.url)
            .Fire(*sink.get(), DISPID_NEWWINDOW3);
        EXPECT_EQ(cancel, VARIANT_TRUE) << c.url;
        EXPECT_EQ(pane.openedOutside.size(), c.opened ? 1u : 0u) << c.url;
    }
}

TEST_F(BrowserEvents, AClosedPaneHearsNoMoreEventsWhileTheSinkLivesOn) {
    sink->AddRef();  // as the browser would still hold it
    pane.CloseBrowser();
    ComPtr<IDispatch> top = NewFrame();
    NavigateComplete(top.get(), L"http://a.example/");
    Args().String(L"late").Fire(*sink.get(), DISPID_TITLECHANGE);
    EXPECT_TRUE(listener.navigated.empty());
    EXPECT_TRUE(listener.titles.empty());
    EXPECT_EQ(sink->Release(), 1u);
}

} // namespace
} // namespace lum::test
