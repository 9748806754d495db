#include "tests/webdb/DatabaseFixture.h"

#include "base/IniFile.h"
#include "store/SaverFingerprint.h"

namespace lum::test {

std::vector<unsigned char> SmallPng(unsigned char tag) {
    std::vector<unsigned char> png = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
        0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4,
        0x89, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x64, 0xF8, 0xCF, 0x50,
        0x0F, 0x00, 0x03, 0x86, 0x01, 0x80, 0x5A, 0x34, 0x7D, 0x6B, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45,
        0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    png.push_back(tag);
    return png;
}

std::wstring MakeSaverFile(const std::wstring& folder, const std::wstring& name, size_t size, unsigned seed) {
    MakeFolders(folder);
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>((i * 31 + seed * 7 + (i >> 8)) & 0xFF);
    const std::wstring path = folder + L"\\" + name;
    WriteBytes(path, bytes);
    return path;
}

uint64_t KeyOf(const std::wstring& saverPath) {
    uint64_t key = 0;
    EXPECT_TRUE(SaverFingerprint(saverPath, key)) << Narrow(saverPath);
    return key;
}

DatabaseFolder::DatabaseFolder() {
    MakeFolders(DbFolder() + L"\\images");
    MakeFolders(SaverFolder());
    MakeFolders(DestFolder());
}

void DatabaseFolder::Write(const dbbuilder::DatabaseWriter& writer,
                           const std::vector<std::vector<unsigned char>>& pictures) {
    std::wstring error;
    ASSERT_TRUE(writer.WriteFiles(DbFolder(), error)) << Narrow(error);
    for (size_t i = 0; i < pictures.size(); ++i) {
        ASSERT_TRUE(WriteBytes(DbFolder() + L"\\images\\" + PictureFileName(static_cast<uint16_t>(i)), pictures[i]));
    }
}

TestHttpServer& DatabaseFolder::Server() {
    if (!m_server) {
        m_server = std::make_unique<TestHttpServer>(Root());
        EXPECT_TRUE(m_server->running());
    }
    return *m_server;
}

DatabaseEndpoint DatabaseFolder::Endpoint() { return DatabaseEndpoint{L"127.0.0.1", Server().port()}; }

void DatabaseFolder::PointSettingsAt(const std::wstring& hostSetting) const {
    WriteIniString(SettingsPath(), L"SAVER_SETTING", kDatabaseHostKey, hostSetting);
}

FetchOptions QuickOptions(SeekMethod seek) {
    FetchOptions options;
    options.timeouts.connectMs = 1500;
    options.timeouts.receiveMs = 1500;
    options.seek = seek;
    return options;
}

} // namespace lum::test
