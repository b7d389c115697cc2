#pragma once

#include <QByteArray>

#include <functional>

class QAbstractItemView;

// The selected rows of a pane list as the files of its folder; each row's name bytes are under
// kNameBytesRole.

// The source list of the selected rows' files, first to last. When one of them is playingFile,
// stop runs before it goes in; an empty playingFile stops nothing.
QByteArray SelectedSourceList(const QAbstractItemView* list, const QByteArray& folder, const QByteArray& playingFile,
                              const std::function<void()>& stop);

// Removes, from the last row up, the selected rows whose files are gone.
void RemoveGoneRows(QAbstractItemView* list, const QByteArray& folder);
