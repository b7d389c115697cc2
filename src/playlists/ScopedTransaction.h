#pragma once

#include "StoreResult.h"

#include <QSqlDatabase>

// One write transaction for the life of a scope: BEGIN IMMEDIATE takes the write lock at once, so a
// change either happens whole or not at all; it rolls back unless Commit() went through.
class ScopedTransaction {
public:
    explicit ScopedTransaction(QSqlDatabase db);
    ~ScopedTransaction();
    ScopedTransaction(const ScopedTransaction&) = delete;
    ScopedTransaction& operator=(const ScopedTransaction&) = delete;

    // Whether BEGIN went through; if not, Error() says why and nothing may be written.
    const Result& Begun() const { return begun_; }
    Result Commit();

private:
    QSqlDatabase db_;
    Result begun_;
    bool open_ = false;
};
