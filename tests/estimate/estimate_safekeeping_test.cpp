#include "estimate/estimate_file.h"
#include "estimate/estimate_library.h"
#include "tests/estimate/estimate_fixture.h"
#include "tests/estimate/fake_storage.h"
#include "tests/estimate/library_events.h"
#include "tests/utf8.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

constexpr std::uint64_t day = 24 * 3600; // the clock counts seconds

// A process over the storage, as a start of the program is: its own ids.
EstimateLibrary process(EstimateStorage& storage, Counter clock, std::uint64_t firstId = 0x1000)
{
    Counter ids;
    *ids.next = firstId;
    return EstimateLibrary(storage, u',', ids, clock, 1);
}

Counter clockAt(std::uint64_t seconds)
{
    Counter clock;
    *clock.next = seconds;
    return clock;
}

std::vector<std::u16string> names(const std::vector<DeletedEstimate>& deleted)
{
    std::vector<std::u16string> out;
    for (const DeletedEstimate& d : deleted)
        out.push_back(d.name);
    return out;
}

TEST(EstimateSafekeeping, ADeletedEstimateIsRestoredAfterARestartUnderAFreeName)
{
    FakeStorage storage;
    const Counter clock = clockAt(1'000'000'000);
    {
        EstimateLibrary library = process(storage, clock);
        library.rename(u"Дача");
        library.estimate().add(rebar12(u"10"));
        library.estimate().add(sheet4(u"2"));
        library.create();
        library.remove(u"Дача");
        EXPECT_FALSE(storage.entries.contains(u"Дача"));
        EXPECT_TRUE(library.takeMessages().empty());
    }

    EstimateLibrary library = process(storage, clock);
    const std::vector<DeletedEstimate> deleted = library.deletedEstimates();
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0].name, u"Дача");
    EXPECT_EQ(deleted[0].lines, 2u);
    EXPECT_GT(deleted[0].deletedAt, 1'000'000'000u);
    ASSERT_TRUE(library.restoreDeleted(deleted[0].id));
    EXPECT_EQ(library.key(), u"Дача");
    EXPECT_EQ(library.estimate().size(), 2u);
    EXPECT_TRUE(library.deletedEstimates().empty());

    // Deleted again, and another estimate takes the name meanwhile: the
    // one brought back is numbered, the other left as it is.
    library.remove(u"Дача");
    library.create();
    library.rename(u"Дача");
    library.estimate().add(weldedMesh(u"1"));
    library.save();
    const std::u16string otherKey = library.key();
    const std::string other = storage.entries.at(otherKey);
    ASSERT_TRUE(library.restoreDeleted(library.deletedEstimates().at(0).id));
    EXPECT_EQ(library.estimate().name(), u"Дача (2)");
    EXPECT_EQ(library.estimate().size(), 2u);
    EXPECT_NE(library.key(), otherKey);
    EXPECT_EQ(storage.entries.at(otherKey), other);
    EXPECT_EQ(estimateFileName(storage.entries.at(library.key())), u"Дача (2)");

    // Undoing a removal takes its copy out of the deleted ones too.
    library.remove(library.key());
    EXPECT_EQ(names(library.deletedEstimates()), std::vector<std::u16string>{u"Дача (2)"});
    ASSERT_TRUE(library.undoRemove());
    EXPECT_TRUE(library.deletedEstimates().empty());
    EXPECT_TRUE(storage.deleted.empty());

    // A storage that refuses to keep it: the estimate stays where it was.
    storage.refuseWrites = true;
    library.remove(otherKey);
    EXPECT_EQ(events(library), std::vector<LibraryEvent>{LibraryEvent::NotSaved});
    EXPECT_EQ(storage.entries.at(otherKey), other);
    EXPECT_TRUE(storage.deleted.empty());
    EXPECT_FALSE(library.canUndoRemove());
}

