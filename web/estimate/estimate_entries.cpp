// The estimate's module: its entry points, which the page loads once the
// calculator answers. A line comes in as the texts of the calculation the
// calculator's module gave the page.

#include "web/calculation_crossing.h"
#include "web/entry_table.h"
#include "web/estimate/web_estimate.h"

#include "estimate/estimate_library.h"
#include "number/entry_rules.h"
#include "text/captions.h"

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

constexpr Method methods[] = {
    {"Estimate", "c12",
     [](const Args& a) {
         estimateBehindPage.emplace(a.integer(0));
         return 0;
     }},

    {"pastedNumberText", "t", [](const Args& a) { return gave(pastedNumberText(a.text(0))); }},

    {"cellDecimals", "i", [](const Args& a) { return cellDecimals(a.integer(0)); }},
    {"estimateShownLast", "b1",
     [](const Args&) { return int(EstimateLibrary::windowWasOpen(BrowserStorage())); }},

    {"Estimate.size", "i", [](const Args&) { return est().size(); }},
    {"Estimate.header", "l",
     [](const Args&) {
         giveAll(est().header());
         return 0;
     }},
    {"Estimate.row", "l",
     [](const Args& a) {
         giveAll(est().row(a.integer(0)));
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
    {"Estimate.edit", "t",
     [](const Args& a) { return gave(est().edit(a.text(0), a.integer(1), a.text(2))); }},
    {"Estimate.cellKey", "l",
     [](const Args& a) {
         const KeyVerdict verdict =
             est().cellKey(a.integer(0), a.text(1), a.integer(2), a.integer(3), a.integer(4));
         give(verdict.inserted);
         give(verdict.reason);
         return 0;
     }},
    {"Estimate.remove", "b", [](const Args& a) { return int(est().remove(a.text(0))); }},
    {"Estimate.clear", "n",
     [](const Args&) {
         est().clear();
         return 0;
     }},
    {"Estimate.undo", "b", [](const Args&) { return int(est().undo()); }},
    {"Estimate.vatRate", "t", [](const Args&) { return gave(est().vatRate()); }},
    {"Estimate.setVatRate", "t", [](const Args& a) { return gave(est().setVatRate(a.text(0))); }},
    {"Estimate.pricesIncludeVat", "b", [](const Args&) { return int(est().pricesIncludeVat()); }},
    {"Estimate.setPricesIncludeVat", "n",
     [](const Args& a) {
         est().setPricesIncludeVat(a.integer(0) != 0);
         return 0;
     }},
    {"Estimate.csv", "t",
     [](const Args&) {
         giveBytes(est().csv());
         return 0;
     }},
    {"Estimate.csvName", "t",
     [](const Args& a) { return gave(est().csvName(a.integer(0), a.integer(1), a.integer(2))); }},
    {"Estimate.tabText", "t", [](const Args&) { return gave(est().tabText()); }},
    {"Estimate.title", "t", [](const Args&) { return gave(est().title()); }},
    {"Estimate.printedDate", "t",
     [](const Args& a) { return gave(est().printedDate(a.integer(0), a.integer(1), a.integer(2))); }},
    {"Estimate.entries", "P",
     [](const Args&) {
         giveAll(est().entries());
         return 0;
     }},
    {"Estimate.key", "t", [](const Args&) { return gave(est().key()); }},
    {"Estimate.name", "t", [](const Args&) { return gave(est().name()); }},
    {"Estimate.create", "n",
     [](const Args&) {
         est().create();
         return 0;
     }},
    {"Estimate.open", "b", [](const Args& a) { return int(est().open(a.text(0))); }},
    {"Estimate.rename", "t", [](const Args& a) { return gave(est().rename(a.text(0))); }},
    {"Estimate.duplicate", "n",
     [](const Args&) {
         est().duplicate();
         return 0;
     }},
    {"Estimate.removeEstimate", "n",
     [](const Args& a) {
         est().removeEstimate(a.text(0));
         return 0;
     }},
    {"Estimate.undoRemove", "b", [](const Args&) { return int(est().undoRemove()); }},
    {"Estimate.save", "b", [](const Args&) { return int(est().save()); }},
    {"Estimate.refresh", "b", [](const Args&) { return int(est().refresh()); }},
    {"Estimate.messages", "l",
     [](const Args&) {
         giveAll(est().messages());
         return 0;
     }},
    {"Estimate.setShown", "n",
     [](const Args& a) {
         est().setShown(a.integer(0) != 0);
         return 0;
     }},

    // The texts of calculationToAdd in the calculator's module.
    {"Estimate.add", "t",
     [](const Args& a) {
         std::vector<std::u16string> texts;
         for (int i = 0; i < calculationTextCount; ++i)
             texts.push_back(a.text(i));
         const std::optional<Calculation> calculation = calculationFromTexts(texts);
         if (!calculation)
             throw std::invalid_argument("not a calculation");
         return gave(est().add(*calculation));
     }},
};

constexpr Constant constants[] = {
    {"inputHintMilliseconds", inputHintMilliseconds},
    {"vatRateDecimals", vatRateDecimals},
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
