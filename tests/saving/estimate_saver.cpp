// A stand-in for the program at work on an estimate, for the saving tests.
//
//   estimate_saver stream FOLDER SEED
//     opens the estimate kept in FOLDER (300 lines, made on the first run), prints "ready", then edits it for
//     ever: before saving each committed edit it prints "state <digest>", so a driver that kills it knows the
//     file holds that state or the one before, and "saved" once the save is done.
//   estimate_saver fill FOLDER
//     saves a small estimate, then grows it on a disk too small for it:
//     every refused write must be reported and leave the last good file as
//     it was. Prints "ok" or what went wrong.
//   estimate_saver share FOLDER TAG
//     one of two processes on the estimate kept in FOLDER at once: opens
//     it, prints "ready", waits for a line on its input, then adds 300
//     lines of its own and sets each one's price, saving after every
//     change. Prints "line <id> <price>" for each of its lines as last
//     edited, then "done".
//   estimate_saver full FOLDER
//     what a user met: an estimate of 27 lines saved, the rest of the disk
//     filled by something else, the program started again and one price
//     changed. The refusal must be reported at once, the file must keep
//     its 27 lines as they were, and once space is freed the next change
//     is saved with the one before it. Prints "ok" or what went wrong.

#include "app/estimate/estimate_keeper.h"
#include "estimate/estimate_file.h"
#include "number/quantity.h"
#include "tests/saving/digest.h"
#include "text/utf8.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <optional>
#include <random>
#include <vector>

using namespace tarvik;

namespace {

Calculation rebar(const std::u16string& metres)
{
    Calculation c{u"Арматура", u"Арматура А1", u"12", 0.89, 0, metres, {}};
    c.result = calculatedText(c.number, u',', c.unitMass, c.mode);
    return c;
}

std::u16string decimal(std::uint64_t n)
{
    return formatAmount(Amount(n), 0, u',');
}

int stream(const QString& folder, unsigned seed)
{
    EstimateKeeper keeper(folder, u',');
    Estimate& e = keeper.estimate();
    while (e.size() < 300)
        e.add(rebar(decimal(e.size() + 1)));
    keeper.saveSoon();
    keeper.saveNow();
    std::printf("state %016llx\nready\n", static_cast<unsigned long long>(testing::estimateDigest(e)));
    std::fflush(stdout);
    std::mt19937_64 random(seed);
    for (;;) {
        const std::uint64_t id = e.line(random() % e.size()).id;
        switch (random() % 4) {
        case 0:
            e.editPrice(id, decimal(random() % 100000) + u",5");
            break;
        case 1:
            e.editQuantity(id, decimal(1 + random() % 500));
            break;
        case 2:
            e.editPieces(id, decimal(1 + random() % 20));
            break;
        default:
            e.remove(id);
            e.add(rebar(decimal(1 + random() % 900)));
            break;
        }
        std::printf("state %016llx\n", static_cast<unsigned long long>(testing::estimateDigest(e)));
        std::fflush(stdout);
        keeper.saveSoon();
        keeper.saveNow();
        std::printf("saved\n");
        std::fflush(stdout);
    }
}

// The digest of what the open estimate's file holds, and its number of
// lines; none when the file does not read.
std::optional<std::pair<std::uint64_t, std::size_t>> stored(EstimateKeeper& keeper)
{
    return testing::fileDigest(keeper.storage().filePath(keeper.key()));
}

int fill(const QString& folder)
{
    EstimateKeeper keeper(folder, u',');
    int refusals = 0;
    QObject::connect(&keeper, &EstimateKeeper::message,
                     [&](const QString&, bool error) { refusals += error; });
    Estimate& e = keeper.estimate();
    std::uint64_t lastSaved = 0;
    int refused = 0;
    // Lines until a save is refused, then a few more refused saves.
    for (int i = 0; i < 5000 && refused < 3; ++i) {
        const int before = refusals;
        e.add(rebar(decimal(static_cast<std::uint64_t>(i) + 1)));
        keeper.saveSoon();
        keeper.saveNow();
        if (refusals > before) {
            ++refused;
        } else if (refused > 0) {
            std::printf("a save after a refused one went through on a full disk\n");
            return 1;
        } else {
            lastSaved = testing::estimateDigest(e);
        }
    }
    if (refused == 0 || lastSaved == 0) {
        std::printf("no save was refused, or none went through: the disk is not a small one\n");
        return 1;
    }
    const auto kept = stored(keeper);
    if (!kept || kept->first != lastSaved) {
        std::printf("the last good file does not hold the last state saved\n");
        return 1;
    }
    std::printf("ok: %d lines in memory, %d on disk\n", static_cast<int>(e.size()),
                static_cast<int>(kept->second));
    return 0;
}

// Takes every byte the disk has left, as another program would.
bool fillDisk(const QString& path)
{
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("x", 1) == 1) {
    }
    return true;
}

