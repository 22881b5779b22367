#include "viewer/awaited_pictures.h"

#include <algorithm>
#include <utility>

namespace ruvo {

void AwaitedPictures::await(Surface& place, const PageRef& page, int panel, const QString& label)
{
    forget(place);
    m_pictures.append(Picture{&place, page, panel, label});
}

void AwaitedPictures::forget(const Surface& place)
{
    m_pictures.removeIf([&place](const Picture& picture) { return picture.place == &place; });
}

bool AwaitedPictures::isAwaited(const Surface& place) const
{
    return std::any_of(m_pictures.cbegin(), m_pictures.cend(),
                       [&place](const Picture& picture) { return picture.place == &place; });
}

QList<AwaitedPictures::Picture> AwaitedPictures::takeAll()
{
    return std::exchange(m_pictures, {});
}

} // namespace ruvo
