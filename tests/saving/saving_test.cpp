// Nothing lost when saving goes wrong: a process killed at any moment of a
// stream of edits leaves a file that holds the state before or after its
// last committed edit; a full disk refuses a write, which is reported, and
// the last good file stays as it was.

#include "app/estimate/estimate_keeper.h"
#include "app/estimate/file_storage.h"
#include "estimate/estimate_file.h"
#include "tests/estimate/estimate_fixture.h"
#include "tests/saving/digest.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <map>
#include <string>

using namespace tarvik;

namespace {

const QString saver = QStringLiteral(TARVIK_ESTIMATE_SAVER);

// The digest of the estimate in the folder's one estimate file, or none when
// it does not read.
std::optional<std::uint64_t> storedDigest(const QString& folder)
{
    const QDir estimates(QDir(folder).filePath(QStringLiteral("estimates")));
    const QStringList files = estimates.entryList({QStringLiteral("*.json")});
    if (files.size() != 1)
        return std::nullopt;
    const auto stored = tarvik::testing::fileDigest(estimates.filePath(files.front()));
    if (!stored)
        return std::nullopt;
    return stored->first;
}

TEST(FileStorage, KeepsEachEstimateInItsOwnFileInsideTheFolder)
{
    QTemporaryDir folder;
    FileStorage storage(folder.path());
    EXPECT_TRUE(storage.keys().empty());
    EXPECT_FALSE(storage.read(u"Дача").has_value());
    storage.write(u"Дача", "one");
    storage.write(u"Баня", "two");
    storage.write(u"Дача", "three");
    EXPECT_EQ(storage.read(u"Дача"), "three");
    std::vector<std::u16string> keys = storage.keys();
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"Баня", u"Дача"}));

    // A key that could name a file elsewhere is refused, not cleaned into
    // some other key.
    const std::u16string_view unsafe[] = {u"../x", u"a/b", u"..",
                                          u"",     u"con", std::u16string_view(u"a\0b", 3)};
    for (std::u16string_view key : unsafe)
        EXPECT_THROW(storage.write(key, "x"), StorageError);

    // Kept aside under a new name each time; never listed, never written over.
    const std::u16string first = storage.keepAside(u"Дача");
    storage.write(u"Дача", "four");
    const std::u16string second = storage.keepAside(u"Дача");
    EXPECT_NE(first, second);
    EXPECT_EQ(storage.keys(), std::vector<std::u16string>{u"Баня"});
    QFile kept(QString::fromStdU16String(first));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("three"));

    storage.remove(u"Баня");
    EXPECT_TRUE(storage.keys().empty());

    EXPECT_FALSE(storage.setting("last").has_value());
    storage.setSetting("last", "Дача");
    storage.setSetting("window", "open");
    EXPECT_EQ(FileStorage(folder.path()).setting("last"), "Дача");
    EXPECT_EQ(storage.setting("window"), "open");
}

// Deleted estimates in "deleted/" beside the estimates, listed with the
// key and time they were deleted at; the files kept aside listed too. An
// id the storage did not give names no file, in the folder or outside it.
TEST(FileStorage, KeepsDeletedEstimatesInAFolderOfTheirOwn)
{
    QTemporaryDir folder;
    FileStorage storage(folder.path());
    EXPECT_TRUE(storage.deletedEntries().empty());
    const std::u16string first = storage.keepDeleted(u"Дача", "one", 1765400000000);
    const std::u16string second = storage.keepDeleted(u"Дача", "two", 1765400000000);
    const std::u16string third = storage.keepDeleted(u"Баня", "three", 42);
    EXPECT_NE(first, second);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("deleted/Дача.deleted-1765400000000.json"))));
    EXPECT_TRUE(storage.keys().empty());
    std::vector<std::pair<std::u16string, std::uint64_t>> listed;
    for (const KeptEntry& e : storage.deletedEntries())
        listed.emplace_back(e.key, e.when);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::pair<std::u16string, std::uint64_t>>{
                          {u"Баня", 42}, {u"Дача", 1765400000000}, {u"Дача", 1765400000000}}));
    EXPECT_EQ(storage.readDeleted(second), "two");
    EXPECT_EQ(storage.readDeleted(third), "three");
    storage.forgetDeleted(first);
    EXPECT_FALSE(storage.readDeleted(first).has_value());
    EXPECT_EQ(storage.deletedEntries().size(), 2u);

    storage.write(u"Дача", "damaged");
    const std::u16string aside = storage.keepAside(u"Дача");
    const std::vector<KeptEntry> kept = storage.asideEntries();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].key, u"Дача");
    EXPECT_TRUE(aside.ends_with(kept[0].id + u".json"));
    EXPECT_EQ(storage.readAside(kept[0].id), "damaged");

    for (std::u16string_view id :
         {std::u16string_view(u"../estimates/Дача"), std::u16string_view(u"Дача"),
          std::u16string_view(u"../x.deleted-1"), std::u16string_view(u"a/b.deleted-1")}) {
        EXPECT_THROW(storage.readDeleted(id), StorageError);
        EXPECT_THROW(storage.forgetDeleted(id), StorageError);
        EXPECT_THROW(storage.readAside(id), StorageError);
    }
}