int full(const QString& folder)
{
    std::uint64_t saved = 0;
    {
        EstimateKeeper keeper(folder, u',');
        Estimate& e = keeper.estimate();
        while (e.size() < 27) {
            const std::uint64_t id = e.add(rebar(decimal(e.size() + 1))).id;
            e.editPrice(id, decimal(50000 + e.size()));
        }
        keeper.saveSoon();
        keeper.saveNow();
        saved = testing::estimateDigest(e);
    }
    const QString filler = folder + QStringLiteral("/filler");
    if (!fillDisk(filler)) {
        std::printf("the disk could not be filled\n");
        return 1;
    }

    EstimateKeeper keeper(folder, u',');
    Estimate& e = keeper.estimate();
    if (e.size() != 27 || !keeper.takeStartMessages().empty()) {
        std::printf("the estimate did not open as it was saved: %d lines\n", static_cast<int>(e.size()));
        return 1;
    }
    QStringList told;
    QObject::connect(&keeper, &EstimateKeeper::message, [&](const QString& text, bool error) {
        if (error)
            told << text;
    });
    e.editPrice(e.line(3).id, u"61000");
    keeper.saveSoon();
    keeper.saveNow();
    const auto kept = stored(keeper);
    if (told.isEmpty() || !kept || kept->first != saved) {
        const qint64 bytes = QFileInfo(keeper.storage().filePath(keeper.key())).size();
        std::printf("a change the full disk refused was %s, and the file of %d lines %s (%lld bytes)\n",
                    told.isEmpty() ? "not reported" : "reported", static_cast<int>(e.size()),
                    !kept                  ? "does not read"
                    : kept->first != saved ? "changed"
                                           : "stayed",
                    static_cast<long long>(bytes));
        return 1;
    }

    QFile::remove(filler);
    e.editPrice(e.line(4).id, u"62000");
    keeper.saveSoon();
    keeper.saveNow();
    const auto after = stored(keeper);
    if (!after || after->first != testing::estimateDigest(e)) {
        std::printf("with space freed, the file does not hold both changes\n");
        return 1;
    }
    if (QDir(folder + QStringLiteral("/unreadable")).exists()) {
        std::printf("a file was set aside as unreadable\n");
        return 1;
    }
    // In the captions' words, not the system's.
    if (told.front() != QStringLiteral("Смета не сохранена: на диске нет места")) {
        std::printf("the refusal was reported as «%s»\n", told.front().toStdString().c_str());
        return 1;
    }
    std::printf("ok: reported «%s»\n", told.front().toStdString().c_str());
    return 0;
}

} // namespace

int share(const QString& folder, unsigned tag)
{
    EstimateKeeper keeper(folder, u',');
    Estimate& e = keeper.estimate();
    const auto save = [&keeper] {
        keeper.saveSoon();
        keeper.saveNow();
    };
    save();
    std::printf("ready\n");
    std::fflush(stdout);
    char go[8];
    if (!std::fgets(go, sizeof go, stdin))
        return 1;
    std::vector<std::uint64_t> mine;
    for (std::size_t i = 0; i < 300; ++i) {
        const EditResult added = e.add(rebar(decimal(i + 1)));
        if (!added)
            return 1;
        mine.push_back(added.id);
        save();
    }
    for (std::size_t i = 0; i < mine.size(); ++i) {
        if (!e.editPrice(mine[i], decimal(tag * 1000 + i))) {
            std::printf("line %llu is gone from memory\n", static_cast<unsigned long long>(mine[i]));
            return 1;
        }
        save();
    }
    for (std::uint64_t id : mine) {
        const std::optional<std::size_t> row = e.rowOf(id);
        std::printf("line %llu %s\n", static_cast<unsigned long long>(id),
                    row ? utf8(e.line(*row).price).c_str() : "gone");
    }
    std::printf("done\n");
    return 0;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args[1] == QLatin1String("stream"))
        return stream(args[2], args[3].toUInt());
    if (args.size() >= 3 && args[1] == QLatin1String("fill"))
        return fill(args[2]);
    if (args.size() >= 3 && args[1] == QLatin1String("full"))
        return full(args[2]);
    if (args.size() >= 4 && args[1] == QLatin1String("share"))
        return share(args[2], args[3].toUInt());
    std::fprintf(stderr,
                 "usage: estimate_saver stream FOLDER SEED | fill FOLDER | full FOLDER | share FOLDER TAG\n");
    return 2;
}
