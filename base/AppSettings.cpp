#include "base/AppSettings.h"

#include "base/IniFile.h"

namespace lum {

namespace {
const wchar_t kSection[] = L"SAVER_SETTING";
}

int AppSettings::ReadInt(const wchar_t* key, int fallback) const {
    return ReadIniInt(m_path, kSection, key, fallback);
}

std::wstring AppSettings::ReadString(const wchar_t* key, const wchar_t* fallback) const {
    return ReadIniString(m_path, kSection, key, fallback);
}

void AppSettings::WriteInt(const wchar_t* key, int value) const {
    WriteIniInt(m_path, kSection, key, value);
}

} // namespace lum
