#include "web/estimate/browser_storage.h"

#include "web/bridge.h"

#include "estimate/estimate_table.h"
#include "estimate/money.h"
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

} // namespace

std::vector<std::u16string> BrowserStorage::keys() const
{
    std::vector<std::u16string> keys;
    const int count = store("keyCount").run();
    if (count < 0)
        throw StorageError(StorageProblem::BrowserRefused);
    for (int i = 0; i < count; ++i) {
        const std::optional<std::string> name = store("keyAt").arg(i).bytes();
        if (name && name->starts_with(estimatePrefix))
            keys.push_back(fromUtf8(std::string_view(*name).substr(estimatePrefix.size())));
    }
    return keys;
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
