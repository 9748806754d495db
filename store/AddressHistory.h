#pragma once
// The address box's history: section "ADDRESS_ITEM" of the settings file,
// most recent address first.
#include <windows.h>

#include <string>
#include <vector>

namespace lum {

struct SaverCatalog;

constexpr const wchar_t* kAddressSection = L"ADDRESS_ITEM";
constexpr int kMaxAddresses = 30;

// The history after `address` was entered: every equal element removed, the
// rest cut to 29, the address put in front.
std::vector<std::wstring> UpdatedAddressHistory(const std::vector<std::wstring>& history,
                                                const std::wstring& address);

void LoadAddressHistory(SaverCatalog& catalog);
// Adds every address of the history, in order, to the combo box's list.
void FillAddressBox(const SaverCatalog& catalog, HWND combo);
// The user entered `address`: update the history, refill the box (which may
// be null) and save the history.
void AddAddress(SaverCatalog& catalog, HWND combo, const std::wstring& address);

} // namespace lum
