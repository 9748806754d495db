#include "store/AddressHistory.h"

#include "base/IniFile.h"
#include "store/CountedList.h"
#include "store/SaverCatalog.h"

#include <algorithm>

namespace lum {

std::vector<std::wstring> UpdatedAddressHistory(const std::vector<std::wstring>& history,
                                                const std::wstring& address) {
    std::vector<std::wstring> updated;
    updated.reserve(kMaxAddresses);
    updated.push_back(address);
    for (const auto& element : history) {
        if (updated.size() == static_cast<size_t>(kMaxAddresses)) break;
        if (element != address) updated.push_back(element);
    }
    return updated;
}

void LoadAddressHistory(SaverCatalog& catalog) {
    catalog.address_history = ReadCountedList(catalog.settings_path, kAddressSection, kMaxAddresses);
}

void FillAddressBox(const SaverCatalog& catalog, HWND combo) {
    if (combo == nullptr) return;
    for (const auto& address : catalog.address_history)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(address.c_str()));
}

void AddAddress(SaverCatalog& catalog, HWND combo, const std::wstring& address) {
    if (combo != nullptr) {
        // Item by item rather than CB_RESETCONTENT, which would also clear
        // the address the user is looking at in the edit field.
        const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) ::SendMessageW(combo, CB_DELETESTRING, 0, 0);
    }
    // Compared as it will be stored, so that an address entered again after a
    // reload still finds its earlier self.
    catalog.address_history = UpdatedAddressHistory(catalog.address_history, IniSafeValue(address));
    FillAddressBox(catalog, combo);
    WriteCountedList(catalog.settings_path, kAddressSection, catalog.address_history);
}

} // namespace lum
