#pragma once
#include <string>

namespace lum {

// Section "SAVER_SETTING" of the settings file. Read from the file at each
// use, so a change made by the settings dialog counts at the next read.
class AppSettings {
public:
    explicit AppSettings(std::wstring settingsPath) : m_path(std::move(settingsPath)) {}

    // Left pane narrowed to 1 pixel while the browser tab shows.
    bool PreviewHide() const { return ReadInt(L"preview_hide") != 0; }
    // Large icons in the favourites menu.
    bool FavoritesIconSize() const { return ReadInt(L"favorites_icon_size") != 0; }

    int ReadInt(const wchar_t* key, int fallback = 0) const;
    std::wstring ReadString(const wchar_t* key, const wchar_t* fallback = L"") const;
    void WriteInt(const wchar_t* key, int value) const;

    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

} // namespace lum
