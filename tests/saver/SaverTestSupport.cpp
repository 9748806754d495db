#include "tests/saver/SaverTestSupport.h"

#include <sstream>

namespace lum::test {

bool CopyFixture(const std::wstring& fixture, const std::wstring& destination) {
    return ::CopyFileW(FixturePath(fixture).c_str(), destination.c_str(), FALSE) != 0;
}

std::wstring FixturePath(const std::wstring& fixture) { return TestBinFolder() + L"\\" + fixture; }

std::wstring DemoSaverPath(const std::wstring& name) { return DistFolder() + L"\\demo\\" + name + L".scr"; }

std::map<std::wstring, std::wstring> ReadRecord(const std::wstring& saverPath) {
    std::map<std::wstring, std::wstring> record;
    const std::wstring text = ReadTextFile(saverPath + L".log");
    std::wstringstream lines(text);
    std::wstring line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        const size_t equals = line.find(L'=');
        if (equals != std::wstring::npos) record[line.substr(0, equals)] = line.substr(equals + 1);
    }
    // A record is whole only with its last line.
    if (record.find(L"state") == record.end()) record.clear();
    return record;
}

std::wstring RecordValue(const std::wstring& saverPath, const std::wstring& key) {
    const auto record = ReadRecord(saverPath);
    const auto it = record.find(key);
    return it == record.end() ? std::wstring() : it->second;
}

int RecordNumber(const std::wstring& saverPath, const std::wstring& key) {
    const std::wstring value = RecordValue(saverPath, key);
    return value.empty() ? -1 : std::stoi(value);
}

} // namespace lum::test
