#pragma once

#include "TagFields.h"

#include <QValidator>

// Keeps a tag edit's text within its field: at most the field's width in GBK bytes, and only
// characters GBK holds. A refused change leaves the text as it was; LastRefusal says why.
class TGbkFieldValidator final : public QValidator {
    Q_OBJECT

public:
    TGbkFieldValidator(TagField field, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
    TagField Field() const { return field_; }
    const FieldCheck& LastRefusal() const { return lastRefusal_; }

private:
    TagField field_;
    mutable FieldCheck lastRefusal_;
};
