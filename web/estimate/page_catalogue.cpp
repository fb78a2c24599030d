// The estimate's questions to the catalogue (estimate/catalogue_lookup.h),
// answered by the calculator's module through the page: the estimate's
// module carries no copy of the catalogue. Each answer is kept, since a
// stored estimate asks about every line it reads and has few sizes.

#include "web/bridge.h"
#include "web/calculation_crossing.h"

#include "estimate/catalogue_lookup.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace tarvik {
namespace {

// A few entries: a plain list, smaller than a map in the module.
template <typename Answer> class Answers {
public:
    template <typename Ask> Answer answer(std::u16string key, Ask ask)
    {
        const auto found =
            std::find_if(known_.begin(), known_.end(), [&](const auto& entry) { return entry.first == key; });
        if (found != known_.end())
            return found->second;
        Answer answer = ask();
        known_.emplace_back(std::move(key), answer);
        return answer;
    }

private:
    std::vector<std::pair<std::u16string, Answer>> known_;
};

} // namespace
std::optional<CatalogueFamily> catalogueFamily(std::u16string_view header)
{
    static Answers<std::optional<CatalogueFamily>> known;
    return known.answer(std::u16string(header), [&] {
        return web::catalogueFamilyFromNumber(
            web::PageCall(web::Partner::Catalogue, "family").arg(header).run());
    });
}

std::optional<double> catalogueUnitMass(std::u16string_view header, std::u16string_view kind,
                                        std::u16string_view size)
{
    static Answers<std::optional<double>> known;
    std::u16string key;
    key.append(header).append(1, u'\0').append(kind).append(1, u'\0').append(size);
    return known.answer(std::move(key), [&] {
        return web::unitMassFromText(
            web::PageCall(web::Partner::Catalogue, "unitMass").arg(header).arg(kind).arg(size).text());
    });
}

} // namespace tarvik
