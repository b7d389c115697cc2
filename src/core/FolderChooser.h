#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Lets the user pick one folder; the path field's browse button and the dialogs that ask for a
// target folder use it. Folders are native bytes, so names that are not UTF-8 can be picked.
class IFolderChooser {
public:
    virtual ~IFolderChooser() = default;

    // Shows the chooser under the caller's title, starting at startPath when the tree holds it.
    // The chosen folder without a trailing "/" (except "/" itself), or nothing when cancelled.
    virtual std::optional<QByteArray> Choose(const QString& title, const QByteArray& startPath) = 0;
};
