#include "TGbkFieldValidator.h"

TGbkFieldValidator::TGbkFieldValidator(TagField field, QObject* parent)
    : QValidator(parent), field_(field)
{
}

QValidator::State TGbkFieldValidator::validate(QString& input, int&) const
{
    const FieldCheck check = CheckFieldText(input, FieldWidth(field_));
    if (check.refusal == FieldRefusal::None)
        return Acceptable;
    lastRefusal_ = check;
    return Invalid;
}
