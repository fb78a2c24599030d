#pragma once

// The estimates the program keeps, for the estimate window: the core's
// library of named estimates over files in the data folder. Saving waits
// for the events already queued, so a change is on screen before the disk
// is touched; what the library has to tell the user comes as `message`.
// Another process's save reaches the open estimate by itself: the folder
// is watched.

#include "app/estimate/file_storage.h"
#include "estimate/estimate_library.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

namespace tarvik {

class EstimateKeeper : public QObject {
    Q_OBJECT
public:
    // The estimates kept in `folder`; the last open one is opened.
    EstimateKeeper(QString folder, char16_t separator, QObject* parent = nullptr);

    EstimateLibrary& library() { return library_; }
    Estimate& estimate() { return library_.estimate(); }
    // The open estimate's key in the storage.
    const std::u16string& key() const { return library_.key(); }
    FileStorage& storage() { return storage_; }

    // Saves once the events queued before this call have run.
    void saveSoon();
    // Saves now if a save is waiting.
    void saveNow();

    std::vector<EstimateEntry> entries() const { return library_.entries(); }
    void create();
    void open(const std::u16string& key);
    // Why the name was refused; "" when taken.
    std::u16string rename(const std::u16string& name);
    void duplicate();
    void removeOpen();

    // Who shows what a save or a refresh brought (true: another process's
    // changes were merged in) and what the library said; without one the
    // keeper's signals say it.
    std::function<void(bool merged)> listener;

    // Whether the estimate window was open when the program last ended with
    // its estimates kept in `folder`: read without opening any estimate.
    static bool windowWasOpen(const QString& folder);
    void setWindowOpen(bool open);

    // What the opening said before anyone listened: a file kept aside, a
    // newer file left alone. Later messages come through `message`.
    std::vector<std::pair<QString, bool>> takeStartMessages();

signals:
    // Another estimate is open, or the open one took in changes another
    // process saved: everything shown of it is shown again.
    void switched();
    // Something the user is told: a write refused, a file kept aside.
    void message(const QString& text, bool error);

private:
    // Hands on what the library has to say, then announces a switch.
    void after(bool switched);
    // Watches the estimates' folder once it exists.
    void watch();
    // Merges in what another process saved.
    void refresh();

    FileStorage storage_;
    EstimateLibrary library_;
    bool savePending_ = false;
    QFileSystemWatcher watcher_;
    QTimer refreshTimer_;
    std::vector<std::pair<QString, bool>> startMessages_;
};

} // namespace tarvik
