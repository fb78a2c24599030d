#pragma once

// What the saving tests compare an estimate by: its CSV, which holds every
// number a user sees, hashed (FNV-1a) so that two processes agree.

#include "estimate/estimate_csv.h"
#include "estimate/estimate_file.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace tarvik::testing {

inline std::uint64_t estimateDigest(const Estimate& estimate)
{
    std::uint64_t h = 0xcbf29ce484222325u;
    for (unsigned char c : estimateCsv(estimate)) {
        h ^= c;
        h *= 0x100000001b3u;
    }
    return h;
}

// The digest of what the saved file at `path` holds, and its number of
// lines; none when the file does not read whole.
inline std::optional<std::pair<std::uint64_t, std::size_t>> fileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const EstimateFileRead read = readEstimateFile(
        {bytes.constData(), static_cast<std::size_t>(bytes.size())}, u',', [] { return std::uint64_t{0}; },
        [] { return std::uint64_t{0}; });
    if (!read.estimate)
        return std::nullopt;
    return std::pair(estimateDigest(*read.estimate), read.estimate->size());
}

} // namespace tarvik::testing
