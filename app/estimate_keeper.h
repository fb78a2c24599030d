#pragma once

// The estimates the program keeps, for the estimate window: the open one,
// the named others, and saving after each committed change. Saving waits
// for the events already queued, so the change is on screen before the
// disk is touched.

#include "core/estimate.h"
#include "file_storage.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarvik {

struct EstimateEntry {
    std::u16string key;
    std::u16string name;
};

class EstimateKeeper : public QObject {
    Q_OBJECT
public:
    // The estimates kept in `folder`; the last open one is opened.
    EstimateKeeper(QString folder, char16_t separator, QObject* parent = nullptr);
    ~EstimateKeeper() override;

    Estimate& estimate();
    // The open estimate's key in the storage.
    const std::u16string& key() const;
    FileStorage& storage() { return storage_; }

    // Saves once the events queued before this call have run.
    void saveSoon();
    // Saves now; a failure is reported through `message`.
    void saveNow();

    std::vector<EstimateEntry> entries() const;
    void create();
    void open(const std::u16string& key);
    void rename(const std::u16string& name);
    void duplicate();
    void removeOpen();

    // Whether the estimate window was open when the program last ended with
    // its estimates kept in `folder`: read without opening any estimate.
    static bool windowWasOpen(const QString& folder);
    void setWindowOpen(bool open);

    // What the opening said before anyone listened: a file kept aside, a
    // newer file left alone. Later messages come through `message`.
    std::vector<std::pair<QString, bool>> takeStartMessages();

signals:
    // Another estimate is open, or the open one took in changes from another
    // process: everything shown of it is shown again.
    void switched();
    // Something the user is told: a write refused, a file kept aside.
    void message(const QString& text, bool error);

private:
    class Impl;
    void openAtStart();
    void tell(const QString& text, bool error);

    FileStorage storage_;
    std::unique_ptr<Impl> impl_;
    bool savePending_ = false;
    bool starting_ = true;
    std::vector<std::pair<QString, bool>> startMessages_;
};

} // namespace tarvik
