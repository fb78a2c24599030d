#pragma once

#include "estimate/estimate_storage.h"

#include <string>

namespace tarvik::web {

// The estimates in the browser's storage, read and written by the page's
// `store` object (see estimate.mjs), which catches what the browser throws
// and answers in plain values.
class BrowserStorage : public EstimateStorage {
public:
    std::vector<std::u16string> keys() const override;
    std::optional<std::string> read(std::u16string_view key) const override;
    void write(std::u16string_view key, std::string_view bytes) override;
    void remove(std::u16string_view key) override;
    std::u16string keepAside(std::u16string_view key) override;
    // A deleted estimate is the entry "tarvik.deleted.<when>.<key>"; its id
    // is what follows the prefix.
    std::u16string keepDeleted(std::u16string_view key, std::string_view bytes, std::uint64_t when) override;
    std::vector<KeptEntry> deletedEntries() const override;
    std::optional<std::string> readDeleted(std::u16string_view id) const override;
    void forgetDeleted(std::u16string_view id) override;
    // Ids are the names keepAside gave.
    std::vector<KeptEntry> asideEntries() const override;
    std::optional<std::string> readAside(std::u16string_view id) const override;
    std::optional<std::string> setting(std::string_view name) const override;
    void setSetting(std::string_view name, std::string_view value) override;

private:
    // The entry this tab last read or wrote, and its bytes, reused while
    // the page's store says no other tab changed it: a save reads the open
    // estimate back to merge, and megabytes take milliseconds to cross.
    mutable std::string knownName_;
    mutable std::string knownBytes_;
};

} // namespace tarvik::web
