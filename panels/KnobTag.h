#pragma once

#include <QString>

// The two-digit tag of a panel knob: the kind (which family of pictures,
// fixed when the window starts) and the override mark ("1" while the user
// has taken the controller over, "0" while it follows the song).
namespace melorit::panels {

struct KnobTag {
    int kind = 0;
    bool mark = false;

    // "30" -> kind 3, no mark; a missing or non-digit kind reads as 0, any
    // second character but "1" as no mark.
    static KnobTag parse(const QString &tag);
    QString text() const;
};

// The tag with only its second digit rewritten.
QString withMark(const QString &tag, bool mark);

} // namespace melorit::panels
