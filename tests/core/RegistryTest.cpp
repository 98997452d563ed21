#include "core/Registry.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;

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
    try
    {
        GetFromRegistry<Service>();
        FAIL() << "expected NotAvailableError";
    }
    catch (const NotAvailableError& e)
    {
        EXPECT_STREQ("class (anonymous namespace)::Service is not registered", e.what());
    }
}

TEST(Registry, SecondRegistryWhileOneLivesFails)
{
    {
        const stable_ptr<Registry> registry = Registry::Create();
        EXPECT_THROW(Registry::Create(), LogicError);
    }
    try
    {
        Registry::Instance();
        FAIL() << "expected an exception";
    }
    catch (const std::exception& e)
    {
        EXPECT_STREQ("create_stable_ptr: object is 0, type = class Kestrum::Registry", e.what());
    }
    EXPECT_NO_THROW(Registry::Create());
}
