#pragma once

#include <QObject>

#include <memory>

class IDocumentOpener;
class IMsgDlg;
class QWidget;
class TCatalogue;
class THelpWindow;
class TwinOption;
struct THead;

// The main window's options, help, mail and About commands.
class TDialogsController final : public QObject {
    Q_OBJECT

public:
    TDialogsController(THead& head, TCatalogue& catalogue, IMsgDlg& msgDlg, IDocumentOpener& opener,
                       QWidget* window);
    ~TDialogsController() override;

    void aOptionExecute();
    void aHelpExecute();
    void ShowHelp();
    void aMailExecute();
    void aAboutExecute();

    // The options dialog while it is open, else null.
    TwinOption* winOption() const { return winOption_.get(); }

private:
    void ShowHelpWindow();

    THead& head_;
    TCatalogue& catalogue_;
    IMsgDlg& msgDlg_;
    IDocumentOpener& opener_;
    QWidget* window_;
    std::unique_ptr<TwinOption> winOption_;
    THelpWindow* winHelp_ = nullptr;
};
