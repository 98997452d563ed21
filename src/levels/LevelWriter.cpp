#include "levels/LevelWriter.hpp"

#include "core/Exception.hpp"
#include "core/FlatLineGraph.hpp"
#include "core/Files.hpp"
#include "core/LogSystem.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "flight/EnemySpawn.hpp"
#include "levels/MissionBlueprint.hpp"

#include <boost/algorithm/string/predicate.hpp>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace Kestrum
{
    namespace
    {
        // The order of the enemies in the file: row, column, type, then what
        // else the element holds, so that equal spawns alone stand side by side.
        bool WrittenBefore(const stable_ptr<EnemySpawn>& a, const stable_ptr<EnemySpawn>& b)
        {
            const auto key = [](const EnemySpawn& spawn) {
                return std::make_tuple(spawn.GetY(), spawn.GetX(), spawn.GetType(), spawn.GetUpgradeIDs(),
                                       spawn.IsKillToWin(), spawn.GetSpeed());
            };
            return key(*a) < key(*b);
        }

        pugi::xml_node AppendTangible(pugi::xml_node parent, const char* name)
        {
            pugi::xml_node element = parent.append_child(name);
            element.append_attribute("type") = "tangible";
            element.append_attribute("scroll_factor") = ToXmlText(1.f).c_str();
            return element;
        }

        void CreateEnemiesElement(pugi::xml_node stage, float turretSpeed,
                                  const std::set<stable_ptr<EnemySpawn>>& spawns)
        {
            std::vector<stable_ptr<EnemySpawn>> ordered(spawns.begin(), spawns.end());
            for (const stable_ptr<EnemySpawn>& spawn : ordered)
                if (LevelWriter::ApplyTurretSpeed(spawn->GetType()))
                    spawn->SetSpeed(turretSpeed);
            std::sort(ordered.begin(), ordered.end(), WrittenBefore);
            pugi::xml_node enemies = stage.append_child("enemies");
            for (const stable_ptr<EnemySpawn>& spawn : ordered)
                spawn->Save(enemies);
        }
    }

    void LevelWriter::WriteDefinition(const std::string& directory, const MissionBlueprint& blueprint,
                                      float turretSpeed, const TileGrid& grid, unsigned long music,
                                      const std::set<stable_ptr<EnemySpawn>>& spawns)
    {
        pugi::xml_document document;
        AddDeclaration(document);
        pugi::xml_node mission = document.append_child("mission");
        mission.append_attribute("version") = "1";
        pugi::xml_node layers = mission.append_child("layers");
        mission.append_child("seed").text() = std::to_string(blueprint.m_seed).c_str();
        mission.append_child("background_music").text() = std::to_string(music).c_str();
        FlatLineGraph(ScrollSpeed).Save(mission.append_child("scroll_behaviour"));

        CreateTileGridElement(AppendTangible(layers, "layer"), grid);
        pugi::xml_node stage = AppendTangible(layers, "stage");
        CreateEnemiesElement(stage, turretSpeed, spawns);
        stage.append_child("enemy_formations");
        stage.append_child("objects");

        const std::filesystem::path folder = ToFilesystemPath(directory);
        if (!std::filesystem::exists(folder) && !std::filesystem::create_directories(folder))
            BOOST_THROW_EXCEPTION(FileError("could not create directory " + folder.string()));
        WriteFileAtomically(folder / "structure.xml", ToXmlString(document));
    }

    pugi::xml_node LevelWriter::CreateTileGridElement(pugi::xml_node parent, const TileGrid& grid)
    {
        pugi::xml_node element = parent.append_child("tile_grid");
        element.append_attribute("repeat") = "1";
        for (unsigned index = 0; index < grid.size(); ++index)
            CreateTileRowElement(element, GetTileRow(grid, index));
        return element;
    }

    pugi::xml_node LevelWriter::CreateTileRowElement(pugi::xml_node parent, const TileRow& row)
    {
        pugi::xml_node element = parent.append_child("tile_row");
        element.append_attribute("repeat") = "1";
        TileRow rest = row;
        while (!rest.empty())
            CreateTileElement(element, SplitLeadingRun(rest));
        return element;
    }

    pugi::xml_node LevelWriter::CreateTileElement(pugi::xml_node parent, const TileRow& run)
    {
        if (run.empty())
            BOOST_THROW_EXCEPTION(LogicError("received empty sequence"));
        const std::string value = std::to_string(run.front().GetValue());
        if (run.size() == 1)
        {
            pugi::xml_node tile = parent.append_child("tile");
            tile.text() = value.c_str();
            return tile;
        }
        pugi::xml_node sequence = parent.append_child("tile_sequence");
        sequence.append_attribute("repeat") = std::to_string(run.size()).c_str();
        sequence.text() = value.c_str();
        return sequence;
    }

    TileRow LevelWriter::SplitLeadingRun(TileRow& row)
    {
        TileRow run;
        while (!row.empty() && (run.empty() || row.front() == run.front()))
        {
            run.push_back(row.front());
            row.pop_front();
        }
        return run;
    }

    const TileRow& LevelWriter::GetTileRow(const TileGrid& grid, unsigned index)
    {
        try
        {
            return grid.at(index);
        }
        catch (const std::out_of_range&)
        {
            *Log(LogLevel::error) << "Wrong row index: index = " << index << ", available rows = " << grid.size();
            throw;
        }
    }

    bool LevelWriter::ApplyTurretSpeed(const std::string& type)
    {
        return boost::algorithm::istarts_with(type, "turret");
    }
}
