#pragma once

// The estimates a user keeps by name, over a storage (files on the desktop,
// the browser's storage on the page, a map in the tests): the open one,
// saved after every committed change; the others listed, opened, renamed,
// duplicated and removed. A stored entry is never written over unless it
// was read: one that does not read is kept aside, one of a newer version is
// left alone. Nothing here throws; what the user must know is queued as
// messages for the face to show.

#include "estimate/estimate.h"
#include "estimate/estimate_storage.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

struct EstimateEntry {
    std::u16string key;
    std::u16string name; // an entry that does not read shows its key
};

enum class LibraryEvent {
    NotSaved,  // the storage refused a write; the estimate is kept in memory
    NotRead,   // the storage could not give an entry's bytes
    KeptAside, // an entry did not read and was moved aside
    TooNew,    // an entry of a newer version was left as it was
};

struct LibraryMessage {
    LibraryEvent event;
    std::u16string text; // ready to show
};

class EstimateLibrary {
public:
    using Source = Estimate::Source;

    static constexpr std::uint64_t deletionsKeptDays = 30;

    // Opens the estimate that was open last, or the first that reads, or
    // starts «Смета 1». `ids` gives new lines their ids (random on the
    // faces, so two processes do not collide); `clock` the wall-clock time,
    // `ticksPerSecond` of it in a second (every process over one storage
    // counts alike), so that edits in two processes compare and old
    // deletions can be forgotten.
    EstimateLibrary(EstimateStorage& storage, char16_t separator, Source ids, Source clock,
                    std::uint64_t ticksPerSecond);
    EstimateLibrary(const EstimateLibrary&) = delete;
    EstimateLibrary& operator=(const EstimateLibrary&) = delete;

    Estimate& estimate() { return estimate_; }
    const Estimate& estimate() const { return estimate_; }
    // The open estimate's key in the storage.
    const std::u16string& key() const { return key_; }

    // Every stored estimate, sorted by name.
    std::vector<EstimateEntry> entries() const;

    // Each saves the open estimate first, and none leaves it while its last
    // write was refused: what only memory holds would be lost.
    void create();
    // False when the entry is missing, does not read (kept aside) or is of a
    // newer version, or the open estimate could not be saved; the open
    // estimate stays open then.
    bool open(std::u16string_view key);
    // The key follows the name; the old entry goes once the new one is
    // written. Nothing happens when the stored entry did not read or is of
    // a newer version.
    // A name of nothing but spaces is refused: the answer says why ("" when
    // taken).
    std::u16string rename(std::u16string name);
    void duplicate();
    // Removing the open estimate opens another, or starts a new one.
    void remove(std::u16string_view key);
    bool canUndoRemove() const { return removed_.has_value(); }
    // Brings back the last removed estimate, and opens it if it was open.
    bool undoRemove();

    // Called by a face after every committed change. Changes another
    // process or tab stored meanwhile are merged in first; true when they
    // were, so the face shows the estimate again. Deletions older than
    // deletionsKeptDays are not written again: a version of the estimate
    // kept open elsewhere for longer may bring such a line back.
    bool save();
    // Merges in what is stored without writing: for the page's storage
    // event or a file watcher. True when something changed.
    bool refresh();

    // What the user must be told since the last call.
    std::vector<LibraryMessage> takeMessages();
    // Whether the open estimate's last write was refused: memory alone holds
    // its latest changes.
    bool unsaved() const { return unsaved_; }

    // Whether the estimate window was open when the program last ended.
    static bool windowWasOpen(const EstimateStorage& storage);
    void setWindowOpen(bool open);

private:
    enum class Load { Opened, Missing, Unreadable, TooNew, Failed };
    struct Loaded {
        Load result = Load::Missing;
        std::optional<Estimate> estimate;
        std::string bytes;
    };
    struct Removed {
        std::u16string key;
        std::string bytes;
        bool wasOpen = false;
        std::u16string replacement; // the estimate started because none was left
    };
    struct Stored {
        bool merged = false;
        bool writable = false; // false: the entry is of a newer version or did not come
        bool current = false;  // the entry holds stored_
    };

    Estimate makeEstimate();
    std::uint64_t stamp();
    void noteStamps(const Estimate& e);
    Loaded load(std::u16string_view key);
    Stored mergeStored();
    std::vector<std::u16string> storedKeys() const;
    bool taken(std::u16string_view key) const;
    std::u16string freeKey(std::u16string_view name) const;
    std::u16string freeName(std::u16string_view base) const;
    std::u16string newName() const;
    void switchTo(std::u16string key, Estimate e, std::string bytes);
    // The open estimate now stored under `key`, as `bytes`.
    void rekey(std::u16string key, std::string bytes);
    void startNew();
    // Opens the first by name that reads, but `tried`; false when none did
    // and a new one was started.
    bool openAnother(std::u16string_view tried = {});
    // The open estimate written under `key`: its bytes, none when refused.
    std::optional<std::string> write(std::u16string_view key);
    // Saves the open estimate; false when its last write was refused, so
    // that switching to another would drop what only memory holds.
    bool saveBeforeLeaving();
    // False when the storage refused; the user is told.
    bool write(std::u16string_view key, std::string_view bytes);
    void tell(LibraryEvent event, std::u16string text);

    EstimateStorage& storage_;
    char16_t separator_;
    Source ids_;
    Source clock_;
    std::uint64_t ticksPerSecond_;
    std::uint64_t last_ = 0; // the latest stamp given or seen
    std::u16string key_;
    Estimate estimate_;
    std::string stored_;   // the bytes last read or written under key_
    bool unsaved_ = false; // the last write under key_ was refused
    std::optional<Removed> removed_;
    std::vector<LibraryMessage> messages_;
};

} // namespace tarvik
