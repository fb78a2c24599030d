#include "text/captions.h"

#include "text/text_sets.h"

#include <array>

namespace tarvik {
namespace {

constexpr std::array entries{
    CaptionEntry{Caption::WindowTitle, "WindowTitle"},
    CaptionEntry{Caption::Loading, "Loading"},
    CaptionEntry{Caption::LoadFailed, "LoadFailed"},
    CaptionEntry{Caption::LoadRetry, "LoadRetry"},
    CaptionEntry{Caption::AppName, "AppName"},
    CaptionEntry{Caption::PageDescription, "PageDescription"},
    CaptionEntry{Caption::KindsColumnName, "KindsColumnName"},
    CaptionEntry{Caption::ModeGroup, "ModeGroup"},
    CaptionEntry{Caption::StartModeItem0, "StartModeItem0"},
    CaptionEntry{Caption::StartModeItem1, "StartModeItem1"},
    CaptionEntry{Caption::SizeListAtStart, "SizeListAtStart"},
    CaptionEntry{Caption::SizeListButton, "SizeListButton"},
    CaptionEntry{Caption::NumberFieldAtStart, "NumberFieldAtStart"},
    CaptionEntry{Caption::NumberFieldName, "NumberFieldName"},
    CaptionEntry{Caption::ResultBox, "ResultBox"},
    CaptionEntry{Caption::ResultName, "ResultName"},
    CaptionEntry{Caption::ResultMenuName, "ResultMenuName"},
    CaptionEntry{Caption::CopyResultNumber, "CopyResultNumber"},
    CaptionEntry{Caption::CopyResultWithUnit, "CopyResultWithUnit"},
    CaptionEntry{Caption::CopyShortcut, "CopyShortcut"},
    CaptionEntry{Caption::CalcButton, "CalcButton"},
    CaptionEntry{Caption::CalcButtonName, "CalcButtonName"},
    CaptionEntry{Caption::ResultOutOfDate, "ResultOutOfDate"},
    CaptionEntry{Caption::ChooseMode, "ChooseMode"},
    CaptionEntry{Caption::ChooseSize, "ChooseSize"},
    CaptionEntry{Caption::KindInUseName, "KindInUseName"},
    CaptionEntry{Caption::MissingInputName, "MissingInputName"},
    CaptionEntry{Caption::InputHintName, "InputHintName"},
    CaptionEntry{Caption::ErrorBoxButton, "ErrorBoxButton"},
    CaptionEntry{Caption::EstimateNumberColumn, "EstimateNumberColumn"},
    CaptionEntry{Caption::EstimateNameColumn, "EstimateNameColumn"},
    CaptionEntry{Caption::EstimateSizeColumn, "EstimateSizeColumn"},
    CaptionEntry{Caption::EstimateGradeColumn, "EstimateGradeColumn"},
    CaptionEntry{Caption::UnitMassLengthColumn, "UnitMassLengthColumn"},
    CaptionEntry{Caption::UnitMassAreaColumn, "UnitMassAreaColumn"},
    CaptionEntry{Caption::UnitMassMixedColumn, "UnitMassMixedColumn"},
    CaptionEntry{Caption::PieceLengthColumn, "PieceLengthColumn"},
    CaptionEntry{Caption::PieceAreaColumn, "PieceAreaColumn"},
    CaptionEntry{Caption::PieceMixedColumn, "PieceMixedColumn"},
    CaptionEntry{Caption::PiecesColumn, "PiecesColumn"},
    CaptionEntry{Caption::QuantityLengthColumn, "QuantityLengthColumn"},
    CaptionEntry{Caption::QuantityAreaColumn, "QuantityAreaColumn"},
    CaptionEntry{Caption::QuantityMixedColumn, "QuantityMixedColumn"},
    CaptionEntry{Caption::MassColumn, "MassColumn"},
    CaptionEntry{Caption::PriceColumn, "PriceColumn"},
    CaptionEntry{Caption::PriceUnitColumn, "PriceUnitColumn"},
    CaptionEntry{Caption::PricePerTonne, "PricePerTonne"},
    CaptionEntry{Caption::PricePerMetre, "PricePerMetre"},
    CaptionEntry{Caption::PricePerSquareMetre, "PricePerSquareMetre"},
    CaptionEntry{Caption::PricePerPiece, "PricePerPiece"},
    CaptionEntry{Caption::CostColumn, "CostColumn"},
    CaptionEntry{Caption::TotalLines, "TotalLines"},
    CaptionEntry{Caption::TotalTonnes, "TotalTonnes"},
    CaptionEntry{Caption::UnpricedLines, "UnpricedLines"},
    CaptionEntry{Caption::OutOfRangeLines, "OutOfRangeLines"},
    CaptionEntry{Caption::VatIncluded, "VatIncluded"},
    CaptionEntry{Caption::VatAdded, "VatAdded"},
    CaptionEntry{Caption::TotalWithVat, "TotalWithVat"},
    CaptionEntry{Caption::UnitMassChangedNote, "UnitMassChangedNote"},
    CaptionEntry{Caption::NotInCatalogueNote, "NotInCatalogueNote"},
    CaptionEntry{Caption::CostOutOfRange, "CostOutOfRange"},
    CaptionEntry{Caption::NeedsPieceSize, "NeedsPieceSize"},
    CaptionEntry{Caption::BadPieces, "BadPieces"},
    CaptionEntry{Caption::TooManyPieces, "TooManyPieces"},
    CaptionEntry{Caption::BadPieceSize, "BadPieceSize"},
    CaptionEntry{Caption::BadPrice, "BadPrice"},
    CaptionEntry{Caption::PricedPerPiece, "PricedPerPiece"},
    CaptionEntry{Caption::NotInPieces, "NotInPieces"},
    CaptionEntry{Caption::BadVatRate, "BadVatRate"},
    CaptionEntry{Caption::NegativeAmount, "NegativeAmount"},
    CaptionEntry{Caption::TypedNotANumber, "TypedNotANumber"},
    CaptionEntry{Caption::TypedForeign, "TypedForeign"},
    CaptionEntry{Caption::TypedExponent, "TypedExponent"},
    CaptionEntry{Caption::TypedMisplacedGroup, "TypedMisplacedGroup"},
    CaptionEntry{Caption::TypedAmbiguousStop, "TypedAmbiguousStop"},
    CaptionEntry{Caption::TypedTwoSeparators, "TypedTwoSeparators"},
    CaptionEntry{Caption::TypedTooManyDecimals, "TypedTooManyDecimals"},
    CaptionEntry{Caption::TypedTooLarge, "TypedTooLarge"},
    CaptionEntry{Caption::AddToEstimate, "AddToEstimate"},
    CaptionEntry{Caption::EstimateTitle, "EstimateTitle"},
    CaptionEntry{Caption::NewEstimate, "NewEstimate"},
    CaptionEntry{Caption::OpenEstimate, "OpenEstimate"},
    CaptionEntry{Caption::RenameEstimate, "RenameEstimate"},
    CaptionEntry{Caption::DuplicateEstimate, "DuplicateEstimate"},
    CaptionEntry{Caption::DeleteEstimate, "DeleteEstimate"},
    CaptionEntry{Caption::DeleteLine, "DeleteLine"},
    CaptionEntry{Caption::ClearEstimate, "ClearEstimate"},
    CaptionEntry{Caption::UndoEstimate, "UndoEstimate"},
    CaptionEntry{Caption::RedoEstimate, "RedoEstimate"},
    CaptionEntry{Caption::CopyTable, "CopyTable"},
    CaptionEntry{Caption::SaveCsv, "SaveCsv"},
    CaptionEntry{Caption::DownloadCsv, "DownloadCsv"},
    CaptionEntry{Caption::PrintDialog, "PrintDialog"},
    CaptionEntry{Caption::Print, "Print"},
    CaptionEntry{Caption::SavePdf, "SavePdf"},
    CaptionEntry{Caption::VatRate, "VatRate"},
    CaptionEntry{Caption::PricesIncludeVat, "PricesIncludeVat"},
    CaptionEntry{Caption::EstimateNotSaved, "EstimateNotSaved"},
    CaptionEntry{Caption::EstimateNotRead, "EstimateNotRead"},
    CaptionEntry{Caption::EstimateKeptAside, "EstimateKeptAside"},
    CaptionEntry{Caption::EstimateTooNew, "EstimateTooNew"},
    CaptionEntry{Caption::NewEstimateName, "NewEstimateName"},
    CaptionEntry{Caption::DuplicateName, "DuplicateName"},
    CaptionEntry{Caption::EstimateWindowTitle, "EstimateWindowTitle"},
    CaptionEntry{Caption::EstimateTableName, "EstimateTableName"},
    CaptionEntry{Caption::EstimateTotalsName, "EstimateTotalsName"},
    CaptionEntry{Caption::EstimateStatusName, "EstimateStatusName"},
    CaptionEntry{Caption::EstimateListTitle, "EstimateListTitle"},
    CaptionEntry{Caption::EstimateListName, "EstimateListName"},
    CaptionEntry{Caption::RenamePrompt, "RenamePrompt"},
    CaptionEntry{Caption::BlankEstimateName, "BlankEstimateName"},
    CaptionEntry{Caption::DeleteEstimateQuestion, "DeleteEstimateQuestion"},
    CaptionEntry{Caption::TableCopied, "TableCopied"},
    CaptionEntry{Caption::FileWritten, "FileWritten"},
    CaptionEntry{Caption::FileNotWritten, "FileNotWritten"},
    CaptionEntry{Caption::CsvFileFilter, "CsvFileFilter"},
    CaptionEntry{Caption::PdfFileFilter, "PdfFileFilter"},
    CaptionEntry{Caption::PrintedTitle, "PrintedTitle"},
    CaptionEntry{Caption::PrintedDate, "PrintedDate"},
    CaptionEntry{Caption::EstimateCellName, "EstimateCellName"},
    CaptionEntry{Caption::DeleteLineName, "DeleteLineName"},
    CaptionEntry{Caption::EstimateRemoved, "EstimateRemoved"},
    CaptionEntry{Caption::ExportEstimateFile, "ExportEstimateFile"},
    CaptionEntry{Caption::ImportEstimateFile, "ImportEstimateFile"},
    CaptionEntry{Caption::DownloadEstimateFile, "DownloadEstimateFile"},
    CaptionEntry{Caption::UploadEstimateFile, "UploadEstimateFile"},
    CaptionEntry{Caption::EstimateFileFilter, "EstimateFileFilter"},
    CaptionEntry{Caption::EstimateImported, "EstimateImported"},
    CaptionEntry{Caption::ImportNotEstimate, "ImportNotEstimate"},
    CaptionEntry{Caption::ImportUnreadable, "ImportUnreadable"},
    CaptionEntry{Caption::ImportTooNew, "ImportTooNew"},
    CaptionEntry{Caption::FileNotRead, "FileNotRead"},
    CaptionEntry{Caption::UndoStep, "UndoStep"},
    CaptionEntry{Caption::RedoStep, "RedoStep"},
    CaptionEntry{Caption::StepEditCell, "StepEditCell"},
    CaptionEntry{Caption::StepAddLine, "StepAddLine"},
    CaptionEntry{Caption::StepDeleteLine, "StepDeleteLine"},
    CaptionEntry{Caption::StepClear, "StepClear"},
    CaptionEntry{Caption::StepVat, "StepVat"},
    CaptionEntry{Caption::StepDeleteEstimate, "StepDeleteEstimate"},
    CaptionEntry{Caption::LineNotSaved, "LineNotSaved"},
    CaptionEntry{Caption::UnsavedLinesHint, "UnsavedLinesHint"},
    CaptionEntry{Caption::SwitchRefusedUnsaved, "SwitchRefusedUnsaved"},
    CaptionEntry{Caption::EstimateRenamedElsewhere, "EstimateRenamedElsewhere"},
    CaptionEntry{Caption::EstimateDeletedElsewhere, "EstimateDeletedElsewhere"},
    CaptionEntry{Caption::LineAdded, "LineAdded"},
    CaptionEntry{Caption::EstimateLoadFailed, "EstimateLoadFailed"},
    CaptionEntry{Caption::CancelButton, "CancelButton"},
    CaptionEntry{Caption::BrowserStorageFull, "BrowserStorageFull"},
    CaptionEntry{Caption::BrowserStorageRefused, "BrowserStorageRefused"},
    CaptionEntry{Caption::UnreadableEntryName, "UnreadableEntryName"},
    CaptionEntry{Caption::StorageNoSpace, "StorageNoSpace"},
    CaptionEntry{Caption::StorageNoPermission, "StorageNoPermission"},
    CaptionEntry{Caption::StorageNotReadable, "StorageNotReadable"},
    CaptionEntry{Caption::StorageBusy, "StorageBusy"},
    CaptionEntry{Caption::StorageFailed, "StorageFailed"},
    CaptionEntry{Caption::MetalList, "MetalList"},
    CaptionEntry{Caption::GradeList, "GradeList"},
    CaptionEntry{Caption::OwnDensity, "OwnDensity"},
    CaptionEntry{Caption::OwnDensityBasis, "OwnDensityBasis"},
    CaptionEntry{Caption::OwnDensityGrade, "OwnDensityGrade"},
    CaptionEntry{Caption::SteelOnly, "SteelOnly"},
    CaptionEntry{Caption::BasisLength, "BasisLength"},
    CaptionEntry{Caption::BasisArea, "BasisArea"},
    CaptionEntry{Caption::BasisName, "BasisName"},
    CaptionEntry{Caption::RadiusStandardList, "RadiusStandardList"},
    CaptionEntry{Caption::DimensionMissing, "DimensionMissing"},
    CaptionEntry{Caption::DimensionNotNumber, "DimensionNotNumber"},
    CaptionEntry{Caption::DimensionTooPrecise, "DimensionTooPrecise"},
    CaptionEntry{Caption::DimensionTooLarge, "DimensionTooLarge"},
    CaptionEntry{Caption::DimensionZero, "DimensionZero"},
    CaptionEntry{Caption::PipeWallTooThick, "PipeWallTooThick"},
    CaptionEntry{Caption::ProfileWallTooThick, "ProfileWallTooThick"},
    CaptionEntry{Caption::ProfileRadiusBelowWall, "ProfileRadiusBelowWall"},
    CaptionEntry{Caption::ProfileRadiusTooLarge, "ProfileRadiusTooLarge"},
    CaptionEntry{Caption::AngleTooThick, "AngleTooThick"},
    CaptionEntry{Caption::ToeRadiusAboveRoot, "ToeRadiusAboveRoot"},
    CaptionEntry{Caption::ToeRadiusTooLarge, "ToeRadiusTooLarge"},
    CaptionEntry{Caption::DensityOutOfRange, "DensityOutOfRange"},
    CaptionEntry{Caption::DensityDigitsOnly, "DensityDigitsOnly"},
    CaptionEntry{Caption::DimensionHintName, "DimensionHintName"},
};

} // namespace

std::u16string_view caption(Caption which)
{
    switch (which) {
    case Caption::WindowTitle:
        return u"Тарвик";
    case Caption::Loading:
        return u"Калькулятор загружается…";
    case Caption::LoadFailed:
        return u"Калькулятор не загрузился. Проверьте связь и попробуйте снова.";
    case Caption::LoadRetry:
        return u"Попробовать снова";
    case Caption::AppName:
        return u"Тарвик — масса металлопроката";
    case Caption::PageDescription:
        return u"Калькулятор массы металлопроката";
    case Caption::KindsColumnName:
        return u"Виды проката";
    case Caption::ModeGroup:
        return u"Расчитать";
    // Until the first kind choice the mode group reads as for the families
    // sold by area.
    case Caption::StartModeItem0:
        return areaTexts.modeItem0;
    case Caption::StartModeItem1:
        return areaTexts.modeItem1;
    case Caption::SizeListAtStart:
        return u"Размер";
    case Caption::SizeListButton:
        return u"Список размеров";
    case Caption::NumberFieldAtStart:
        return u"0";
    case Caption::NumberFieldName:
        return u"Число";
    case Caption::ResultBox:
        return u"Результат";
    case Caption::ResultName:
        return u"Результат";
    case Caption::ResultMenuName:
        return u"Результат";
    case Caption::CopyResultNumber:
        return u"Копировать";
    case Caption::CopyResultWithUnit:
        return u"Копировать с единицей";
    case Caption::CopyShortcut:
        return u"Ctrl+C";
    case Caption::CalcButton:
        return u"Расчитать";
    case Caption::CalcButtonName:
        return u"Расчитать результат";
    case Caption::ResultOutOfDate:
        return u"Результат получен для прежних данных; «Расчитать» пересчитает его";
    case Caption::ChooseMode:
        return u"Выберите, что рассчитать";
    case Caption::ChooseSize:
        return u"Выберите размер";
    case Caption::KindInUseName:
        return u"Вид проката";
    case Caption::MissingInputName:
        return u"Что нужно для расчёта";
    case Caption::InputHintName:
        return u"Подсказка к числу";
    case Caption::ErrorBoxButton:
        return u"OK";
    case Caption::EstimateNumberColumn:
        return u"№";
    case Caption::EstimateNameColumn:
        return u"Наименование";
    case Caption::EstimateSizeColumn:
        return u"Размер";
    case Caption::EstimateGradeColumn:
        return u"Марка";
    case Caption::UnitMassLengthColumn:
        return u"Масса 1 м, кг";
    case Caption::UnitMassAreaColumn:
        return u"Масса 1 кв.м, кг";
    case Caption::UnitMassMixedColumn:
        return u"Масса 1 м / 1 кв.м, кг";
    case Caption::PieceLengthColumn:
        return u"Длина 1 шт, м";
    case Caption::PieceAreaColumn:
        return u"Площадь 1 шт, кв.м";
    case Caption::PieceMixedColumn:
        return u"Длина 1 шт, м / Площадь 1 шт, кв.м";
    case Caption::PiecesColumn:
        return u"Кол-во, шт";
    case Caption::QuantityLengthColumn:
        return u"Длина, м";
    case Caption::QuantityAreaColumn:
        return u"Площадь, кв.м";
    case Caption::QuantityMixedColumn:
        return u"Длина, м / Площадь, кв.м";
    case Caption::MassColumn:
        return u"Масса, кг";
    case Caption::PriceColumn:
        return u"Цена, руб";
    case Caption::PriceUnitColumn:
        return u"за";
    case Caption::PricePerTonne:
        return u"т";
    case Caption::PricePerMetre:
        return u"м";
    case Caption::PricePerSquareMetre:
        return u"кв.м";
    case Caption::PricePerPiece:
        return u"шт";
    case Caption::CostColumn:
        return u"Стоимость, руб";
    case Caption::TotalLines:
        return u"Итого: {} поз.";
    case Caption::TotalTonnes:
        return u"Итого, т";
    case Caption::UnpricedLines:
        return u"без цены: {} поз.";
    case Caption::OutOfRangeLines:
        return u"масса вне диапазона: {} поз.";
    case Caption::VatIncluded:
        return u"в т.ч. НДС {} %";
    case Caption::VatAdded:
        return u"НДС {} %";
    case Caption::TotalWithVat:
        return u"Всего с НДС";
    case Caption::UnitMassChangedNote:
        return u"Масса 1 м или 1 кв.м в каталоге изменилась; правка пересчитает строку по каталогу";
    case Caption::NotInCatalogueNote:
        return u"Этого размера больше нет в каталоге; числа строки сохранены";
    case Caption::CostOutOfRange:
        return u"Масса не указана с точностью до грамма: стоимость не считается";
    case Caption::NeedsPieceSize:
        return u"Сначала укажите длину или площадь 1 шт";
    case Caption::BadPieces:
        return u"Число штук — целое от 1";
    case Caption::TooManyPieces:
        return u"Слишком много штук";
    case Caption::BadPieceSize:
        return u"Размер 1 шт — число больше нуля, не более трёх знаков после запятой";
    case Caption::BadPrice:
        return u"Цена — число не более чем с двумя знаками после запятой";
    case Caption::PricedPerPiece:
        return u"Цена указана за штуку: сначала выберите в «за» другую единицу";
    case Caption::NotInPieces:
        return u"Строка не в штуках: цена за штуку возможна, когда указан размер 1 шт";
    case Caption::BadVatRate:
        return u"НДС — от 0 до 100 %, не более двух знаков после запятой";
    case Caption::NegativeAmount:
        return u"В смету не входят отрицательные количества";
    case Caption::TypedNotANumber:
        return u"Здесь нужно число";
    case Caption::TypedForeign:
        return u"«{}» — не часть числа";
    case Caption::TypedExponent:
        return u"Число пишется цифрами, без «e»";
    case Caption::TypedMisplacedGroup:
        return u"Пробел и точка разделяют только тысячи, по три цифры";
    case Caption::TypedAmbiguousStop:
        return u"«{}» — это {} или {}? Напишите число без точки";
    case Caption::TypedTwoSeparators:
        return u"Знак «{}» в числе может быть только один";
    case Caption::TypedTooManyDecimals:
        return u"Не больше {} знаков после «{}»";
    case Caption::TypedTooLarge:
        return u"Слишком большое число";
    case Caption::AddToEstimate:
        return u"В смету";
    case Caption::EstimateTitle:
        return u"Смета";
    case Caption::NewEstimate:
        return u"Новая смета";
    case Caption::OpenEstimate:
        return u"Открыть…";
    case Caption::RenameEstimate:
        return u"Переименовать";
    case Caption::DuplicateEstimate:
        return u"Дублировать";
    case Caption::DeleteEstimate:
        return u"Удалить смету";
    case Caption::DeleteLine:
        return u"Удалить строку";
    case Caption::ClearEstimate:
        return u"Очистить смету";
    case Caption::UndoEstimate:
        return u"Отменить";
    case Caption::RedoEstimate:
        return u"Вернуть";
    case Caption::CopyTable:
        return u"Копировать таблицу";
    case Caption::SaveCsv:
        return u"Сохранить CSV…";
    case Caption::DownloadCsv:
        return u"Скачать CSV";
    case Caption::PrintDialog:
        return u"Печать…";
    case Caption::Print:
        return u"Печать";
    case Caption::SavePdf:
        return u"Сохранить PDF…";
    case Caption::VatRate:
        return u"НДС, %";
    case Caption::PricesIncludeVat:
        return u"Цены включают НДС";
    case Caption::EstimateNotSaved:
        return u"Смета не сохранена: {}";
    case Caption::EstimateNotRead:
        return u"Смета «{}» не прочитана: {}";
    case Caption::EstimateKeptAside:
        return u"Смета «{}» не читается; её файл сохранён как «{}» и не будет перезаписан";
    case Caption::LinesRecoverable:
        return u"Читаются строки: {} из {}; «Открыть…» восстановит их новой сметой";
    case Caption::EstimateTooNew:
        return u"Смета «{}» записана более новой версией программы; она не открыта и не изменена";
    case Caption::NewEstimateName:
        return u"Смета {}";
    case Caption::DuplicateName:
        return u"{} — копия";
    case Caption::EstimateWindowTitle:
        return u"Смета — {}";
    case Caption::EstimateTableName:
        return u"Строки сметы";
    case Caption::EstimateTotalsName:
        return u"Итоги сметы";
    case Caption::EstimateStatusName:
        return u"Сообщения сметы";
    case Caption::EstimateListTitle:
        return u"Открыть смету";
    case Caption::EstimateListName:
        return u"Сметы";
    case Caption::RenamePrompt:
        return u"Название сметы";
    case Caption::BlankEstimateName:
        return u"У сметы должно быть имя";
    case Caption::DeleteEstimateQuestion:
        return u"Удалить смету «{}»?";
    case Caption::DeletedGroup:
        return u"Удалённые";
    case Caption::DamagedGroup:
        return u"Повреждённые";
    case Caption::DeletedListName:
        return u"Удалённые сметы";
    case Caption::DamagedListName:
        return u"Повреждённые сметы";
    case Caption::DeletedEntry:
        return u"{} — удалена {}";
    case Caption::DamagedEntry:
        return u"{} — читаются строки: {} из {}";
    case Caption::RecoverLines:
        return u"Восстановить строки: {} из {}";
    case Caption::RestoreEstimate:
        return u"Восстановить";
    case Caption::TableCopied:
        return u"Таблица скопирована";
    case Caption::FileWritten:
        return u"Записан файл {}";
    case Caption::FileNotWritten:
        return u"Файл не записан: {}";
    case Caption::CsvFileFilter:
        return u"Таблица CSV (*.csv)";
    case Caption::PdfFileFilter:
        return u"Документ PDF (*.pdf)";
    case Caption::PrintedTitle:
        return u"Смета «{}»";
    case Caption::PrintedDate:
        return u"Дата: {}";
    case Caption::ExportEstimateFile:
        return u"Экспорт сметы…";
    case Caption::ImportEstimateFile:
        return u"Импорт сметы…";
    case Caption::DownloadEstimateFile:
        return u"Экспорт сметы";
    case Caption::UploadEstimateFile:
        return u"Импорт сметы";
    case Caption::EstimateFileFilter:
        return u"Файл сметы (*.tarvik-smeta.json *.json)";
    case Caption::EstimateImported:
        return u"Смета «{}» импортирована";
    case Caption::ImportNotEstimate:
        return u"Файл «{}» не импортирован: это не файл сметы";
    case Caption::ImportUnreadable:
        return u"Файл «{}» не импортирован: он повреждён или записан не полностью";
    case Caption::ImportTooNew:
        return u"Файл «{}» не импортирован: он записан более новой версией программы";
    case Caption::FileNotRead:
        return u"Файл не прочитан: {}";
    case Caption::EstimateCellName:
        return u"{}, строка {}";
    case Caption::DeleteLineName:
        return u"Удалить строку {}";
    case Caption::EstimateRemoved:
        return u"Смета «{}» удалена";
    case Caption::UndoStep:
        return u"Отменить {}";
    case Caption::RedoStep:
        return u"Вернуть {}";
    case Caption::StepEditCell:
        return u"изменение «{}» в строке {}";
    case Caption::StepAddLine:
        return u"добавление строки {}";
    case Caption::StepDeleteLine:
        return u"удаление строки {}";
    case Caption::StepClear:
        return u"очистку сметы";
    case Caption::StepVat:
        return u"изменение НДС";
    case Caption::StepDeleteEstimate:
        return u"удаление сметы «{}»";
    case Caption::LineNotSaved:
        return u"Строка не сохранена";
    case Caption::UnsavedLinesHint:
        return u"Отмеченные строки есть только на экране: сохраните их в CSV, чтобы не потерять.";
    case Caption::SwitchRefusedUnsaved:
        return u"Другая смета не открыта: эта ещё не сохранена.";
    case Caption::EstimateRenamedElsewhere:
        return u"Смета переименована в другом окне: «{}»";
    case Caption::EstimateDeletedElsewhere:
        return u"Смета «{}» удалена в другом окне. Изменения в ней не сохраняются; «Отменить» вернёт её.";
    case Caption::LineAdded:
        return u"Добавлено: строка {}";
    case Caption::EstimateLoadFailed:
        return u"Смета не загрузилась. Проверьте связь и нажмите снова.";
    case Caption::CancelButton:
        return u"Отмена";
    case Caption::BrowserStorageFull:
        return u"хранилище браузера заполнено";
    case Caption::BrowserStorageRefused:
        return u"браузер не даёт хранить данные";
    case Caption::UnreadableEntryName:
        return u"{} (не читается)";
    case Caption::StorageNoSpace:
        return u"на диске нет места";
    case Caption::StorageNoPermission:
        return u"нет права записи в папку «{}»";
    case Caption::StorageNotReadable:
        return u"нет права чтения файла «{}»";
    case Caption::StorageBusy:
        return u"файл занят другой программой";
    case Caption::StorageFailed:
        return u"ошибка ввода-вывода";
    case Caption::MetalList:
        return u"Металл";
    case Caption::GradeList:
        return u"Марка";
    case Caption::OwnDensity:
        return u"Своя плотность, кг/м³";
    case Caption::OwnDensityBasis:
        return u"своя плотность";
    case Caption::OwnDensityGrade:
        return u"своя плотность {} кг/м³";
    case Caption::SteelOnly:
        return u"Сталь";
    case Caption::BasisLength:
        return u"Масса 1 м: {} кг · {}, {} кг/м³";
    case Caption::BasisArea:
        return u"Масса 1 кв.м: {} кг · {}, {} кг/м³";
    case Caption::BasisName:
        return u"Основа расчёта";
    case Caption::RadiusStandardList:
        return u"Радиусы по стандарту";
    case Caption::DimensionMissing:
        return u"Укажите размер";
    case Caption::DimensionNotNumber:
        return u"Размер — число в миллиметрах";
    case Caption::DimensionTooPrecise:
        return u"Не больше шести знаков в дробной части";
    case Caption::DimensionTooLarge:
        return u"Не больше 10 000 мм";
    case Caption::DimensionZero:
        return u"Размер должен быть больше нуля";
    case Caption::PipeWallTooThick:
        return u"Стенка должна быть меньше половины диаметра";
    case Caption::ProfileWallTooThick:
        return u"Стенка должна быть меньше половины меньшей стороны";
    case Caption::ProfileRadiusBelowWall:
        return u"Радиус R не может быть меньше стенки";
    case Caption::ProfileRadiusTooLarge:
        return u"Радиус R не может быть больше половины меньшей стороны";
    case Caption::AngleTooThick:
        return u"Толщина должна быть меньше ширины полки";
    case Caption::ToeRadiusAboveRoot:
        return u"Радиус r не может быть больше R";
    case Caption::ToeRadiusTooLarge:
        return u"Радиус r должен быть меньше толщины полки";
    case Caption::DensityOutOfRange:
        return u"Плотность — целое число от 500 до 25 000";
    case Caption::DensityDigitsOnly:
        return u"Плотность — целое число: только цифры";
    case Caption::DimensionHintName:
        return u"Подсказка к размеру";
    }
    return {};
}

std::u16string sizeListButtonName(std::u16string_view listCaption)
{
    std::u16string name(caption(Caption::SizeListButton));
    name += u": ";
    name += listCaption;
    return name;
}

std::span<const CaptionEntry> captionEntries()
{
    return entries;
}

std::u16string captionFilled(Caption which, std::initializer_list<std::u16string_view> values)
{
    std::u16string text(caption(which));
    std::size_t from = 0;
    for (const std::u16string_view value : values) {
        const std::size_t at = text.find(u"{}", from);
        if (at == std::u16string::npos)
            break;
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

} // namespace tarvik
