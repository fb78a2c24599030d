#include "estimate/estimate_file.h"
#include "estimate/estimate_library.h"
#include "estimate/file_names.h"
#include "tests/estimate/estimate_fixture.h"
#include "tests/estimate/fake_storage.h"
#include "tests/estimate/library_events.h"
#include "tests/utf8.h"
#include "text/captions.h"

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

// One process over the storage: its own ids, the wall clock all share, in
// seconds.
EstimateLibrary process(FakeStorage& storage, Counter clock, std::uint64_t firstId = 0x1000)
{
    Counter ids;
    *ids.next = firstId;
    return EstimateLibrary(storage, u',', ids, clock, 1);
}

std::u16string storedName(const FakeStorage& storage, const std::u16string& key)
{
    const auto it = storage.entries.find(key);
    return it == storage.entries.end() ? u"<none>" : estimateFileName(it->second).value_or(u"<unreadable>");
}

std::vector<std::u16string> names(const EstimateLibrary& library)
{
    std::vector<std::u16string> out;
    for (const EstimateEntry& e : library.entries())
        out.push_back(e.name);
    return out;
}

std::string newerFile()
{
    return R"({"format": "tarvik-estimate", "version": "99", "name": "Из будущего", "sheets": []})";
}

TEST(EstimateLibrary, StartsWithTheEstimateOpenLastOrANewOne)
{
    FakeStorage storage;
    Counter clock;
    {
        EstimateLibrary first = process(storage, clock);
        EXPECT_EQ(first.key(), u"Смета 1");
        EXPECT_EQ(first.estimate().name(), u"Смета 1");
        EXPECT_EQ(storedName(storage, u"Смета 1"), u"Смета 1");
        first.estimate().add(rebar12(u"10"));
        first.save();
        first.create();
        EXPECT_EQ(first.key(), u"Смета 2");
        first.create();
        ASSERT_TRUE(first.open(u"Смета 2"));
        first.setWindowOpen(true);
        EXPECT_TRUE(first.takeMessages().empty());
    }
    EXPECT_EQ(storage.lastOpen(), u"Смета 2");
    EXPECT_TRUE(EstimateLibrary::windowWasOpen(storage));
    EXPECT_EQ(process(storage, clock).key(), u"Смета 2");

    // The one open last is gone, or the setting names no estimate: the
    // first by name opens.
    for (const char* last : {"Смета 9", "../Смета 1"}) {
        storage.settings["last"] = last;
        EstimateLibrary next = process(storage, clock);
        EXPECT_EQ(next.key(), u"Смета 1") << last;
        EXPECT_EQ(next.estimate().size(), 1u);
    }
}

TEST(EstimateLibrary, ListsByNameRenamesAndDuplicates)
{
    FakeStorage storage;
    EstimateLibrary library = process(storage, {});
    library.estimate().add(rebar12(u"10"));
    library.rename(u"Дача");
    EXPECT_EQ(library.key(), u"Дача");
    EXPECT_FALSE(storage.entries.contains(u"Смета 1")) << "the old entry goes";
    EXPECT_EQ(storedName(storage, u"Дача"), u"Дача");
    EXPECT_EQ(storage.lastOpen(), u"Дача");

    library.duplicate();
    EXPECT_EQ(library.estimate().name(), u"Дача — копия");
    EXPECT_EQ(library.estimate().size(), 1u);
    ASSERT_TRUE(library.open(u"Дача"));
    library.duplicate();
    EXPECT_EQ(library.estimate().name(), u"Дача — копия (2)");
    library.create();
    library.rename(u"Арка");
    // A name of spaces is refused with its reason, and nothing moves.
    for (const std::u16string_view blank : {u"", u"   ", u" \u00A0\t"}) {
        EXPECT_EQ(library.rename(std::u16string(blank)), caption(Caption::BlankEstimateName));
        EXPECT_EQ(library.key(), u"Арка");
    }
    EXPECT_EQ(names(library),
              (std::vector<std::u16string>{u"Арка", u"Дача", u"Дача — копия", u"Дача — копия (2)"}));

    // Names that are not file names, or whose file names are taken.
    for (const std::u16string& name : {std::u16string(u"../../etc/passwd"), std::u16string(u"Дача"),
                                       std::u16string(300, u'я'), std::u16string(300, u'я')}) {
        library.create();
        library.rename(name);
        EXPECT_EQ(library.estimate().name(), name);
        EXPECT_EQ(safeFileStem(library.key()), library.key());
        EXPECT_EQ(storedName(storage, library.key()), name);
    }
    EXPECT_EQ(storedName(storage, u"Дача"), u"Дача") << "a taken key is never written over";
    EXPECT_EQ(storage.entries.size(), 8u);
}