// Killed after a number of saves it has seen done, not at a moment in
// time: the kill still lands anywhere in the stream (the saver goes on
// while the line is read), and the round proves as much on a loaded
// machine as on an idle one.
// Two processes saving one estimate at once, each its own 300 lines added
// and priced: the file ends with all 600, each as its process last edited
// it, and no saved change ever leaves the file.
TEST(Saving, TwoProcessesSavingOneEstimateAtOnceLoseNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QProcess processes[2];
    for (unsigned tag : {1u, 2u}) {
        QProcess& p = processes[tag - 1];
        p.start(saver, {QStringLiteral("share"), folder.path(), QString::number(tag)});
        ASSERT_TRUE(p.waitForStarted());
        // One after the other until both have the estimate open: two first
        // starts would each make «Смета 1».
        QByteArray out;
        while (!out.contains("ready\n")) {
            ASSERT_TRUE(p.waitForReadyRead(120000)) << p.readAllStandardError().toStdString();
            out += p.readAllStandardOutput();
        }
    }
    for (QProcess& p : processes)
        p.write("go\n");
    // Watched as they go: a line saved once never leaves the file, a price
    // saved once never goes. Without the lock, one's write over the
    // other's shows here, though the writer's next save would mend it.
    const QDir estimates(QDir(folder.path()).filePath(QStringLiteral("estimates")));
    std::map<std::uint64_t, bool> seen; // priced, by line id
    int vanished = 0, watched = 0;
    const auto watch = [&] {
        const QStringList files = estimates.entryList({QStringLiteral("*.json")});
        QFile file(estimates.filePath(files.value(0)));
        if (files.size() != 1 || !file.open(QIODevice::ReadOnly))
            return;
        const QByteArray bytes = file.readAll();
        const EstimateFileRead read = readEstimateFile(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), u',',
            [] { return std::uint64_t{0}; }, [] { return std::uint64_t{0}; });
        if (!read.estimate)
            return;
        ++watched;
        std::map<std::uint64_t, bool> now;
        for (std::size_t i = 0; i < read.estimate->size(); ++i)
            now[read.estimate->line(i).id] = !read.estimate->line(i).price.empty();
        for (const auto& [id, priced] : seen) {
            const auto it = now.find(id);
            if (it == now.end() || (priced && !it->second))
                ++vanished;
        }
        seen = std::move(now);
    };
    while (processes[0].state() != QProcess::NotRunning || processes[1].state() != QProcess::NotRunning) {
        for (QProcess& p : processes)
            p.waitForFinished(2);
        watch();
    }
    EXPECT_EQ(vanished, 0) << "in " << watched << " looks at the file";
    std::map<std::string, std::string> expected; // price by line id
    for (QProcess& p : processes) {
        ASSERT_EQ(p.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
        for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 3 && parts[0] == "line")
                expected[parts[1].toStdString()] = parts[2].toStdString();
        }
    }
    ASSERT_EQ(expected.size(), 600u);

    const QStringList files = estimates.entryList({QStringLiteral("*.json")});
    ASSERT_EQ(files.size(), 1) << files.join(u' ').toStdString();
    QFile file(estimates.filePath(files.front()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const EstimateFileRead read = readEstimateFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), u',',
        [] { return std::uint64_t{0}; }, [] { return std::uint64_t{0}; });
    ASSERT_TRUE(read.estimate);
    std::map<std::string, std::string> stored;
    for (std::size_t i = 0; i < read.estimate->size(); ++i) {
        const EstimateLine& l = read.estimate->line(i);
        stored[std::to_string(l.id)] = utf8(l.price);
    }
    EXPECT_EQ(stored, expected);
}

// A change another process saves reaches the open estimate by itself,
// with the estimate's window told to show it again.
TEST(Saving, AChangeSavedElsewhereReachesTheOpenEstimate)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EstimateKeeper here(folder.path(), u',');
    EstimateKeeper there(folder.path(), u',');
    ASSERT_EQ(there.key(), here.key());
    bool shown = false;
    QObject::connect(&here, &EstimateKeeper::switched, [&shown] { shown = true; });
    const std::uint64_t id = there.estimate().add(tarvik::testing::rebar12(u"10")).id;
    there.saveSoon();
    there.saveNow();
    QElapsedTimer waited;
    waited.start();
    // A guard against a change that never comes, not a measure of speed.
    while (!here.estimate().rowOf(id) && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_TRUE(here.estimate().rowOf(id));
    EXPECT_TRUE(shown);
}

