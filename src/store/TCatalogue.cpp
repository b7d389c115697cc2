#include "TCatalogue.h"

#include "core/utHead.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString uniqueConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("catalogue-%1").arg(counter.fetchAndAddRelaxed(1));
}

constexpr int kBusyTimeoutMs = 3000;
constexpr int kSqliteReadOnly = 8;
const QLatin1String kReadOnlyMode("?mode=ro");

} // namespace

TCatalogue::TCatalogue() : name_(uniqueConnectionName())
{
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
}

TCatalogue::~TCatalogue()
{
    Close();
    QSqlDatabase::removeDatabase(name_);
}

QByteArray TCatalogue::FilePath(const QByteArray& appPath)
{
    return appPath + kCatalogueFileName;
}

QString CatalogueErrorText(const QSqlError& error)
{
    // The primary result code is the low byte of an extended one.
    if ((error.nativeErrorCode().toInt() & 0xff) == kSqliteReadOnly)
        return QStringLiteral("数据库文件只能读取，更改没有保存。");
    return error.text();
}

QString TCatalogue::Uri(const QByteArray& file, bool readOnly)
{
    // SQLite decodes every %XX back into its byte, so a folder name that is no UTF-8 arrives whole.
    const QByteArray path = file.toPercentEncoding("/");
    return QLatin1String("file:") + QLatin1String(path) + (readOnly ? kReadOnlyMode : QLatin1String("?mode=rw"));
}

bool TCatalogue::IsReadOnly(const QSqlDatabase& db)
{
    return db.isOpen() && db.databaseName().endsWith(kReadOnlyMode);
}

bool TCatalogue::OpenFile(const QByteArray& file, bool readOnly)
{
    Close();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    db.setDatabaseName(Uri(file, readOnly));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        lastError_ = db.lastError().text();
        return false;
    }
    lastError_.clear();
    QSqlQuery pragma(db);
    if (!pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON")))
        lastError_ = pragma.lastError().text();
    return true;
}

void TCatalogue::Close()
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (db.isOpen())
        db.close();
}

bool TCatalogue::IsOpen() const
{
    return QSqlDatabase::database(name_, false).isOpen();
}

QString TCatalogue::LastError() const
{
    return lastError_;
}

QSqlDatabase TCatalogue::Database() const
{
    return QSqlDatabase::database(name_, false);
}

bool TCatalogue::Execute(const QString& statement)
{
    QSqlQuery query(Database());
    if (!query.exec(statement)) {
        lastError_ = query.lastError().text();
        return false;
    }
    return true;
}
