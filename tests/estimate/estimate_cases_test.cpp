// The estimate's presenter over a recording face: the table of cases every
// face runs, and what only the core can show (steps counted by the hundred,
// another writer's change left alone by undo).

#include "estimate/estimate_presenter.h"
#include "estimate_cases.h"
#include "estimate_fixture.h"
#include "fake_storage.h"
#include "number/count_text.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace tarvik::testing {
namespace {

const char* const casesTable =
#include "estimate_cases_text.h"
    ;

class RecordingView : public EstimateView {
public:
    std::u16string message;
    EstimateCommands commands;
    int saves = 0;
    int rowsShown = 0;
    std::optional<std::size_t> chosen;

    void showEstimate() override { ++rowsShown; }
    void showRows() override { ++rowsShown; }
    void showLine(std::size_t) override {}
    void showSettings() override {}
    void chooseLine(std::size_t row) override { chosen = row; }
    void showCommands(const EstimateCommands& c) override { commands = c; }
    void showMessage(std::u16string_view text, EstimateTone) override { message = text; }
    void saveSoon() override { ++saves; }
};

// One face of an estimate over a storage: its library, presenter and view.
struct Face {
    // Each face's line ids from its own range, as random ids would be.
    explicit Face(FakeStorage& storage, Counter clock = {}, std::uint64_t firstId = 0x100)
        : library(storage, u',', ids(firstId), clock, 1), presenter(library, view)
    {
    }
    static Counter ids(std::uint64_t first)
    {
        Counter c;
        *c.next = first;
        return c;
    }
    // What the face does when it has drawn a change: saves it.
    void settle()
    {
        while (view.saves > saved) {
            saved = view.saves;
            presenter.save();
        }
    }
    RecordingView view;
    EstimateLibrary library;
    EstimatePresenter presenter;
    int saved = 0;
};

std::optional<EstimateColumn> columnNamed(const Estimate& e, const std::u16string& caption)
{
    for (std::size_t c = 0; c < estimateColumnCount; ++c) {
        if (columnCaption(static_cast<EstimateColumn>(c), quantityMix(e)) == caption)
            return static_cast<EstimateColumn>(c);
    }
    return std::nullopt;
}

std::u16string names(const std::vector<EstimateEntry>& entries)
{
    std::u16string out;
    for (const EstimateEntry& e : entries)
        out += (out.empty() ? u"" : u"|") + e.name;
    return out;
}

// Runs one case's steps; a failure names the case and the step.
void run(const EstimateCase& c)
{
    FakeStorage storage;
    Face face(storage);
    EstimatePresenter& p = face.presenter;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
        const EstimateCaseStep& step = c.steps[i];
        SCOPED_TRACE(c.name + ", step " + std::to_string(i + 1) + ": " + step.action);
        std::vector<std::u16string> a;
        for (const std::string& arg : step.args)
            a.push_back(fromUtf8(arg));
        const auto line = [&] { return p.lineId(std::stoul(step.args.at(0)) - 1); };
        const auto column = [&] {
            const std::optional<EstimateColumn> found = columnNamed(p.estimate(), a.at(1));
            if (!found)
                ADD_FAILURE() << "no column " << step.args.at(1);
            return found.value_or(EstimateColumn::Number);
        };
        const auto row = [&] { return std::stoul(step.args.at(0)) - 1; };
        const std::string& act = step.action;
        if (act == "add")
            p.add(rebar12(a.at(0)));
        else if (act == "edit")
            p.commitCell(line(), column(), a.at(2));
        else if (act == "unit")
            p.commitCell(line(), EstimateColumn::PriceUnit, a.at(1));
        else if (act == "choices") {
            std::u16string texts;
            for (const std::u16string& t : p.cell(row(), EstimateColumn::PriceUnit).choices)
                texts += (texts.empty() ? u"" : u"|") + t;
            EXPECT_EQ(utf8(texts), step.args.at(1));
        } else if (act == "empty")
            p.emptyCell(line(), column());
        else if (act == "delete")
            p.deleteLine(line());
        else if (act == "clear")
            p.clear();
        else if (act == "undo")
            p.undo();
        else if (act == "redo")
            p.redo();
        else if (act == "new")
            p.create();
        else if (act == "deleteEstimate")
            p.deleteEstimate();
        else if (act == "vat")
            p.commitVatRate(a.at(0));
        else if (act == "reimport") {
            const EstimateFileOut file = p.exportFile();
            p.importFile(file.bytes, file.name);
        } else if (act == "rename")
            p.rename(a.at(0));
        else if (act == "open") {
            for (const EstimateEntry& e : p.entries())
                if (e.name == a.at(0))
                    p.open(e.key);
        } else if (act == "cell")
            EXPECT_EQ(utf8(p.cell(row(), column()).text), step.args.at(2));
        else if (act == "reason")
            EXPECT_EQ(utf8(p.cell(row(), column()).reason), step.args.at(2));
        else if (act == "lines")
            EXPECT_EQ(p.rowCount(), std::stoul(step.args.at(0)));
        else if (act == "name")
            EXPECT_EQ(utf8(p.name()), step.args.at(0));
        else if (act == "estimates")
            EXPECT_EQ(utf8(names(p.entries())), step.args.at(0));
        else if (act == "vatRate")
            EXPECT_EQ(utf8(p.vatRateText()), step.args.at(0));
        else if (act == "message")
            EXPECT_EQ(utf8(face.view.message), step.args.at(0));
        else if (act == "undoText")
            EXPECT_EQ(utf8(face.view.commands.undoText), step.args.at(0));
        else if (act == "redoText")
            EXPECT_EQ(utf8(face.view.commands.redoText), step.args.at(0));
        else
            ADD_FAILURE() << "unknown action";
        face.settle();
    }
}

