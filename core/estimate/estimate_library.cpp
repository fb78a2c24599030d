#include "estimate/estimate_library.h"

#include "estimate/estimate_file.h"
#include "estimate/estimate_messages.h"
#include "estimate/file_names.h"
#include "estimate/money.h"
#include "number/count_text.h"
#include "text/captions.h"
#include "text/letter_case.h"
#include "text/utf8.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace tarvik {
namespace {

// The file systems of Windows and macOS ignore letter case: keys that
// differ in it alone name one file.
bool sameFile(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return lowerCase(x) == lowerCase(y);
           });
}

constexpr std::string_view lastSetting = "last";
constexpr std::string_view windowSetting = "window";

std::u16string reason(const StorageError& e)
{
    return storageProblemText(e);
}

// The copy is back among the estimates: should the storage refuse to
// forget it, it is listed twice until it ages out, and nothing is lost.
void forgetQuietly(EstimateStorage& storage, std::u16string_view id)
{
    try {
        storage.forgetDeleted(id);
    } catch (const StorageError&) {
    }
}

// For reading a kept copy only to list it: no ids or stamps are given.
std::uint64_t none()
{
    return 0;
}

} // namespace

EstimateLibrary::EstimateLibrary(EstimateStorage& storage, char16_t separator, Source ids, Source clock,
                                 std::uint64_t ticksPerSecond)
    : storage_(storage), separator_(separator), ids_(std::move(ids)), clock_(std::move(clock)),
      ticksPerSecond_(ticksPerSecond), estimate_(makeEstimate())
{
    std::u16string last;
    try {
        if (const std::optional<std::string> setting = storage_.setting(lastSetting))
            last = fromUtf8(*setting);
    } catch (const StorageError&) {
        // Which estimate was open is a convenience: without it, another opens.
    }
    forgetOldDeletions();
    // A setting edited by hand to name something outside the estimates is
    // not followed.
    if (last.empty() || safeFileStem(last) != last) {
        openAnother();
        return;
    }
    Loaded loaded = load(last);
    if (loaded.result == Load::Opened)
        switchTo(std::move(last), std::move(*loaded.estimate), std::move(loaded.bytes));
    else
        openAnother(last);
}

Estimate EstimateLibrary::makeEstimate()
{
    return Estimate(
        separator_, [this] { return ids_(); }, [this] { return stamp(); });
}

// Never the same stamp twice, and never one below a stamp already seen in
// a stored version: an edit made here after reading another process's is
// later than it whatever the clocks say.
std::uint64_t EstimateLibrary::stamp()
{
    last_ = std::max(clock_(), last_ + 1);
    return last_;
}

void EstimateLibrary::noteStamps(const Estimate& e)
{
    last_ = std::max(last_, e.settingsEdited());
    for (std::size_t i = 0; i < e.size(); ++i)
        last_ = std::max(last_, e.line(i).edited);
    for (const auto& [id, when] : e.deleted())
        last_ = std::max(last_, when);
}

void EstimateLibrary::tell(LibraryEvent event, std::u16string text)
{
    messages_.push_back({event, std::move(text)});
}

std::vector<LibraryMessage> EstimateLibrary::takeMessages()
{
    return std::exchange(messages_, {});
}

EstimateLibrary::Loaded EstimateLibrary::load(std::u16string_view key)
{
    Loaded loaded;
    std::optional<std::string> bytes;
    try {
        bytes = storage_.read(key);
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotRead, captionFilled(Caption::EstimateNotRead, {key, reason(e)}));
        loaded.result = Load::Failed;
        return loaded;
    }
    if (!bytes)
        return loaded;
    EstimateFileRead read = readBytes(*bytes);
    if (read.error == EstimateFileError::NewerVersion) {
        tell(LibraryEvent::TooNew, captionFilled(Caption::EstimateTooNew, {key}));
        loaded.result = Load::TooNew;
        return loaded;
    }
    if (read.error == EstimateFileError::Unreadable) {
        keepAside(key, read);
        loaded.result = Load::Unreadable;
        return loaded;
    }
    noteStamps(*read.estimate);
    loaded.result = Load::Opened;
    loaded.estimate = std::move(read.estimate);
    loaded.bytes = std::move(*bytes);
    return loaded;
}

EstimateFileRead EstimateLibrary::readBytes(std::string_view bytes)
{
    return readEstimateFile(
        bytes, separator_, [this] { return ids_(); }, [this] { return stamp(); });
}

