#include "estimate_keeper.h"

#include <QDateTime>
#include <QMetaObject>
#include <QRandomGenerator>

namespace tarvik {
namespace {

constexpr std::string_view windowSetting = "window";

} // namespace

class EstimateKeeper::Impl {
public:
    explicit Impl(char16_t separator)
        : estimate(
              separator, [] { return QRandomGenerator::global()->generate64() >> 11; },
              [this] { return nextStamp(); })
    {
    }

    std::uint64_t nextStamp()
    {
        const auto now = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
        last = now > last ? now : last + 1;
        return last;
    }

    std::uint64_t last = 0;
    Estimate estimate;
};

EstimateKeeper::EstimateKeeper(QString folder, char16_t separator, QObject* parent)
    : QObject(parent), storage_(std::move(folder)), impl_(std::make_unique<Impl>(separator))
{
}

EstimateKeeper::~EstimateKeeper() = default;

Estimate& EstimateKeeper::estimate()
{
    return impl_->estimate;
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
    savePending_ = false;
}

std::vector<EstimateEntry> EstimateKeeper::entries() const
{
    return {};
}

void EstimateKeeper::create() {}
void EstimateKeeper::open(const std::u16string&) {}
void EstimateKeeper::rename(const std::u16string& name)
{
    impl_->estimate.rename(name);
    saveSoon();
    emit switched();
}
void EstimateKeeper::duplicate() {}
void EstimateKeeper::removeOpen() {}

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
        emit message(QString::fromStdString(e.what()), true);
    }
}

} // namespace tarvik
