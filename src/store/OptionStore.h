#pragma once

#include "core/utHead.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

// Stored forms of the option values.
bool ReadFlag(const QString& stored);             // T, t, Y, y first: true
QString FlagText(bool value);                     // "T" / "F"
std::optional<int> ReadInteger(const QString& stored);  // decimal text, else none

// Outcome of loading or saving: an empty error means every row went through.
struct OptionResult {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Reads every option row into the values; stops at the first row the layer cannot read (a number that
// is no decimal number), keeping what was read before it.
OptionResult LoadOptions(const QSqlDatabase& db, THead& head);

// Writes the five options the dialog edits into their existing rows; a key without a row is not stored.
OptionResult SaveOptions(const QSqlDatabase& db, const THead& head);

// Writes the volume into its row, adding the row where the catalogue has none yet.
OptionResult SaveVolume(const QSqlDatabase& db, int volume);

// The stored texts of the rows of these names that the catalogue has (none where it cannot be read).
QHash<QString, QString> OptionTexts(const QSqlDatabase& db, const QStringList& names);
// Writes the text into the row of this name, adding the row where the catalogue has none yet.
OptionResult SaveOptionText(const QSqlDatabase& db, const QString& name, const QString& text);
