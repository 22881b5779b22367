#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <memory>

class QIODevice;

namespace ruvo {

class LargePageMemory;

// A new picture of the size and format, its pixels not yet set, held in memory that the
// system may back with large pages (platform/large_page_memory.h). A page picture is many
// megabytes; touched for the first time a small page at a time, as the decoder writes it, the
// system's bookkeeping of those pages can cost more than the decoding itself (a 12-megapixel
// page is some twelve thousand of them). A picture too small to fill a large page, or one the
// system will not map, gets Qt's own memory. Either way it behaves as any QImage: a copy shares
// it, and a change to a shared one copies it. At most one large page's worth of bytes beyond
// the picture's own is held with it.
QImage newPicture(QSize size, QImage::Format format);

// A picture's file read whole into memory, which the system may back with large pages when
// there are megabytes of it, as a picture's own. Its bytes are valid while it lives and is not
// read into again: a copy of them does not keep them.
class HeldBytes
{
public:
    HeldBytes();
    ~HeldBytes();
    HeldBytes(const HeldBytes&) = delete;
    HeldBytes& operator=(const HeldBytes&) = delete;

    // Reads what is left of the device; false, holding nothing, when it gives less than that.
    bool readAll(QIODevice& device);
    const QByteArray& bytes() const { return m_bytes; }

private:
    std::unique_ptr<LargePageMemory> m_memory;
    QByteArray m_bytes;
};

} // namespace ruvo