TEST(EstimateCases, EveryCaseOfTheTableHolds)
{
    const std::vector<EstimateCase> cases = readEstimateCases(casesTable);
    ASSERT_FALSE(cases.empty());
    for (const EstimateCase& c : cases)
        run(c);
}

TEST(EstimatePresenter, UndoAndRedoGoStepByStepThroughHundredsOfEdits)
{
    FakeStorage storage;
    Face face(storage);
    EstimatePresenter& p = face.presenter;
    p.add(rebar12(u"1"));
    const std::uint64_t id = p.lineId(0);
    for (int n = 2; n <= 150; ++n)
        ASSERT_TRUE(p.commitCell(id, EstimateColumn::Quantity, countText(n)));
    face.settle();
    for (int n = 150; n >= 2; --n) {
        ASSERT_EQ(p.cell(0, EstimateColumn::Quantity).text, countText(n) + u",000");
        p.undo();
    }
    EXPECT_EQ(p.cell(0, EstimateColumn::Quantity).text, u"1,000");
    for (int n = 0; n < 149; ++n)
        p.redo();
    EXPECT_EQ(p.cell(0, EstimateColumn::Quantity).text, u"150,000");
    EXPECT_FALSE(face.view.commands.canRedo);
    face.settle();
    // What the storage holds follows: another face opening it sees 150.
    Face other(storage);
    EXPECT_EQ(other.presenter.cell(0, EstimateColumn::Quantity).text, u"150,000");
}

TEST(EstimatePresenter, UndoTakesBackOnlyWhatThisFaceDid)
{
    FakeStorage storage;
    Counter clock;
    Face mine(storage, clock);
    mine.presenter.add(rebar12(u"1"));
    mine.settle();
    Face theirs(storage, clock, 0x900);
    theirs.presenter.add(rebar12(u"7"));
    theirs.settle();

    mine.presenter.add(rebar12(u"2"));
    mine.settle(); // merges their line in
    ASSERT_EQ(mine.presenter.rowCount(), 3u);
    mine.presenter.undo(); // my second line
    mine.presenter.undo(); // my first line
    mine.settle();
    ASSERT_EQ(mine.presenter.rowCount(), 1u);
    EXPECT_EQ(mine.presenter.cell(0, EstimateColumn::Quantity).text, u"7,000");
    EXPECT_FALSE(mine.view.commands.canUndo);
}

