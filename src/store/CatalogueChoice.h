#pragma once

#include <QByteArray>
#include <QString>

// Which catalogue file this user works with. The delivered one beside the program is used where the
// user can write it and its folder and the program is not installed; otherwise the user's own copy
// (root's too), made from the delivered one on first start and never replaced. Where neither can be
// written, or something other than a file of the user's lies where the copy should be, the delivered
// one is opened for reading and the reason is given once.
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

// An installed program's folder: <prefix>/lib/melvanekiro/. Its catalogue belongs to the package.
bool InstalledProgramFolder(const QByteArray& appPath);

// appPath: the program's folder, ending in "/"; ownFolder: as OwnCatalogueFolder gives it.
CatalogueChoice ChooseCatalogue(const QByteArray& appPath, const QByteArray& ownFolder);
