#pragma once
// What many tests need: temporary folders in the test prefix, files as
// bytes, where the built programs lie, and bounded waiting.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace lum::test {

// A fresh folder below the prefix's temp folder, removed with its content.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }
private:
    std::wstring m_path;
};

void RemoveTree(const std::wstring& path);
bool MakeFolders(const std::wstring& path);  // creates every missing level
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
std::vector<unsigned char> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// Writes UTF-16LE with a byte-order mark (how the program's INI files look).
bool WriteUtf16File(const std::wstring& path, const std::wstring& text);
// Reads a UTF-16LE file (byte-order mark dropped) or, without one, bytes as Latin-1.
std::wstring ReadTextFile(const std::wstring& path);
FILETIME LastWriteTime(const std::wstring& path);

// The folder of the running test program (build/bin), and build/dist.
std::wstring TestBinFolder();
std::wstring DistFolder();

// Polls until the condition holds or the time is up; returns the condition.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::milliseconds(5000),
               std::chrono::milliseconds step = std::chrono::milliseconds(20));

// Runs the message queue of this thread until the condition holds or time is up.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::milliseconds(5000));
void PumpFor(std::chrono::milliseconds span);

std::string Narrow(const std::wstring& text);  // UTF-8, for test messages

} // namespace lum::test
