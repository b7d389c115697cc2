#include "OptionStore.h"

#include "CatalogueStatements.h"
#include "TCatalogue.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

enum class Kind { Flag, Integer };

struct OptionKey {
    const char* name;
    Kind kind;
    bool THead::*flag;
    int THead::*number;
    bool saved;
};

const OptionKey kKeys[] = {
    {"bConfirmation", Kind::Flag, &THead::bConfirmation, nullptr, true},
    {"bContinuous", Kind::Flag, &THead::bContinuous, nullptr, true},
    {"bShowHideSys", Kind::Flag, &THead::bShowHideSys, nullptr, true},
    {"iFileSizeUnit", Kind::Integer, nullptr, &THead::iFileSizeUnit, true},
    {"iT2FMode", Kind::Integer, nullptr, &THead::iT2FMode, true},
    {"iTryMaxCount", Kind::Integer, nullptr, &THead::iTryMaxCount, false},
    {"iVolume", Kind::Integer, nullptr, &THead::iVolume, false},
};

const OptionKey* keyNamed(const QString& name)
{
    for (const OptionKey& key : kKeys) {
        if (name == QLatin1String(key.name))
            return &key;
    }
    return nullptr;
}

// The layer's text; a query on a closed connection fails without one.
QString layerError(const QSqlQuery& query)
{
    const QString text = CatalogueErrorText(query.lastError());
    return text.isEmpty() ? QStringLiteral("database not open") : text;
}

QString notAnInteger(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

// The position of a field of the option rows, or the layer's error for a table that lacks it: without
// it every row would read as unknown and loading or saving would "succeed" storing nothing.
std::optional<int> fieldOf(const QSqlQuery& query, const QString& name, QString& error)
{
    const int field = query.record().indexOf(name);
    if (field < 0) {
        error = QStringLiteral("Field '%1' not found").arg(name);
        return std::nullopt;
    }
    return field;
}

} // namespace

bool ReadFlag(const QString& stored)
{
    if (stored.isEmpty())
        return false;
    const QChar c = stored.front();
    return c == u'T' || c == u't' || c == u'Y' || c == u'y';
}

QString FlagText(bool value)
{
    return value ? QStringLiteral("T") : QStringLiteral("F");
}

std::optional<int> ReadInteger(const QString& stored)
{
    bool ok = false;
    const int value = stored.toInt(&ok, 10);
    // toInt accepts surrounding blanks; a stored number is its digits and an optional sign alone.
    if (!ok || stored.trimmed() != stored)
        return std::nullopt;
    return value;
}

OptionResult LoadOptions(const QSqlDatabase& db, THead& head)
{
    QSqlQuery query(db);
    if (!query.exec(Statements::kSelectOptions))
        return {layerError(query)};
    QString error;
    const std::optional<int> nameField = fieldOf(query, QStringLiteral("name"), error);
    const std::optional<int> valueField =
        nameField ? fieldOf(query, QStringLiteral("value"), error) : std::nullopt;
    if (!nameField || !valueField)
        return {error};
    while (query.next()) {
        const OptionKey* key = keyNamed(query.value(*nameField).toString());
        if (key == nullptr)
            continue;
        const QString value = query.value(*valueField).toString();
        if (key->kind == Kind::Flag) {
            head.*(key->flag) = ReadFlag(value);
            continue;
        }
        const std::optional<int> number = ReadInteger(value);
        if (!number)
            return {notAnInteger(value)};
        head.*(key->number) = *number;
    }
    return {};
}

OptionResult SaveOptions(const QSqlDatabase& db, const THead& head)
{
    QSqlQuery rows(db);
    if (!rows.exec(Statements::kSelectOptions))
        return {layerError(rows)};
    QString error;
    const std::optional<int> nameField = fieldOf(rows, QStringLiteral("name"), error);
    if (!nameField || !fieldOf(rows, QStringLiteral("value"), error))
        return {error};
    QSet<QString> present;
    while (rows.next())
        present.insert(rows.value(*nameField).toString());
    rows.finish();

    for (const OptionKey& key : kKeys) {
        const QString name = QLatin1String(key.name);
        if (!key.saved || !present.contains(name))
            continue;
        const QString value =
            key.kind == Kind::Flag ? FlagText(head.*(key.flag)) : QString::number(head.*(key.number));
        QSqlQuery update(db);
        update.prepare(QStringLiteral("update [option] set value = ? where name = ?"));
        update.addBindValue(value);
        update.addBindValue(name);
        if (!update.exec())
            return {layerError(update)};
    }
    return {};
}

OptionResult SaveVolume(const QSqlDatabase& db, int volume)
{
    return SaveOptionText(db, QStringLiteral("iVolume"), QString::number(volume));
}

QHash<QString, QString> OptionTexts(const QSqlDatabase& db, const QStringList& names)
{
    QHash<QString, QString> texts;
    QSqlQuery query(db);
    if (!query.exec(Statements::kSelectOptions))
        return texts;
    const int nameField = query.record().indexOf(QStringLiteral("name"));
    const int valueField = query.record().indexOf(QStringLiteral("value"));
    if (nameField < 0 || valueField < 0)
        return texts;
    while (query.next()) {
        const QString name = query.value(nameField).toString();
        if (names.contains(name))
            texts.insert(name, query.value(valueField).toString());
    }
    return texts;
}

OptionResult SaveOptionText(const QSqlDatabase& db, const QString& name, const QString& text)
{
    // Catalogues made before such a value was kept have no row for it: the first save adds one.
    QSqlQuery update(db);
    update.prepare(QStringLiteral("update [option] set value = ? where name = ?"));
    update.addBindValue(text);
    update.addBindValue(name);
    if (!update.exec())
        return {layerError(update)};
    if (update.numRowsAffected() > 0)
        return {};
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("insert into [option] (name, value) values (?, ?)"));
    insert.addBindValue(name);
    insert.addBindValue(text);
    if (!insert.exec())
        return {layerError(insert)};
    return {};
}
