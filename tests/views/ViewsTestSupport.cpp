#include "tests/views/ViewsTestSupport.h"

#include "base/IniFile.h"
#include "store/CategoryList.h"
#include "base/Scoped.h"
#include "toolkit/GdiPlusOwners.h"

#include <commctrl.h>

#include <cstdlib>
#include <cwchar>

namespace lum::test {

namespace {

Pixels CopyBits(HDC source, int x, int y, int width, int height, HWND printed) {
    Pixels pixels;
    if (width <= 0 || height <= 0) return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueMemoryDC memory(::CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return pixels;
    {
        SelectScope use(memory.get(), bitmap.get());
        RECT all{0, 0, width, height};
        UniqueBrush sentinel(::CreateSolidBrush(RGB(0x12, 0x34, 0x56)));
        ::FillRect(memory.get(), &all, sentinel.get());
        if (printed)
            ::SendMessageW(printed, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()),
                           PRF_CLIENT | PRF_ERASEBKGND);
        else
            ::BitBlt(memory.get(), 0, 0, width, height, source, x, y, SRCCOPY);
        ::GdiFlush();
    }
    pixels.width = width;
    pixels.height = height;
    const auto* p = static_cast<const uint32_t*>(bits);
    pixels.data.assign(p, p + static_cast<size_t>(width) * static_cast<size_t>(height));
    for (auto& v : pixels.data) v &= 0x00FFFFFF;
    return pixels;
}

} // namespace

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

ViewsCollection::ViewsCollection() {
    catalog.settings_path = m_temp / L"Lumenary.ini";
    catalog.module_path.folder = m_temp / L"program";
    MakeFolders(catalog.module_path.folder);
    MakeFolders(catalog.CollectionFolder());
}

std::wstring ViewsCollection::AddEntry(const EntrySpec& entry) {
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

void ViewsCollection::Load() { LoadCatalog(catalog); }

int ViewsCollection::SlotOf(const std::wstring& category) const { return FindCategory(catalog, category); }

std::vector<std::wstring> ViewsCollection::TitlesOf(int slot) const {
    std::vector<std::wstring> titles;
    for (const int32_t index : catalog.groups.at(static_cast<size_t>(slot)).items)
        titles.push_back(catalog.items.at(static_cast<size_t>(index)).title);
    return titles;
}

std::wstring ViewsCollection::FolderOf(const std::wstring& title) const {
    for (const auto& item : catalog.items)
        if (item.title == title) return item.folder;
    return {};
}

int ViewsCollection::StoredSortId(const std::wstring& title) const {
    const std::wstring folder = FolderOf(title);
    if (folder.empty()) return -100;
    return ReadIniInt(folder + L"\\saver_item.ini", L"SAVER_ITEM", L"sort_id", -100);
}

Pixels PrintClient(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    return CopyBits(nullptr, 0, 0, client.right, client.bottom, hwnd);
}

Pixels CaptureClientFromScreen(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ::ClientToScreen(hwnd, &origin);
    WindowDC screen(nullptr);
    return CopyBits(screen.get(), origin.x, origin.y, client.right, client.bottom, nullptr);
}

uint32_t Rgb(COLORREF colour) {
    return (static_cast<uint32_t>(GetRValue(colour)) << 16) | (static_cast<uint32_t>(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance) return false;
    }
    return true;
}

bool HasInk(const Pixels& pixels, const RECT& area, uint32_t background) {
    for (int y = area.top; y < area.bottom && y < pixels.height; ++y)
        for (int x = area.left; x < area.right && x < pixels.width; ++x)
            if (!Near(pixels.at(x, y), background, 40)) return true;
    return false;
}

POINT RowCentreOnScreen(HWND list, int row) {
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(list, &centre);
    return centre;
}

} // namespace lum::test
