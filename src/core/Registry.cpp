#include "core/Registry.hpp"

#include <memory>

namespace Kestrum
{
    namespace
    {
        // The live registry; owns nothing.
        std::weak_ptr<Registry> s_instance;
    }

    stable_ptr<Registry> Registry::Create()
    {
        if (s_instance.lock())
            BOOST_THROW_EXCEPTION(LogicError());
        std::shared_ptr<Registry> registry(new Registry());
        stable_ptr<Registry> result = create_stable_ptr(registry);
        s_instance = registry;
        return result;
    }

    stable_ptr<Registry> Registry::Instance()
    {
        return create_stable_ptr(s_instance.lock());
    }

    Registry::~Registry()
    {
        // From here on no lookup succeeds, also from the destructors of the
        // services released below.
        s_instance.reset();
        ReleaseAll();
    }

    void Registry::ReleaseAll() noexcept
    {
        // Entries go in descending key order; each release goes through the
        // stable_ptr destructor, which lets no exception out.
        while (!m_services.empty())
        {
            auto last = std::prev(m_services.end());
            std::any value(std::move(last->second));
            m_services.erase(last);
            value.reset();
        }
    }
}