// Names beyond the Basic Multilingual Plane (a surrogate pair each) and
// names with a lone half of one: each its own estimate, kept over a restart.
TEST(EstimateLibrary, AnyNameIsAnEstimateOfItsOwn)
{
    FakeStorage storage;
    Counter clock;
    {
        EstimateLibrary library = process(storage, clock);
        library.estimate().add(rebar12(u"10"));
        library.rename(u"\U0001F697 x");
        library.create();
        library.estimate().add(rebar12(u"20"));
        library.estimate().add(rebar12(u"30"));
        library.rename(u"\U0001F699 x");
        EXPECT_EQ(names(library), (std::vector<std::u16string>{u"\U0001F697 x", u"\U0001F699 x"}));
        EXPECT_EQ(storage.entries.size(), 2u);
        EXPECT_TRUE(library.takeMessages().empty());
    }
    {
        // The last open comes back whatever its name; the other opens with its line.
        EstimateLibrary library = process(storage, clock);
        EXPECT_EQ(library.estimate().name(), u"\U0001F699 x");
        EXPECT_EQ(library.estimate().size(), 2u);
        ASSERT_TRUE(library.open(u"\U0001F697 x"));
        EXPECT_EQ(library.estimate().size(), 1u);

        // A lone half becomes U+FFFD in the name and its key alike.
        library.create();
        library.rename(u"a\xD83D");
        EXPECT_EQ(library.estimate().name(), u"a\uFFFD");
        EXPECT_EQ(library.key(), u"a\uFFFD");
        EXPECT_EQ(storedName(storage, u"a\uFFFD"), u"a\uFFFD");
    }
    EXPECT_EQ(process(storage, clock).key(), u"a\uFFFD");
    EXPECT_EQ(storage.entries.size(), 3u);
}

// The page once stored such names under a key of U+FFFDs (each surrogate
// written as three bytes the browser could not read): that entry still
// opens, under its own name, and a new name does not land on it.
TEST(EstimateLibrary, OpensAnEstimateStoredUnderAMangledKey)
{
    const std::u16string mangled = std::u16string(6, u'\uFFFD') + u" x";
    FakeStorage storage;
    Estimate old = makeEstimate();
    old.rename(u"\U0001F699 x");
    old.add(rebar12(u"16"));
    storage.entries[mangled] = estimateFileBytes(old);
    storage.settings["last"] = utf8(mangled);

    EstimateLibrary library = process(storage, {});
    EXPECT_EQ(library.key(), mangled);
    EXPECT_EQ(library.estimate().name(), u"\U0001F699 x");
    EXPECT_EQ(library.estimate().size(), 1u);
    library.create();
    library.rename(u"\U0001F697 x");
    EXPECT_EQ(library.key(), u"\U0001F697 x");
    EXPECT_EQ(names(library), (std::vector<std::u16string>{u"\U0001F697 x", u"\U0001F699 x"}));
    ASSERT_TRUE(library.open(mangled));
    EXPECT_EQ(library.estimate().size(), 1u);
    EXPECT_TRUE(library.takeMessages().empty());
}

TEST(EstimateLibrary, KeysThatDifferInLetterCaseAloneAreOneFile)
{
    FakeStorage storage;
    EstimateLibrary library = process(storage, {});
    library.estimate().add(rebar12(u"10"));
    library.rename(u"Труба");
    library.rename(u"ТРУБА"); // the same file on Windows and macOS: the entry stays
    EXPECT_EQ(library.key(), u"Труба");
    EXPECT_EQ(storedName(storage, u"Труба"), u"ТРУБА");

    library.create();
    library.rename(u"труба");
    EXPECT_EQ(library.key(), u"труба (2)");
    library.rename(u"смета 1");
    library.create(); // «Смета 1» names the file of «смета 1»
    EXPECT_EQ(library.estimate().name(), u"Смета 2");
    EXPECT_EQ(storedName(storage, u"Труба"), u"ТРУБА");
    EXPECT_EQ(storage.entries.size(), 3u);
}

