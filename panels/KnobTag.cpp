#include "panels/KnobTag.h"

namespace melorit::panels {

KnobTag KnobTag::parse(const QString &tag)
{
    KnobTag result;
    if (!tag.isEmpty() && tag[0].isDigit()) {
        result.kind = tag[0].digitValue();
    }
    result.mark = tag.size() > 1 && tag[1] == u'1';
    return result;
}

QString KnobTag::text() const
{
    return QString::number(kind) + (mark ? u'1' : u'0');
}

QString withMark(const QString &tag, bool mark)
{
    return tag.left(1) + (mark ? u'1' : u'0');
}

} // namespace melorit::panels
