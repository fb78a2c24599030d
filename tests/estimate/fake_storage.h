#pragma once

// Estimates kept in memory, shared by any number of libraries as one data
// folder is by two processes. Writes can be refused, as a full disk does.
// Keys are kept as the browser keeps its entries' names: as text that
// crossed over in UTF-8, so a key whose bytes are not valid UTF-8 is
// stored as what the browser would make of it.

#include "estimate/estimate_storage.h"
#include "text/utf8.h"

#include <map>
#include <string>

namespace tarvik::testing {

class FakeStorage : public EstimateStorage {
public:
    std::map<std::u16string, std::string, std::less<>> entries;
    std::map<std::u16string, std::string> aside; // what keepAside moved, under its new name
    struct Deleted {
        std::u16string key;
        std::string bytes;
        std::uint64_t when = 0;
    };
    std::map<std::u16string, Deleted, std::less<>> deleted; // by id
    std::map<std::string, std::string, std::less<>> settings;
    bool refuseWrites = false;
    StorageProblem refusal = StorageProblem::NoSpace; // why writes are refused
    int writes = 0;

    std::vector<std::u16string> keys() const override
    {
        std::vector<std::u16string> out;
        for (const auto& [key, bytes] : entries)
            out.push_back(key);
        return out;
    }

    std::optional<std::string> read(std::u16string_view key) const override
    {
        const auto it = entries.find(asText(key));
        if (it == entries.end())
            return std::nullopt;
        return it->second;
    }

    void write(std::u16string_view key, std::string_view bytes) override
    {
        if (refuseWrites)
            throw StorageError(refusal, u"data/estimates");
        ++writes;
        entries.insert_or_assign(asText(key), std::string(bytes));
    }

    void remove(std::u16string_view key) override
    {
        if (refuseWrites)
            throw StorageError(refusal, u"data/estimates");
        const auto it = entries.find(asText(key));
        if (it != entries.end())
            entries.erase(it);
    }

    std::u16string keepAside(std::u16string_view key) override
    {
        const auto it = entries.find(asText(key));
        if (it == entries.end())
            throw StorageError(StorageProblem::Failed);
        std::u16string name = std::u16string(key) + u".unreadable-" +
                              std::u16string(1, static_cast<char16_t>(u'1' + aside.size()));
        aside[name] = std::move(it->second);
        entries.erase(it);
        return name;
    }

    std::u16string keepDeleted(std::u16string_view key, std::string_view bytes, std::uint64_t when) override
    {
        if (refuseWrites)
            throw StorageError(refusal, u"data/deleted");
        std::u16string id = u"deleted-" + fromUtf8(std::to_string(++deletions));
        deleted[id] = {std::u16string(key), std::string(bytes), when};
        return id;
    }

    std::vector<KeptEntry> deletedEntries() const override
    {
        std::vector<KeptEntry> out;
        for (const auto& [id, d] : deleted)
            out.push_back({id, d.key, d.when});
        return out;
    }

    std::optional<std::string> readDeleted(std::u16string_view id) const override
    {
        const auto it = deleted.find(id);
        return it == deleted.end() ? std::nullopt : std::optional<std::string>(it->second.bytes);
    }

    void forgetDeleted(std::u16string_view id) override
    {
        if (const auto it = deleted.find(id); it != deleted.end())
            deleted.erase(it);
    }

    std::vector<KeptEntry> asideEntries() const override
    {
        std::vector<KeptEntry> out;
        for (const auto& [id, bytes] : aside)
            out.push_back({id, id.substr(0, id.rfind(u".unreadable-")), 0});
        return out;
    }

    std::optional<std::string> readAside(std::u16string_view id) const override
    {
        const auto it = aside.find(std::u16string(id));
        return it == aside.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

    std::optional<std::string> setting(std::string_view name) const override
    {
        const auto it = settings.find(name);
        if (it == settings.end())
            return std::nullopt;
        return it->second;
    }

    void setSetting(std::string_view name, std::string_view value) override
    {
        if (refuseWrites)
            throw StorageError(refusal, u"data/estimates");
        settings.insert_or_assign(std::string(name), std::string(value));
    }

    std::u16string lastOpen() const
    {
        const auto it = settings.find("last");
        return it == settings.end() ? std::u16string() : fromUtf8(it->second);
    }

private:
    int deletions = 0;
    static std::u16string asText(std::u16string_view key) { return fromUtf8(utf8(key)); }
};

} // namespace tarvik::testing
