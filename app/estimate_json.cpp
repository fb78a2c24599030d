#include "estimate_json.h"

#include "core/double_text.h"
#include "core/money.h"
#include "qt_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvik {
namespace {

constexpr char16_t fileSeparator = u'.';

QString count(std::uint64_t n)
{
    return qs(formatAmount(Amount(n), 0, fileSeparator));
}

struct Unreadable {};

std::uint64_t countOf(const QJsonValue& v)
{
    if (!v.isString())
        throw Unreadable{};
    const AmountText t = readAmount(u16view(v.toString()), fileSeparator, 0);
    if (t.error != AmountError::None || t.units.bits64(64) != 0)
        throw Unreadable{};
    return t.units.bits64(0);
}

std::u16string textOf(const QJsonValue& v)
{
    if (!v.isString())
        throw Unreadable{};
    return v.toString().toStdU16String();
}

} // namespace

std::string estimateFileBytes(const Estimate& e)
{
    QJsonArray lines;
    for (std::size_t i = 0; i < e.size(); ++i) {
        EstimateLine l = e.line(i);
        changeSeparator(l, e.separator(), fileSeparator);
        lines.append(QJsonObject{
            {QStringLiteral("id"), count(l.id)},
            {QStringLiteral("family"), qs(l.family)},
            {QStringLiteral("kind"), qs(l.kind)},
            {QStringLiteral("size"), qs(l.size)},
            {QStringLiteral("unitMassBits"), count(doubleBits(l.unitMass))},
            {QStringLiteral("area"),
             l.quantityKind == QuantityKind::Area ? QStringLiteral("1") : QStringLiteral("0")},
            {QStringLiteral("requested"), qs(l.requested)},
            {QStringLiteral("pieceSize"), qs(l.pieceSize)},
            {QStringLiteral("pieces"), qs(l.pieces)},
            {QStringLiteral("quantity"), qs(l.quantity)},
            {QStringLiteral("mass"), qs(l.mass)},
            {QStringLiteral("price"), qs(l.price)},
            {QStringLiteral("edited"), count(l.edited)},
        });
    }
    QJsonObject deleted;
    for (const auto& [id, when] : e.deleted())
        deleted.insert(count(id), count(when));
    const QJsonObject file{
        {QStringLiteral("format"), QStringLiteral("tarvik-estimate")},
        {QStringLiteral("version"), count(estimateFileVersion)},
        {QStringLiteral("name"), qs(e.name())},
        {QStringLiteral("vatRate"), count(e.vatRate())},
        {QStringLiteral("pricesIncludeVat"),
         e.pricesIncludeVat() ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("settingsEdited"), count(e.settingsEdited())},
        {QStringLiteral("lines"), lines},
        {QStringLiteral("deleted"), deleted},
    };
    return QJsonDocument(file).toJson(QJsonDocument::Indented).toStdString();
}

EstimateFileRead readEstimateFile(std::string_view bytes, char16_t separator, Estimate::Source ids,
                                  Estimate::Source clock)
{
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {EstimateFileError::Unreadable, std::nullopt};
    const QJsonObject file = document.object();
    try {
        if (file.value(QStringLiteral("format")) != QStringLiteral("tarvik-estimate"))
            throw Unreadable{};
        if (countOf(file.value(QStringLiteral("version"))) > estimateFileVersion)
            return {EstimateFileError::NewerVersion, std::nullopt};
        Estimate e(separator, std::move(ids), std::move(clock));
        const std::uint64_t rate = countOf(file.value(QStringLiteral("vatRate")));
        if (rate > 10000)
            throw Unreadable{};
        e.restoreSettings(textOf(file.value(QStringLiteral("name"))), static_cast<std::uint32_t>(rate),
                          textOf(file.value(QStringLiteral("pricesIncludeVat"))) == u"1",
                          countOf(file.value(QStringLiteral("settingsEdited"))));
        const QJsonValue lines = file.value(QStringLiteral("lines"));
        if (!lines.isArray())
            throw Unreadable{};
        for (const QJsonValue& value : lines.toArray()) {
            const QJsonObject o = value.toObject();
            EstimateLine l;
            l.id = countOf(o.value(QStringLiteral("id")));
            l.family = textOf(o.value(QStringLiteral("family")));
            l.kind = textOf(o.value(QStringLiteral("kind")));
            l.size = textOf(o.value(QStringLiteral("size")));
            l.unitMass = doubleFromBits(countOf(o.value(QStringLiteral("unitMassBits"))));
            if (!(l.unitMass > 0))
                throw Unreadable{};
            l.quantityKind =
                textOf(o.value(QStringLiteral("area"))) == u"1" ? QuantityKind::Area : QuantityKind::Length;
            l.requested = textOf(o.value(QStringLiteral("requested")));
            l.pieceSize = textOf(o.value(QStringLiteral("pieceSize")));
            l.pieces = textOf(o.value(QStringLiteral("pieces")));
            l.quantity = textOf(o.value(QStringLiteral("quantity")));
            l.mass = textOf(o.value(QStringLiteral("mass")));
            l.price = textOf(o.value(QStringLiteral("price")));
            l.edited = countOf(o.value(QStringLiteral("edited")));
            changeSeparator(l, fileSeparator, separator);
            e.restore(std::move(l));
        }
        const QJsonObject deleted = file.value(QStringLiteral("deleted")).toObject();
        for (auto it = deleted.begin(); it != deleted.end(); ++it)
            e.restoreDeleted(countOf(QJsonValue(it.key())), countOf(it.value()));
        return {EstimateFileError::None, std::move(e)};
    } catch (const Unreadable&) {
        return {EstimateFileError::Unreadable, std::nullopt};
    }
}

} // namespace tarvik