TEST(EstimateLibrary, RemovesAndUndoesTheRemoval)
{
    FakeStorage storage;
    EstimateLibrary library = process(storage, {});
    library.estimate().add(rebar12(u"10"));
    library.save();
    library.create();
    library.create();
    EXPECT_EQ(library.key(), u"Смета 3");

    const std::string second = storage.entries.at(u"Смета 2");
    library.remove(u"Смета 2");
    EXPECT_FALSE(storage.entries.contains(u"Смета 2"));
    ASSERT_TRUE(library.undoRemove());
    EXPECT_EQ(storage.entries.at(u"Смета 2"), second);
    EXPECT_EQ(library.key(), u"Смета 3");

    // The open one: another opens, and undoing opens it again.
    library.remove(u"Смета 3");
    EXPECT_EQ(library.key(), u"Смета 1");
    ASSERT_TRUE(library.undoRemove());
    EXPECT_EQ(library.key(), u"Смета 3");
    EXPECT_FALSE(library.undoRemove());

    // The last one: a new one starts under another name, and goes again
    // when the removal is undone.
    FakeStorage alone;
    EstimateLibrary only = process(alone, {});
    only.remove(u"Смета 1");
    EXPECT_EQ(only.key(), u"Смета 2");
    EXPECT_EQ(alone.entries.size(), 1u);
    ASSERT_TRUE(only.undoRemove());
    EXPECT_EQ(only.key(), u"Смета 1");
    EXPECT_EQ(names(only), std::vector<std::u16string>{u"Смета 1"});
}

TEST(EstimateLibrary, TwoProcessesMergeByLine)
{
    FakeStorage storage;
    Counter clock; // one wall clock for both
    EstimateLibrary a = process(storage, clock, 0x1000);
    const std::uint64_t first = a.estimate().add(rebar12(u"10")).id;
    EXPECT_FALSE(a.save());
    EstimateLibrary b = process(storage, clock, 0x2000);
    ASSERT_EQ(b.estimate().size(), 1u);

    const std::uint64_t second = b.estimate().add(sheet4(u"1")).id;
    EXPECT_FALSE(b.save()) << "nothing new was stored";
    const std::uint64_t third = a.estimate().add(weldedMesh(u"2")).id;
    EXPECT_TRUE(a.save()) << "B's line came in";
    EXPECT_EQ(a.estimate().size(), 3u);

    // The later edit wins; a deletion holds over an earlier edit and gives
    // way to a later one.
    ASSERT_TRUE(b.estimate().editPrice(first, u"100"));
    EXPECT_TRUE(b.save());
    ASSERT_TRUE(a.refresh());
    EXPECT_EQ(a.estimate().line(*a.estimate().rowOf(first)).price, u"100,00");
    a.estimate().remove(first);
    a.estimate().remove(second);
    ASSERT_TRUE(b.estimate().editPrice(second, u"200")); // after A's deletion, before B saw it
    a.save();
    EXPECT_TRUE(b.save());
    EXPECT_FALSE(b.estimate().rowOf(first));
    EXPECT_TRUE(b.estimate().rowOf(second));
    EXPECT_TRUE(a.refresh());
    EXPECT_TRUE(a.estimate().rowOf(second));
    EXPECT_TRUE(a.estimate().rowOf(third));
    EXPECT_EQ(a.estimate().size(), 2u);
    EXPECT_FALSE(a.refresh());

    // Settings go by their time too.
    b.estimate().setPricesIncludeVat(false);
    b.save();
    EXPECT_TRUE(a.refresh());
    EXPECT_FALSE(a.estimate().pricesIncludeVat());
    ASSERT_TRUE(a.estimate().setVatRate(u"10"));
    a.save();
    EXPECT_TRUE(b.refresh());
    EXPECT_EQ(b.estimate().vatRate(), 1000u);
}

