#include "core/Registry.hpp"

#include "support/ThrownMessage.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    struct Service
    {
        int value = 0;
    };
    struct Other
    {
    };
}

TEST(Registry, RegistersReplacesAndUnregisters)
{
    const stable_ptr<Registry> registry = Registry::Create();
    auto first = CreateAndRegister(new Service());
    first->value = 1;
    EXPECT_EQ(1, GetFromRegistry<Service>()->value);

    auto second = create_stable_ptr(std::make_shared<Service>());
    second->value = 2;
    registry->Register<Service>(second);
    EXPECT_EQ(2, GetFromRegistry<Service>()->value);
    EXPECT_EQ(1, first.use_count());

    registry->Unregister<Other>();
    registry->Unregister<Service>();
    EXPECT_EQ("class (anonymous namespace)::Service is not registered",
              ThrownMessage<NotAvailableError>([] { GetFromRegistry<Service>(); }));
}

TEST(Registry, SecondRegistryWhileOneLivesFails)
{
    {
        const stable_ptr<Registry> registry = Registry::Create();
        EXPECT_THROW(Registry::Create(), LogicError);
    }
    EXPECT_EQ("create_stable_ptr: object is 0, type = class Kestrum::Registry",
              ThrownMessage<std::exception>([] { Registry::Instance(); }));
    EXPECT_NO_THROW(Registry::Create());
}

namespace
{
    struct Base
    {
        virtual ~Base() = default;
    };
    struct Derived : Base
    {
    };
    struct Unrelated : Base
    {
    };

    // Notes the order in which services die and whether the registry still answered.
    std::vector<std::string> released;
    template <int N>
    struct Noted
    {
        ~Noted()
        {
            std::string entry = std::to_string(N);
            try
            {
                GetFromRegistry<Noted<N>>();
            }
            catch (const std::exception& e)
            {
                entry += std::string(": ") + e.what();
            }
            released.push_back(entry);
        }
    };
}

TEST(Registry, StablePointersRefuseEmptinessAndFailedCasts)
{
    EXPECT_EQ("create_stable_ptr: object is 0, type = class (anonymous namespace)::Base",
              ThrownMessage<std::exception>([] { create_stable_ptr(std::shared_ptr<Base>()); }));

    const stable_ptr<Base> derived(new Derived());
    const stable_ptr<Derived> cast = dynamic_stable_ptr_cast<Derived>(derived);
    EXPECT_EQ(derived.get(), cast.get());
    EXPECT_EQ(2, derived.use_count());
    const std::string message = ThrownMessage<std::exception>([&] { dynamic_stable_ptr_cast<Unrelated>(derived); });
    EXPECT_NE(std::string::npos, message.find("dynamic_stable_ptr_cast"));
    EXPECT_NE(std::string::npos, message.find(": class (anonymous namespace)::Base could not be cast to "
                                              "class (anonymous namespace)::Unrelated"));
}

TEST(Registry, RegisteredUnderTheNamedTypeOnly)
{
    const stable_ptr<Registry> registry = Registry::Create();
    registry->Register<Base>(stable_ptr<Base>(new Derived()));
    EXPECT_NO_THROW(GetFromRegistry<Base>());
    EXPECT_THROW(GetFromRegistry<Derived>(), NotAvailableError);
}

TEST(Registry, ReleasesServicesInDescendingKeyOrderAndAnswersNoMoreWhileDoingSo)
{
    released.clear();
    {
        const stable_ptr<Registry> registry = Registry::Create();
        CreateAndRegister(new Noted<1>());
        CreateAndRegister(new Noted<3>());
        CreateAndRegister(new Noted<2>());
    }
    // The keys are the types' decorated names; each service found the registry gone.
    std::vector<std::pair<std::string, std::string>> expected = {{Registry::TypeKey<Noted<1>>(), "1"},
                                                                 {Registry::TypeKey<Noted<2>>(), "2"},
                                                                 {Registry::TypeKey<Noted<3>>(), "3"}};
    std::sort(expected.rbegin(), expected.rend());
    ASSERT_EQ(3u, released.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i].second + ": create_stable_ptr: object is 0, type = class Kestrum::Registry", released[i]);
}

TEST(Registry, LoadRunsBeforeRegistrationAndAFailedLoadRegistersNothing)
{
    struct Loading
    {
        void Load()
        {
            loaded = true;
            EXPECT_THROW(GetFromRegistry<Loading>(), NotAvailableError);
            if (fail)
                BOOST_THROW_EXCEPTION(LoadError("broken"));
        }
        bool loaded = false;
        bool fail = false;
    };
    const stable_ptr<Registry> registry = Registry::Create();
    EXPECT_TRUE(CreateLoadAndRegister(new Loading())->loaded);
    EXPECT_TRUE(GetFromRegistry<Loading>()->loaded);
    registry->Unregister<Loading>();
    Loading* failing = new Loading();
    failing->fail = true;
    EXPECT_THROW(CreateLoadAndRegister(failing), LoadError);
    EXPECT_THROW(GetFromRegistry<Loading>(), NotAvailableError);
}
