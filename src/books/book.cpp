#include "books/book.h"

namespace ruvo {

std::optional<PageFacts> Book::factsOf(const QString& name) const
{
    const FileStamp stamp = stampOf(name);
    {
        const std::lock_guard lock(m_factsMutex);
        const auto kept = m_facts.constFind(name);
        if (kept != m_facts.cend() && kept->stamp == stamp)
            return kept->facts;
    }
    // Read outside the lock: a page of a solid archive may wait for its pass.
    const std::optional<PageFacts> facts = readFacts(name);
    const std::lock_guard lock(m_factsMutex);
    m_facts.insert(name, KeptFacts{stamp, facts});
    return facts;
}

} // namespace ruvo
