#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

// The one connection to the catalogue file beside the program, open for the program's life.
class TCatalogue {
public:
    TCatalogue();
    ~TCatalogue();
    TCatalogue(const TCatalogue&) = delete;
    TCatalogue& operator=(const TCatalogue&) = delete;

    // The catalogue's path: the program folder (ending in "/") and the file name.
    static QByteArray FilePath(const QByteArray& appPath);
    // The file's URI as the connection opens it: every byte of the path kept, and mode=rw, since SQLite
    // would otherwise create an empty file where none is.
    static QString Uri(const QByteArray& appPath);

    // Opens the existing file for reading and writing; a missing file is never created. The connection
    // then waits for other programs' locks briefly and keeps foreign keys. False when it is not open;
    // LastError() then says why.
    bool Open(const QByteArray& appPath);
    void Close();
    bool IsOpen() const;
    QString LastError() const;

    QSqlDatabase Database() const;

    // Runs a statement that returns no rows; false with LastError() set when the layer refuses it.
    bool Execute(const QString& statement);

private:
    QString name_;
    QString lastError_;
};
