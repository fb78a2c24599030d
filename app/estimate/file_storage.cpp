#include "app/estimate/file_storage.h"

#include "app/qt_text.h"
#include "estimate/file_names.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QThread>

#include <algorithm>
#include <utility>

namespace tarvik {
namespace {

const QString jsonSuffix = QStringLiteral(".json");

QString utf8Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

[[noreturn]] void refuse(StorageProblem problem, const QString& where = {})
{
    throw StorageError(problem, QDir::toNativeSeparators(where).toStdU16String());
}

// The system's reason as a code, its English words left out: a full disk
// (the device's own word for it, or no byte left), no right to write in
// `folder`, or else `otherwise`.
[[noreturn]] void refuse(const QFileDevice& file, const QString& folder, StorageProblem otherwise)
{
    if (file.error() == QFileDevice::ResourceError)
        refuse(StorageProblem::NoSpace);
    if (!QFileInfo(folder).isWritable())
        refuse(StorageProblem::NoPermission, folder);
    if (QStorageInfo(folder).bytesAvailable() == 0)
        refuse(StorageProblem::NoSpace);
    refuse(otherwise);
}

void makeFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        refuse(StorageProblem::NoPermission, folder);
}

// Keys come from safeFileStem; anything else could name a file outside the
// folder, so it is refused rather than cleaned into some other key.
void checkKey(std::u16string_view key)
{
    if (key.empty() || safeFileStem(key) != key)
        refuse(StorageProblem::Failed);
}

// Replaces `path` whole: a temporary file beside it, renamed over it once
// everything is on the disk.
//
// Unbuffered: through QFileDevice's buffer, a file smaller than the buffer
// reaches the disk only in commit(), whose flush may fail (a full disk)
// while commit() still renames the empty temporary file over the estimate
// and returns true. Written straight through, every refused byte shows in
// write(), and the old file stays.
void writeWhole(const QString& path, std::string_view bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    makeFolder(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        refuse(file, folder, StorageProblem::Failed);
    const auto size = static_cast<qint64>(bytes.size());
    // Nothing is left in a buffer, but should a flush still fail, the file
    // is not committed.
    if (file.write(bytes.data(), size) != size || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        refuse(file, folder, StorageProblem::Failed);
    }
    // Written whole, the replacing rename was refused: on Windows, by a
    // program that holds the old file open.
    if (!file.commit())
        refuse(file, folder, StorageProblem::Busy);
}

// The key and the number after `marker` in a kept file's id
// ("Дача.deleted-1765400000000", "Дача.unreadable-2"); none for a name
// this storage did not give, which could name a file elsewhere.
std::optional<std::pair<std::u16string, std::uint64_t>> keptId(std::u16string_view id,
                                                               std::u16string_view marker)
{
    const std::size_t at = id.rfind(marker);
    if (at == std::u16string_view::npos || at == 0)
        return std::nullopt;
    std::u16string key(id.substr(0, at));
    if (safeFileStem(key) != key)
        return std::nullopt;
    std::u16string_view rest = id.substr(at + marker.size());
    std::uint64_t number = 0;
    std::size_t digits = 0;
    for (; digits < rest.size() && rest[digits] >= u'0' && rest[digits] <= u'9' && digits < 19; ++digits)
        number = number * 10 + (rest[digits] - u'0');
    rest.remove_prefix(digits);
    // A second deletion of the key at the same time: "-2" after it.
    if (!rest.empty() && rest.front() == u'-' && rest.size() > 1 && rest.size() < 6 &&
        std::all_of(rest.begin() + 1, rest.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
        rest = {};
    if (digits == 0 || !rest.empty())
        return std::nullopt;
    return std::pair{std::move(key), number};
}

const std::u16string_view deletedMarker = u".deleted-";
const std::u16string_view asideMarker = u".unreadable-";

std::optional<std::string> readWhole(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        refuse(QFileInfo(path).isReadable() ? StorageProblem::Busy : StorageProblem::NotReadable, path);
    const QByteArray bytes = file.readAll();
    // Part of a file is not the file: what was read is not used.
    if (file.error() != QFileDevice::NoError)
        refuse(StorageProblem::Failed);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

FileStorage::FileStorage(QString folder) : folder_(std::move(folder)) {}

namespace {

class FileLock : public StorageLock {
public:
    explicit FileLock(const QString& path) : file(path) {}
    QLockFile file;
};

} // namespace

std::unique_ptr<StorageLock> FileStorage::lock(std::u16string_view key)
{
    // A save of 10,000 lines holds it for a few milliseconds: one held for
    // longer than this was left by a process that hung (one that died is
    // told by its process id at once).
    constexpr int staleAfterMilliseconds = 10'000;
    // Past this, the save goes ahead unlocked rather than never.
    constexpr int giveUpAfterMilliseconds = 20'000;
    // Asked for again every few milliseconds: QLockFile's own wait sleeps
    // longer after each try, up to seconds, while a process that saves
    // again and again takes the lock back each time it is free.
    constexpr unsigned long retryMilliseconds = 2;
    try {
        makeFolder(estimatesFolder());
    } catch (const StorageError&) {
        return nullptr;
    }
    auto held = std::make_unique<FileLock>(filePath(key) + QStringLiteral(".lock"));
    held->file.setStaleLockTime(staleAfterMilliseconds);
    QElapsedTimer waited;
    waited.start();
    while (!held->file.tryLock(0)) {
        if (held->file.error() != QLockFile::LockFailedError || waited.elapsed() > giveUpAfterMilliseconds)
            return nullptr;
        QThread::msleep(retryMilliseconds);
    }
    return held;
}

QString FileStorage::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString FileStorage::estimatesFolder() const
{
    return folder_ + QStringLiteral("/estimates");
}

QString FileStorage::deletedFolder() const
{
    return folder_ + QStringLiteral("/deleted");
}

QString FileStorage::asideFolder() const
{
    return folder_ + QStringLiteral("/unreadable");
}

QString FileStorage::settingsPath() const
{
    return folder_ + QStringLiteral("/settings.json");
}

QString FileStorage::filePath(std::u16string_view key) const
{
    checkKey(key);
    return estimatesFolder() + u'/' + qs(key) + jsonSuffix;
}

std::vector<std::u16string> FileStorage::keys() const
{
    std::vector<std::u16string> out;
    const QStringList names =
        QDir(estimatesFolder()).entryList({QStringLiteral("*.json")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        std::u16string key = name.chopped(jsonSuffix.size()).toStdU16String();
        // A file put there by hand under a name no key could have is left alone.
        if (!key.empty() && safeFileStem(key) == key)
            out.push_back(std::move(key));
    }
    return out;
}

std::optional<std::string> FileStorage::read(std::u16string_view key) const
{
    return readWhole(filePath(key));
}

void FileStorage::write(std::u16string_view key, std::string_view bytes)
{
    writeWhole(filePath(key), bytes);
}

void FileStorage::remove(std::u16string_view key)
{
    QFile file(filePath(key));
    if (file.exists() && !file.remove())
        refuse(file, estimatesFolder(), StorageProblem::Busy);
}

std::u16string FileStorage::keepAside(std::u16string_view key)
{
    const QString from = filePath(key);
    const QString folder = asideFolder();
    makeFolder(folder);
    // rename() never replaces an existing file: the first free number wins.
    for (int n = 1; n < 10000; ++n) {
        const QString to = folder + u'/' + qs(key) + QStringLiteral(".unreadable-%1").arg(n) + jsonSuffix;
        if (QFile::exists(to))
            continue;
        QFile file(from);
        if (!file.rename(to))
            refuse(file, folder, StorageProblem::Busy);
        return QDir::toNativeSeparators(to).toStdU16String();
    }
    refuse(StorageProblem::Failed);
}

namespace {

std::vector<KeptEntry> keptIn(const QString& folder, std::u16string_view marker)
{
    std::vector<KeptEntry> out;
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.json")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        std::u16string id = name.chopped(jsonSuffix.size()).toStdU16String();
        if (auto parsed = keptId(id, marker))
            out.push_back({std::move(id), std::move(parsed->first), parsed->second});
    }
    return out;
}

// The file of a kept copy, from an id this storage gave.
QString keptPath(const QString& folder, std::u16string_view id, std::u16string_view marker)
{
    if (!keptId(id, marker))
        refuse(StorageProblem::Failed);
    return folder + u'/' + qs(id) + jsonSuffix;
}

} // namespace

std::u16string FileStorage::keepDeleted(std::u16string_view key, std::string_view bytes, std::uint64_t when)
{
    checkKey(key);
    const std::u16string stem =
        std::u16string(key) + std::u16string(deletedMarker) + QString::number(when).toStdU16String();
    std::u16string id = stem;
    for (int n = 2; QFile::exists(deletedFolder() + u'/' + qs(id) + jsonSuffix); ++n) {
        if (n > 9999)
            refuse(StorageProblem::Failed);
        id = stem + u'-' + QString::number(n).toStdU16String();
    }
    writeWhole(deletedFolder() + u'/' + qs(id) + jsonSuffix, bytes);
    return id;
}

std::vector<KeptEntry> FileStorage::deletedEntries() const
{
    return keptIn(deletedFolder(), deletedMarker);
}

std::optional<std::string> FileStorage::readDeleted(std::u16string_view id) const
{
    return readWhole(keptPath(deletedFolder(), id, deletedMarker));
}

void FileStorage::forgetDeleted(std::u16string_view id)
{
    QFile file(keptPath(deletedFolder(), id, deletedMarker));
    if (file.exists() && !file.remove())
        refuse(file, deletedFolder(), StorageProblem::Busy);
}

std::vector<KeptEntry> FileStorage::asideEntries() const
{
    std::vector<KeptEntry> out = keptIn(asideFolder(), asideMarker);
    // The number tells two files of one key apart, not a time.
    for (KeptEntry& entry : out)
        entry.when = 0;
    return out;
}

std::optional<std::string> FileStorage::readAside(std::u16string_view id) const
{
    return readWhole(keptPath(asideFolder(), id, asideMarker));
}

std::optional<std::string> FileStorage::setting(std::string_view name) const
{
    const std::optional<std::string> bytes = readWhole(settingsPath());
    if (!bytes)
        return std::nullopt;
    // Settings are a convenience: a damaged file reads as no settings and is
    // replaced by the next one written.
    const QJsonObject all =
        QJsonDocument::fromJson(QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()))).object();
    const QJsonValue value = all.value(utf8Text(name));
    if (!value.isString())
        return std::nullopt;
    return value.toString().toStdString();
}

void FileStorage::setSetting(std::string_view name, std::string_view value)
{
    QJsonObject all;
    if (const std::optional<std::string> bytes = readWhole(settingsPath()))
        all = QJsonDocument::fromJson(QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())))
                  .object();
    const QString key = utf8Text(name);
    const QString text = utf8Text(value);
    if (all.value(key) == QJsonValue(text))
        return;
    all.insert(key, text);
    writeWhole(settingsPath(), QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString());
}

} // namespace tarvik
