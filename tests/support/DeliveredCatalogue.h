#pragma once

#include "support/TempFolder.h"

#include <QByteArray>

// The catalogue as the build delivers it (made from data/KIROCustomList.sql), for tests that need
// a fresh one. A target using this defines MELVANE_BUILT_CATALOGUE and depends on `catalogue`.
inline constexpr char kCatalogueName[] = "KIROCustomList.mdb";

// Copies the delivered catalogue into a program folder (a path ending in "/"), readable and
// writable by its owner only, as a user's copy is; returns the copy's path, empty on failure.
inline QByteArray DeliverCatalogue(const QByteArray& programFolder)
{
    const QByteArray delivered = TempFolder::ReadBytes(MELVANE_BUILT_CATALOGUE);
    const QByteArray copy = programFolder + kCatalogueName;
    if (delivered.isEmpty() || !TempFolder::WriteBytes(copy, delivered, 0600))
        return {};
    return copy;
}