bool EstimateLibrary::keepAside(std::u16string_view key, const EstimateFileRead& read)
{
    // Never written over: moved out of the way under a name that says so,
    // with what of it still reads offered back.
    try {
        const std::u16string aside = storage_.keepAside(key);
        std::u16string text = captionFilled(Caption::EstimateKeptAside, {key, aside});
        if (!read.wholeLines.empty())
            text += u". " + captionFilled(Caption::LinesRecoverable,
                                          {countText(read.wholeLines.size()), countText(read.linesHeld)});
        tell(LibraryEvent::KeptAside, std::move(text));
        return true;
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotSaved, captionFilled(Caption::EstimateNotSaved, {reason(e)}));
        return false;
    }
}

std::vector<std::u16string> EstimateLibrary::storedKeys() const
{
    try {
        return storage_.keys();
    } catch (const StorageError&) {
        return {};
    }
}

bool EstimateLibrary::taken(std::u16string_view key) const
{
    if (sameFile(key, key_) || (removed_ && sameFile(key, removed_->key)))
        return true;
    const std::vector<std::u16string> keys = storedKeys();
    return std::any_of(keys.begin(), keys.end(), [&](const std::u16string& k) { return sameFile(key, k); });
}

// A key of its own for a name: the name's file stem, numbered when taken.
// The number goes inside the stem's length limit, so it is never cut off.
std::u16string EstimateLibrary::freeKey(std::u16string_view name) const
{
    const std::u16string stem = safeFileStem(name);
    if (!taken(stem))
        return stem;
    for (std::size_t n = 2;; ++n) {
        const std::u16string suffix = u" (" + countText(n) + u")";
        std::u16string key = safeFileStem(stem.substr(0, maxFileStemLength - suffix.size()) + suffix);
        if (!taken(key))
            return key;
    }
}

std::u16string EstimateLibrary::freeName(std::u16string_view base) const
{
    std::vector<std::u16string> names;
    for (EstimateEntry& e : entries())
        names.push_back(std::move(e.name));
    const auto used = [&](const std::u16string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    std::u16string name(base);
    for (std::size_t n = 2; used(name); ++n)
        name = std::u16string(base) + u" (" + countText(n) + u")";
    return name;
}

std::u16string EstimateLibrary::newName() const
{
    std::vector<std::u16string> names;
    for (EstimateEntry& e : entries())
        names.push_back(std::move(e.name));
    for (std::size_t n = 1;; ++n) {
        std::u16string name = captionFilled(Caption::NewEstimateName, {countText(n)});
        if (std::find(names.begin(), names.end(), name) == names.end() && !taken(safeFileStem(name)))
            return name;
    }
}

void EstimateLibrary::switchTo(std::u16string key, Estimate e, std::string bytes)
{
    estimate_ = std::move(e);
    rekey(std::move(key), std::move(bytes));
}

void EstimateLibrary::rekey(std::u16string key, std::string bytes)
{
    key_ = std::move(key);
    stored_ = std::move(bytes);
    unsaved_ = false;
    savedUpTo_ = last_;
    gone_ = Gone::No;
    try {
        storage_.setSetting(lastSetting, utf8(key_));
    } catch (const StorageError& error) {
        tell(LibraryEvent::NotSaved, captionFilled(Caption::EstimateNotSaved, {reason(error)}));
    }
}

void EstimateLibrary::startNew()
{
    Estimate e = makeEstimate();
    std::u16string name = newName();
    e.rename(name);
    // The key is chosen before the switch: the open estimate's own key is
    // taken until then.
    key_.clear();
    std::u16string key = freeKey(name);
    switchTo(std::move(key), std::move(e), {});
    if (std::optional<std::string> bytes = write(key_))
        stored_ = std::move(*bytes);
}

bool EstimateLibrary::openAnother(std::u16string_view tried)
{
    key_.clear();
    for (const EstimateEntry& entry : entries()) {
        if (entry.key == tried)
            continue;
        Loaded loaded = load(entry.key);
        if (loaded.result == Load::Opened) {
            switchTo(entry.key, std::move(*loaded.estimate), std::move(loaded.bytes));
            return true;
        }
    }
    startNew();
    return false;
}

std::optional<std::string> EstimateLibrary::write(std::u16string_view key)
{
    std::string bytes = estimateFileBytes(estimate_);
    if (!write(key, bytes))
        return std::nullopt;
    return bytes;
}

bool EstimateLibrary::write(std::u16string_view key, std::string_view bytes)
{
    try {
        storage_.write(key, bytes);
        if (key == key_) {
            unsaved_ = false;
            savedUpTo_ = last_;
        }
        return true;
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotSaved, captionFilled(Caption::EstimateNotSaved, {reason(e)}));
        if (key == key_)
            unsaved_ = true;
        return false;
    }
}

