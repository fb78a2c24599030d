#pragma once

// File names made from what a user calls an estimate: they stay inside the
// folder they are meant for on every system the calculator runs on.

#include <string>
#include <string_view>

namespace tarvik {

inline constexpr std::size_t maxFileStemLength = 100; // UTF-16 units

// No "/", "\\", NUL, control or direction-changing characters, none of the
// characters Windows forbids, no "..", no leading or trailing dot or space,
// no reserved Windows device name, at most maxFileStemLength units; a name
// with nothing left reads «смета».
std::u16string safeFileStem(std::u16string_view name);

struct CalendarDate {
    int year = 0, month = 0, day = 0;
};

// "10.12.2025", as a printed document is dated.
std::u16string calendarDateText(CalendarDate date);

// «смета_<name>_<YYYY-MM-DD>.<extension>»: the CSV file, the PDF.
std::u16string exportFileName(std::u16string_view name, CalendarDate date, std::u16string_view extension);

// «<name>.tarvik-smeta.json»: an estimate as a file of its own, which
// either face imports.
std::u16string estimateExportName(std::u16string_view name);

} // namespace tarvik
