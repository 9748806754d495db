#pragma once
// What the pane and main window tests share: a collection on disk in a
// temporary folder with real PNG pictures, and pixel captures of real windows.
#include "store/SaverCatalog.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindows.h"
#include "tests/support/Pixels.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace lum::test {

// A PNG of `width` x `height`: the upper half `top`, the lower half
// `bottom` (0xAARRGGBB), optionally a disc of `disc` in the middle.
bool WritePicture(const std::wstring& path, int width, int height, uint32_t top, uint32_t bottom,
                  uint32_t disc = 0);

struct EntryFields {
    EntryFields(std::wstring category_, std::wstring title_, std::wstring note_ = L"", int sortId = 0,
              std::wstring scr_ = L"", uint32_t thumbnail_ = 0)
        : category(std::move(category_)), title(std::move(title_)), note(std::move(note_)), sort_id(sortId),
          scr(std::move(scr_)), thumbnail(thumbnail_) {}
    // Marks the entry as one that shows a still picture and gives it one
    // (none when the width is 0).
    EntryFields& WithLargePicture(int width, int height, uint32_t top, uint32_t bottom) {
        large_image = true;
        std::tie(largeWidth, largeHeight, largeTop, largeBottom) = std::tie(width, height, top, bottom);
        return *this;
    }

    std::wstring category;
    std::wstring title;
    std::wstring note;
    int sort_id = 0;
    std::wstring scr;             // saver path written to the entry
    uint32_t thumbnail = 0;       // 0: no image.png at all
    bool large_image = false;     // write large_image=1 (and imageL.png when largeWidth > 0)
    int largeWidth = 0, largeHeight = 0;
    uint32_t largeTop = 0, largeBottom = 0;
};

// A catalogue whose settings file and collection live in a temp folder.
class TestCollection {
public:
    TestCollection();
    // Writes <collection>\<number>\saver_item.ini (and pictures); returns the folder.
    std::wstring AddEntry(const EntryFields& entry);
    // Reads everything back as the program does at start-up.
    void Load();
    int SlotOf(const std::wstring& category) const;
    std::vector<std::wstring> TitlesOf(int slot) const;
    // The "sort_id" stored in the entry file of the entry titled `title`.
    int StoredSortId(const std::wstring& title) const;
    std::wstring FolderOf(const std::wstring& title) const;
    const std::wstring& Root() const { return m_temp.path(); }
    std::wstring InRoot(const std::wstring& name) const { return m_temp / name; }

    SaverCatalog catalog;

private:
    TempFolder m_temp;
    int m_next = 0;
};

// Centre of a list row in screen coordinates.
POINT RowCentreOnScreen(HWND list, int row);

} // namespace lum::test