bool EstimateLibrary::lineUnsaved(const EstimateLine& line) const
{
    return unsaved_ && line.edited > savedUpTo_;
}

bool EstimateLibrary::saveBeforeLeaving()
{
    save();
    return !unsaved_;
}

std::vector<EstimateEntry> EstimateLibrary::entries() const
{
    std::vector<EstimateEntry> out;
    bool openListed = false;
    for (std::u16string& key : storedKeys()) {
        if (key == key_) {
            out.push_back({std::move(key), estimate_.name()});
            openListed = true;
            continue;
        }
        std::optional<std::string> bytes;
        try {
            bytes = storage_.read(key);
        } catch (const StorageError&) {
        }
        std::optional<std::u16string> name = bytes ? estimateFileName(*bytes) : std::nullopt;
        // An entry that does not read shows under its key: opening it keeps it aside.
        out.push_back({key, name ? std::move(*name) : key});
    }
    // Open, though its first write was refused.
    if (!openListed && !key_.empty())
        out.push_back({key_, estimate_.name()});
    std::sort(out.begin(), out.end(), [](const EstimateEntry& a, const EstimateEntry& b) {
        return a.name != b.name ? a.name < b.name : a.key < b.key;
    });
    return out;
}

void EstimateLibrary::create()
{
    if (saveBeforeLeaving())
        startNew();
}

bool EstimateLibrary::open(std::u16string_view key)
{
    if (key == key_)
        return true;
    if (!saveBeforeLeaving())
        return false;
    Loaded loaded = load(key);
    if (loaded.result != Load::Opened)
        return false;
    switchTo(std::u16string(key), std::move(*loaded.estimate), std::move(loaded.bytes));
    return true;
}

std::u16string EstimateLibrary::rename(std::u16string name)
{
    if (std::all_of(name.begin(), name.end(),
                    [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0'; }))
        return std::u16string(caption(Caption::BlankEstimateName));
    // An entry that did not read, or is of a newer version, is not this
    // copy's to move or remove.
    if (!mergeStored().writable)
        return {};
    // The key is made from the name as kept: a lone surrogate already
    // replaced, so the name and the key read back alike from any storage.
    name = wellFormed(name);
    estimate_.rename(name);
    if (sameFile(safeFileStem(name), key_)) {
        save();
        return {};
    }
    const std::u16string key = freeKey(name);
    // The new entry first: if its write is refused, the old one is still
    // the last good one, and the next save writes the new name into it.
    std::optional<std::string> bytes = write(key);
    if (!bytes)
        return {};
    const std::u16string old = key_;
    rekey(key, std::move(*bytes));
    try {
        storage_.remove(old);
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotSaved, captionFilled(Caption::EstimateNotSaved, {reason(e)}));
    }
    return {};
}

void EstimateLibrary::duplicate()
{
    if (!saveBeforeLeaving())
        return;
    Estimate copy = makeEstimate();
    for (std::size_t i = 0; i < estimate_.size(); ++i)
        copy.restore(estimate_.line(i));
    std::u16string name = freeName(captionFilled(Caption::DuplicateName, {estimate_.name()}));
    std::u16string key = freeKey(name);
    copy.restoreSettings(std::move(name), estimate_.vatRate(), estimate_.pricesIncludeVat(), stamp());
    switchTo(std::move(key), std::move(copy), {});
    if (std::optional<std::string> bytes = write(key_))
        stored_ = std::move(*bytes);
}

void EstimateLibrary::remove(std::u16string_view key)
{
    Removed removed{std::u16string(key), {}, key == key_, {}, {}};
    if (removed.wasOpen) {
        // What is shown, with what other processes stored meanwhile: what
        // undoing the removal brings back. An entry that did not read, or
        // is of a newer version, is not this copy's to remove.
        if (!mergeStored().writable)
            return;
        removed.bytes = estimateFileBytes(estimate_);
    } else {
        try {
            std::optional<std::string> bytes = storage_.read(key);
            if (!bytes)
                return;
            removed.bytes = std::move(*bytes);
        } catch (const StorageError& e) {
            tell(LibraryEvent::NotRead, captionFilled(Caption::EstimateNotRead, {key, reason(e)}));
            return;
        }
    }
    // Kept with the deleted ones first: a storage that refuses leaves the
    // estimate where it was rather than lose it.
    try {
        removed.deletedId = storage_.keepDeleted(key, removed.bytes, clock_());
        storage_.remove(key);
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotSaved, captionFilled(Caption::EstimateNotSaved, {reason(e)}));
        if (!removed.deletedId.empty())
            forgetQuietly(storage_, removed.deletedId);
        return;
    }
    forgetOldDeletions();
    removed_ = std::move(removed);
    if (removed_->wasOpen && !openAnother())
        removed_->replacement = key_;
}

bool EstimateLibrary::undoRemove()
{
    if (!removed_)
        return false;
    Removed removed = std::move(*removed_);
    removed_.reset();
    save();
    std::u16string key = removed.key;
    // Another process may have made an estimate under that key meanwhile.
    if (taken(key))
        key = freeKey(key);
    try {
        storage_.write(key, removed.bytes);
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotSaved, captionFilled(Caption::EstimateNotSaved, {reason(e)}));
        removed_ = std::move(removed);
        return false;
    }
    if (!removed.deletedId.empty())
        forgetQuietly(storage_, removed.deletedId);
    if (!removed.wasOpen)
        return true;
    const std::u16string replacement = key_;
    const bool unused = !removed.replacement.empty() && replacement == removed.replacement &&
                        estimate_.size() == 0 && estimate_.deleted().empty();
    Loaded loaded = load(key);
    if (loaded.result != Load::Opened)
        return true;
    switchTo(std::move(key), std::move(*loaded.estimate), std::move(loaded.bytes));
    // The empty estimate started only because none was left goes again.
    if (unused) {
        try {
            storage_.remove(replacement);
        } catch (const StorageError&) {
        }
    }
    return true;
}

