#include "flight/EquipmentIcon.hpp"

#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "presentation/Animation.hpp"
#include "presentation/ResourceManager.hpp"

namespace Kestrum
{
    struct EquipmentIcon::Data
    {
        Data(const stable_ptr<Animation>& gui, const stable_ptr<Animation>& ingame) : gui(gui), ingame(ingame) {}

        stable_ptr<Animation> gui;
        stable_ptr<Animation> ingame;
    };

    EquipmentIcon::EquipmentIcon(const std::string& folder)
    {
        const std::string prefix = JoinResourcePath(folder, "");
        const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
        const stable_ptr<Animation> gui = resources->CreateAnimation(prefix + "gui.animation");
        const stable_ptr<Animation> ingame = resources->CreateAnimation(prefix + "ingame.animation");
        m_data = std::make_unique<Data>(gui, ingame);
    }

    EquipmentIcon::EquipmentIcon(std::unique_ptr<Data> data) : m_data(std::move(data)) {}

    EquipmentIcon::~EquipmentIcon() = default;

    stable_ptr<EquipmentIcon> EquipmentIcon::Clone() const
    {
        return stable_ptr<EquipmentIcon>(
            new EquipmentIcon(std::make_unique<Data>(m_data->gui->Clone(), m_data->ingame->Clone())));
    }

    stable_ptr<Animation> EquipmentIcon::GetGuiAnimation() const
    {
        return m_data->gui;
    }

    stable_ptr<Animation> EquipmentIcon::GetIngameAnimation() const
    {
        return m_data->ingame;
    }

    void ReportIconsCannotBeDeactivated()
    {
        LogOnce(LogLevel::info, "icons can not be deactivated yet");
    }
}
