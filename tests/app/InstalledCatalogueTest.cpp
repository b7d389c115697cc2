// The installed program as an ordinary user starts it (run by installed_catalogue.sh): the catalogue
// under the prefix only read, and what the user changes kept in the user's own copy to the next start.
#include "support/ShownWindow.h"
#include "support/ModalDialog.h"
#include "support/ScriptedMsgDlg.h"
#include "app/AppPath.h"
#include "app/utMain.h"
#include "playlists/TListQuery.h"
#include "playlists/ui/TPlaylists.h"
#include "playlists/ui/utNewList.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <unistd.h>

namespace {

struct Started {
    ScriptedMsgDlg* msg = nullptr;
    std::unique_ptr<TwinMain> win;
};

Started start(const QByteArray& program)
{
    Started s;
    auto msg = std::make_unique<ScriptedMsgDlg>();
    s.msg = msg.get();
    TwinMain::Services services;
    services.msgDlg = std::move(msg);
    s.win = std::make_unique<TwinMain>(program, std::move(services));
    ShowMainWindow(*s.win);
    return s;
}

void click(QWidget* dialog, const char* name)
{
    QTest::mouseClick(dialog->findChild<QAbstractButton*>(QLatin1String(name)), Qt::LeftButton);
}

} // namespace

TEST(InstalledProgram, AnOrdinaryUserKeepsOptionsPlayListsTargetFoldersAndTheVolume)
{
    const QByteArray program = qgetenv("MELVANE_INSTALLED_PROGRAM");
    ASSERT_FALSE(program.isEmpty()) << "run by installed_catalogue.sh";
    ASSERT_NE(::access((AppPathOf(program) + "KIROCustomList.mdb").constData(), W_OK), 0);
    bool confirmation = false;
    {
        Started s = start(program);
        EXPECT_TRUE(s.msg->shown.isEmpty());
        confirmation = !s.win->Head().bConfirmation;
        DriveModal([&] { s.win->Action("aOption")->trigger(); },
                   [](QWidget* dialog) {
                       click(dialog, "ckbConfirmation");
                       click(dialog, "btnOk");
                   });
        s.win->findChild<QTabWidget*>("pcMain")->setCurrentIndex(1);
        DriveModal([&] { s.win->Action("aListNew")->trigger(); },
                   [](QWidget* dialog) {
                       qobject_cast<TwinNewList*>(dialog)->edtListName()->setText("kept");
                       click(dialog, "btnOk");
                   });
        ASSERT_TRUE(s.win->Playlists().Store().RememberTarget("/srv/music/sorted").ok);
        s.win->findChild<QSlider*>("trbVolume")->setValue(99);
        EXPECT_EQ(s.msg->layerErrors, QStringList());
    }
    Started s = start(program);
    EXPECT_TRUE(s.msg->shown.isEmpty());
    EXPECT_EQ(s.win->Head().bConfirmation, confirmation);
    ASSERT_EQ(s.win->qryList()->rowCount(), 1);
    EXPECT_EQ(s.win->qryList()->index(0, 1).data().toString(), "kept");
    const auto targets = s.win->Playlists().Store().Targets();
    ASSERT_EQ(targets.value.size(), 1);
    EXPECT_EQ(targets.value[0].path, "/srv/music/sorted");
    EXPECT_EQ(s.win->findChild<QSlider*>("trbVolume")->value(), 99);
    EXPECT_EQ(::access((qgetenv("XDG_DATA_HOME") + "/melvanekiro/KIROCustomList.mdb").constData(), W_OK), 0);
}
