#include "saver/AddSavers.h"

namespace lum {

std::vector<std::wstring> AddSavers(SaverCatalog& catalog, const std::vector<std::wstring>& paths,
                                    SaverInfoSource_IF* source, const AddProgress& progress) {
    std::vector<std::wstring> notAdded;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (progress) progress(i + 1, paths.size(), paths[i]);
        if (!AddEntry(catalog, paths[i], source)) notAdded.push_back(paths[i]);
    }
    return notAdded;
}

std::wstring AddProgressText(size_t n, size_t total, const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return std::to_wstring(n) + L" / " + std::to_wstring(total) + L"  " + name + L" の情報を調べています…";
}

std::wstring NotAddedMessage(const std::vector<std::wstring>& paths) {
    std::wstring text = L"次のスクリーンセーバーはコレクションに加えられませんでした"
                        L"（コレクションが一杯か、フォルダーを作れません）。\r\n";
    for (const std::wstring& path : paths) text += L"\r\n" + path;
    return text;
}

} // namespace lum
