#include "store/WebSaverDatabase.h"

#include "store/SaverFingerprint.h"

#include <utility>

namespace lum {

WebSaverDatabase_CL::WebSaverDatabase_CL(std::wstring settingsPath, FetchOptions options)
    : m_settingsPath(std::move(settingsPath)), m_options(options) {}

bool WebSaverDatabase_CL::FetchInfo(const std::wstring& saverPath, const std::wstring& destFolder,
                                    SaverItem& item) {
    if (m_bUnreachable) {
        m_lastOutcome = FetchOutcome::Unreachable;
        return false;
    }
    try {
        // The host is read at each lookup, like every other setting.
        DatabaseEndpoint endpoint;
        if (!ReadDatabaseEndpoint(m_settingsPath, endpoint)) {
            m_lastOutcome = FetchOutcome::NotFound;
            return false;
        }
        ++m_nLookups;
        m_lastOutcome = Lookup(endpoint, saverPath, destFolder, item);
    } catch (...) {
        // Out of memory while reading an answer: count it as not found.
        m_lastOutcome = FetchOutcome::Failed;
    }
    if (m_lastOutcome == FetchOutcome::Unreachable) m_bUnreachable = true;
    return m_lastOutcome == FetchOutcome::Found;
}

FetchOutcome WebSaverDatabase_CL::Lookup(const DatabaseEndpoint& endpoint, const std::wstring& saverPath,
                                         const std::wstring& destFolder, SaverItem& item) {
    // A saver that cannot be read is not looked for: no download for it.
    uint64_t key = 0;
    if (!SaverFingerprint(saverPath, key)) return FetchOutcome::NotFound;
    const bool sameServer = m_pIndex && m_indexEndpoint.host == endpoint.host && m_indexEndpoint.port == endpoint.port;
    if (!sameServer) {
        auto index = std::make_unique<DatabaseIndex>();
        const FetchOutcome downloaded = DownloadIndex(endpoint, m_options, *index);
        if (downloaded != FetchOutcome::Found) return downloaded;
        // An index cut short answers this lookup only; the next one asks again.
        if (!index->Complete()) return LookupInIndex(endpoint, *index, saverPath, destFolder, item, m_options);
        m_pIndex = std::move(index);
        m_indexEndpoint = endpoint;
    }
    return LookupInIndex(endpoint, *m_pIndex, saverPath, destFolder, item, m_options);
}

} // namespace lum