TEST(EstimatePresenter, AnUnchangedOrRefusedTextNeitherSavesNorBecomesAStep)
{
    FakeStorage storage;
    Face face(storage);
    EstimatePresenter& p = face.presenter;
    p.add(rebar12(u"10"));
    face.settle();
    const int writes = storage.writes;
    const std::uint64_t id = p.lineId(0);
    EXPECT_TRUE(p.commitCell(id, EstimateColumn::Quantity, u"10,000"));
    EXPECT_FALSE(p.commitCell(id, EstimateColumn::Pieces, u"0"));
    EXPECT_FALSE(p.commitCell(id, EstimateColumn::Pieces, u"0")); // still refused, said again
    face.settle();
    EXPECT_EQ(storage.writes, writes);
    EXPECT_EQ(face.view.commands.undoText, u"Отменить добавление строки 1");
    EXPECT_TRUE(p.cell(0, EstimateColumn::Pieces).alert);
    p.abandonCell(id, EstimateColumn::Pieces);
    EXPECT_EQ(p.cell(0, EstimateColumn::Pieces).text, u"");
    EXPECT_FALSE(p.cell(0, EstimateColumn::Pieces).alert);
}

TEST(EstimatePresenter, ARenameElsewhereIsFollowedAndADeletionElsewhereIsNotUndoneByAnEdit)
{
    FakeStorage storage;
    Counter clock;
    Face here(storage, clock);
    here.presenter.add(rebar12(u"1"));
    here.settle();
    Face there(storage, clock, 0x900);
    there.presenter.rename(u"Объект");
    there.settle();

    here.presenter.refresh();
    EXPECT_EQ(here.presenter.name(), u"Объект");
    EXPECT_EQ(here.presenter.key(), there.presenter.key());
    here.presenter.add(rebar12(u"2"));
    here.settle();
    EXPECT_EQ(storage.entries.size(), 1u); // no «Смета 1» made again

    there.presenter.deleteEstimate();
    there.settle();
    here.presenter.refresh();
    EXPECT_EQ(here.view.message,
              u"Смета «Объект» удалена в другом окне. Изменения в ней не сохраняются; «Отменить» вернёт её.");
    EXPECT_EQ(here.view.commands.undoText, u"Отменить удаление сметы «Объект»");
    here.presenter.add(rebar12(u"3"));
    here.settle();
    EXPECT_FALSE(storage.entries.contains(u"Объект")) << "an edit re-created it";

    here.presenter.undo(); // the user's word: keep it
    here.settle();
    ASSERT_TRUE(storage.entries.contains(u"Объект"));
    Face later(storage, clock, 0x500);
    later.presenter.open(u"Объект");
    EXPECT_EQ(later.presenter.rowCount(), 3u);
}

TEST(EstimatePresenter, ARefusedWriteMarksTheLinesNotSavedAndKeepsTheEstimateOpen)
{
    FakeStorage storage;
    Face face(storage);
    EstimatePresenter& p = face.presenter;
    p.add(rebar12(u"1"));
    face.settle();
    storage.refuseWrites = true;
    p.add(rebar12(u"2"));
    face.settle();
    EXPECT_TRUE(p.unsaved());
    EXPECT_FALSE(p.cell(0, EstimateColumn::Number).alert);
    EXPECT_TRUE(p.cell(1, EstimateColumn::Number).alert);
    EXPECT_EQ(p.cell(1, EstimateColumn::Number).reason, u"Строка не сохранена");
    EXPECT_EQ(face.view.message,
              u"Смета не сохранена: на диске нет места Отмеченные строки есть только на экране: "
              u"сохраните их в CSV, чтобы не потерять.");

    const std::u16string key = p.key();
    p.create();
    EXPECT_EQ(p.key(), key);
    EXPECT_EQ(face.view.message, u"Другая смета не открыта: эта ещё не сохранена.");
    EXPECT_EQ(p.rowCount(), 2u);
    EXPECT_TRUE(face.view.commands.canUndo); // its steps kept

    storage.refuseWrites = false;
    p.commitCell(p.lineId(1), EstimateColumn::Price, u"100");
    face.settle();
    EXPECT_FALSE(p.unsaved());
    EXPECT_FALSE(p.cell(1, EstimateColumn::Number).alert);
}

// The file the desktop's «Экспорт сметы…» wrote, which the page imports too.
constexpr std::string_view desktopExport =
#include "desktop_export.inc"
    ;

std::vector<std::u16string> keys(const FakeStorage& storage)
{
    std::vector<std::u16string> out;
    for (const auto& [key, bytes] : storage.entries)
        out.push_back(key);
    return out;
}

