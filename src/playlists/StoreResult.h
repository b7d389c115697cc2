#pragma once

#include <QString>

#include <utility>

// The outcome of a store call: ok, or the database layer's own text of what failed.
struct Result {
    bool ok = true;
    QString error;

    static Result Failed(QString error) { return {false, std::move(error)}; }
};

// A read, or a change that hands back a value, with its outcome.
template <class T>
struct Fetched : Result {
    T value{};
};
