#include "web/estimate/browser_storage.h"

#include "web/bridge.h"

#include "estimate/estimate_table.h"
#include "estimate/money.h"
#include "number/count_text.h"
#include "text/captions.h"
#include "text/utf8.h"

namespace tarvik::web {
namespace {

PageCall store(const char* method)
{
    return PageCall(Partner::Store, method);
}

// The browser's storage is one per site: the estimates' entries are told
// apart by these prefixes, and entries that did not read are kept under
// the last, out of the list.
constexpr std::string_view estimatePrefix = "tarvik.estimate.";
constexpr std::string_view settingPrefix = "tarvik.setting.";
constexpr std::string_view asidePrefix = "tarvik.aside.";
constexpr std::string_view deletedPrefix = "tarvik.deleted.";

std::string entryKey(std::string_view prefix, std::u16string_view key)
{
    std::string name(prefix);
    name += utf8(key);
    return name;
}

// An entry comes as UTF-8 bytes, encoded by the browser: an estimate of ten
// thousand lines is megabytes, which a character-by-character conversion
// would take tens of milliseconds over.
std::optional<std::string> stored(std::string_view name)
{
    std::optional<std::string> bytes = store("get").arg(name).bytes();
    if (!bytes && store("readFailed").run() == 1)
        throw StorageError(StorageProblem::BrowserRefused);
    return bytes;
}

// What the store answers for a write the browser refused.
enum StoreAnswer { Stored = 0, QuotaExceeded = 1, Refused = 2 };

void put(std::string_view name, std::string_view bytes)
{
    const int answer = store("set").arg(name).arg(bytes).run();
    if (answer == Stored)
        return;
    throw StorageError(answer == QuotaExceeded ? StorageProblem::BrowserFull
                                               : StorageProblem::BrowserRefused);
}

// What follows `prefix` in the names of the entries that have it.
std::vector<std::u16string> namesAfter(std::string_view prefix)
{
    std::vector<std::u16string> out;
    const int count = store("keyCount").run();
    if (count < 0)
        throw StorageError(StorageProblem::BrowserRefused);
    for (int i = 0; i < count; ++i) {
        const std::optional<std::string> name = store("keyAt").arg(i).bytes();
        if (name && name->starts_with(prefix))
            out.push_back(fromUtf8(std::string_view(*name).substr(prefix.size())));
    }
    return out;
}

// "<when>.<key>": the time and the key of a deleted estimate's id.
std::optional<std::pair<std::uint64_t, std::u16string>> deletedId(std::u16string_view id)
{
    std::uint64_t when = 0;
    std::size_t digits = 0;
    for (; digits < id.size() && digits < 19 && id[digits] >= u'0' && id[digits] <= u'9'; ++digits)
        when = when * 10 + (id[digits] - u'0');
    if (digits == 0 || digits + 1 >= id.size() || id[digits] != u'.')
        return std::nullopt;
    return std::pair{when, std::u16string(id.substr(digits + 1))};
}

} // namespace

std::vector<std::u16string> BrowserStorage::keys() const
{
    return namesAfter(estimatePrefix);
}

std::u16string BrowserStorage::keepDeleted(std::u16string_view key, std::string_view bytes,
                                           std::uint64_t when)
{
    // Two deletions of one key within a tick: the later a tick on.
    std::u16string id;
    do {
        id = countText(when++) + u'.' + std::u16string(key);
    } while (stored(entryKey(deletedPrefix, id)));
    put(entryKey(deletedPrefix, id), bytes);
    return id;
}

std::vector<KeptEntry> BrowserStorage::deletedEntries() const
{
    std::vector<KeptEntry> out;
    for (std::u16string& id : namesAfter(deletedPrefix)) {
        if (auto parsed = deletedId(id))
            out.push_back({std::move(id), std::move(parsed->second), parsed->first});
    }
    return out;
}

std::optional<std::string> BrowserStorage::readDeleted(std::u16string_view id) const
{
    return stored(entryKey(deletedPrefix, id));
}

void BrowserStorage::forgetDeleted(std::u16string_view id)
{
    store("remove").arg(entryKey(deletedPrefix, id)).run();
}

std::vector<KeptEntry> BrowserStorage::asideEntries() const
{
    // keepAside names them "<key> (не читается)", then " 2" and on.
    const std::u16string mark = captionWith(Caption::UnreadableEntryName, u"");
    std::vector<KeptEntry> out;
    for (std::u16string& id : namesAfter(asidePrefix)) {
        const std::size_t at = id.rfind(mark);
        std::u16string key = at == std::u16string::npos ? id : id.substr(0, at);
        out.push_back({std::move(id), std::move(key), 0});
    }
    return out;
}

std::optional<std::string> BrowserStorage::readAside(std::u16string_view id) const
{
    return stored(entryKey(asidePrefix, id));
}

std::optional<std::string> BrowserStorage::read(std::u16string_view key) const
{
    const std::string name = entryKey(estimatePrefix, key);
    if (name == knownName_ && store("fresh").arg(name).run() == 1)
        return knownBytes_;
    std::optional<std::string> bytes = stored(name);
    knownName_ = bytes ? name : std::string();
    knownBytes_ = bytes.value_or(std::string());
    return bytes;
}

void BrowserStorage::write(std::u16string_view key, std::string_view bytes)
{
    const std::string name = entryKey(estimatePrefix, key);
    knownName_.clear();
    put(name, bytes);
    knownName_ = name;
    knownBytes_ = bytes;
}

void BrowserStorage::remove(std::u16string_view key)
{
    const std::string name = entryKey(estimatePrefix, key);
    if (name == knownName_)
        knownName_.clear();
    store("remove").arg(name).run();
}

std::u16string BrowserStorage::keepAside(std::u16string_view key)
{
    const std::string from = entryKey(estimatePrefix, key);
    const std::optional<std::string> bytes = stored(from);
    std::u16string aside = captionWith(Caption::UnreadableEntryName, key);
    for (int n = 2; stored(entryKey(asidePrefix, aside)); ++n)
        aside = captionWith(Caption::UnreadableEntryName, key) + u' ' + formatAmount(Amount(n), 0, u'.');
    if (bytes)
        put(entryKey(asidePrefix, aside), *bytes);
    if (from == knownName_)
        knownName_.clear();
    store("remove").arg(from).run();
    return aside;
}

std::optional<std::string> BrowserStorage::setting(std::string_view name) const
{
    return stored(std::string(settingPrefix) + std::string(name));
}

void BrowserStorage::setSetting(std::string_view name, std::string_view value)
{
    put(std::string(settingPrefix) + std::string(name), value);
}

} // namespace tarvik::web
