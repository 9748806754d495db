#pragma once
// The publisher's web database as the source of new entries' details. One
// object serves one batch of adds: it downloads the index once and looks
// every saver of the batch up in it, and after the first lookup that could
// not reach the server it stops asking, so a batch of savers added while
// the network is down costs one time-out, not one per saver.
#include "store/SaverDatabase.h"
#include "store/SaverInfoSource.h"

#include <memory>
#include <string>

namespace lum {

class WebSaverDatabase_CL : public SaverInfoSource_IF {
public:
    explicit WebSaverDatabase_CL(std::wstring settingsPath, FetchOptions options = FetchOptions());

    bool FetchInfo(const std::wstring& saverPath, const std::wstring& destFolder, SaverItem& item) override;

    bool ServerUnreachable() const { return m_bUnreachable; }
    FetchOutcome LastOutcome() const { return m_lastOutcome; }
    int LookupCount() const { return m_nLookups; }  // lookups that went to the server

private:
    FetchOutcome Lookup(const DatabaseEndpoint& endpoint, const std::wstring& saverPath,
                        const std::wstring& destFolder, SaverItem& item);

    std::wstring m_settingsPath;
    FetchOptions m_options;
    bool m_bUnreachable = false;
    FetchOutcome m_lastOutcome = FetchOutcome::NotFound;
    int m_nLookups = 0;
    // The batch's index and where it came from; only a whole one is kept.
    std::unique_ptr<DatabaseIndex> m_pIndex;
    DatabaseEndpoint m_indexEndpoint;
};

} // namespace lum