EstimateLibrary::Stored EstimateLibrary::mergeStored()
{
    std::optional<std::string> bytes;
    try {
        bytes = storage_.read(key_);
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotRead, captionFilled(Caption::EstimateNotRead, {key_, reason(e)}));
        return {false, false};
    }
    if (!bytes) {
        // Never stored yet (its first write was refused), or kept by the
        // user after another deleted it: written anew.
        if (stored_.empty() || gone_ == Gone::KeptByUser)
            return {false, true, false};
        // Renamed elsewhere: it follows the name.
        if (std::optional<std::u16string> renamed = renamedTo()) {
            rekey(std::move(*renamed), {});
            tell(LibraryEvent::RenamedElsewhere,
                 captionFilled(Caption::EstimateRenamedElsewhere, {estimate_.name()}));
            Stored merged = mergeStored();
            merged.merged = true;
            return merged;
        }
        // Deleted elsewhere: not written again without the user's word.
        if (gone_ == Gone::No) {
            gone_ = Gone::Told;
            tell(LibraryEvent::DeletedElsewhere,
                 captionFilled(Caption::EstimateDeletedElsewhere, {estimate_.name()}));
        }
        return {false, false};
    }
    if (*bytes == stored_)
        return {false, true, true};
    EstimateFileRead read = readBytes(*bytes);
    if (read.error == EstimateFileError::NewerVersion) {
        tell(LibraryEvent::TooNew, captionFilled(Caption::EstimateTooNew, {key_}));
        return {false, false};
    }
    if (read.error == EstimateFileError::Unreadable) {
        if (!keepAside(key_, read))
            return {false, false};
        stored_.clear();
        return {false, true};
    }
    noteStamps(*read.estimate);
    stored_ = std::move(*bytes);
    // Another wrote after this copy's last write: over it, if it had not
    // read it yet.
    const bool behind = read.estimate->mergeWouldChange(estimate_);
    if (!estimate_.mergeWouldChange(*read.estimate))
        return {false, true, true, behind};
    estimate_.mergeFrom(*read.estimate);
    return {true, true, true, behind};
}

