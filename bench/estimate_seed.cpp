// Leaves a saved estimate in a data folder, as the program itself would
// have saved it, for the start-up yardstick to start the program over.
//
//   estimate_seed FOLDER LINES open|closed
//     FOLDER is what the program takes as its data folder; "open" says the
//     estimate window was open when the program last ended.

#include "app/estimate_keeper.h"
#include "tests/estimate_fixture.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

using namespace tarvik;
using namespace tarvik::testing;

std::u16string numberText(std::size_t n)
{
    return formatAmount(Amount(n), 0, u',');
}

// Lengths, areas and masses of three families, most priced, some in pieces:
// what a filled estimate holds, so the reading costs what it would.
void fill(Estimate& e, std::size_t lines)
{
    for (std::size_t i = 0; e.size() < lines; ++i) {
        const std::u16string number = numberText(i % 997 + 1) + u",5";
        const Calculation c = i % 3 == 0   ? rebar12(number, static_cast<int>(i % 2))
                              : i % 3 == 1 ? sheet4(number)
                                           : weldedMesh(number);
        const std::uint64_t id = e.add(c).id;
        if (i % 10 != 0)
            e.editPrice(id, numberText(50000 + i) + u",25");
        if (i % 3 == 0 && i % 4 == 0)
            e.editPieceSize(id, u"11,7");
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool counted = false;
    const uint lines = args.size() == 4 ? args[2].toUInt(&counted) : 0;
    if (!counted || (args[3] != QLatin1String("open") && args[3] != QLatin1String("closed"))) {
        std::fprintf(stderr, "usage: estimate_seed FOLDER LINES open|closed\n");
        return 2;
    }
    EstimateKeeper keeper(args[1], u',');
    int refusals = 0;
    QObject::connect(&keeper, &EstimateKeeper::message, [&](const QString& text, bool) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        ++refusals;
    });
    fill(keeper.estimate(), lines);
    keeper.saveSoon();
    keeper.saveNow();
    keeper.setWindowOpen(args[3] == QLatin1String("open"));
    return refusals == 0 ? 0 : 1;
}
