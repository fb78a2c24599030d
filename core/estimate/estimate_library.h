#pragma once

// The estimates a user keeps by name, over a storage (files on the desktop,
// the browser's storage on the page, a map in the tests): the open one,
// saved after every committed change; the others listed, opened, renamed,
// duplicated and removed. A stored entry is never written over unless it
// was read: one that does not read is kept aside, one of a newer version is
// left alone. Nothing here throws; what the user must know is queued as
// messages for the face to show.

#include "estimate/estimate.h"
#include "estimate/estimate_file.h"
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

// A deleted estimate, kept for deletionsKeptDays.
struct DeletedEstimate {
    std::u16string id;           // for restoreDeleted
    std::u16string name;         // its key where the copy does not read
    std::uint64_t deletedAt = 0; // in the library's clock
    std::size_t lines = 0;
};

// A stored entry that did not read and was kept aside.
struct DamagedEstimate {
    std::u16string id;         // for recoverAside
    std::u16string name;       // from the file where that much reads, else its key
    std::size_t linesRead = 0; // the lines recoverAside brings back
    std::size_t linesHeld = 0; // of those the file held
};

// What came of a file the user brought in.
enum class ImportResult {
    Imported,
    NotEstimate,  // not JSON, or another program's JSON
    Unreadable,   // an estimate file damaged or cut short
    NewerVersion, // written by a later version of the program
    NotSaved,     // it read, but the storage refused it (the user is told why)
};

enum class LibraryEvent {
    NotSaved,         // the storage refused a write; the estimate is kept in memory
    NotRead,          // the storage could not give an entry's bytes
    KeptAside,        // an entry did not read and was moved aside
    TooNew,           // an entry of a newer version was left as it was
    RenamedElsewhere, // another tab or process renamed the open estimate: it follows
    DeletedElsewhere, // another tab or process deleted it: kept in memory, written nowhere
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
    // Removing the open estimate opens another, or starts a new one. The
    // estimate is kept with the deleted ones (where the storage keeps
    // them), and stays where it was if the storage refuses to keep it.
    void remove(std::u16string_view key);
    bool canUndoRemove() const { return removed_.has_value(); }
    // Brings back the last removed estimate, and opens it if it was open.
    bool undoRemove();

    // The deleted estimates kept, the latest deletion first. Deletions
    // older than deletionsKeptDays are forgotten at start and at each
    // removal, and not listed meanwhile.
    std::vector<DeletedEstimate> deletedEstimates() const;
    // Brings a deleted estimate back and opens it; a name taken meanwhile
    // gets a number, as a duplicate's does. False when the copy is gone,
    // or the open estimate could not be saved. A copy that does not read
    // is put back as it was, for opening it to say why.
    bool restoreDeleted(std::u16string_view id);

    // A file brought in from outside (another computer, the other face)
    // becomes a new estimate and opens, its name numbered when taken, so
    // that the same file brought in twice is two estimates. It is read as
    // strictly as a stored entry: a file that does not read whole is
    // refused and nothing of it is kept.
    ImportResult importFile(std::string_view bytes);

    // The entries kept aside because they did not read, by name.
    std::vector<DamagedEstimate> damagedEstimates() const;
    // Opens, as a new estimate, the lines of a kept-aside entry that read
    // (its name where that reads, else its key; numbered when taken). The
    // entry kept aside stays as it is. False when it is gone, is of a
    // newer version, or the open estimate could not be saved.
    bool recoverAside(std::u16string_view id);

    // Called by a face after every committed change. Changes another
    // process or tab stored meanwhile are merged in first; true when they
    // were, so the face shows the estimate again. Where the storage gives
    // no lock, the entry is read back after the write: another's write
    // found in its place is merged and written again. Deletions older than
    // deletionsKeptDays are not written again: a version of the estimate
    // kept open elsewhere for longer may bring such a line back.
    bool save();
    // Merges in what is stored without writing: for the page's storage
    // event or a file watcher. True when something changed, or when what
    // is stored lacks some of this copy's changes (another process wrote
    // over them unseen): the face shows the estimate again and saves.
    bool refresh();
    // The open estimate deleted by another tab or process stays in memory
    // and is saved nowhere until the user says to keep it: then it is
    // written again at the next save.
    bool deletedElsewhere() const { return gone_ == Gone::Told; }
    void keepDeletedElsewhere();

    // What the user must be told since the last call.
    std::vector<LibraryMessage> takeMessages();
    // Whether the open estimate's last write was refused: memory alone holds
    // its latest changes.
    bool unsaved() const { return unsaved_; }
    // Whether a line's last change lives only in memory.
    bool lineUnsaved(const EstimateLine& line) const;

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
        std::u16string deletedId;   // the copy kept with the deleted ones
    };
    struct Stored {
        bool merged = false;
        bool writable = false; // false: the entry is of a newer version or did not come
        bool current = false;  // the entry holds stored_
        bool behind = false;   // the entry lacks some of the open estimate's changes
    };

    Estimate makeEstimate();
    std::uint64_t stamp();
    void noteStamps(const Estimate& e);
    Loaded load(std::u16string_view key);
    EstimateFileRead readBytes(std::string_view bytes);
    // Moves the entry under `key` aside; false when the storage refused.
    bool keepAside(std::u16string_view key, const EstimateFileRead& read);
    bool tooOld(std::uint64_t when) const;
    void forgetOldDeletions();
    // Writes `e` under a free key and opens it; its name numbered when taken.
    bool openAsNew(std::u16string_view preferredKey, Estimate e);
    Stored mergeStored();
    // Where the open estimate went when its entry is gone: the key of the
    // entry that holds its lines now (renamed elsewhere), if any.
    std::optional<std::u16string> renamedTo();
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
    // Whether the open estimate's entry holds what this copy last wrote.
    bool readsAsWritten() const;
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
    // Whether the open estimate's entry went while it was open.
    enum class Gone { No, Told, KeptByUser };
    Gone gone_ = Gone::No;
    std::uint64_t savedUpTo_ = 0; // the latest stamp the last write under key_ held
    std::optional<Removed> removed_;
    std::vector<LibraryMessage> messages_;
};

} // namespace tarvik