bool EstimateLibrary::save()
{
    // Another process saving between this read and this write would lose
    // its change or this one's. Held for the save alone, never while the
    // user edits.
    const std::unique_ptr<StorageLock> held = storage_.lock(key_);
    // Without the lock, another's write may land between this read and
    // this write, or just after it: found in place of this one's, it is
    // merged and written again. A few times at most: a process writing
    // again and again must not hold this one here.
    constexpr int attempts = 3;
    bool merged = false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const Stored stored = mergeStored();
        merged = merged || stored.merged;
        if (!stored.writable)
            return merged;
        // A deletion is kept so that a merge with a version open elsewhere
        // does not bring its line back; after so long, none is taken to be.
        const std::uint64_t now = clock_();
        const std::uint64_t kept = deletionsKeptDays * 24 * 3600 * ticksPerSecond_;
        if (now > kept)
            estimate_.forgetDeletionsBefore(now - kept);
        std::string bytes = estimateFileBytes(estimate_);
        // Written again as it is, it would cost the storage's write (the
        // browser's is milliseconds for a large estimate) and change nothing.
        if (stored.current && bytes == stored_)
            return merged;
        if (!write(key_, bytes))
            return merged;
        stored_ = std::move(bytes);
        if (held || readsAsWritten())
            return merged;
    }
    return merged;
}

bool EstimateLibrary::readsAsWritten() const
{
    try {
        return storage_.read(key_) == stored_;
    } catch (const StorageError&) {
        // Not known: the next save or refresh reads it again.
        return true;
    }
}

std::optional<std::u16string> EstimateLibrary::renamedTo()
{
    if (estimate_.size() == 0)
        return std::nullopt;
    for (const std::u16string& key : storedKeys()) {
        if (key == key_)
            continue;
        std::optional<std::string> bytes;
        try {
            bytes = storage_.read(key);
        } catch (const StorageError&) {
            continue;
        }
        const EstimateFileRead read = bytes ? readBytes(*bytes) : EstimateFileRead{};
        if (!read.estimate)
            continue;
        for (std::size_t row = 0; row < read.estimate->size(); ++row) {
            if (estimate_.rowOf(read.estimate->line(row).id))
                return key;
        }
    }
    return std::nullopt;
}

void EstimateLibrary::keepDeletedElsewhere()
{
    if (gone_ == Gone::Told)
        gone_ = Gone::KeptByUser;
}

bool EstimateLibrary::refresh()
{
    const Stored stored = mergeStored();
    return stored.merged || stored.behind;
}

bool EstimateLibrary::windowWasOpen(const EstimateStorage& storage)
{
    try {
        return storage.setting(windowSetting) == "open";
    } catch (const StorageError&) {
        return false;
    }
}

void EstimateLibrary::setWindowOpen(bool open)
{
    try {
        storage_.setSetting(windowSetting, open ? "open" : "closed");
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotSaved, captionFilled(Caption::EstimateNotSaved, {reason(e)}));
    }
}

bool EstimateLibrary::tooOld(std::uint64_t when) const
{
    const std::uint64_t kept = deletionsKeptDays * 24 * 3600 * ticksPerSecond_;
    const std::uint64_t now = clock_();
    return now > kept && when < now - kept;
}

void EstimateLibrary::forgetOldDeletions()
{
    try {
        for (const KeptEntry& entry : storage_.deletedEntries())
            if (tooOld(entry.when))
                storage_.forgetDeleted(entry.id);
    } catch (const StorageError&) {
        // Tried again at the next start or removal.
    }
}

std::vector<DeletedEstimate> EstimateLibrary::deletedEstimates() const
{
    std::vector<DeletedEstimate> out;
    std::vector<KeptEntry> kept;
    try {
        kept = storage_.deletedEntries();
    } catch (const StorageError&) {
        return out;
    }
    for (KeptEntry& entry : kept) {
        if (tooOld(entry.when))
            continue;
        std::optional<std::string> bytes;
        try {
            bytes = storage_.readDeleted(entry.id);
        } catch (const StorageError&) {
        }
        if (!bytes)
            continue;
        const EstimateFileRead read = readEstimateFile(*bytes, separator_, none, none);
        DeletedEstimate d{std::move(entry.id), std::move(entry.key), entry.when, read.wholeLines.size()};
        if (read.estimate) {
            d.name = read.estimate->name();
            d.lines = read.estimate->size();
        }
        out.push_back(std::move(d));
    }
    std::sort(out.begin(), out.end(), [](const DeletedEstimate& a, const DeletedEstimate& b) {
        return a.deletedAt != b.deletedAt ? a.deletedAt > b.deletedAt : a.id < b.id;
    });
    return out;
}

bool EstimateLibrary::openAsNew(std::u16string_view preferredKey, Estimate e)
{
    noteStamps(e);
    const std::u16string name = freeName(e.name());
    if (name != e.name())
        e.rename(name);
    const bool keyFits = !preferredKey.empty() && name == e.name() && safeFileStem(name) == preferredKey;
    const std::u16string key = keyFits && !taken(preferredKey) ? std::u16string(preferredKey) : freeKey(name);
    std::string bytes = estimateFileBytes(e);
    if (!write(key, bytes))
        return false;
    switchTo(key, std::move(e), std::move(bytes));
    return true;
}

