#include "books/pdf_page_weight.h"

#include "imaging/picture_limits.h"

// Object.h first: it brings in Dict.h and Stream.h in the order they need.
#include <poppler/Object.h>

#include <poppler/Page.h>

#include <QSet>

#include <algorithm>

namespace ruvo {

namespace {

// How many forms, pictures and nested forms are looked into; a page that holds more is
// judged by those.
constexpr int kMostObjectsLookedAt = 4096;
constexpr int kDeepestForm = 16;

// The pixels each stored byte of a picture can describe at most, by the filter it is stored
// with, at one bit a pixel; zero for a filter that can fill any area from a few bytes, which
// is held to the picture limits alone.
qint64 pixelsPerStoredByte(const Object& filter)
{
    const Object* last = &filter;
    Object element;
    if (filter.isArray()) {
        // Each filter of a chain unpacks what the one after it gives; the first one applied to
        // the stored bytes is the one that sets how dense they can be, the others only
        // multiply it, so a chain of more than one counts as a filling one.
        if (filter.arrayGetLength() != 1)
            return filter.arrayGetLength() == 0 ? 8 : 0;
        element = filter.arrayGet(0);
        last = &element;
    }
    if (last->isNull())
        return 8;
    if (last->isName("DCTDecode") || last->isName("DCT"))
        return kJpegPixelsPerByte;
    if (last->isName("FlateDecode") || last->isName("Fl") || last->isName("LZWDecode") || last->isName("LZW"))
        return kPngPixelsPerByte;
    if (last->isName("RunLengthDecode") || last->isName("RL"))
        return kRunLengthBmpPixelsPerByte * 8;
    if (last->isName("ASCIIHexDecode") || last->isName("AHx"))
        return 4;
    if (last->isName("ASCII85Decode") || last->isName("A85"))
        return 8;
    // CCITT fax, JBIG2 and JPEG 2000 pictures.
    return 0;
}

class Weighing
{
public:
    QString reason;

    void weighResources(Dict* resources, int depth)
    {
        if (!resources || !reason.isEmpty() || depth > kDeepestForm)
            return;
        const Object objects = resources->lookup("XObject");
        if (!objects.isDict())
            return;
        for (int i = 0; i < objects.dictGetLength() && reason.isEmpty(); ++i) {
            const Object& reference = objects.dictGetValNF(i);
            if (reference.isRef()) {
                const Ref ref = reference.getRef();
                if (m_seen.contains({ref.num, ref.gen}))
                    continue;
                m_seen.insert({ref.num, ref.gen});
            }
            if (++m_looked > kMostObjectsLookedAt)
                return;
            Object object = objects.dictGetVal(i);
            if (!object.isStream())
                continue;
            Dict& facts = *object.streamGetDict();
            const Object subtype = facts.lookup("Subtype");
            if (subtype.isName("Image")) {
                weighPicture(object);
            } else if (subtype.isName("Form")) {
                weighContents(object);
                const Object formResources = facts.lookup("Resources");
                if (formResources.isDict())
                    weighResources(formResources.getDict(), depth + 1);
            }
        }
    }

    void weighContents(Object& stream)
    {
        if (!reason.isEmpty() || !stream.isStream())
            return;
        Stream& contents = *stream.getStream();
        contents.reset();
        unsigned char chunk[16384];
        for (;;) {
            const int read = contents.doGetChars(int(sizeof chunk), chunk);
            if (read <= 0)
                break;
            m_contentBytes += read;
            if (m_contentBytes > kPdfContentMaxBytes) {
                reason = QStringLiteral("the page's contents unpack to more than %1 bytes")
                             .arg(kPdfContentMaxBytes);
                break;
            }
        }
        contents.close();
    }

private:
    void weighPicture(Object& picture)
    {
        Dict& facts = *picture.streamGetDict();
        const Object width = facts.lookup("Width");
        const Object height = facts.lookup("Height");
        if (!width.isInt() || !height.isInt())
            return;
        const qint64 w = width.getInt();
        const qint64 h = height.getInt();
        if (w <= 0 || h <= 0)
            return;
        const qint64 perByte = pixelsPerStoredByte(facts.lookup("Filter"));
        BaseStream* stored = picture.getStream()->getBaseStream();
        const qint64 storedBytes = stored ? std::max<qint64>(stored->getLength(), 0) : 0;
        const qint64 mostPixels =
            perByte > 0 ? std::max<qint64>(storedBytes, 1) * perByte : kPictureMaxPixels;
        if (!withinPictureLimits(w, h, mostPixels)) {
            reason = QStringLiteral("picture is too large (%1x%2)").arg(w).arg(h);
            return;
        }
        // A soft mask is a picture of its own, unpacked beside the one it masks.
        Object mask = facts.lookup("SMask");
        if (mask.isStream() && ++m_looked <= kMostObjectsLookedAt)
            weighPicture(mask);
    }

    QSet<std::pair<int, int>> m_seen;
    int m_looked = 0;
    qint64 m_contentBytes = 0;
};

} // namespace

QString pdfPageOverweight(Page& page)
{
    Weighing weighing;
    Object contents = page.getContents();
    if (contents.isArray()) {
        for (int i = 0; i < contents.arrayGetLength() && weighing.reason.isEmpty(); ++i) {
            Object part = contents.arrayGet(i);
            weighing.weighContents(part);
        }
    } else {
        weighing.weighContents(contents);
    }
    weighing.weighResources(page.getResourceDict(), 0);
    return weighing.reason;
}

} // namespace ruvo
