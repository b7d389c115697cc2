// The options, help, mail and About commands.
#include "dialogs/ui/TDialogsController.h"
#include "player/ui/TTransport.h"
#include "utMain.h"

#include <QAction>

void TwinMain::BuildDialogs()
{
    dialogs_ = new TDialogsController(Head_, dbconMain_, *MsgDlg_, *opener_, this);
    connect(actions_.value("aOption"), &QAction::triggered, dialogs_, &TDialogsController::aOptionExecute);
    // After the dialog: continuous play may have been switched.
    connect(actions_.value("aOption"), &QAction::triggered, transport_, &TTransport::Reprepare);
    connect(actions_.value("aHelp"), &QAction::triggered, dialogs_, &TDialogsController::aHelpExecute);
    connect(actions_.value("aMail"), &QAction::triggered, dialogs_, &TDialogsController::aMailExecute);
    connect(actions_.value("aAbout"), &QAction::triggered, dialogs_, &TDialogsController::aAboutExecute);
}