TEST(EstimateSafekeeping, DeletedEstimatesAreForgottenAfterThirtyDays)
{
    FakeStorage storage;
    const Counter clock = clockAt(1'000'000'000);
    EstimateLibrary library = process(storage, clock);
    library.rename(u"Старая");
    library.create();
    library.remove(u"Старая");
    *clock.next += 20 * day;
    library.create();
    library.rename(u"Новая");
    library.remove(u"Новая");
    EXPECT_EQ(names(library.deletedEstimates()), (std::vector<std::u16string>{u"Новая", u"Старая"}));

    *clock.next += 10 * day - 10; // the first not quite 30 days old
    EXPECT_EQ(library.deletedEstimates().size(), 2u);
    *clock.next += 20;
    EXPECT_EQ(names(library.deletedEstimates()), std::vector<std::u16string>{u"Новая"});
    EXPECT_EQ(storage.deleted.size(), 2u) << "listed no more, gone at the next start";
    EstimateLibrary restarted = process(storage, clock);
    EXPECT_EQ(storage.deleted.size(), 1u);
    EXPECT_EQ(storage.deleted.begin()->second.key, u"Новая");
}

// The file cut in the middle of its third line of four.
std::string cutInLineThree(const std::string& whole)
{
    std::size_t at = 0;
    for (int line = 0; line < 3; ++line)
        at = whole.find("\n{\"id\"", at + 1);
    return whole.substr(0, at + 20);
}

TEST(EstimateSafekeeping, AFileCutInHalfIsKeptAsideAndItsWholeLinesRecovered)
{
    FakeStorage storage;
    const Counter clock = clockAt(1'000'000'000);
    std::vector<std::u16string> quantities;
    {
        EstimateLibrary library = process(storage, clock);
        library.rename(u"Дача");
        for (const char16_t* number : {u"10", u"20", u"30", u"40"})
            library.estimate().add(rebar12(number));
        library.save();
        for (std::size_t i = 0; i < 2; ++i)
            quantities.push_back(library.estimate().line(i).quantity);
    }
    storage.entries[u"Дача"] = cutInLineThree(storage.entries.at(u"Дача"));

    EstimateLibrary library = process(storage, clock);
    const std::vector<LibraryMessage> messages = library.takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].event, LibraryEvent::KeptAside);
    EXPECT_EQ(utf8(messages[0].text),
              "Смета «Дача» не читается; её файл сохранён как «Дача.unreadable-1» и не "
              "будет перезаписан. Читаются строки: 2 из 3; «Открыть…» восстановит их "
              "новой сметой");
    storage.entries[u"Сломанная"] = "[";
    EXPECT_FALSE(library.open(u"Сломанная"));
    library.takeMessages();

    const std::vector<DamagedEstimate> damaged = library.damagedEstimates();
    ASSERT_EQ(damaged.size(), 2u);
    EXPECT_EQ(damaged[0].name, u"Дача");
    EXPECT_EQ(damaged[0].linesRead, 2u);
    EXPECT_EQ(damaged[0].linesHeld, 3u);
    EXPECT_EQ(damaged[1].name, u"Сломанная") << "its key, where no name reads";
    EXPECT_EQ(damaged[1].linesRead, 0u);

    ASSERT_TRUE(library.recoverAside(damaged[0].id));
    EXPECT_EQ(library.estimate().name(), u"Дача");
    ASSERT_EQ(library.estimate().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(library.estimate().line(i).quantity, quantities[i]);
    const std::string written = storage.entries.at(library.key());
    EXPECT_EQ(readEstimateFile(written, u',', Counter{}, Counter{}).estimate->size(), 2u);
    EXPECT_EQ(storage.aside.size(), 2u) << "the damaged file stays as it was";

    // Recovered twice: a second estimate, numbered.
    ASSERT_TRUE(library.recoverAside(damaged[0].id));
    EXPECT_EQ(library.estimate().name(), u"Дача (2)");
    ASSERT_TRUE(library.recoverAside(damaged[1].id));
    EXPECT_EQ(library.estimate().name(), u"Сломанная");
    EXPECT_EQ(library.estimate().size(), 0u);
}

// Another process's write landing just before or just after this one's,
// where no lock keeps them apart (a page without Web Locks).
class RacingStorage : public FakeStorage {
public:
    std::function<void()> before, after;
    void write(std::u16string_view key, std::string_view bytes) override
    {
        if (before)
            std::exchange(before, {})();
        FakeStorage::write(key, bytes);
        if (after)
            std::exchange(after, {})();
    }
};

TEST(EstimateSafekeeping, TwoWritersWithoutALockLoseNoLine)
{
    for (const bool othersLandsAfter : {true, false}) {
        SCOPED_TRACE(othersLandsAfter ? "the other's write lands after" : "the other's write lands before");
        RacingStorage storage;
        const Counter clock = clockAt(1000);
        EstimateLibrary a = process(storage, clock, 0x1000);
        a.save();
        EstimateLibrary b = process(storage, clock, 0x2000);
        a.estimate().add(rebar12(u"10"));
        b.estimate().add(sheet4(u"1"));
        // B read the entry before A wrote: its write holds B's line alone.
        const std::string bStale = estimateFileBytes(b.estimate());
        const std::u16string key = a.key();
        (othersLandsAfter ? storage.after : storage.before) = [&] { storage.entries[key] = bStale; };
        a.save();
        // A finds B's write in place of its own and writes both; or B finds
        // A's over its own and saves again.
        if (!othersLandsAfter) {
            EXPECT_TRUE(b.refresh());
            b.save();
        }
        a.refresh();
        b.refresh();
        const EstimateFileRead stored = readEstimateFile(storage.entries.at(key), u',', Counter{}, Counter{});
        ASSERT_TRUE(stored.estimate);
        EXPECT_EQ(stored.estimate->size(), 2u);
        EXPECT_EQ(a.estimate().size(), 2u);
        EXPECT_EQ(b.estimate().size(), 2u);
        EXPECT_FALSE(a.refresh());
        EXPECT_FALSE(b.refresh());
    }

    // A stale copy written over this one's, holding nothing this one
    // lacks: the refresh still says so, for the face to save again.
    FakeStorage storage;
    EstimateLibrary a = process(storage, clockAt(1000));
    a.save();
    const std::string before = storage.entries.at(a.key());
    a.estimate().add(rebar12(u"10"));
    a.save();
    storage.entries[a.key()] = before;
    EXPECT_TRUE(a.refresh());
    a.save();
    EXPECT_EQ(readEstimateFile(storage.entries.at(a.key()), u',', Counter{}, Counter{}).estimate->size(), 1u);
    EXPECT_FALSE(a.refresh());
}

} // namespace