TEST(EstimateFiles, TheDesktopsFileImportsAsANewEstimateEachTimeAndExportsByteForByte)
{
    FakeStorage storage;
    Face face(storage);
    EstimatePresenter& p = face.presenter;
    p.add(rebar12(u"5"));
    face.settle();

    ASSERT_TRUE(p.importFile(desktopExport, u"Склад_2.tarvik-smeta.json"));
    face.settle();
    EXPECT_EQ(utf8(p.name()), "Склад/2");
    EXPECT_EQ(utf8(face.view.message), "Смета «Склад/2» импортирована");
    ASSERT_EQ(p.rowCount(), 3u);
    EXPECT_EQ(utf8(p.cell(2, EstimateColumn::Cost).text), "408,85");
    // Nothing of the estimate open before went into it, nor any step of it.
    EXPECT_FALSE(face.view.commands.canUndo);
    const EstimateFileOut out = p.exportFile();
    EXPECT_EQ(utf8(out.name), "Склад_2.tarvik-smeta.json");
    EXPECT_EQ(out.bytes, desktopExport);

    // Again: another estimate under a name and key of its own, the first untouched.
    const std::u16string firstKey = p.key();
    ASSERT_TRUE(p.importFile(desktopExport, u"Склад_2.tarvik-smeta.json"));
    face.settle();
    EXPECT_EQ(utf8(p.name()), "Склад/2 (2)");
    EXPECT_NE(p.key(), firstKey);
    EXPECT_EQ(names(p.entries()), u"Склад/2|Склад/2 (2)|Смета 1");
    p.add(rebar12(u"1"));
    face.settle();
    EXPECT_EQ(storage.entries.at(firstKey), std::string(desktopExport));
}

TEST(EstimateFiles, AFileThatDoesNotReadIsRefusedWithItsReasonAndNothingChanges)
{
    const std::string good(desktopExport);
    std::string newer = good;
    const std::string_view current = R"("version": "3")";
    newer.replace(newer.find(current), current.size(), R"("version": "99")");
    const struct {
        const char* what;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"a newer version", newer, "Файл «f.json» не импортирован: он записан более новой версией программы"},
        {"cut in half", good.substr(0, good.size() / 2),
         "Файл «f.json» не импортирован: он повреждён или записан не полностью"},
        {"a line's mass changed by hand", std::string(good).replace(good.find(R"("mass": ")") + 9, 1, "x"),
         "Файл «f.json» не импортирован: он повреждён или записан не полностью"},
        {"a picture", "\x89PNG\r\n\x1a\n", "Файл «f.json» не импортирован: это не файл сметы"},
        {"nothing", "", "Файл «f.json» не импортирован: это не файл сметы"},
        {"another program's JSON", R"({"format": "other", "version": "1"})",
         "Файл «f.json» не импортирован: это не файл сметы"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeStorage storage;
        Face face(storage);
        face.presenter.add(rebar12(u"5"));
        face.settle();
        const auto before = storage.entries;
        EXPECT_FALSE(face.presenter.importFile(c.bytes, u"f.json"));
        face.settle();
        EXPECT_EQ(utf8(face.view.message), c.message);
        EXPECT_EQ(storage.entries, before);
        EXPECT_EQ(face.presenter.rowCount(), 1u);
        EXPECT_TRUE(face.view.commands.canUndo);
    }
}

TEST(EstimateFiles, AFileTheStorageRefusesLeavesTheOpenEstimateOpen)
{
    FakeStorage storage;
    Face face(storage);
    face.presenter.add(rebar12(u"5"));
    face.settle();
    storage.refuseWrites = true;
    EXPECT_FALSE(face.presenter.importFile(desktopExport, u"f.json"));
    EXPECT_EQ(utf8(face.presenter.name()), "Смета 1");
    EXPECT_EQ(keys(storage), std::vector<std::u16string>{u"Смета 1"});
    EXPECT_EQ(utf8(face.view.message), "Смета не сохранена: на диске нет места");
}

TEST(EstimateFiles, AnExportedFileIsNamedSafelyForAnyFolder)
{
    FakeStorage storage;
    Face face(storage);
    face.presenter.rename(u"../Склад: 2/3?");
    EXPECT_EQ(utf8(face.presenter.exportFile().name), "_Склад_ 2_3_.tarvik-smeta.json");
}

} // namespace
} // namespace tarvik::testing
