#include "campaign/ShopButton.hpp"

#include "campaign/EquipButton.hpp"
#include "core/LogSystem.hpp"
#include "flight/EquipmentIcon.hpp"
#include "flight/Sellable.hpp"
#include "presentation/Animation.hpp"

namespace Kestrum
{
    namespace
    {
        const std::string folder = "resources|gui|screens|shop|";
        // The icon's top-left corner from the button's, and its size: the texts
        // stand to the right of the icon column.
        const sf::Vector2f iconOffset(6.f, 6.f);
        const float iconSize = 64.f;
        // How far the last line may start below the frame before it is reported.
        const float overflowTolerance = 10.f;
    }

    stable_ptr<ShopButton> ShopButton::Create(const stable_ptr<Sellable>& item, const sf::Vector2f& position)
    {
        stable_ptr<ShopButton> button(new ShopButton(item));
        button->Initialize(folder + "batchet.png", folder + "batchet_click_area.txt", position);
        return button;
    }

    ShopButton::ShopButton(const stable_ptr<Sellable>& item) : m_item(item) {}

    ShopButton::~ShopButton() = default;

    void ShopButton::Initialize(const std::string& imagePath, const std::string& clickAreaPath,
                                const sf::Vector2f& position)
    {
        ComplexButton::Initialize(imagePath, clickAreaPath, position);

        const std::vector<std::string> lines = CreateDetailsText(*m_item);

        const sf::Vector2f origin(position.x + 2.f * iconOffset.x + iconSize, position.y + iconOffset.y);
        const float limit = position.y + GetSize().y + overflowTolerance;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (origin.y + ItemText::lineStep * static_cast<float>(i) > limit)
                *Log(LogLevel::error) << "detail " << lines[i] << " reaches out of shop button area";
        m_texts.SetLines(lines, origin);
    }

    void ShopButton::SetPosition(const sf::Vector2f& position)
    {
        const sf::Vector2f old = GetPosition();
        if (old == position)
            return;
        ComplexButton::SetPosition(position);
        m_texts.Move(position - old);
    }

    void ShopButton::Draw()
    {
        ComplexButton::Draw();
        ReportIconsCannotBeDeactivated();
        // The animation is drawn around its frames' centres.
        const stable_ptr<Animation> icon = m_item->GetIcon()->GetGuiAnimation();
        const sf::Vector2f centre = GetPosition() + iconOffset + sf::Vector2f(iconSize, iconSize) * 0.5f;
        icon->SetPosition(centre.x, centre.y);
        icon->Draw();
        m_texts.Draw();
    }
}
