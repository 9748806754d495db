// lumenary_dbbuilder [--saver-dir FOLDER] MANIFEST OUTPUT_FOLDER
// Makes the publisher's saver database from a manifest (see Manifest.h).
#include "tools/dbbuilder/DbBuilder.h"

#include <windows.h>

#include <string>

namespace {

void Print(HANDLE out, const std::wstring& text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(out, &mode)) {
        ::WriteConsoleW(out, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = lum::dbbuilder::EncodeUtf8(text);
    ::WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int Usage() {
    Print(::GetStdHandle(STD_ERROR_HANDLE),
          L"usage: lumenary_dbbuilder [--saver-dir FOLDER] MANIFEST OUTPUT_FOLDER\n"
          L"  MANIFEST: UTF-8, one saver a line, tab-separated: saver file, category, title,\n"
          L"  description, download address, still-picture flag (0/1), picture file (PNG).\n"
          L"  Relative saver files start at --saver-dir (default: the manifest's folder),\n"
          L"  relative pictures at the manifest's folder.\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    lum::dbbuilder::BuildRequest request;
    std::vector<std::wstring> positional;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--saver-dir") {
            if (++i >= argc) return Usage();
            request.saverFolder = lum::dbbuilder::ResolvePath(L"", argv[i]);
        } else if (!arg.empty() && arg[0] == L'-') {
            return Usage();
        } else {
            positional.push_back(lum::dbbuilder::ResolvePath(L"", arg));  // slashes become backslashes
        }
    }
    if (positional.size() != 2) return Usage();
    request.manifestPath = positional[0];
    request.outputFolder = positional[1];

    std::vector<lum::dbbuilder::ManifestError> errors;
    lum::dbbuilder::BuildSummary summary;
    if (!lum::dbbuilder::BuildDatabase(request, errors, summary)) {
        const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
        for (const auto& e : errors) {
            std::wstring where = request.manifestPath;
            if (e.line > 0) where += L":" + std::to_wstring(e.line);
            Print(err, where + L": error: " + e.message + L"\n");
        }
        Print(err, L"nothing was written\n");
        return 1;
    }
    Print(::GetStdHandle(STD_OUTPUT_HANDLE), L"wrote " + std::to_wstring(summary.records) + L" records and " +
                                                 std::to_wstring(summary.pictures) + L" pictures to " +
                                                 request.outputFolder + L"\n");
    return 0;
}
