#include "estimate_keeper.h"

#include "core/captions.h"
#include "core/estimate_table.h"
#include "core/file_names.h"
#include "estimate_json.h"
#include "qt_text.h"

#include <QDateTime>
#include <QMetaObject>
#include <QRandomGenerator>

#include <algorithm>

namespace tarvik {
namespace {

constexpr std::string_view windowSetting = "window";
constexpr std::string_view lastSetting = "last";

std::u16string numberText(std::size_t n)
{
    return formatAmount(Amount(n), 0, u'.');
}

QString fromStorageError(const StorageError& e)
{
    return QString::fromUtf8(e.what());
}

} // namespace

class EstimateKeeper::Impl {
public:
    Impl(EstimateKeeper& owner, char16_t separator) : owner(owner), separator(separator), estimate(make()) {}

    Estimate make()
    {
        return Estimate(
            separator, [] { return QRandomGenerator::global()->generate64(); }, [this] { return stamp(); });
    }

    // Wall-clock milliseconds, so that edits in two processes compare; never
    // the same twice here.
    std::uint64_t stamp()
    {
        const auto now = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
        last = std::max(now, last + 1);
        return last;
    }

    FileStorage& storage() { return owner.storage_; }

    std::optional<Estimate> load(const std::u16string& k)
    {
        const std::optional<std::string> bytes = storage().read(k);
        if (!bytes)
            return std::nullopt;
        EstimateFileRead read = readEstimateFile(
            *bytes, separator, [] { return QRandomGenerator::global()->generate64(); },
            [this] { return stamp(); });
        if (read.error == EstimateFileError::NewerVersion) {
            owner.tell(qs(captionWith(Caption::EstimateTooNew, u16view(storage().filePath(k)))), true);
            return std::nullopt;
        }
        if (read.error == EstimateFileError::Unreadable) {
            // Never written over: moved out of the way under a name that says so.
            const std::u16string aside = storage().keepAside(k);
            owner.tell(qs(captionWith(Caption::EstimateKeptAside, aside)), true);
            return std::nullopt;
        }
        // Stamps go on from the newest in the file, whatever the clock says.
        for (std::size_t i = 0; i < read.estimate->size(); ++i)
            last = std::max(last, read.estimate->line(i).edited);
        last = std::max(last, read.estimate->settingsEdited());
        return std::move(read.estimate);
    }

    bool taken(const std::u16string& k) const
    {
        const std::vector<std::u16string> keys = owner.storage_.keys();
        return std::find(keys.begin(), keys.end(), k) != keys.end();
    }

    // A key of its own for a name: the name's file stem, numbered when taken.
    std::u16string freeKey(const std::u16string& name) const
    {
        std::u16string k = safeFileStem(name);
        for (std::size_t n = 2; taken(k) && k != key; ++n)
            k = safeFileStem(name + u" (" + numberText(n) + u")");
        return k;
    }

    std::u16string freeName() const
    {
        std::vector<std::u16string> names;
        for (const EstimateEntry& e : owner.entries())
            names.push_back(e.name);
        for (std::size_t n = 1;; ++n) {
            std::u16string name = captionWith(Caption::NewEstimateName, numberText(n));
            if (std::find(names.begin(), names.end(), name) == names.end() && !taken(safeFileStem(name)))
                return name;
        }
    }

    void switchTo(std::u16string k, Estimate e)
    {
        key = std::move(k);
        estimate = std::move(e);
        try {
            storage().setSetting(lastSetting, QString::fromStdU16String(key).toStdString());
        } catch (const StorageError& error) {
            owner.tell(qs(captionWith(Caption::EstimateNotSaved, u16view(fromStorageError(error)))), true);
        }
    }

    void startNew()
    {
        Estimate e = make();
        const std::u16string name = freeName();
        e.rename(name);
        switchTo(freeKey(name), std::move(e));
        write();
    }

    bool write()
    {
        try {
            storage().write(key, estimateFileBytes(estimate));
            return true;
        } catch (const StorageError& error) {
            owner.tell(qs(captionWith(Caption::EstimateNotSaved, u16view(fromStorageError(error)))), true);
            return false;
        }
    }

