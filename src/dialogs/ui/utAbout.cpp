#include "utAbout.h"

#include "dialogs/AboutText.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

// The pictures are compiled into this library; a static library's resources need a call to be linked in.
static void loadPictures()
{
    Q_INIT_RESOURCE(about);
}

namespace {

constexpr int kPictureWidth = 160;
constexpr int kPictureHeight = 233;

QLabel* picture(const char* name, const QString& file, QWidget* panel)
{
    auto* label = new QLabel(panel);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(QIcon(file).pixmap(QSize(kPictureWidth, kPictureHeight)));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* line(const QString& text, QWidget* page, int y)
{
    auto* label = new QLabel(text, page);
    label->setGeometry(176, y, 224, 18);
    return label;
}

} // namespace

TwinAbout::TwinAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    loadPictures();
    setObjectName("winAbout");
    setWindowTitle(QStringLiteral("关于"));
    setFixedSize(404, 302);

    pcAbout_ = new QTabWidget(this);
    pcAbout_->setObjectName("pcAbout");
    pcAbout_->setGeometry(0, 0, 404, 302);
    pcAbout_->addTab(BuildAboutPage(), QStringLiteral("关于"));
    pcAbout_->addTab(BuildHotkeyPage(), QStringLiteral("快捷键"));

    for (QWidget* watched : std::initializer_list<QWidget*>{Image1_, Image2_, memNote_, memHotkey_})
        watched->installEventFilter(this);
}

QWidget* TwinAbout::BuildAboutPage()
{
    auto* page = new QWidget;
    page->setObjectName("tsAbout");

    auto* panel = new QFrame(page);
    panel->setObjectName("pnlImage");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(8, 8, kPictureWidth + 2 * panel->frameWidth(), kPictureHeight + 2 * panel->frameWidth());
    Image1_ = picture("Image1", QStringLiteral(":/about/picture1.svg"), panel);
    Image2_ = picture("Image2", QStringLiteral(":/about/picture2.svg"), panel);

    QFont big = font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    line(QStringLiteral("Melvane"), page, 10)->setFont(big);
    line(QStringLiteral("Melvane * KIRO"), page, 40);
    lblVersion_ = line(QString(), page, 62);
    lblVersion_->setObjectName("lblVersion");
    lblVersion_->setAlignment(Qt::AlignCenter);
    lblVersion_->setFixedWidth(160);
    QLabel* contact = line(AboutContactLine(), page, 82);
    contact->setObjectName("lblContact");
    contact->setTextInteractionFlags(Qt::TextSelectableByMouse);
    contact->setFixedHeight(34);
    QFont small = font();
    small.setPointSize(std::max(6, small.pointSize() - 1));
    contact->setFont(small);

    memNote_ = new QPlainTextEdit(AboutNote(), page);
    memNote_->setObjectName("memNote");
    memNote_->setReadOnly(true);
    memNote_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memNote_->setGeometry(176, 120, 201, 80);

    auto* buttons = new QDialogButtonBox(page);
    btnOk_ = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    btnOk_->setObjectName("btnOk");
    btnOk_->setDefault(true);
    buttons->setGeometry(176, 218, 201, 25);
    connect(btnOk_, &QPushButton::clicked, this, &TwinAbout::btnOkClick);
    return page;
}

QWidget* TwinAbout::BuildHotkeyPage()
{
    auto* page = new QWidget;
    page->setObjectName("tsHotkey");
    memHotkey_ = new QPlainTextEdit(HotkeyLines().join(QLatin1Char('\n')), page);
    memHotkey_->setObjectName("memHotkey");
    memHotkey_->setReadOnly(true);
    memHotkey_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memHotkey_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The keys are padded with blanks to line up the descriptions.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(12);
    memHotkey_->setFont(fixed);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memHotkey_);
    return page;
}

void TwinAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TwinAbout::FormShow()
{
    for (QLabel* image : {Image1_, Image2_})
        image->setGeometry(image->parentWidget()->contentsRect());
    Image1_->show();
    Image2_->hide();
    lblVersion_->setText(AboutVersionText());
    pcAbout_->setCurrentIndex(0);
    btnOk_->setFocus();
}

void TwinAbout::Image1DblClick()
{
    Image1_->hide();
    Image2_->show();
}

void TwinAbout::Image2DblClick()
{
    Image2_->hide();
    Image1_->show();
}

void TwinAbout::btnOkClick()
{
    accept();
}

bool TwinAbout::eventFilter(QObject* watched, QEvent* event)
{
    // The read-only text boxes would swallow Enter; it belongs to the default button.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnOkClick();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == Image1_) {
            Image1DblClick();
            return true;
        }
        if (watched == Image2_) {
            Image2DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
