#include "support/scripted_spare.h"

namespace ruvo::test {

const char* spareName(Spare kind)
{
    switch (kind) {
    case Spare::Inline:
        return "spare runs at once";
    case Spare::Thread:
        return "spare on a thread";
    case Spare::Late:
        return "spare runs late";
    case Spare::Never:
        return "spare never runs";
    }
    return "";
}

SpareCore ScriptedSpare::core()
{
    return [this](std::function<void()> task) {
        ++m_offered;
        if (m_kind == Spare::Inline)
            task();
        else if (m_kind == Spare::Thread)
            m_threads.emplace_back(std::move(task));
        else if (m_kind == Spare::Late)
            m_held.push_back(std::move(task));
    };
}

void ScriptedSpare::join()
{
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
}

void ScriptedSpare::runHeld()
{
    for (const std::function<void()>& task : m_held)
        task();
    m_held.clear();
}

} // namespace ruvo::test
