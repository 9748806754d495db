#pragma once
// The demo savers' settings under HKCU\Software\Lumenary\Demo\<name>.
#include "demo/savers/SaverScene.h"

#include <string>
#include <vector>

namespace lum::demo {

std::wstring SettingsKeyOf(const SaverDefinition& saver);  // below HKEY_CURRENT_USER

// Into the setting's range; for a list, a valid index.
int ClampSetting(const SettingDef& setting, int value);

// Every setting, a missing or broken value replaced by its default.
std::vector<int> LoadSettings(const SaverDefinition& saver);
bool SaveSettings(const SaverDefinition& saver, const std::vector<int>& values);

} // namespace lum::demo
