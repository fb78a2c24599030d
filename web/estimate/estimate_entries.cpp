// The estimate's module: its entry points, which the page loads once the
// calculator answers. A line comes in as the texts of the calculation the
// calculator's module gave the page.

#include "web/calculation_crossing.h"
#include "web/entry_table.h"
#include "web/estimate/web_estimate.h"

#include "estimate/estimate_cells.h"
#include "estimate/estimate_file.h"
#include "estimate/estimate_library.h"
#include "estimate/estimate_table.h"
#include "number/count_text.h"
#include "number/entry_rules.h"
#include "text/captions.h"
#include "text/utf8.h"

#include <optional>
#include <stdexcept>

namespace tarvik::web {
namespace {

static_assert(calculationTextCount <= Arguments::count);

// One estimate per page.
std::optional<WebEstimate> estimateBehindPage;

WebEstimate& est()
{
    if (!estimateBehindPage)
        throw std::logic_error("no estimate");
    return *estimateBehindPage;
}

EstimatePresenter& p()
{
    return est().presenter();
}

constexpr Method methods[] = {
    {"Estimate", "c123",
     [](const Args& a) {
         estimateBehindPage.emplace(a.integer(0));
         return 0;
     }},

    {"pastedNumberText", "t", [](const Args& a) { return gave(pastedNumberText(a.text(0))); }},

    {"cellDecimals", "i",
     [](const Args& a) { return cellDecimals(static_cast<EstimateColumn>(a.integer(0))).value_or(-1); }},
    {"columnIsText", "b",
     [](const Args& a) { return int(columnIsText(static_cast<EstimateColumn>(a.integer(0)))); }},
    {"cellChosen", "b",
     [](const Args& a) {
         const auto column = static_cast<EstimateColumn>(a.integer(0));
         return int(cellEdited(column) && !cellDecimals(column));
     }},
    {"estimateShownLast", "b1",
     [](const Args&) { return int(EstimateLibrary::windowWasOpen(BrowserStorage())); }},

    {"Estimate.size", "i", [](const Args&) { return est().size(); }},
    {"Estimate.header", "l",
     [](const Args&) {
         giveAll(est().header());
         return 0;
     }},
    {"Estimate.row", "T",
     [](const Args& a) {
         giveAll(est().row(a.integer(0)));
         return 0;
     }},
    {"Estimate.choices", "l",
     [](const Args& a) {
         giveAll(est().choices(a.integer(0), a.integer(1)));
         return 0;
     }},
    {"Estimate.id", "t", [](const Args& a) { return gave(est().id(a.integer(0))); }},
    {"Estimate.rowOf", "i", [](const Args& a) { return est().rowOf(a.text(0)); }},
    {"Estimate.notes", "t", [](const Args& a) { return gave(est().notes(a.integer(0))); }},
    {"Estimate.totals", "T",
     [](const Args&) {
         giveAll(est().totals());
         return 0;
     }},
    {"Estimate.commitCell", "b",
     [](const Args& a) { return int(est().commitCell(a.text(0), a.integer(1), a.text(2))); }},
    {"Estimate.abandonCell", "n",
     [](const Args& a) {
         est().abandonCell(a.text(0), a.integer(1));
         return 0;
     }},
    {"Estimate.cellKey", "l",
     [](const Args& a) {
         const KeyVerdict verdict =
             est().cellKey(a.integer(0), a.text(1), a.integer(2), a.integer(3), a.integer(4));
         give(verdict.inserted);
         give(verdict.reason);
         return 0;
     }},
    {"Estimate.deleteLine", "n",
     [](const Args& a) {
         est().deleteLine(a.text(0));
         return 0;
     }},
    {"Estimate.clear", "n",
     [](const Args&) {
         p().clear();
         return 0;
     }},
    {"Estimate.undo", "n",
     [](const Args&) {
         p().undo();
         return 0;
     }},
    {"Estimate.redo", "n",
     [](const Args&) {
         p().redo();
         return 0;
     }},
    {"Estimate.vatRate", "t", [](const Args&) { return gave(p().vatRateText()); }},
    {"Estimate.commitVatRate", "b", [](const Args& a) { return int(p().commitVatRate(a.text(0))); }},
    {"Estimate.pricesIncludeVat", "b", [](const Args&) { return int(p().pricesIncludeVat()); }},
    {"Estimate.setPricesIncludeVat", "n",
     [](const Args& a) {
         p().setPricesIncludeVat(a.integer(0) != 0);
         return 0;
     }},
    {"Estimate.csv", "t",
     [](const Args&) {
         giveBytes(est().csv());
         return 0;
     }},
    {"Estimate.csvName", "t",
     [](const Args& a) {
         return gave(p().fileName(ExportFile::Csv, {a.integer(0), a.integer(1), a.integer(2)}));
     }},
    // The open estimate as a file of its own: its name, then its bytes.
    {"Estimate.exportFile", "l",
     [](const Args&) {
         const EstimateFileOut file = p().exportFile();
         give(file.name);
         giveBytes(file.bytes);
         return 0;
     }},
    // A file's text as the browser decoded its UTF-8, and the file's name.
    {"Estimate.importFile", "b",
     [](const Args& a) { return int(p().importFile(utf8(a.text(0)), a.text(1))); }},
    {"Estimate.tabText", "t", [](const Args&) { return gave(est().tabText()); }},
    {"Estimate.title", "t", [](const Args&) { return gave(p().printedTitle()); }},
    {"Estimate.printedDate", "t",
     [](const Args& a) {
         return gave(p().printedDate({a.integer(0), a.integer(1), a.integer(2)}));
     }},
    {"Estimate.entries", "P",
     [](const Args&) {
         giveAll(est().entries());
         return 0;
     }},
    // «Открыть…»'s other groups: each deleted estimate's id, name and the
    // time of its deletion in milliseconds (for the page's local day); each
    // damaged one's id and text; the groups' captions.
    {"Estimate.deletedEstimates", "T",
     [](const Args&) {
         for (const DeletedEstimate& d : p().deletedEstimates()) {
             give(d.id);
             give(d.name);
             give(countText(d.deletedAt / (WebEstimate::ticksPerSecond / 1000)));
         }
         return 0;
     }},
    {"Estimate.deletedText", "t",
     [](const Args& a) {
         return gave(EstimatePresenter::deletedText({u"", a.text(0), 0, 0},
                                                    {a.integer(1), a.integer(2), a.integer(3)}));
     }},
    {"Estimate.damagedEstimates", "P",
     [](const Args&) {
         for (const DamagedEstimate& d : p().damagedEstimates()) {
             give(d.id);
             give(EstimatePresenter::damagedText(d));
         }
         return 0;
     }},
    {"Estimate.listGroups", "l",
     [](const Args&) {
         give(caption(Caption::DeletedGroup));
         give(caption(Caption::DamagedGroup));
         return 0;
     }},
    {"Estimate.restoreDeleted", "n",
     [](const Args& a) {
         p().restoreDeleted(a.text(0));
         return 0;
     }},
    {"Estimate.recoverDamaged", "n",
     [](const Args& a) {
         p().recoverDamaged(a.text(0));
         return 0;
     }},
    {"Estimate.key", "t", [](const Args&) { return gave(p().key()); }},
    {"Estimate.name", "t", [](const Args&) { return gave(p().name()); }},
    {"Estimate.create", "n",
     [](const Args&) {
         p().create();
         return 0;
     }},
    {"Estimate.open", "n",
     [](const Args& a) {
         p().open(a.text(0));
         return 0;
     }},
    {"Estimate.rename", "n",
     [](const Args& a) {
         p().rename(a.text(0));
         return 0;
     }},
    {"Estimate.duplicate", "n",
     [](const Args&) {
         p().duplicate();
         return 0;
     }},
    {"Estimate.deleteEstimate", "n",
     [](const Args&) {
         p().deleteEstimate();
         return 0;
     }},
    {"Estimate.save", "n",
     [](const Args&) {
         p().save();
         return 0;
     }},
    {"Estimate.refresh", "n",
     [](const Args&) {
         p().refresh();
         return 0;
     }},
    {"Estimate.unsaved", "b", [](const Args&) { return int(p().unsaved()); }},
    {"Estimate.tellMessages", "n",
     [](const Args&) {
         p().tellMessages();
         return 0;
     }},
    {"Estimate.setShown", "n",
     [](const Args& a) {
         p().setShown(a.integer(0) != 0);
         return 0;
     }},

    // The texts of calculationToAdd in the calculator's module.
    {"Estimate.add", "n",
     [](const Args& a) {
         std::vector<std::u16string> texts;
         for (int i = 0; i < calculationTextCount; ++i)
             texts.push_back(a.text(i));
         const std::optional<Calculation> calculation = calculationFromTexts(texts);
         if (!calculation)
             throw std::invalid_argument("not a calculation");
         p().add(*calculation);
         return 0;
     }},
};

constexpr Constant constants[] = {
    {"inputHintMilliseconds", inputHintMilliseconds},
    {"vatRateDecimals", vatRateDecimals},
    // The most of a file the page reads for an import: one byte more than
    // the core reads, so that a larger file is refused as the core refuses it.
    {"maxEstimateFileBytes", static_cast<int>(maxEstimateFileBytes + 1)},
    // The cell a line's notes stand in.
    {"noteColumn", static_cast<int>(EstimateColumn::Name)},
};

} // namespace

std::span<const Method> entryMethods()
{
    return methods;
}

std::span<const Constant> entryConstants()
{
    return constants;
}

} // namespace tarvik::web
