#pragma once

#include <QString>

namespace ruvo {

// Which members of an archive are pages. A member's path is held as the archive stores it,
// with its native bytes kept (see native_name.h).

// Whether the path may be trusted as a path inside the archive: relative, and never
// climbing out of it through "..".
bool isTrustedMemberPath(const QString& path);

// The path a member is listed under: its own when it is trusted; otherwise what is left of
// it inside the archive, its root, drive and "." and ".." parts left out ("../../x/p.jpg"
// is "x/p.jpg"), empty when nothing is left. It is only ever a name: nothing is read or
// written there.
QString listedMemberPath(const QString& path);

// Whether the member is a page: a trusted path to a picture in a format a book may hold
// (those of a folder book, PNG and WebP), not a hidden file nor in a hidden folder at any
// depth (a name that starts with a dot), not a resource fork that macOS adds under
// "__MACOSX/".
bool isPageMember(const QString& path);

} // namespace ruvo
