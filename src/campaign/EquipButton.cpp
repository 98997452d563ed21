#include "campaign/EquipButton.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "flight/Sellable.hpp"
#include "flight/Shield.hpp"
#include "flight/Weapon.hpp"

#include <boost/format.hpp>

namespace Kestrum
{
    namespace
    {
        const std::string folder = "resources|gui|screens|equipment|";
        const sf::Vector2f textOffset(6.f, 6.f);

        // The same rule for whole numbers and for floats: a float that compares
        // neither larger nor smaller (not a number) counts as equal.
        template <typename T>
        std::string Compare(const std::string& label, T candidate, T fitted)
        {
            if (candidate > fitted)
                return (boost::format("%1%: %2% (+%3%)") % label % candidate % (candidate - fitted)).str();
            if (candidate < fitted)
                return (boost::format("%1%: %2% (-%3%)") % label % candidate % (fitted - candidate)).str();
            return (boost::format("%1%: %2% (%3%)") % label % candidate % 0).str();
        }
    }

    stable_ptr<EquipButton> EquipButton::Create(const std::shared_ptr<Sellable>& item,
                                                const std::shared_ptr<Sellable>& fitted)
    {
        stable_ptr<EquipButton> button(new EquipButton());
        button->Initialize(folder + "batchet.png", folder + "batchet_click_area.txt", sf::Vector2f(0.f, 0.f));
        // The fitted item offered again is shown without comparison.
        if (fitted && fitted != item)
            button->m_compared = fitted;
        button->SetItem(item);
        return button;
    }

    stable_ptr<EquipButton> EquipButton::CreateEmpty()
    {
        return Create(std::shared_ptr<Sellable>(), std::shared_ptr<Sellable>());
    }

    EquipButton::EquipButton() = default;

    EquipButton::~EquipButton() = default;

    void EquipButton::SetItem(const std::shared_ptr<Sellable>& item)
    {
        m_item = item;
        if (m_item)
        {
            if (m_compared)
                AssertComparability(*m_compared, *m_item);
            *Log(LogLevel::warning) << "icon drawing on equip button is not implemented yet";
        }
        m_texts.SetLines(CreateItemText(m_compared, m_item), GetPosition() + textOffset);
    }

    void EquipButton::SetPosition(const sf::Vector2f& position)
    {
        ComplexButton::SetPosition(position);
        SetItem(m_item);
    }

    void EquipButton::Draw()
    {
        ComplexButton::Draw();
        m_texts.Draw();
    }

    void AssertComparability(const Sellable& fitted, const Sellable& candidate)
    {
        if (fitted.GetCategory() != candidate.GetCategory())
            BOOST_THROW_EXCEPTION(RuntimeError("not comparable: " +
                                               Categories::EquipmentToString(candidate.GetCategory()) + " != " +
                                               Categories::EquipmentToString(fitted.GetCategory())));
    }

    std::vector<std::string> CreateComparison(const Sellable& fitted, const Sellable& candidate)
    {
        AssertComparability(fitted, candidate);
        switch (candidate.GetCategory())
        {
        case Categories::Weapon:
            return CreateWeaponComparison(dynamic_cast<const Weapon&>(candidate), dynamic_cast<const Weapon&>(fitted));
        case Categories::Shield:
            return CreateShieldComparison(dynamic_cast<const Shield&>(candidate), dynamic_cast<const Shield&>(fitted));
        default:
            BOOST_THROW_EXCEPTION(LogicError("unsupported equipment category type " +
                                             Categories::EquipmentToString(candidate.GetCategory())));
        }
    }

    std::vector<std::string> CreateItemText(const std::shared_ptr<Sellable>& fitted,
                                            const std::shared_ptr<Sellable>& candidate)
    {
        if (!candidate)
            return {"EMPTY"};
        if (fitted)
            return CreateComparison(*fitted, *candidate);
        return CreateDetailsText(*candidate);
    }

    std::vector<std::string> CreateDetailsText(const Sellable& item)
    {
        std::vector<std::string> lines{item.GetName(), std::to_string(item.GetPrice())};
        for (unsigned index = 0;; ++index)
        {
            const std::optional<std::string> detail = item.GetDetails(index);
            if (!detail)
                return lines;
            lines.push_back(*detail);
        }
    }

    std::vector<std::string> CreateBasicText(const Sellable& item)
    {
        return {"Name: " + item.GetName(), "Price: " + std::to_string(item.GetPrice())};
    }

    std::vector<std::string> CreateWeaponComparison(const Weapon& candidate, const Weapon& fitted)
    {
        std::vector<std::string> lines = CreateBasicText(candidate);
        lines.push_back(FormatComparison("Damage", static_cast<sf::Uint32>(candidate.GetDamage(candidate.GetActiveIncrement())),
                                         static_cast<sf::Uint32>(fitted.GetDamage(fitted.GetActiveIncrement()))));
        lines.push_back(FormatComparison("Muzzle Speed", candidate.GetAverageShotSpeed(), fitted.GetAverageShotSpeed()));
        lines.push_back(FormatComparison("Frequency", candidate.GetShotsPerSecond(), fitted.GetShotsPerSecond()));
        return lines;
    }

    std::vector<std::string> CreateShieldComparison(const Shield& candidate, const Shield& fitted)
    {
        std::vector<std::string> lines = CreateBasicText(candidate);
        lines.push_back(FormatComparison("Recovery Time", candidate.GetRecoveryTime(), fitted.GetRecoveryTime()));
        lines.push_back(FormatComparison("Invincible Time", candidate.GetInvincibleTime(), fitted.GetInvincibleTime()));
        return lines;
    }

    std::string FormatComparison(const std::string& label, sf::Uint32 candidate, sf::Uint32 fitted)
    {
        return Compare(label, candidate, fitted);
    }

    std::string FormatComparison(const std::string& label, float candidate, float fitted)
    {
        return Compare(label, candidate, fitted);
    }
}
