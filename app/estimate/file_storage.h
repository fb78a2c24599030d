#pragma once

// The estimates as files in the program's data folder: one file per
// estimate, the settings in one small file beside them. Every write goes to
// a temporary file that replaces the old one only once it is complete, so a
// crash or a full disk leaves the last good file as it was.

#include "estimate/estimate_storage.h"

#include <QString>

namespace tarvik {

class FileStorage : public EstimateStorage {
public:
    // `folder` holds "estimates/", "deleted/", "unreadable/" and
    // "settings.json"; it is made on the first write.
    explicit FileStorage(QString folder);

    // The program's data folder (QStandardPaths::AppDataLocation).
    static QString defaultFolder();

    const QString& folder() const { return folder_; }
    // Where the estimate of `key` is kept.
    QString filePath(std::u16string_view key) const;

    std::vector<std::u16string> keys() const override;
    std::optional<std::string> read(std::u16string_view key) const override;
    void write(std::u16string_view key, std::string_view bytes) override;
    void remove(std::u16string_view key) override;
    // Moves the file into "unreadable/" as "<key>.unreadable-<n>.json" and
    // returns that file's full path: the user is told where it went.
    std::u16string keepAside(std::u16string_view key) override;

    // A deleted estimate is "deleted/<key>.deleted-<when>.json" (a number
    // after the time should two deletions of one key share it); its id is
    // the file's name without ".json".
    std::u16string keepDeleted(std::u16string_view key, std::string_view bytes, std::uint64_t when) override;
    std::vector<KeptEntry> deletedEntries() const override;
    std::optional<std::string> readDeleted(std::u16string_view id) const override;
    void forgetDeleted(std::u16string_view id) override;
    // Ids are the kept files' names without ".json".
    std::vector<KeptEntry> asideEntries() const override;
    std::optional<std::string> readAside(std::u16string_view id) const override;

    // A lock file beside the estimate's ("<key>.json.lock", QLockFile):
    // one left by a process that died, or held for longer than any save
    // takes, is taken over; after 20 seconds of waiting, none.
    std::unique_ptr<StorageLock> lock(std::u16string_view key) override;

    std::optional<std::string> setting(std::string_view name) const override;
    void setSetting(std::string_view name, std::string_view value) override;

private:
    QString estimatesFolder() const;
    QString deletedFolder() const;
    QString asideFolder() const;
    QString settingsPath() const;

    QString folder_;
};

} // namespace tarvik
