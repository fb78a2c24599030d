#pragma once

// The estimate as a user works it, for every face: the face forwards what
// the user does and shows what it is told (estimate_view.h); which cells
// take what, what an edit may refuse and why, what «Отменить» and
// «Вернуть» take back, what a file is called and what is said, are decided
// here once. Nothing here throws.

#include "estimate/estimate_history.h"
#include "estimate/estimate_library.h"
#include "estimate/estimate_table.h"
#include "estimate/estimate_view.h"
#include "estimate/file_names.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvik {

struct EstimateCell {
    std::u16string text;         // as shown: the refused text while it is refused
    std::u16string editText;     // what an editor of the cell starts from
    std::u16string reason;       // why the text in the cell was refused; empty: none
    std::optional<int> decimals; // none: the cell is not typed into
    // What the cell is chosen from (its editor a list); empty: not chosen.
    std::vector<std::u16string> choices;
    bool alert = false; // refused, or a cost that cannot be given
};

enum class ExportFile { Csv, Pdf };

// The open estimate as a file of its own: what to call it and its bytes,
// in the format the estimates are kept in.
struct EstimateFileOut {
    std::u16string name;
    std::string bytes;
};

class EstimatePresenter {
public:
    EstimatePresenter(EstimateLibrary& library, EstimateView& view);
    EstimatePresenter(const EstimatePresenter&) = delete;
    EstimatePresenter& operator=(const EstimatePresenter&) = delete;

    // ---- What the face shows.
    const Estimate& estimate() const { return library_.estimate(); }
    std::size_t rowCount() const { return estimate().size(); }
    std::uint64_t lineId(std::size_t row) const { return estimate().line(row).id; }
    std::optional<std::size_t> rowOf(std::uint64_t id) const { return estimate().rowOf(id); }
    std::u16string columnTitle(EstimateColumn column) const;
    EstimateCell cell(std::size_t row, EstimateColumn column) const;
    std::u16string lineNotes(std::size_t row) const;
    bool hasNote(std::size_t row) const;
    std::vector<TableRow> totals() const;
    std::u16string vatRateText() const;
    bool pricesIncludeVat() const { return estimate().pricesIncludeVat(); }
    std::u16string windowTitle() const;
    std::u16string printedTitle() const;
    std::u16string printedDate(CalendarDate date) const;
    std::u16string fileName(ExportFile file, CalendarDate date) const;
    EstimateFileOut exportFile() const;
    std::vector<EstimateEntry> entries() const { return library_.entries(); }
    const std::u16string& key() const { return library_.key(); }
    const std::u16string& name() const { return estimate().name(); }
    EstimateCommands commands() const;

    // ---- What the user does. Lines are named by id: a row may have moved
    // since the face last drew (another writer's change merged in).
    void add(const Calculation& calculation);
    // A text committed into a cell (Enter, Tab, leaving it). Unchanged, it
    // makes no edit; empty, it empties what the Delete key would; refused, it stays in the cell with its
    // reason until the cell is typed again or abandoned. False when refused.
    // A chosen cell («за») takes one of its choices' texts, and nothing else.
    bool commitCell(std::uint64_t id, EstimateColumn column, std::u16string_view text);
    // Escape: the refused text goes and the cell shows the line's value.
    void abandonCell(std::uint64_t id, EstimateColumn column);
    // The Delete key on a cell: it empties the cell it may empty, never
    // the line.
    void emptyCell(std::uint64_t id, EstimateColumn column);
    void deleteLine(std::uint64_t id);
    void clear();
    void undo();
    void redo();
    // False when refused; the field keeps the text, the reason is said.
    bool commitVatRate(std::u16string_view text);
    void setPricesIncludeVat(bool included);

    std::vector<DeletedEstimate> deletedEstimates() const { return library_.deletedEstimates(); }
    std::vector<DamagedEstimate> damagedEstimates() const { return library_.damagedEstimates(); }
    // How «Открыть…» lists them: «Дача — удалена 01.12.2026» (`day` the
    // local day of its deletion, which the face's clock knows), «Сарай —
    // читаются строки: 25 из 27».
    static std::u16string deletedText(const DeletedEstimate& deleted, CalendarDate day);
    static std::u16string damagedText(const DamagedEstimate& damaged);

    void create();
    void open(std::u16string_view key);
    // A deleted estimate brought back, or the lines of a damaged one that
    // read as a new estimate: opened.
    void restoreDeleted(std::u16string_view id);
    void recoverDamaged(std::u16string_view id);
    void rename(std::u16string_view name);
    void duplicate();
    // Deletes the open estimate at once; «Отменить» brings it back.
    void deleteEstimate();
    // A file the user chose or dropped, named `fileName` in what is said:
    // opened as a new estimate, or refused with the reason. False when
    // refused.
    bool importFile(std::string_view bytes, std::u16string_view fileName);

    // ---- What the face passes on.
    // When the face has drawn a change it was asked to save.
    void save();
    // Another writer stored something: merged in, shown.
    void refresh();
    // The library saved, or took in another writer's changes, by itself (a
    // face's keeper): shown, with what it had to say.
    void stored(bool merged);
    void setShown(bool shown) { library_.setWindowOpen(shown); }
    // Whether a change lives only in memory: the storage refused it.
    bool unsaved() const { return library_.unsaved(); }
    // Whatever the library said before the face could listen.
    void tellMessages();

private:
    using CellKey = std::pair<std::uint64_t, EstimateColumn>;
    struct Refusal {
        std::u16string text, reason;
    };

    // After a change the estimate took: recorded, shown, saved.
    void took(EstimateStep step);
    void changedRows(std::optional<std::size_t> chosen);
    // What an undone or redone step changed, shown; `row` the line it chose.
    void showStep(const EstimateStep& step, std::optional<std::size_t> row);
    // Another estimate is open: nothing of the last one's cells or steps stays.
    void switched();
    void showCommands();
    void forgetRefusals(std::uint64_t id);
    void merged();
    // Runs a switch to another estimate; one the library refused is said.
    template <typename Leave> void leave(Leave&& leaveFor);

    EstimateLibrary& library_;
    EstimateView& view_;
    EstimateHistory history_;
    std::map<CellKey, Refusal> refusals_;
    // The name of the estimate deleted last, which «Отменить» brings back
    // once this one's own steps are undone.
    std::optional<std::u16string> removedEstimate_;
    bool wasUnsaved_ = false;
};

} // namespace tarvik
