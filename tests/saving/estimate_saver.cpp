// A stand-in for the program at work on an estimate, for the saving tests.
//
//   estimate_saver stream FOLDER SEED
//     opens the estimate kept in FOLDER (300 lines, made on the first run), prints "ready", then edits it for
//     ever: before saving each committed edit it prints "state <digest>", so a driver that kills it knows the
//     file holds that state or the one before.
//   estimate_saver fill FOLDER
//     saves a small estimate, then grows it on a disk too small for it:
//     every refused write must be reported and leave the last good file as
//     it was. Prints "ok" or what went wrong.

#include "app/estimate/estimate_keeper.h"
#include "estimate/estimate_file.h"
#include "number/quantity.h"
#include "tests/saving/digest.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <random>

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
    }
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
    QFile file(keeper.storage().filePath(keeper.key()));
    if (!file.open(QIODevice::ReadOnly)) {
        std::printf("the last good file is gone\n");
        return 1;
    }
    const QByteArray bytes = file.readAll();
    const EstimateFileRead read = readEstimateFile(
        {bytes.constData(), static_cast<std::size_t>(bytes.size())}, u',', [] { return std::uint64_t{0}; },
        [] { return std::uint64_t{0}; });
    if (!read.estimate || testing::estimateDigest(*read.estimate) != lastSaved) {
        std::printf("the last good file does not hold the last state saved\n");
        return 1;
    }
    std::printf("ok: %d lines in memory, %d on disk\n", static_cast<int>(e.size()),
                static_cast<int>(read.estimate->size()));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args[1] == QLatin1String("stream"))
        return stream(args[2], args[3].toUInt());
    if (args.size() >= 3 && args[1] == QLatin1String("fill"))
        return fill(args[2]);
    std::fprintf(stderr, "usage: estimate_saver stream FOLDER SEED | fill FOLDER\n");
    return 2;
}
