#pragma once

#include <QString>

// Removes leading and trailing blanks and control characters; inner ones stay.
QString TrimBlanks(const QString& text);
