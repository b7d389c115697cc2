#pragma once

#include <QByteArray>
#include <QString>

// Which catalogue file this user works with. The delivered one beside the program is used where the
// user can write it and its folder; otherwise (installed under /usr) the user's own copy, made from the
// delivered one on first start and never replaced. Where neither can be written, a file is still
// opened for reading and the reason is given once.
struct CatalogueChoice {
    enum class Kind { Missing, Beside, OwnCopy, ReadOnly };
    Kind kind = Kind::Missing;
    // The file to open.
    QByteArray file;
    // ReadOnly: the text that tells the user, naming the file that could not be written.
    QString problem;
};

// The folder of the user's own catalogue, ending in "/": $XDG_DATA_HOME/melvanekiro/, where that is an
// absolute path, else $HOME/.local/share/melvanekiro/; empty without either.
QByteArray OwnCatalogueFolder(const QByteArray& xdgDataHome, const QByteArray& home);

// appPath: the program's folder, ending in "/"; ownFolder: as OwnCatalogueFolder gives it.
CatalogueChoice ChooseCatalogue(const QByteArray& appPath, const QByteArray& ownFolder);
