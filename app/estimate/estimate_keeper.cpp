#include "app/estimate/estimate_keeper.h"

#include "app/qt_text.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMetaObject>
#include <QRandomGenerator>

namespace tarvik {
namespace {

// Random ids, so that lines added by two processes never share one.
std::uint64_t randomId()
{
    return QRandomGenerator::global()->generate64();
}

// Wall-clock milliseconds: edits in two processes compare by them.
constexpr std::uint64_t wallClockTicksPerSecond = 1000;

std::uint64_t wallClock()
{
    return static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
}

} // namespace

EstimateKeeper::EstimateKeeper(QString folder, char16_t separator, QObject* parent)
    : QObject(parent), storage_(std::move(folder)),
      library_(storage_, separator, randomId, wallClock, wallClockTicksPerSecond)
{
    for (LibraryMessage& m : library_.takeMessages())
        startMessages_.emplace_back(qs(m.text), true);
    // The folder changes when a save's finished file replaces the estimate
    // (and when a save's lock file comes and goes): a burst of changes,
    // this process's own saves included, is read once, soon after it
    // began, so another process's change shows well within a second.
    constexpr int refreshAfterMilliseconds = 200;
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(refreshAfterMilliseconds);
    connect(&refreshTimer_, &QTimer::timeout, this, &EstimateKeeper::refresh);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!refreshTimer_.isActive())
            refreshTimer_.start();
    });
    watch();
}

void EstimateKeeper::watch()
{
    if (!watcher_.directories().isEmpty())
        return;
    const QString folder = QFileInfo(storage_.filePath(library_.key())).absolutePath();
    if (QFileInfo(folder).isDir())
        watcher_.addPath(folder);
}

void EstimateKeeper::refresh()
{
    // A change of this process's waiting to be saved goes first: the save
    // merges what is stored as well.
    if (savePending_) {
        saveNow();
        return;
    }
    // What another process stored may lack this one's changes (written
    // over unseen): a save writes them back, and writes nothing otherwise.
    const bool changed = library_.refresh();
    after(changed);
    if (changed)
        saveSoon();
}

std::vector<std::pair<QString, bool>> EstimateKeeper::takeStartMessages()
{
    return std::exchange(startMessages_, {});
}

void EstimateKeeper::after(bool switchedEstimate)
{
    // The first save makes the folder.
    watch();
    if (listener) {
        listener(switchedEstimate);
        return;
    }
    for (const LibraryMessage& m : library_.takeMessages())
        emit message(qs(m.text), true);
    if (switchedEstimate)
        emit switched();
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
    // A merge of what another process saved changes what is shown.
    after(library_.save());
}

void EstimateKeeper::create()
{
    savePending_ = false;
    library_.create();
    after(true);
}

void EstimateKeeper::open(const std::u16string& key)
{
    savePending_ = false;
    library_.open(key);
    after(true);
}

std::u16string EstimateKeeper::rename(const std::u16string& name)
{
    savePending_ = false;
    std::u16string refused = library_.rename(name);
    after(true);
    return refused;
}

void EstimateKeeper::duplicate()
{
    savePending_ = false;
    library_.duplicate();
    after(true);
}

void EstimateKeeper::removeOpen()
{
    savePending_ = false;
    library_.remove(library_.key());
    after(true);
}

bool EstimateKeeper::windowWasOpen(const QString& folder)
{
    try {
        return EstimateLibrary::windowWasOpen(FileStorage(folder));
    } catch (const StorageError&) {
        return false;
    }
}

void EstimateKeeper::setWindowOpen(bool open)
{
    library_.setWindowOpen(open);
    after(false);
}

} // namespace tarvik
