// The forum page filling against a page double, with the real clipboard.
#include "views/ForumFilling.h"
#include "views/BrowserRules.h"

#include <gtest/gtest.h>

#include <future>
#include <map>
#include <thread>

namespace lum {
namespace {

struct FakePage : FormPage_IF {
    std::map<std::wstring, std::wstring> values;
    std::map<std::wstring, long> attributes;
    bool hasMessage = true;
    bool SetFieldValue(const std::wstring& name, const std::wstring& value) override {
        if (name == L"msg" && !hasMessage) return false;
        values[name] = value;
        return true;
    }
    bool SetElementAttribute(const std::wstring& name, const std::wstring& attribute, const VARIANT& v) override {
        attributes[name + L"." + attribute] = v.vt == VT_I4 ? v.lVal : -1;
        return true;
    }
};

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) text = chars;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

TEST(ForumFilling, FillsTitleMessageAndTheThumbnailPath) {
    SaverItem item;
    item.folder = L"C:\\Lumenary\\Collection\\all\\00007";
    item.title = L"星の海";
    item.category = L"自然";
    FakePage page;
    FillForumForm(page, item, nullptr);
    EXPECT_EQ(page.values[L"dai"], L"星の海");
    EXPECT_EQ(page.values[L"msg"], ForumMessage(item));
    EXPECT_EQ(page.attributes[L"pre.checked"], 1);
    EXPECT_EQ(ClipboardText(), L"C:\\Lumenary\\Collection\\all\\00007\\image.png");

    // A page without some fields still gets the rest.
    FakePage partial;
    partial.hasMessage = false;
    FillForumForm(partial, item, nullptr);
    EXPECT_EQ(partial.values[L"dai"], L"星の海");
}

TEST(ForumFilling, ABusyClipboardIsReportedAndLeftAsItWas) {
    ASSERT_TRUE(PutTextOnClipboard(nullptr, L"before"));
    // Another thread holds the clipboard open while the filling tries.
    std::promise<bool> opened;
    std::promise<void> done;
    std::thread holder([&] {
        HWND window = ::CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        opened.set_value(::OpenClipboard(window) != FALSE);
        done.get_future().wait();
        ::CloseClipboard();
        ::DestroyWindow(window);
    });
    ASSERT_TRUE(opened.get_future().get());
    EXPECT_FALSE(PutTextOnClipboard(nullptr, L"after"));
    done.set_value();
    holder.join();
    EXPECT_EQ(ClipboardText(), L"before");
}

} // namespace
} // namespace lum
