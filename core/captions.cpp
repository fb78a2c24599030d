#include "captions.h"

#include "text_sets.h"

#include <array>

namespace tarvik {
namespace {

constexpr std::array entries{
    CaptionEntry{Caption::WindowTitle, "WindowTitle"},
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
    CaptionEntry{Caption::ResultOutOfDate, "ResultOutOfDate"},
    CaptionEntry{Caption::ChooseMode, "ChooseMode"},
    CaptionEntry{Caption::ChooseSize, "ChooseSize"},
    CaptionEntry{Caption::KindInUseName, "KindInUseName"},
    CaptionEntry{Caption::MissingInputName, "MissingInputName"},
    CaptionEntry{Caption::InputHintName, "InputHintName"},
    CaptionEntry{Caption::ErrorBoxButton, "ErrorBoxButton"},
};

} // namespace

std::u16string_view caption(Caption which)
{
    switch (which) {
    case Caption::WindowTitle:
        return u"Тарвик";
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
    }
    return {};
}

std::span<const CaptionEntry> captionEntries()
{
    return entries;
}

} // namespace tarvik