TEST(EstimateLibrary, ForgetsDeletionsOlderThanThirtyDaysAtTheNextSave)
{
    FakeStorage storage;
    Counter clock;
    *clock.next = 1'000'000'000;
    EstimateLibrary a = process(storage, clock);
    const std::uint64_t old = a.estimate().add(rebar12(u"1")).id;
    const std::uint64_t recent = a.estimate().add(rebar12(u"2")).id;
    const std::uint64_t kept = a.estimate().add(rebar12(u"3")).id;
    a.estimate().remove(old);
    a.save();
    constexpr std::uint64_t day = 24 * 3600;
    *clock.next += 20 * day;
    a.estimate().remove(recent);
    a.save();
    const auto storedDeletions = [&storage, &a] {
        return readEstimateFile(storage.entries.at(a.key()), u',', Counter{}, Counter{}).estimate->deleted();
    };
    ASSERT_EQ(storedDeletions().size(), 2u);

    *clock.next += 10 * day + 1; // the first deletion is now older than 30 days
    ASSERT_TRUE(a.estimate().editPrice(kept, u"100"));
    a.save();
    const auto deletions = storedDeletions();
    EXPECT_FALSE(deletions.contains(old));
    EXPECT_TRUE(deletions.contains(recent));
    EXPECT_EQ(a.estimate().size(), 1u);
}

TEST(EstimateLibrary, KeepsAnUnreadableEntryAsideAndNeverWritesOverIt)
{
    FakeStorage storage;
    const std::string garbage = "{\"format\": \"tarvik-estimate\", \"version\": \"1\", \"na";
    storage.entries[u"Смета 1"] = garbage;
    storage.settings["last"] = "Смета 1";
    EstimateLibrary library = process(storage, {});
    const std::vector<LibraryMessage> messages = library.takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].event, LibraryEvent::KeptAside);
    EXPECT_EQ(utf8(messages[0].text),
              "Смета «Смета 1» не читается; её файл сохранён как «Смета 1.unreadable-1» и "
              "не будет перезаписан");
    EXPECT_EQ(storage.aside.at(u"Смета 1.unreadable-1"), garbage);
    EXPECT_EQ(library.estimate().size(), 0u);

    // Damaged under the open estimate while it is open: aside again, and
    // the estimate in memory written afresh.
    library.estimate().add(rebar12(u"10"));
    storage.entries[library.key()] = "\xFF";
    library.save();
    EXPECT_EQ(events(library), std::vector<LibraryEvent>{LibraryEvent::KeptAside});
    EXPECT_EQ(storage.aside.at(u"Смета 1.unreadable-2"), "\xFF");
    EXPECT_EQ(storage.aside.at(u"Смета 1.unreadable-1"), garbage);
    EXPECT_EQ(storedName(storage, library.key()), u"Смета 1");

    // Listed under its key, and kept aside when opened.
    storage.entries[u"Сломанная"] = "[";
    EXPECT_EQ(names(library), (std::vector<std::u16string>{u"Сломанная", u"Смета 1"}));
    EXPECT_FALSE(library.open(u"Сломанная"));
    EXPECT_EQ(events(library), std::vector<LibraryEvent>{LibraryEvent::KeptAside});
    EXPECT_EQ(library.key(), u"Смета 1");
}

TEST(EstimateLibrary, LeavesAnEntryOfANewerVersionAlone)
{
    FakeStorage storage;
    storage.entries[u"Смета 1"] = newerFile();
    storage.settings["last"] = "Смета 1";
    EstimateLibrary library = process(storage, {});
    const std::vector<LibraryMessage> messages = library.takeMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].event, LibraryEvent::TooNew);
    EXPECT_EQ(utf8(messages[0].text),
              "Смета «Смета 1» записана более новой версией программы; она не открыта и не изменена");
    EXPECT_EQ(library.key(), u"Смета 2");
    EXPECT_FALSE(library.open(u"Смета 1"));

    // Written by a newer program while open here: not written over, and
    // what was edited here stays in memory.
    library.estimate().add(rebar12(u"10"));
    storage.entries[u"Смета 2"] = newerFile();
    library.takeMessages();
    EXPECT_FALSE(library.save());
    EXPECT_EQ(events(library), std::vector<LibraryEvent>{LibraryEvent::TooNew});
    EXPECT_EQ(storage.entries.at(u"Смета 1"), newerFile());
    EXPECT_EQ(storage.entries.at(u"Смета 2"), newerFile());
    EXPECT_EQ(library.estimate().size(), 1u);
    EXPECT_TRUE(storage.aside.empty());

    // Nor moved or removed by this older copy.
    library.rename(u"Дача");
    library.remove(library.key());
    EXPECT_EQ(storage.entries.at(u"Смета 2"), newerFile());
    EXPECT_FALSE(storage.entries.contains(u"Дача"));
}

