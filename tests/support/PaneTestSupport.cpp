#include "tests/support/PaneTestSupport.h"

#include "base/IniFile.h"
#include "store/CategoryList.h"
#include "base/Scoped.h"
#include "toolkit/GdiPlusOwners.h"

#include <commctrl.h>

#include <cwchar>

namespace lum::test {

bool WritePicture(const std::wstring& path, int width, int height, uint32_t top, uint32_t bottom, uint32_t disc) {
    Gdiplus::GpBitmap* raw = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &raw) != Gdiplus::Ok)
        return false;
    GdipImage bitmap;
    *bitmap.put() = raw;
    {
        GdipGraphics graphics;
        if (gdip::GdipGetImageGraphicsContext(bitmap.get(), graphics.put()) != Gdiplus::Ok) return false;
        GdipBrush upper = SolidBrush(top);
        GdipBrush lower = SolidBrush(bottom);
        gdip::GdipFillRectangleI(graphics.get(), upper.get(), 0, 0, width, height / 2);
        gdip::GdipFillRectangleI(graphics.get(), lower.get(), 0, height / 2, width, height - height / 2);
        if (disc) {
            GdipBrush round = SolidBrush(disc);
            gdip::GdipSetSmoothingMode(graphics.get(), Gdiplus::SmoothingModeAntiAlias);
            const int d = (width < height ? width : height) / 2;
            gdip::GdipFillEllipseI(graphics.get(), round.get(), width / 2 - d / 2, height / 2 - d / 2, d, d);
        }
    }
    return SaveAsPng(bitmap.get(), path);
}

TestCollection::TestCollection() {
    catalog.settings_path = m_temp / L"Lumenary.ini";
    catalog.module_path.folder = m_temp / L"program";
    MakeFolders(catalog.module_path.folder);
    MakeFolders(catalog.CollectionFolder());
}

std::wstring TestCollection::AddEntry(const EntryFields& entry) {
    wchar_t number[16];
    std::swprintf(number, 16, L"%05d", m_next++);
    const std::wstring folder = catalog.CollectionFolder() + L"\\" + number;
    MakeFolders(folder);
    SaverItem item;
    item.folder = folder;
    item.image = folder + L"\\image.png";
    item.sort_id = entry.sort_id;
    item.category = entry.category;
    item.title = entry.title;
    item.note = entry.note;
    item.scr = entry.scr.empty() ? L"C:\\windows\\system32\\" + entry.title + L".scr" : entry.scr;
    item.large_image = entry.large_image ? 1 : 0;
    SaveItem(item);
    if (entry.thumbnail) {
        const uint32_t darker = 0xFF000000u | ((entry.thumbnail & 0x00FEFEFEu) >> 1);
        WritePicture(item.image, 128, 96, entry.thumbnail, darker, 0xFFFFFFFF);
    }
    if (entry.large_image && entry.largeWidth > 0)
        WritePicture(folder + L"\\imageL.png", entry.largeWidth, entry.largeHeight, entry.largeTop, entry.largeBottom);
    return folder;
}

void TestCollection::Load() { LoadCatalog(catalog); }

int TestCollection::SlotOf(const std::wstring& category) const { return FindCategory(catalog, category); }

std::vector<std::wstring> TestCollection::TitlesOf(int slot) const {
    std::vector<std::wstring> titles;
    for (const int32_t index : catalog.groups.at(static_cast<size_t>(slot)).items)
        titles.push_back(catalog.items.at(static_cast<size_t>(index)).title);
    return titles;
}

std::wstring TestCollection::FolderOf(const std::wstring& title) const {
    for (const auto& item : catalog.items)
        if (item.title == title) return item.folder;
    return {};
}

int TestCollection::StoredSortId(const std::wstring& title) const {
    const std::wstring folder = FolderOf(title);
    if (folder.empty()) return -100;
    return ReadIniInt(folder + L"\\saver_item.ini", L"SAVER_ITEM", L"sort_id", -100);
}

POINT RowCentreOnScreen(HWND list, int row) {
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(list, &centre);
    return centre;
}

} // namespace lum::test
