#pragma once

// Where estimates are kept: a file per estimate in the program's data folder
// on the desktop, the browser's storage on the page, a map in the tests.
// Keys are file stems (see file_names.h); bytes are the saved format.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

// A write the storage refused (a full disk, a refused quota, no rights); the
// entry it was to replace is left as it was.
class StorageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EstimateStorage {
public:
    virtual ~EstimateStorage() = default;

    // The keys of the stored estimates, in no particular order.
    virtual std::vector<std::u16string> keys() const = 0;
    // The stored bytes; none when there is no such entry.
    virtual std::optional<std::string> read(std::u16string_view key) const = 0;
    // Replaces the entry whole or not at all; throws StorageError.
    virtual void write(std::u16string_view key, std::string_view bytes) = 0;
    virtual void remove(std::u16string_view key) = 0;
    // Moves an entry that could not be read out of the estimates, under a
    // new name that says so, and returns that name: nothing will overwrite it.
    virtual std::u16string keepAside(std::u16string_view key) = 0;

    // Small values kept beside the estimates (which estimate was open, and
    // whether its window was). None when never set.
    virtual std::optional<std::string> setting(std::string_view name) const = 0;
    virtual void setSetting(std::string_view name, std::string_view value) = 0;
};

} // namespace tarvik
