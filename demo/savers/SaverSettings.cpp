#include "demo/savers/SaverSettings.h"

#include <windows.h>

#include <algorithm>

namespace lum::demo {

namespace {

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { if (m_key) ::RegCloseKey(m_key); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* put() { return &m_key; }
    HKEY get() const { return m_key; }
private:
    HKEY m_key = nullptr;
};

} // namespace

std::wstring SettingsKeyOf(const SaverDefinition& saver) { return L"Software\\Lumenary\\Demo\\" + saver.name; }

int ClampSetting(const SettingDef& setting, int value) {
    if (!setting.choices.empty()) {
        const int last = static_cast<int>(setting.choices.size()) - 1;
        return (value < 0 || value > last) ? std::clamp(setting.fallback, 0, last) : value;
    }
    return std::clamp(value, setting.minimum, setting.maximum);
}

std::vector<int> LoadSettings(const SaverDefinition& saver) {
    std::vector<int> values;
    RegistryKey key;
    const bool open =
        ::RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKeyOf(saver).c_str(), 0, KEY_QUERY_VALUE, key.put()) ==
        ERROR_SUCCESS;
    for (const SettingDef& setting : saver.settings) {
        DWORD value = 0;
        DWORD type = 0;
        DWORD size = sizeof value;
        const bool read = open && ::RegQueryValueExW(key.get(), setting.valueName.c_str(), nullptr, &type,
                                                     reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
                          type == REG_DWORD && size == sizeof value;
        values.push_back(ClampSetting(setting, read ? static_cast<int>(value) : setting.fallback));
    }
    return values;
}

bool SaveSettings(const SaverDefinition& saver, const std::vector<int>& values) {
    RegistryKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKeyOf(saver).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (size_t i = 0; i < saver.settings.size() && i < values.size(); ++i) {
        const DWORD value = static_cast<DWORD>(ClampSetting(saver.settings[i], values[i]));
        ok = ::RegSetValueExW(key.get(), saver.settings[i].valueName.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS && ok;
    }
    return ok;
}

} // namespace lum::demo
