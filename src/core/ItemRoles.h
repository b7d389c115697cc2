#pragma once

#include <Qt>

// The model role under which every file list gives a row's native name bytes (QByteArray): the file
// name in a pane's list, the full path in a play list's entry view.
inline constexpr int kNameBytesRole = Qt::UserRole + 1;