bool EstimateLibrary::restoreDeleted(std::u16string_view id)
{
    std::u16string key;
    try {
        for (KeptEntry& entry : storage_.deletedEntries())
            if (entry.id == id)
                key = std::move(entry.key);
    } catch (const StorageError&) {
    }
    std::optional<std::string> bytes;
    try {
        bytes = storage_.readDeleted(id);
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotRead, captionFilled(Caption::EstimateNotRead, {key, reason(e)}));
        return false;
    }
    if (!bytes || !saveBeforeLeaving())
        return false;
    // Its key is no longer held for undoing the removal.
    if (removed_ && removed_->deletedId == id)
        removed_.reset();
    EstimateFileRead read = readBytes(*bytes);
    if (read.error == EstimateFileError::None) {
        if (!openAsNew(key, std::move(*read.estimate)))
            return false;
    } else {
        // As it was: opening it keeps it aside, or leaves a newer
        // program's file alone, and says so.
        const std::u16string back = freeKey(key.empty() ? std::u16string(id) : key);
        if (!write(back, *bytes))
            return false;
        open(back);
    }
    forgetQuietly(storage_, id);
    return true;
}

std::vector<DamagedEstimate> EstimateLibrary::damagedEstimates() const
{
    std::vector<DamagedEstimate> out;
    std::vector<KeptEntry> kept;
    try {
        kept = storage_.asideEntries();
    } catch (const StorageError&) {
        return out;
    }
    for (KeptEntry& entry : kept) {
        std::optional<std::string> bytes;
        try {
            bytes = storage_.readAside(entry.id);
        } catch (const StorageError&) {
        }
        if (!bytes)
            continue;
        const EstimateFileRead read = readEstimateFile(*bytes, separator_, none, none);
        // A newer program's file is never kept aside; one put there by hand
        // is not this program's to open.
        if (read.error == EstimateFileError::NewerVersion)
            continue;
        DamagedEstimate d{std::move(entry.id), std::move(entry.key), read.wholeLines.size(), read.linesHeld};
        if (read.estimate) {
            d.name = read.estimate->name();
            d.linesRead = d.linesHeld = read.estimate->size();
        } else if (read.nameHeld) {
            d.name = *read.nameHeld;
        }
        out.push_back(std::move(d));
    }
    std::sort(out.begin(), out.end(), [](const DamagedEstimate& a, const DamagedEstimate& b) {
        return a.name != b.name ? a.name < b.name : a.id < b.id;
    });
    return out;
}

bool EstimateLibrary::recoverAside(std::u16string_view id)
{
    std::u16string key(id);
    try {
        for (KeptEntry& entry : storage_.asideEntries())
            if (entry.id == id)
                key = std::move(entry.key);
    } catch (const StorageError&) {
    }
    std::optional<std::string> bytes;
    try {
        bytes = storage_.readAside(id);
    } catch (const StorageError& e) {
        tell(LibraryEvent::NotRead, captionFilled(Caption::EstimateNotRead, {key, reason(e)}));
        return false;
    }
    if (!bytes || !saveBeforeLeaving())
        return false;
    EstimateFileRead read = readBytes(*bytes);
    if (read.error == EstimateFileError::NewerVersion)
        return false;
    if (read.estimate)
        return openAsNew({}, std::move(*read.estimate));
    Estimate e = makeEstimate();
    for (EstimateLine& line : read.wholeLines)
        e.restore(std::move(line));
    e.rename(read.nameHeld ? std::move(*read.nameHeld) : key);
    return openAsNew({}, std::move(e));
}

ImportResult EstimateLibrary::importFile(std::string_view bytes)
{
    EstimateFileRead read = readBytes(bytes);
    switch (read.error) {
    case EstimateFileError::None:
        break;
    case EstimateFileError::NewerVersion:
        return ImportResult::NewerVersion;
    case EstimateFileError::Unreadable:
        return namesEstimateFormat(bytes) ? ImportResult::Unreadable : ImportResult::NotEstimate;
    }
    if (!saveBeforeLeaving())
        return ImportResult::NotSaved;
    return openAsNew({}, std::move(*read.estimate)) ? ImportResult::Imported : ImportResult::NotSaved;
}

} // namespace tarvik
