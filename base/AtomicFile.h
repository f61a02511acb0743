#pragma once

#include <QByteArray>
#include <QString>

namespace melorit {

// Replaces a file with new content atomically: the bytes go to a temporary
// file beside it ("name.partial-XXXXXX"), which is then renamed over the
// target. One left by a writer killed a minute ago or more goes with the
// program's first write of that target. Readers see the old file or the new
// one, never half of one; on any failure the old file stays and the
// temporary file is removed. A link is followed, so it stays a link.
// The target keeps its permissions (new files get 0644); a target without
// write permission is not replaced (false, errno EACCES).
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace melorit
