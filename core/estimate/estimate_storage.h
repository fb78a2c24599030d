#pragma once

// Where estimates are kept: a file per estimate in the program's data folder
// on the desktop, the browser's storage on the page, a map in the tests.
// Keys are file stems (see file_names.h); bytes are the saved format.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

// Why a storage refused, as a code: the words come from the captions table
// (storageProblemText), never from the system, whose words are English.
enum class StorageProblem {
    NoSpace,        // the disk is full
    NoPermission,   // no right to write in the folder named by `where`
    NotReadable,    // no right to read the file named by `where`
    Busy,           // the file is held by another program
    BrowserFull,    // the browser's quota is used up
    BrowserRefused, // the browser keeps no data for the page
    Failed,         // the system refused for another reason
};

// A read or write the storage refused; an entry a write was to replace is
// left as it was.
class StorageError : public std::runtime_error {
public:
    explicit StorageError(StorageProblem problem, std::u16string where = {})
        : std::runtime_error("the storage refused"), problem_(problem), where_(std::move(where))
    {
    }
    StorageProblem problem() const { return problem_; }
    // The folder or file concerned, where the words name one.
    const std::u16string& where() const { return where_; }

private:
    StorageProblem problem_;
    std::u16string where_;
};

// A copy the storage keeps outside the estimates: a deleted estimate, or a
// file that did not read.
struct KeptEntry {
    std::u16string id;      // the storage's name for the copy
    std::u16string key;     // the estimate's key when it was taken out
    std::uint64_t when = 0; // of a deleted one: when, in the library's clock
};

// Held while a save reads, merges and writes one entry.
class StorageLock {
public:
    virtual ~StorageLock() = default;
};

class EstimateStorage {
public:
    virtual ~EstimateStorage() = default;

    // Keeps other processes' saves of the entry waiting until the lock
    // goes, so that a save's read, merge and write are one step to them.
    // None where no other process shares the storage, or where the lock
    // was not had in time: the save goes ahead, as it did without locks.
    virtual std::unique_ptr<StorageLock> lock(std::u16string_view key)
    {
        (void)key;
        return nullptr;
    }

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

    // Deleted estimates, kept beside the estimates for a while so that a
    // deletion can be taken back after a restart. A storage that keeps none
    // answers an empty id, and the deletion holds only in memory.
    // Keeps `bytes` as the estimate of `key` deleted at `when`; returns the
    // copy's id. Throws StorageError.
    virtual std::u16string keepDeleted(std::u16string_view key, std::string_view bytes, std::uint64_t when)
    {
        (void)key;
        (void)bytes;
        (void)when;
        return {};
    }
    virtual std::vector<KeptEntry> deletedEntries() const { return {}; }
    virtual std::optional<std::string> readDeleted(std::u16string_view id) const
    {
        (void)id;
        return std::nullopt;
    }
    virtual void forgetDeleted(std::u16string_view id) { (void)id; }

    // The entries keepAside moved, and their bytes as they were.
    virtual std::vector<KeptEntry> asideEntries() const { return {}; }
    virtual std::optional<std::string> readAside(std::u16string_view id) const
    {
        (void)id;
        return std::nullopt;
    }

    // Small values kept beside the estimates (which estimate was open, and
    // whether its window was). None when never set.
    virtual std::optional<std::string> setting(std::string_view name) const = 0;
    virtual void setSetting(std::string_view name, std::string_view value) = 0;
};

} // namespace tarvik
