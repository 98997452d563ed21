// What the build put into its game root (KESTRUM_GAME_ROOT), apart from what a
// game played there leaves behind: the player's configuration and its
// temporary files, the log, the profile, the saves and the generated campaign
// levels. Tests copy and compare only what the build ships, so they pass
// whatever a player has left in the game root.
#pragma once

#include <filesystem>
#include <string>

namespace Kestrum::Testing
{
    // Whether a path relative to a game root ("configuration/input_configuration.xml")
    // names a file that the game writes as it is played.
    bool IsPlayersFile(const std::filesystem::path& relative);

    // Copies a folder of the built game root ("configuration", "resources/gui")
    // to `target`, without the player's files, overwriting what is there.
    void CopyShippedFolder(const std::string& folder, const std::filesystem::path& target);
}
