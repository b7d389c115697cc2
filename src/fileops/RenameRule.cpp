#include "RenameRule.h"

#include "NameBytes.h"
#include "tags/NameText.h"

QString ExtensionText(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.sliced(dot);
}

QByteArray ExtensionBytes(const QByteArray& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QByteArray() : name.sliced(dot);
}

RenamePlan PlanRename(const QByteArray& oldName, const QString& edited, int millisecond, qsizetype maxBytes)
{
    const QString caption = DisplayName(oldName);
    const QString x = ExtensionText(caption);
    const QByteArray xBytes = ExtensionBytes(oldName);
    const QByteArray typed = edited == caption ? oldName : edited.toUtf8();

    QString text = edited;
    QByteArray name = typed;
    if (ExtensionText(edited) != x) {
        text += x;
        name += xBytes;
    }
    if (text.size() == 4)
        name = DropLastChars(oldName, 4) + '_' + QByteArray::number(millisecond) + xBytes;

    RenamePlan plan;
    plan.name = name;
    plan.valid = !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0')
        && name.size() <= maxBytes;
    return plan;
}
