#pragma once

#include <QString>

namespace ruvo {

class FileServices;

// A path read back from a text file, as it names a file on disk. A code-page 932 file holds
// every name as text, so each part of the path is the UTF-8 name of that text or, for a name
// kept in code-page 932 bytes (as books from Japanese Windows discs and archives are), those
// bytes. Part by part, the form that exists is taken, UTF-8 first; from the first part that
// exists in neither form on, the path stays as read.
QString pathOnDisk(const FileServices& files, const QString& path);

} // namespace ruvo
