#include "app/estimate/estimate_keeper.h"

#include "app/qt_text.h"

#include <QDateTime>
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
}

std::vector<std::pair<QString, bool>> EstimateKeeper::takeStartMessages()
{
    return std::exchange(startMessages_, {});
}

void EstimateKeeper::after(bool switchedEstimate)
{
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
