#include "tests/webdb/DatabaseFixture.h"

#include "saver/ScreenSaverInstallInfoDialog_CL.h"
#include "store/CategoryList.h"
#include "tests/saver/SaverTestSupport.h"
#include "tests/support/DialogAnswerer.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace lum::test {
namespace {

constexpr wchar_t kDialogCaption[] = L"インストールされたスクリーンセーバーがありました。";
constexpr int kToggleId = 4353;

bool Ticked(HWND list, int index) {
    return (::SendMessageW(list, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) == 0x2000;
}
void Tick(HWND list, int index, bool on) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = on ? 0x2000 : 0x1000;
    ::SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}
bool AddEnabled(HWND dialog) { return ::IsWindowEnabled(::GetDlgItem(dialog, kAcceptButtonId)) != FALSE; }

// Two real savers in the served folder: Starfield known to the database
// under a category the collection lacks, Bubbles unknown.
class InstallDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_catalog.settings_path = m_db.SettingsPath();
        m_catalog.module_path.folder = m_db.Root() + L"\\program";
        MakeFolders(m_catalog.module_path.folder);
        MakeFolders(m_catalog.CollectionFolder());
        ASSERT_TRUE(WriteBytes(m_catalog.module_path.folder + L"\\no_image.png", m_placeholder));
        LoadCategories(m_catalog);
        MakeFolders(m_db.SaverFolder());
        for (const wchar_t* name : {L"Starfield", L"Bubbles"}) {
            const std::wstring path = m_db.SaverFolder() + L"\\" + name + L".scr";
            ASSERT_TRUE(::CopyFileW(DemoSaverPath(name).c_str(), path.c_str(), FALSE));
            m_check.m_NewPaths.push_back(path);
        }
        dbbuilder::DatabaseWriter writer;
        writer.Add(KeyOf(m_check.m_NewPaths[0]), L"Starfield.scr", {L"宇宙", L"星の海", L"説明", L""}, false, 0);
        m_db.Write(writer, {SmallPng(1)});
        m_db.PointSettingsAt(m_db.Server().HostSetting());
    }

    INT_PTR Run(DialogAnswerer::Action action) {
        ScreenSaverInstallInfoDialog_CL dialog(&m_check, &m_catalog);
        dialog.SetFetchOptions(QuickOptions());
        DialogAnswerer answerer(kDialogCaption, std::move(action));
        return dialog.RunModal(nullptr);
    }
    static void AddAll(HWND dialog) {
        ::SendMessageW(::GetDlgItem(dialog, kToggleId), BM_CLICK, 0, 0);
        PressButton(dialog, kAcceptButtonId);
    }

    std::vector<unsigned char> Picture(const wchar_t* number) const {
        return ReadBytes(m_catalog.CollectionFolder() + L"\\" + number + L"\\image.png");
    }

    DatabaseFolder m_db;
    SaverCatalog m_catalog;
    ScreenSaverInstallCheck_CL m_check;
    const std::vector<unsigned char> m_placeholder = SmallPng(0xEE);
};

TEST_F(InstallDialogTest, TicksDriveTheAddButtonAndTheToggleNamesItsNextStep) {
    struct Seen {
        HIMAGELIST iconList = nullptr;
        HIMAGELIST checkList = nullptr;  // made by the list view for its check boxes
        std::vector<bool> enabled;
        std::vector<std::wstring> labels;
        std::vector<bool> ticked;
    } seen;
    const INT_PTR result = Run([&seen](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, kIdNewSaverList);
        seen.iconList = reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        seen.checkList = reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
        seen.enabled.push_back(AddEnabled(dialog));
        Tick(list, 1, true);
        seen.enabled.push_back(AddEnabled(dialog));
        Tick(list, 1, false);
        seen.enabled.push_back(AddEnabled(dialog));
        for (int press = 0; press < 2; ++press) {
            ::SendMessageW(::GetDlgItem(dialog, kToggleId), BM_CLICK, 0, 0);
            seen.labels.push_back(WindowText(::GetDlgItem(dialog, kToggleId)));
            seen.ticked.push_back(Ticked(list, 0) && Ticked(list, 1));
            seen.enabled.push_back(AddEnabled(dialog));
        }
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 0);
    // Neither the icons nor the list view's own check-box list outlive the dialog.
    int cx = 0, cy = 0;
    ASSERT_NE(seen.checkList, nullptr);
    EXPECT_FALSE(::ImageList_GetIconSize(seen.checkList, &cx, &cy));
    EXPECT_FALSE(::ImageList_GetIconSize(seen.iconList, &cx, &cy));
    EXPECT_EQ(seen.enabled, (std::vector<bool>{false, true, false, true, false}));
    EXPECT_EQ(seen.labels, (std::vector<std::wstring>{kUnselectAllLabel, kSelectAllLabel}));
    EXPECT_EQ(seen.ticked, (std::vector<bool>{true, false}));
    EXPECT_FALSE(FolderExists(m_catalog.CollectionFolder() + L"\\00000"));  // closing adds nothing
}

TEST_F(InstallDialogTest, ASilentServerCostsTheBatchOneTimeOut) {
    m_db.Server().MisbehaveEverywhere(Misbehaviour::Silent);
    ASSERT_EQ(Run(&AddAll), 1);
    EXPECT_EQ(m_db.Server().Requests().size(), 1u);
    EXPECT_EQ(Picture(L"00000"), m_placeholder);
    EXPECT_EQ(Picture(L"00001"), m_placeholder);
}

TEST_F(InstallDialogTest, SaversThatFindNoFolderAreNamedAndTheDialogStillEnds) {
    RemoveTree(m_catalog.CollectionFolder());  // no entry folder can be made below it
    DialogAnswerer refusal(kNotAddedCaption, IDOK);
    ASSERT_EQ(Run(&AddAll), 1);  // the caller reloads whatever was added
    ASSERT_EQ(refusal.Count(), 1u);
    const std::wstring text = refusal.Seen()[0].text;
    for (const std::wstring& path : m_check.m_NewPaths)
        EXPECT_NE(text.find(path), std::wstring::npos) << Narrow(text);
    EXPECT_FALSE(FolderExists(m_catalog.CollectionFolder()));
}

} // namespace
} // namespace lum::test
