#include "differential.h"

#include "calculator/calculator.h"
#include "catalogue/family.h"
#include "number/errors.h"
#include "number/number_text.h"
#include "tests/calculator/fake_window.h"
#ifdef TARVIK_X87_ORACLE
#include "tests/oracle/x87_oracle.h"
#endif

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace tarvik::differential {

using reference::Extended;

namespace {

Extended fieldsOf(Float80 x)
{
    return {x.negative(), x.significand(), x.biasedExponent()};
}

Float80 valueOf(const Extended& x)
{
    return {x.negative, x.biasedExponent, x.significand};
}

std::string describe(const std::optional<Extended>& x)
{
    return x ? describe(*x) : "refused";
}

} // namespace

std::string printable(std::u16string_view text)
{
    constexpr std::size_t keep = 120;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.size() > 2 * keep && i == keep) {
            out += "...(" + std::to_string(text.size() - 2 * keep) + " more)...";
            i = text.size() - keep;
        }
        const char16_t c = text[i];
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return '"' + out + '"';
}

std::string describe(const Extended& x)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%c0x%016llX e%d", x.negative ? '-' : '+',
                  static_cast<unsigned long long>(x.significand), x.biasedExponent);
    return buffer;
}

std::optional<std::string> compareParse(std::u16string_view text, char16_t separator)
{
    const reference::Parsed expected = reference::parse(text, separator);
    std::optional<Extended> actual;
    try {
        actual = fieldsOf(strToFloat(text, separator));
    } catch (const CalcError&) {
    }
    const bool refused = expected.status != reference::Parsed::Ok;
    bool same = refused ? !actual : actual && *actual == expected.value;
#ifdef TARVIK_X87_ORACLE
    const std::optional<Extended> x87 = oracle::parse(text, separator);
    same = same && x87 == actual;
#endif
    if (same)
        return std::nullopt;
    std::string report =
        "text " + printable(text) + " separator " + printable({&separator, 1}) + ": production ";
    report += describe(actual);
    report += ", reference ";
    report += expected.status == reference::Parsed::Ok         ? describe(expected.value)
              : expected.status == reference::Parsed::Overflow ? "refused (overflow)"
                                                               : "refused (invalid)";
#ifdef TARVIK_X87_ORACLE
    report += ", x87 " + describe(x87);
#endif
    return report;
}

std::optional<std::string> compareFormat(const Extended& x, char16_t separator)
{
    const std::u16string expected = reference::format000(x, separator);
    const std::u16string actual = formatFloat000(valueOf(x), separator);
    bool same = actual == expected;
#ifdef TARVIK_X87_ORACLE
    const std::u16string x87 = oracle::format000(x, separator);
    same = same && x87 == actual;
#endif
    if (same)
        return std::nullopt;
    std::string report =
        "value " + describe(x) + ": production " + printable(actual) + ", reference " + printable(expected);
#ifdef TARVIK_X87_ORACLE
    report += ", x87 " + printable(x87);
#endif
    return report;
}

#ifdef TARVIK_X87_ORACLE
namespace {

// What the calculation shows on the x87 path, in the handler's words.
std::u16string x87Outcome(std::u16string_view input, double unitMass, int mode, char16_t separator,
                          const std::u16string& unit)
{
    const std::optional<Extended> x = oracle::parse(input, separator);
    if (!x)
        return u"error " + notAFloat(input).message();
    const std::optional<Extended> r = oracle::calculate(*x, unitMass, mode);
    if (!r)
        return u"error " + floatingPointOverflow().message();
    return oracle::format000(*r, separator) + u' ' + unit;
}

} // namespace
#endif

struct CatalogueRun::Impl {
    testing::FakeWindow window;
    Calculator calculator{window, u','};
};

CatalogueRun::CatalogueRun() : impl_(std::make_unique<Impl>()) {}
CatalogueRun::~CatalogueRun() = default;

int CatalogueRun::pairsPerInput() const
{
    std::set<double> masses;
    for (const catalogue::Family* family : catalogue::families) {
        for (const catalogue::KindTable& table : family->tables)
            masses.insert(table.unitMasses.begin(), table.unitMasses.end());
    }
    return 2 * static_cast<int>(masses.size());
}

std::optional<std::string> CatalogueRun::compare(std::u16string_view input, char16_t separator)
{
    testing::FakeWindow& window = impl_->window;
    Calculator& calculator = impl_->calculator;
    calculator.setDecimalSeparator(separator);
    window.setInputText(input);
    const reference::Parsed x = reference::parse(input, separator);
    // Many sizes share a unit mass; the handler does the same with each.
    std::set<double> done;

    for (int section = 1; section <= static_cast<int>(catalogue::families.size()); ++section) {
        const catalogue::Family& family = *catalogue::families[static_cast<std::size_t>(section - 1)];
        for (std::size_t kind = 0; kind < family.tables.size(); ++kind) {
            window.kinds[static_cast<std::size_t>(section - 1)] = static_cast<int>(kind);
            window.mode = -1;
            calculator.sListBoxClick(section);
            const auto& masses = family.tables[kind].unitMasses;
            std::vector<std::size_t> sizes;
            for (std::size_t size = 0; size < masses.size(); ++size) {
                if (done.insert(masses[size]).second)
                    sizes.push_back(size);
            }
            for (int mode = 0; mode < 2; ++mode) {
                window.mode = mode;
                calculator.sRadioGroupClick();
                for (const std::size_t size : sizes) {
                    window.setItemIndex(DropDown::Element, static_cast<int>(size));
                    window.log.clear();
                    std::u16string actual;
                    try {
                        calculator.sButtonCalcClick();
                        actual = window.result;
                    } catch (const CalcError& e) {
                        actual = u"error " + e.message();
                    }
                    const reference::CalcOutcome outcome =
                        reference::calculate(x, masses[size], mode, separator);
                    std::u16string expected;
                    switch (outcome.kind) {
                    case reference::CalcOutcome::Ok:
                        expected = outcome.text + u' ' + calculator.state().activeUnitText;
                        break;
                    case reference::CalcOutcome::NotAFloat:
                        expected = u"error " + notAFloat(input).message();
                        break;
                    case reference::CalcOutcome::Overflow:
                        expected = u"error " + floatingPointOverflow().message();
                        break;
                    }
                    bool same = actual == expected;
#ifdef TARVIK_X87_ORACLE
                    const std::u16string x87 =
                        x87Outcome(input, masses[size], mode, separator, calculator.state().activeUnitText);
                    same = same && x87 == actual;
#endif
                    if (!same) {
                        char mass[64];
                        std::snprintf(mass, sizeof mass, "%.17g (%a)", masses[size], masses[size]);
                        std::string report = "input " + printable(input) + " separator " +
                                             printable({&separator, 1}) + ", family " +
                                             std::to_string(section) + " kind " + std::to_string(kind) +
                                             " size " + std::to_string(size) + " unit mass " + mass +
                                             " mode " + std::to_string(mode) + ": production " +
                                             printable(actual) + ", reference " + printable(expected);
#ifdef TARVIK_X87_ORACLE
                        report += ", x87 " + printable(x87);
#endif
                        return report;
                    }
                }
            }
        }
    }
    return std::nullopt;
}

} // namespace tarvik::differential
