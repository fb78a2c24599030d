#pragma once

// Every fixed text that a face shows or names a control by, one entry per
// use: two uses that read alike today (the mode group's caption and the
// button's) are two entries, so that one can change without the other. The
// desktop window reads them here; the page's markup is written from this
// table when the page is built.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tarvik {

enum class Caption {
    WindowTitle,
    Loading,    // the page while its core loads
    LoadFailed, // the page whose core did not load
    LoadRetry,
    AppName, // the installed page's name
    PageDescription,
    KindsColumnName,
    ModeGroup,
    StartModeItem0,
    StartModeItem1,
    SizeListAtStart,
    SizeListButton,
    NumberFieldAtStart,
    NumberFieldName,
    ResultBox,
    ResultName,
    ResultMenuName,
    CopyResultNumber,
    CopyResultWithUnit,
    CopyShortcut,
    CalcButton,
    CalcButtonName,  // distinct from the mode group's name
    ResultOutOfDate, // the dimmed result's description
    ChooseMode,      // «Расчитать» without a mode
    ChooseSize,      // «Расчитать» without a size
    KindInUseName,
    MissingInputName,
    InputHintName,
    ErrorBoxButton,
    // The estimate's table: a column's caption per kind of quantity, and the
    // one its header shows while lines of both kinds are in it.
    EstimateNumberColumn,
    EstimateNameColumn,
    EstimateSizeColumn,
    EstimateGradeColumn,
    UnitMassLengthColumn,
    UnitMassAreaColumn,
    UnitMassMixedColumn,
    PieceLengthColumn,
    PieceAreaColumn,
    PieceMixedColumn,
    PiecesColumn,
    QuantityLengthColumn,
    QuantityAreaColumn,
    QuantityMixedColumn,
    MassColumn,
    PriceColumn,
    PriceUnitColumn,
    CostColumn,
    // What a price is per, in the «за» cells.
    PricePerTonne,
    PricePerMetre,
    PricePerSquareMetre,
    PricePerPiece,
    // Totals; "{}" stands for the number.
    TotalLines,
    TotalTonnes,
    UnpricedLines,
    OutOfRangeLines,
    VatIncluded,
    VatAdded,
    TotalWithVat,
    // A line's notes and the errors of edits.
    UnitMassChangedNote,
    NotInCatalogueNote,
    CostOutOfRange,
    NeedsPieceSize,
    BadPieces,
    TooManyPieces,
    BadPieceSize,
    BadPrice,
    PricedPerPiece,
    NotInPieces,
    BadVatRate,
    NegativeAmount,
    // Why a number typed into a cell was refused; "{}" stands for the text
    // or a character of it, in order.
    TypedNotANumber,
    TypedForeign,
    TypedExponent,
    TypedMisplacedGroup,
    TypedAmbiguousStop,
    TypedTwoSeparators,
    TypedTooManyDecimals,
    TypedTooLarge,
    // The estimate's controls.
    AddToEstimate,
    EstimateTitle,
    NewEstimate,
    OpenEstimate,
    RenameEstimate,
    DuplicateEstimate,
    DeleteEstimate,
    DeleteLine,
    ClearEstimate,
    UndoEstimate,
    RedoEstimate,
    CopyTable,
    SaveCsv,
    DownloadCsv,
    PrintDialog,
    Print,
    SavePdf,
    VatRate,
    PricesIncludeVat,
    // What the library of estimates tells the user.
    EstimateNotSaved,
    EstimateNotRead,
    EstimateKeptAside,
    LinesRecoverable, // after EstimateKeptAside: the lines that read, of how many
    EstimateTooNew,
    NewEstimateName,
    DuplicateName,
    // The desktop's estimate window and its printed document; "{}" stands
    // for a name, a path or a date.
    EstimateWindowTitle,
    EstimateTableName,
    EstimateTotalsName,
    EstimateStatusName,
    EstimateListTitle,
    EstimateListName,
    RenamePrompt,
    BlankEstimateName, // a rename to nothing but spaces
    DeleteEstimateQuestion,
    // «Открыть…»'s groups beside the estimates: the deleted ones, kept for
    // a while, and the files that did not read; "{}" stands for a name,
    // then a date or the lines that read and how many there were.
    DeletedGroup,
    DamagedGroup,
    DeletedListName,
    DamagedListName,
    DeletedEntry,
    DamagedEntry,
    RecoverLines, // the offer of a damaged file's lines as a new estimate
    RestoreEstimate,
    TableCopied,
    FileWritten,
    FileNotWritten,
    CsvFileFilter,
    PdfFileFilter,
    PrintedTitle,
    PrintedDate,
    // An estimate as a file of its own, taken to another computer or the
    // other face: the desktop's buttons, the page's, the dialog's filter,
    // and what came of a file brought in; "{}" stands for a name or a file.
    ExportEstimateFile,
    ImportEstimateFile,
    DownloadEstimateFile,
    UploadEstimateFile,
    EstimateFileFilter,
    EstimateImported,
    ImportNotEstimate,
    ImportUnreadable,
    ImportTooNew,
    FileNotRead,
    // The page's estimate section; "{}" stands for a caption, a line's
    // number or a name, in that order.
    EstimateCellName,
    DeleteLineName,
    EstimateRemoved,
    // What «Отменить» and «Вернуть» would take back or do again, in their
    // descriptions: "{}" stands for a step, a step's column and line.
    UndoStep,
    RedoStep,
    StepEditCell,
    StepAddLine,
    StepDeleteLine,
    StepClear,
    StepVat,
    StepDeleteEstimate,
    // When the storage refuses: a line's mark, the hint after the message,
    // and why another estimate did not open.
    LineNotSaved,
    UnsavedLinesHint,
    SwitchRefusedUnsaved,
    // The open estimate changed by another tab or process: "{}" its name.
    EstimateRenamedElsewhere,
    EstimateDeletedElsewhere,
    LineAdded,          // beside «В смету», after it added a line
    EstimateLoadFailed, // beside «В смету» and «Смета», when the page's estimate did not load
    CancelButton,
    BrowserStorageFull,
    BrowserStorageRefused,
    UnreadableEntryName,
    // Why the estimate's files were refused; "{}" stands for a folder or
    // a file.
    StorageNoSpace,
    StorageNoPermission,
    StorageNotReadable,
    StorageBusy,
    StorageFailed,
    // The metal and its grade, and the density a calculation takes.
    MetalList,
    GradeList,
    OwnDensity,
    OwnDensityBasis, // the basis line's name for a typed density
    OwnDensityGrade, // an estimate line's «Марка» for a typed density; "{}" stands for it
    SteelOnly,       // the grade lists of a steel-only product
    // The basis beside a result; "{}" stands for the unit mass, the grade or
    // «своя плотность», and the density, in that order.
    BasisLength,
    BasisArea,
    BasisName,
    // «Свой размер»: the list of standards beside a profile pipe's R.
    RadiusStandardList,
    // Why a dimension or a typed density gives no result.
    DimensionMissing,
    DimensionNotNumber,
    DimensionTooPrecise,
    DimensionTooLarge,
    DimensionZero,
    PipeWallTooThick,
    ProfileWallTooThick,
    ProfileRadiusBelowWall,
    ProfileRadiusTooLarge,
    AngleTooThick,
    ToeRadiusAboveRoot,
    ToeRadiusTooLarge,
    DensityOutOfRange,
    DensityDigitsOnly,
    DimensionHintName,
};

std::u16string_view caption(Caption which);

// The caption with its "{}" marks replaced by the values, in order.
std::u16string captionFilled(Caption which, std::initializer_list<std::u16string_view> values);

// Each entry with the key that the page's markup template names it by
// ("@CalcButton@").
struct CaptionEntry {
    Caption which;
    std::string_view key;
};
std::span<const CaptionEntry> captionEntries();

// The name of a size list's arrow button: its purpose and the list's caption.
std::u16string sizeListButtonName(std::u16string_view listCaption);

} // namespace tarvik
