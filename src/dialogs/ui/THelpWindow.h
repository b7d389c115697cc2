#pragma once

#include <QWidget>

class QTextBrowser;

// The program's own help window: the help file's pages, compiled into the program, for a desktop
// without a CHM viewer. It opens on the contents page; links, pictures, back and forward work.
class THelpWindow final : public QWidget {
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return tbHelp_; }

private:
    QTextBrowser* tbHelp_ = nullptr;
};