    EstimateKeeper& owner;
    char16_t separator;
    std::uint64_t last = 0;
    std::u16string key;
    Estimate estimate;
};

EstimateKeeper::EstimateKeeper(QString folder, char16_t separator, QObject* parent)
    : QObject(parent), storage_(std::move(folder)), impl_(std::make_unique<Impl>(*this, separator))
{
    openAtStart();
    starting_ = false;
}

void EstimateKeeper::openAtStart()
{
    std::vector<std::u16string> candidates;
    if (const std::optional<std::string> last = storage_.setting(lastSetting))
        candidates.push_back(QString::fromStdString(*last).toStdU16String());
    for (std::u16string& k : storage_.keys())
        candidates.push_back(std::move(k));
    for (const std::u16string& k : candidates) {
        if (k.empty() || safeFileStem(k) != k)
            continue;
        if (std::optional<Estimate> e = impl_->load(k)) {
            impl_->switchTo(k, std::move(*e));
            return;
        }
    }
    impl_->startNew();
}

EstimateKeeper::~EstimateKeeper() = default;

void EstimateKeeper::tell(const QString& text, bool error)
{
    if (starting_)
        startMessages_.push_back({text, error});
    else
        emit message(text, error);
}

std::vector<std::pair<QString, bool>> EstimateKeeper::takeStartMessages()
{
    return std::exchange(startMessages_, {});
}

Estimate& EstimateKeeper::estimate()
{
    return impl_->estimate;
}

const std::u16string& EstimateKeeper::key() const
{
    return impl_->key;
}

void EstimateKeeper::saveSoon()
{
    if (savePending_)
        return;
    savePending_ = true;
    QMetaObject::invokeMethod(this, &EstimateKeeper::saveNow, Qt::QueuedConnection);
}

void EstimateKeeper::saveNow()
{
    if (!savePending_)
        return;
    savePending_ = false;
    impl_->write();
}

std::vector<EstimateEntry> EstimateKeeper::entries() const
{
    std::vector<EstimateEntry> out;
    for (std::u16string& k : storage_.keys()) {
        if (k == impl_->key) {
            out.push_back({k, impl_->estimate.name()});
            continue;
        }
        const std::optional<std::string> bytes = storage_.read(k);
        if (!bytes)
            continue;
        EstimateFileRead read = readEstimateFile(
            *bytes, u'.', [] { return std::uint64_t{0}; }, [] { return std::uint64_t{0}; });
        // An unreadable file shows under its file name: opening it keeps it aside.
        out.push_back({k, read.estimate ? read.estimate->name() : k});
    }
    std::sort(out.begin(), out.end(),
              [](const EstimateEntry& a, const EstimateEntry& b) { return a.name < b.name; });
    return out;
}

void EstimateKeeper::create()
{
    saveNow();
    impl_->startNew();
    emit switched();
}

void EstimateKeeper::open(const std::u16string& key)
{
    if (key == impl_->key)
        return;
    saveNow();
    if (std::optional<Estimate> e = impl_->load(key))
        impl_->switchTo(key, std::move(*e));
    emit switched();
}

void EstimateKeeper::rename(const std::u16string& name)
{
    const std::u16string old = impl_->key;
    impl_->estimate.rename(name);
    const std::u16string key = impl_->freeKey(name);
    impl_->key = key;
    // The new file first: a failure leaves the old one as it was.
    if (!impl_->write()) {
        impl_->key = old;
        emit switched();
        return;
    }
    savePending_ = false;
    if (key != old)
        storage_.remove(old);
    impl_->switchTo(key, std::move(impl_->estimate));
    emit switched();
}

void EstimateKeeper::duplicate()
{
    saveNow();
    Estimate e = impl_->make();
    for (std::size_t i = 0; i < impl_->estimate.size(); ++i)
        e.restore(impl_->estimate.line(i));
    e.restoreSettings(captionWith(Caption::DuplicateName, impl_->estimate.name()), impl_->estimate.vatRate(),
                      impl_->estimate.pricesIncludeVat(), impl_->stamp());
    impl_->switchTo(impl_->freeKey(e.name()), std::move(e));
    impl_->write();
    emit switched();
}

void EstimateKeeper::removeOpen()
{
    savePending_ = false;
    storage_.remove(impl_->key);
    for (const std::u16string& k : storage_.keys()) {
        if (std::optional<Estimate> e = impl_->load(k)) {
            impl_->switchTo(k, std::move(*e));
            emit switched();
            return;
        }
    }
    impl_->startNew();
    emit switched();
}

bool EstimateKeeper::windowWasOpen(const QString& folder)
{
    try {
        return FileStorage(folder).setting(windowSetting) == "open";
    } catch (const StorageError&) {
        return false;
    }
}

void EstimateKeeper::setWindowOpen(bool open)
{
    try {
        storage_.setSetting(windowSetting, open ? "open" : "closed");
    } catch (const StorageError& e) {
        tell(qs(captionWith(Caption::EstimateNotSaved, u16view(fromStorageError(e)))), true);
    }
}

} // namespace tarvik
