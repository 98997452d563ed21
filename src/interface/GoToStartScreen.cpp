#include "interface/GoToStartScreen.hpp"

#include "core/Registry.hpp"
#include "interface/ScreenManager.hpp"
#include "interface/StartScreen.hpp"

namespace Kestrum
{
    void GoToStartScreen()
    {
        GetFromRegistry<ScreenManager>()->SetNextScreen(GetFromRegistry<StartScreen>());
    }
}
