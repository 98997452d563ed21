// The services a flight needs, in a scratch game root: the registry with a
// loaded configuration (collision grid of the given size), the resource
// manager, the game clock, score and statistics, and the game object manager.
#pragma once

#include "core/ConfigurationSystem.hpp"
#include "core/FrameClock.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/ScoreSystem.hpp"
#include "flight/StatisticSystem.hpp"
#include "presentation/ResourceManager.hpp"
#include "support/ScratchGameRoot.hpp"

#include <gtest/gtest.h>

#include <string>

namespace Kestrum::Testing
{
    // Loads a configuration whose grid has the given columns and rows.
    inline stable_ptr<ConfigurationSystem> LoadConfiguration(const ScratchGameRoot& root, unsigned columns,
                                                             unsigned rows)
    {
        root.WriteFile("configuration/pcg/configuration.xml",
                       "<pcg_configuration><difficulty_maximum>100</difficulty_maximum>"
                       "<difficulty_variance>10</difficulty_variance></pcg_configuration>");
        root.WriteFile("configuration/default_general_configuration.xml",
                       "<general_configuration version='1'><language>eng</language><bit_depth>32</bit_depth>"
                       "<frame_rate_limit>60</frame_rate_limit><vertical_blank_sync>0</vertical_blank_sync>"
                       "<full_screen>0</full_screen><space_partition_x>" +
                           std::to_string(columns) + "</space_partition_x><space_partition_y>" +
                           std::to_string(rows) +
                           "</space_partition_y><attenuation>2</attenuation>"
                           "<minimum_distance>3</minimum_distance><sound_volume>100</sound_volume>"
                           "<music_volume>100</music_volume></general_configuration>");
        const auto configuration = create_stable_ptr(std::make_shared<ConfigurationSystem>());
        configuration->Load();
        return configuration;
    }

    class FlightFixture : public ::testing::Test
    {
    protected:
        explicit FlightFixture(unsigned columns = 2, unsigned rows = 2) : registry(Registry::Create())
        {
            registry->Register<ConfigurationSystem>(LoadConfiguration(root, columns, rows));
            CreateAndRegister(new ResourceManager());
            time = CreateAndRegister(new TimeSystem());
            score = CreateAndRegister(new ScoreSystem());
            CreateLoadAndRegister(new StatisticSystem());
            objects = CreateAndRegister(new GameObjectManager());
            Registry::Instance()->Register<ObjectSink>(stable_ptr<ObjectSink>(create_stable_ptr(objects)));
            FrameClock::SetFrameTime(0.f);
        }
        ~FlightFixture() override { FrameClock::Reset(); }

        ScratchGameRoot root;
        CapturedLog log;
        stable_ptr<Registry> registry;
        std::shared_ptr<TimeSystem> time;
        std::shared_ptr<ScoreSystem> score;
        std::shared_ptr<GameObjectManager> objects;
    };
}