TEST(EstimateLibrary, WritesOnlyWhatChanged)
{
    FakeStorage storage;
    Counter clock;
    EstimateLibrary a = process(storage, clock, 0x1000);
    a.estimate().add(rebar12(u"10"));
    a.save();
    const int writes = storage.writes;
    EXPECT_FALSE(a.save());
    EXPECT_EQ(storage.writes, writes);

    // Removed elsewhere: not written again until the user says to keep it.
    storage.entries.erase(a.key());
    a.takeMessages();
    a.save();
    EXPECT_EQ(storage.writes, writes);
    EXPECT_EQ(events(a), std::vector<LibraryEvent>{LibraryEvent::DeletedElsewhere});
    a.keepDeletedElsewhere();
    a.save();
    EXPECT_EQ(storage.writes, writes + 1);
    EXPECT_EQ(storedName(storage, a.key()), u"Смета 1");

    // Another process's line, merged in, is written with this one's.
    EstimateLibrary b = process(storage, clock, 0x2000);
    b.estimate().add(sheet4(u"1"));
    b.save();
    a.estimate().add(weldedMesh(u"2"));
    EXPECT_TRUE(a.save());
    const EstimateFileRead stored = readEstimateFile(storage.entries.at(a.key()), u',', Counter{}, Counter{});
    ASSERT_TRUE(stored.estimate);
    EXPECT_EQ(stored.estimate->size(), 3u);
}

TEST(EstimateLibrary, ARefusedWriteKeepsTheLastGoodEntry)
{
    FakeStorage storage;
    EstimateLibrary library = process(storage, {});
    library.estimate().add(rebar12(u"10"));
    library.save();
    const std::string good = storage.entries.at(u"Смета 1");

    storage.refuseWrites = true;
    library.estimate().add(rebar12(u"20"));
    library.save();
    library.rename(u"Дача");
    // Leaving the estimate would drop the line only memory holds.
    library.create();
    library.duplicate();
    EXPECT_FALSE(library.open(u"Смета 1 (другая)"));
    const std::vector<LibraryMessage> messages = library.takeMessages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].event, LibraryEvent::NotSaved);
    EXPECT_EQ(utf8(messages[0].text), "Смета не сохранена: на диске нет места");
    EXPECT_EQ(storage.entries.at(u"Смета 1"), good);
    EXPECT_EQ(storage.entries.size(), 1u);
    EXPECT_EQ(library.key(), u"Смета 1");
    EXPECT_EQ(library.estimate().size(), 2u);

    storage.refuseWrites = false;
    library.save();
    EXPECT_TRUE(library.takeMessages().empty());
    const EstimateFileRead saved =
        readEstimateFile(storage.entries.at(u"Смета 1"), u',', Counter{}, Counter{});
    ASSERT_TRUE(saved.estimate);
    EXPECT_EQ(saved.estimate->size(), 2u);
    EXPECT_EQ(saved.estimate->name(), u"Дача");
}

// A storage gives a reason code; the words are the captions', whatever
// language the system speaks.
TEST(EstimateLibrary, SaysWhyAWriteWasRefusedInItsOwnWords)
{
    const struct {
        StorageProblem problem;
        std::string said;
    } cases[] = {
        {StorageProblem::NoSpace, "Смета не сохранена: на диске нет места"},
        {StorageProblem::NoPermission, "Смета не сохранена: нет права записи в папку «data/estimates»"},
        {StorageProblem::Busy, "Смета не сохранена: файл занят другой программой"},
        {StorageProblem::BrowserFull, "Смета не сохранена: хранилище браузера заполнено"},
        {StorageProblem::Failed, "Смета не сохранена: ошибка ввода-вывода"},
    };
    for (const auto& c : cases) {
        FakeStorage storage;
        EstimateLibrary library = process(storage, {});
        storage.refuseWrites = true;
        storage.refusal = c.problem;
        library.estimate().add(rebar12(u"10"));
        library.save();
        const std::vector<LibraryMessage> messages = library.takeMessages();
        ASSERT_EQ(messages.size(), 1u) << c.said;
        EXPECT_EQ(utf8(messages[0].text), c.said);
    }
}

} // namespace
