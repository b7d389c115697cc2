#include "THelpWindow.h"

#include "dialogs/HelpAndMail.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QPushButton* button(const char* name, const QString& text, QLayout* row, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}

} // namespace

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("winHelp"));
    setWindowTitle(HelpWindowTitle());
    resize(820, 640);

    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    QPushButton* btnContents = button("btnHelpContents", QStringLiteral("目录"), row, this);
    QPushButton* btnBack = button("btnHelpBack", QStringLiteral("后退"), row, this);
    QPushButton* btnForward = button("btnHelpForward", QStringLiteral("前进"), row, this);
    row->addStretch();
    layout->addLayout(row);

    tbHelp_ = new QTextBrowser(this);
    tbHelp_->setObjectName(QStringLiteral("tbHelp"));
    layout->addWidget(tbHelp_);

    btnBack->setEnabled(false);
    btnForward->setEnabled(false);
    connect(btnContents, &QPushButton::clicked, tbHelp_, &QTextBrowser::home);
    connect(btnBack, &QPushButton::clicked, tbHelp_, &QTextBrowser::backward);
    connect(btnForward, &QPushButton::clicked, tbHelp_, &QTextBrowser::forward);
    connect(tbHelp_, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
    connect(tbHelp_, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);
    tbHelp_->setSource(QUrl(QLatin1String(kHelpContentsPage)));
    // Esc closes it as it closes a dialog, wherever the focus is.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}
