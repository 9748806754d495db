#pragma once
// What the database tests share: saver files with known bytes, small PNG
// pictures, a database folder served by the test server and a settings
// file that points the client at it.
// winsock2.h must come before windows.h.
#include "tests/webdb/TestHttpServer.h"

#include "store/SaverDatabase.h"
#include "tests/support/TestSupport.h"
#include "tools/dbbuilder/DbBuilder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace lum::test {

// A valid 1 x 1 PNG; `tag` is appended after its end chunk so that
// pictures can be told apart byte for byte.
std::vector<unsigned char> SmallPng(unsigned char tag);

// Writes `size` bytes (a pattern that depends on `seed`) to folder\name.
std::wstring MakeSaverFile(const std::wstring& folder, const std::wstring& name, size_t size, unsigned seed);

uint64_t KeyOf(const std::wstring& saverPath);

// Category, title, note and web address of an entry, for one comparison.
using Texts = std::vector<std::wstring>;
inline Texts TextsOf(const SaverItem& item) { return {item.category, item.title, item.note, item.web}; }

class DatabaseFolder {
public:
    DatabaseFolder();
    std::wstring Root() const { return m_temp.path(); }            // served over HTTP
    std::wstring DbFolder() const { return m_temp / L"lumenary"; } // the three files
    std::wstring SaverFolder() const { return m_temp / L"savers"; }
    std::wstring DestFolder() const { return m_temp / L"dest"; }
    std::wstring SettingsPath() const { return m_temp / L"Lumenary.ini"; }
    std::wstring ImagePath() const { return DestFolder() + L"\\image.png"; }

    // Writes the index and strings of `writer` and the given pictures.
    void Write(const dbbuilder::DatabaseWriter& writer, const std::vector<std::vector<unsigned char>>& pictures);

    TestHttpServer& Server();
    DatabaseEndpoint Endpoint();
    void PointSettingsAt(const std::wstring& hostSetting) const;

private:
    TempFolder m_temp;
    std::unique_ptr<TestHttpServer> m_server;
};

// Options for tests: short time-outs so failure cases stay quick.
FetchOptions QuickOptions(SeekMethod seek = SeekMethod::Automatic);

} // namespace lum::test
