// The process-wide registry of services: one object per type, fetched by type.
#pragma once

#include "core/Exception.hpp"
#include "core/StablePtr.hpp"
#include "core/TypeName.hpp"

#include <any>
#include <map>
#include <string>
#include <string_view>
#include <typeinfo>

namespace Kestrum
{
    class Registry
    {
    public:
        Registry(const Registry&) = delete;
        Registry& operator=(const Registry&) = delete;
        virtual ~Registry();

        // Makes the one registry; fails while another one lives.
        static stable_ptr<Registry> Create();
        // The live registry; fails when there is none.
        static stable_ptr<Registry> Instance();

        template <typename T>
        static std::string TypeKey()
        {
            return typeid(T).name();
        }

        // Stores the service under the key of T, replacing whatever was there.
        template <typename T>
        void Register(const stable_ptr<T>& service)
        {
            std::any& slot = m_services[TypeKey<T>()];
            std::any previous(std::move(slot));
            slot = service;
        }

        template <typename T>
        stable_ptr<T> Get() const
        {
            // Looked up by the type's name as it stands: fetching a service
            // every frame costs no allocation.
            const auto found = m_services.find(std::string_view(typeid(T).name()));
            if (found == m_services.end())
                BOOST_THROW_EXCEPTION(NotAvailableError(ReadableTypeName<T>() + " is not registered"));
            return std::any_cast<const stable_ptr<T>&>(found->second);
        }

        template <typename T>
        bool IsRegistered() const
        {
            return m_services.count(TypeKey<T>()) != 0;
        }

        // Removes the entry of T if there is one; an absent entry is no error.
        template <typename T>
        void Unregister()
        {
            m_services.erase(TypeKey<T>());
        }

    private:
        Registry() = default;
        void ReleaseAll() noexcept;

        std::map<std::string, std::any, std::less<>> m_services;
    };

    template <typename T>
    stable_ptr<T> GetFromRegistry()
    {
        return Registry::Instance()->Get<T>();
    }

    // Start-up helpers: wrap a freshly made service, (load it,) register it.
    template <typename T>
    stable_ptr<T> CreateAndRegister(T* service)
    {
        stable_ptr<T> pointer = create_stable_ptr(std::shared_ptr<T>(service));
        Registry::Instance()->Register<T>(pointer);
        return pointer;
    }

    template <typename T>
    stable_ptr<T> CreateLoadAndRegister(T* service)
    {
        stable_ptr<T> pointer = create_stable_ptr(std::shared_ptr<T>(service));
        pointer->Load();
        Registry::Instance()->Register<T>(pointer);
        return pointer;
    }
}
