// Leaves a saved estimate in a data folder, as the program itself would
// have saved it, for the start-up yardstick to start the program over.
//
//   estimate_seed FOLDER LINES open|closed
//     FOLDER is what the program takes as its data folder; "open" says the
//     estimate window was open when the program last ended.

#include "app/estimate/estimate_keeper.h"
#include "filled_estimate.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

using namespace tarvik;
using namespace tarvik::testing;

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
    fillEstimate(keeper.estimate(), lines);
    keeper.saveSoon();
    keeper.saveNow();
    keeper.setWindowOpen(args[3] == QLatin1String("open"));
    return refusals == 0 ? 0 : 1;
}
