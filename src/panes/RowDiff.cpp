#include "panes/RowDiff.h"

#include <QHash>

namespace {

// Whether a row's name is one of a few names. The lengths, held in the rows, are compared
// first: most rows of a big folder are then passed without touching their names' bytes.
class FewNames {
public:
    explicit FewNames(const QSet<QByteArray>& names) : names_(names.cbegin(), names.cend()) {}
    bool Contains(const QByteArray& name) const
    {
        for (const QByteArray& candidate : names_) {
            if (candidate.size() == name.size() && candidate == name)
                return true;
        }
        return false;
    }

private:
    QList<QByteArray> names_;
};

// Past this many names a hash look-up per row is quicker.
constexpr qsizetype kFewNames = 32;

RowDiff diffRows(const FileListModel& listed, const QSet<QByteArray>* names, const QList<FileEntry>& fresh)
{
    const bool fewNames = names && names->size() <= kFewNames;
    const FewNames few(fewNames ? *names : QSet<QByteArray>());
    QHash<QByteArray, int> freshRowOf;
    freshRowOf.reserve(fresh.size());
    for (int f = 0; f < fresh.size(); ++f)
        freshRowOf.insert(fresh[f].name, f);
    RowDiff diff;
    QList<bool> kept(fresh.size(), false);
    for (int r = 0; r < listed.RowCount(); ++r) {
        const FileEntry& row = listed.Entry(r);
        if (names && !(fewNames ? few.Contains(row.name) : names->contains(row.name)))
            continue;
        const auto f = freshRowOf.constFind(row.name);
        // A second row of the same name (renamed onto another) goes too.
        if (f == freshRowOf.constEnd() || kept[f.value()]) {
            diff.removed.append(r);
            continue;
        }
        kept[f.value()] = true;
        if (!row.SameFacts(fresh[f.value()]))
            diff.changed.append({r, f.value()});
    }
    for (int f = 0; f < fresh.size(); ++f)
        if (!kept[f])
            diff.added.append(f);
    return diff;
}

} // namespace

RowDiff DiffRows(const FileListModel& listed, const QList<FileEntry>& fresh)
{
    return diffRows(listed, nullptr, fresh);
}

RowDiff DiffNamedRows(const FileListModel& listed, const QSet<QByteArray>& names, const QList<FileEntry>& fresh)
{
    return diffRows(listed, &names, fresh);
}