TEST(Saving, AKilledProcessLeavesTheStateBeforeOrAfterItsLastEdit)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QRandomGenerator random(20250307);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const qsizetype savesBeforeTheKill = random.bounded(5, 16);
        QProcess process;
        process.start(saver, {QStringLiteral("stream"), folder.path(), QString::number(random.generate())});
        ASSERT_TRUE(process.waitForStarted());
        QByteArray out;
        while (!out.contains("ready\n") || out.count("saved\n") < savesBeforeTheKill) {
            // A guard against a saver that hangs, not a measure of speed.
            ASSERT_TRUE(process.waitForReadyRead(120000)) << process.readAllStandardError().toStdString();
            out += process.readAllStandardOutput();
        }
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        ASSERT_TRUE(process.waitForFinished(120000));
        out += process.readAllStandardOutput();

        // Whole lines only: the kill may cut the last one.
        std::vector<std::uint64_t> states;
        for (const QByteArray& line : out.left(out.lastIndexOf('\n')).split('\n')) {
            if (line.startsWith("state "))
                states.push_back(line.mid(6).toULongLong(nullptr, 16));
        }
        // The state saved before "ready" comes first.
        ASSERT_GT(states.size(), static_cast<std::size_t>(savesBeforeTheKill));
        const std::optional<std::uint64_t> stored = storedDigest(folder.path());
        ASSERT_TRUE(stored.has_value()) << "the file does not read after the kill";
        EXPECT_TRUE(*stored == states.back() || *stored == states[states.size() - 2])
            << states.size() - 1 << " edits in this round";
    }
}

// Runs `estimate_saver MODE FOLDER` with a tmpfs of `size` mounted over
// FOLDER in a mount namespace of its own: as root a plain one; in a chroot,
// whose root is no mount point that unshare could make private, one that
// keeps the mounts' propagation as it is (a chroot refuses root a user
// namespace); otherwise one inside a user namespace. The tmpfs is unmounted
// before the namespace ends, so that where it was shared with the system's
// namespace no copy of it stays there. Fails with the reason when no way
// can mount.
void onASmallDisk(const QString& mode, const QString& folder, const QString& size)
{
    const QString script = QStringLiteral("mount -t tmpfs -o size=%1 tmpfs \"$1\" || exit 99; "
                                          "\"$2\" %2 \"$1\"; status=$?; umount \"$1\"; exit $status")
                               .arg(size, mode);
    const QStringList ways[] = {
        {QStringLiteral("-m")},
        {QStringLiteral("-m"), QStringLiteral("--propagation"), QStringLiteral("unchanged")},
        {QStringLiteral("-rm")}};
    QString refusals;
    for (const QStringList& way : ways) {
        QProcess run;
        run.start(QStringLiteral("unshare"), way + QStringList{QStringLiteral("sh"), QStringLiteral("-c"),
                                                               script, QStringLiteral("sh"), folder, saver});
        ASSERT_TRUE(run.waitForFinished(300000));
        const std::string said = run.readAllStandardOutput().toStdString();
        const QString error = QString::fromLocal8Bit(run.readAllStandardError()).trimmed();
        // unshare itself refused (1), or the mount did (99): the next way, if any.
        if (run.exitStatus() == QProcess::NormalExit &&
            (run.exitCode() == 99 || (run.exitCode() == 1 && said.empty()))) {
            refusals += QStringLiteral("unshare %1: %2; ").arg(way.join(u' '), error);
            continue;
        }
        EXPECT_EQ(run.exitCode(), 0) << said << error.toStdString();
        EXPECT_EQ(said.rfind("ok", 0), 0u) << said;
        return;
    }
    FAIL() << "no way to mount a small disk for the test here: " << refusals.toStdString();
}

// The saver grows an estimate until the disk refuses it, then keeps trying.
TEST(Saving, AFullDiskIsReportedAndTheLastGoodFileKept)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    onASmallDisk(QStringLiteral("fill"), folder.path(), QStringLiteral("96k"));
}

// A small estimate (smaller than a write buffer) on a disk another program
// filled, as a user met it: one edit must not empty the file.
TEST(Saving, AnEditOnADiskFilledByAnotherProgramLeavesTheFileWhole)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    onASmallDisk(QStringLiteral("full"), folder.path(), QStringLiteral("64k"));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
