#include "TDialogsController.h"

#include "THelpWindow.h"
#include "utAbout.h"
#include "utOption.h"
#include "core/DocumentOpener.h"
#include "core/MsgDlg.h"
#include "dialogs/HelpAndMail.h"

#include <QTimer>

TDialogsController::TDialogsController(THead& head, TCatalogue& catalogue, IMsgDlg& msgDlg,
                                       IDocumentOpener& opener, QWidget* window)
    : QObject(window), head_(head), catalogue_(catalogue), msgDlg_(msgDlg), opener_(opener), window_(window)
{
    // Help and mail then answer at once, however slowly the desktop tells what opens them. Asked
    // once the window is up, when the program's folder is known.
    QTimer::singleShot(0, this, [this] {
        opener_.Expect(HelpFilePath(head_.AppPath));
        opener_.Expect(MailUrl());
    });
}

TDialogsController::~TDialogsController() = default;

void TDialogsController::aOptionExecute()
{
    if (winOption_) {
        winOption_->activateWindow();
        return;
    }
    winOption_ = std::make_unique<TwinOption>(head_, catalogue_, msgDlg_, window_);
    winOption_->exec();
    // A closed dialog is gone: the next opening starts from the stored values.
    winOption_.reset();
}

void TDialogsController::aHelpExecute()
{
    ShowHelp();
}

void TDialogsController::ShowHelp()
{
    const QByteArray path = HelpFilePath(head_.AppPath);
    if (!HelpFileExists(path)) {
        msgDlg_.Show(HelpMissingText(), MsgKind::Warning, MsgButtons::Ok);
        return;
    }
    if (!opener_.Open(path))
        ShowHelpWindow();
}

void TDialogsController::ShowHelpWindow()
{
    // One window, kept while the main window lives: F1 again brings it back as the user left it.
    if (winHelp_ == nullptr)
        winHelp_ = new THelpWindow(window_);
    winHelp_->show();
    winHelp_->raise();
    winHelp_->activateWindow();
}

void TDialogsController::aMailExecute()
{
    if (!opener_.Open(MailUrl()))
        msgDlg_.Show(MailUnansweredText(), MsgKind::Information, MsgButtons::Ok);
}

void TDialogsController::aAboutExecute()
{
    TwinAbout winAbout(window_);
    winAbout.exec();
}
