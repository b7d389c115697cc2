#include "panes/WildcardMask.h"

namespace {

char fold(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Iterative glob with one back-track point, linear in practice.
bool glob(QByteArrayView name, QByteArrayView mask)
{
    qsizetype n = 0, m = 0;
    qsizetype starMask = -1, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || fold(mask[m]) == fold(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

} // namespace

bool MatchesMask(QByteArrayView name, QByteArrayView mask)
{
    if (mask == "*.*" || mask == "*")
        return true;
    if (glob(name, mask))
        return true;
    return mask.endsWith(".*") && glob(name, mask.chopped(2));
}
