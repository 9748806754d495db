#include "store/WebSaverDatabase.h"

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
        m_lastOutcome = LookupSaverInfo(endpoint, saverPath, destFolder, item, m_options);
    } catch (...) {
        // Out of memory while reading an answer: count it as not found.
        m_lastOutcome = FetchOutcome::Failed;
    }
    if (m_lastOutcome == FetchOutcome::Unreachable) m_bUnreachable = true;
    return m_lastOutcome == FetchOutcome::Found;
}

} // namespace lum
