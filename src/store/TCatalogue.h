#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

class QSqlError;

// The layer's text of an error, or where the catalogue cannot be written, one plain sentence saying so
// instead of SQLite's "attempt to write a readonly database".
QString CatalogueErrorText(const QSqlError& error);

// The one connection to the catalogue file (beside the program, or the user's own copy), open for the
// program's life.
class TCatalogue {
public:
    TCatalogue();
    ~TCatalogue();
    TCatalogue(const TCatalogue&) = delete;
    TCatalogue& operator=(const TCatalogue&) = delete;

    // The catalogue's path: the program folder (ending in "/") and the file name.
    static QByteArray FilePath(const QByteArray& appPath);
    // The file's URI as the connection opens it: every byte of the path kept, and mode=rw (or ro), since
    // SQLite would otherwise create an empty file where none is.
    static QString Uri(const QByteArray& file, bool readOnly = false);
    // Whether this connection was opened for reading only.
    static bool IsReadOnly(const QSqlDatabase& db);

    // Opens the existing file for reading and writing, or only reading; a missing file is never created.
    // The connection then waits for other programs' locks briefly and keeps foreign keys. False when it
    // is not open; LastError() then says why.
    bool OpenFile(const QByteArray& file, bool readOnly = false);
    // The catalogue beside the program of this folder.
    bool Open(const QByteArray& appPath) { return OpenFile(FilePath(appPath)); }
    void Close();
    bool IsOpen() const;
    bool IsReadOnly() const { return IsReadOnly(Database()); }
    QString LastError() const;

    QSqlDatabase Database() const;

    // Runs a statement that returns no rows; false with LastError() set when the layer refuses it.
    bool Execute(const QString& statement);

private:
    QString name_;
    QString lastError_;
};
