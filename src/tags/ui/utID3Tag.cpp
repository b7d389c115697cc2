#include "utID3Tag.h"

#include "TGbkFieldValidator.h"
#include "core/MsgDlg.h"
#include "tags/NameText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

Q_LOGGING_CATEGORY(lcMelvane, "melvane")

const char* const kEditNames[kTagFieldCount] = {"edtTitle", "edtArtist", "edtAlbum", "edtYear", "edtComment"};
constexpr int kEditWidth = 260;

} // namespace

TwinID3Tag::TwinID3Tag(IMsgDlg& msg, QWidget* owner)
    : QDialog(owner), msg_(msg)
{
    setObjectName(QStringLiteral("winID3Tag"));
    setWindowTitle(QStringLiteral("ID3TAG信息"));

    auto* form = new QFormLayout;
    for (TagField field : kTagFields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(kEditNames[Index(field)]));
        edit->setMinimumWidth(kEditWidth);
        auto* validator = new TGbkFieldValidator(field, edit);
        edit->setValidator(validator);
        connect(edit, &QLineEdit::inputRejected, this, [this, field] { ShowRefusal(field); });
        connect(edit, &QLineEdit::textEdited, this, [this] { lblHint_->clear(); });
        form->addRow(FieldCaption(field), edit);
        edits_[Index(field)] = edit;
    }

    // Why an edit refused what was typed; two lines fit every reason.
    lblHint_ = new QLabel(this);
    lblHint_->setObjectName(QStringLiteral("lblHint"));
    lblHint_->setWordWrap(true);
    lblHint_->setFixedHeight(lblHint_->fontMetrics().lineSpacing() * 2);

    btnModify_ = new QPushButton(QStringLiteral("修改"), this);
    btnModify_->setObjectName(QStringLiteral("btnModify"));
    btnClose_ = new QPushButton(QStringLiteral("关闭"), this);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnModify_, QDialogButtonBox::ActionRole);
    buttons->addButton(btnClose_, QDialogButtonBox::RejectRole);
    // Enter in an edit must not write the tag by surprise.
    btnModify_->setAutoDefault(false);
    btnClose_->setAutoDefault(false);
    connect(btnModify_, &QPushButton::clicked, this, &TwinID3Tag::btnModifyClick);
    connect(btnClose_, &QPushButton::clicked, this, &TwinID3Tag::btnCloseClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblHint_);
    layout->addWidget(buttons);

    for (int f = 0; f + 1 < kTagFieldCount; ++f)
        setTabOrder(edits_[f], edits_[f + 1]);
    setTabOrder(edits_.back(), btnModify_);
    setTabOrder(btnModify_, btnClose_);

    setFixedSize(sizeHint());
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void TwinID3Tag::SetTag(const ID3v1Tag& tag)
{
    readTexts_ = FieldTextsOf(FieldBytesOf(tag));
    for (int f = 0; f < kTagFieldCount; ++f)
        edits_[f]->setText(readTexts_[f]);
}

TagTexts TwinID3Tag::Texts() const
{
    TagTexts texts;
    for (int f = 0; f < kTagFieldCount; ++f)
        texts[f] = edits_[f]->text();
    return texts;
}

void TwinID3Tag::btnModifyClick()
{
    for (QLineEdit* edit : edits_)
        edit->setText(TrimFieldText(edit->text()));
    QString error;
    const int result = WriteID3v1Tag(FileName_, PrepareTag(Texts(), readTexts_), &error);
    if (result == kTagIoError) {
        msg_.ShowLayerError(error);
        return;
    }
    if (result != kTagWritten) {
        // The box does not say why; the log does.
        qCWarning(lcMelvane).noquote() << "tag not written, result" << result << DisplayName(FileName_);
        msg_.Show(QStringLiteral("修改MP3文件ID3TAG信息失败！"), MsgKind::Error, MsgButtons::Ok);
        return;
    }
    modified_ = true;
    accept();
}

void TwinID3Tag::btnCloseClick()
{
    reject();
}

void TwinID3Tag::ShowRefusal(TagField field)
{
    const auto* validator = static_cast<const TGbkFieldValidator*>(Edit(field)->validator());
    lblHint_->setText(RefusalText(field, validator->LastRefusal()));
}
