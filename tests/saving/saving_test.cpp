// Nothing lost when saving goes wrong: a process killed at any moment of a
// stream of edits leaves a file that holds the state before or after its
// last committed edit; a full disk refuses a write, which is reported, and
// the last good file stays as it was.

#include "app/estimate/file_storage.h"
#include "estimate/estimate_file.h"
#include "tests/saving/digest.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

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
    QFile file(estimates.filePath(files.front()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const EstimateFileRead read = readEstimateFile(
        {bytes.constData(), static_cast<std::size_t>(bytes.size())}, u',', [] { return std::uint64_t{0}; },
        [] { return std::uint64_t{0}; });
    if (!read.estimate)
        return std::nullopt;
    return tarvik::testing::estimateDigest(*read.estimate);
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

TEST(Saving, AKilledProcessLeavesTheStateBeforeOrAfterItsLastEdit)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QRandomGenerator random(20250307);
    std::size_t edits = 0;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QProcess process;
        process.start(saver, {QStringLiteral("stream"), folder.path(), QString::number(random.generate())});
        ASSERT_TRUE(process.waitForStarted());
        QByteArray out;
        while (!out.contains("ready\n")) {
            ASSERT_TRUE(process.waitForReadyRead(60000)) << process.readAllStandardError().toStdString();
            out += process.readAllStandardOutput();
        }
        // Into the stream at a random moment: mid-edit, mid-write or
        // mid-rename.
        QThread::usleep(1000 * random.bounded(20, 600));
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        ASSERT_TRUE(process.waitForFinished(10000));
        out += process.readAllStandardOutput();

        // Whole lines only: the kill may cut the last one.
        std::vector<std::uint64_t> states;
        for (const QByteArray& line : out.left(out.lastIndexOf('\n')).split('\n')) {
            if (line.startsWith("state "))
                states.push_back(line.mid(6).toULongLong(nullptr, 16));
        }
        // The state saved before "ready" comes first.
        ASSERT_FALSE(states.empty());
        const std::optional<std::uint64_t> stored = storedDigest(folder.path());
        ASSERT_TRUE(stored.has_value()) << "the file does not read after the kill";
        EXPECT_TRUE(*stored == states.back() || (states.size() > 1 && *stored == states[states.size() - 2]))
            << states.size() - 1 << " edits in this round";
        edits += states.size() - 1;
    }
    // Kills that never met a stream of edits would prove nothing.
    EXPECT_GT(edits, 100u);
}

TEST(Saving, AFullDiskIsReportedAndTheLastGoodFileKept)
{
    QProcess probe;
    probe.start(QStringLiteral("unshare"), {QStringLiteral("-rm"), QStringLiteral("true")});
    if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        GTEST_SKIP() << "this machine does not let an unprivileged process make a mount namespace "
                        "(unshare -rm failed: "
                     << probe.readAllStandardError().toStdString() << "); the full-disk test cannot run here";

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QProcess fill;
    // A tmpfs of 96 KB mounted over the data folder, in a namespace of the
    // test's own.
    fill.start(QStringLiteral("unshare"),
               {QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"),
                QStringLiteral("mount -t tmpfs -o size=96k tmpfs \"$1\" && exec \"$2\" fill \"$1\""),
                QStringLiteral("sh"), folder.path(), saver});
    ASSERT_TRUE(fill.waitForFinished(120000));
    const std::string said = fill.readAllStandardOutput().toStdString();
    EXPECT_EQ(fill.exitCode(), 0) << said << fill.readAllStandardError().toStdString();
    EXPECT_EQ(said.rfind("ok", 0), 0u) << said;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
