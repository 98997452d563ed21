#include "campaign/ShopCategoryWidget.hpp"

#include "campaign/HangarScreen.hpp"
#include "campaign/Saving.hpp"
#include "campaign/ShopButton.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/Hull.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "interface/CreateGrid.hpp"
#include "interface/ScrollBar.hpp"
#include "interface/ScrollableLayout.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

namespace Kestrum
{
    namespace
    {
        const unsigned int pageSize = 9;

        bool HangarIsFull(const Inventory& inventory)
        {
            return inventory.GetShips().size() >= HangarScreen::maximumShips;
        }

        // Takes the price from the money and says what was bought.
        void Pay(Inventory& inventory, const Sellable& item)
        {
            inventory.money -= static_cast<sf::Uint32>(item.GetPrice());
            *Log(LogLevel::debug) << "bought " << item.GetName() << " for " << std::to_string(item.GetPrice())
                                  << " bucks";
        }

        void RefuseForMoney(const Sellable& item)
        {
            *Log(LogLevel::error) << "logic error: not enough money to by " << item.GetName();
        }
    }

    ShopCategoryWidget::ShopCategoryWidget(Categories::Equipment category) : m_category(category) {}

    ShopCategoryWidget::~ShopCategoryWidget() = default;

    void ShopCategoryWidget::OnEnter()
    {
        const stable_ptr<EquipmentFactory> factory = GetFromRegistry<EquipmentFactory>();
        const std::vector<std::string> shop = GetFromRegistry<Saving>()->GetShop();

        std::vector<std::shared_ptr<Button>> buttons;
        for (const std::string& id : shop)
        {
            const Categories::Equipment category = Categories::ParseEquipmentID(id).first;
            if (category != m_category)
                continue;
            // Such offers would end the game here: they are left out.
            if (!CanBeMade(category))
            {
                *Log(LogLevel::error) << "shop offers " << id << ", but no "
                                      << Categories::EquipmentToString(category) << " can be bought yet: skipped";
                continue;
            }
            if (!factory->CanBeOwned(id))
            {
                *Log(LogLevel::error) << "shop offers " << id << ", but the player can not own it: skipped";
                continue;
            }
            const stable_ptr<Sellable> item = factory->Create(id);
            const stable_ptr<ShopButton> button = ShopButton::Create(item, sf::Vector2f(0.f, 0.f));
            if (m_category == Categories::Hull)
                button->GetClickSignal().connect([item](MouseButton) { BuyHullAndMakeShip(item); });
            else
                button->GetClickSignal().connect([item](MouseButton) { BuyItem(item); });
            buttons.push_back(button.get_shared());
        }

        const stable_ptr<ScrollableLayout> layout = CreateShopLayout(buttons);
        layout->OnEnter();
        AddChild(layout);
        m_layout = layout.get_shared();

        const stable_ptr<ScrollBar> bar = CreateShopScrollBar();
        bar->OnEnter();
        AddChild(bar);
        bar->ConnectLayout(m_layout);
    }

    void ShopCategoryWidget::OnUpdate()
    {
        Widget::OnUpdate();
        if (!m_layout)
            BOOST_THROW_EXCEPTION(RuntimeError("forgot to call ShopCategoryWidget::OnEnter()?"));
        for (const stable_ptr<Button>& button : m_layout->GetButtons(false))
            button->SetEnabled(IsAffordable(*static_cast<ShopButton&>(*button).GetItem()));
    }

    void ShopCategoryWidget::OnExit()
    {
        m_layout.reset();
        ClearChildren();
        ClearButtons();
    }

    bool ShopCategoryWidget::IsAffordable(const Sellable& item) const
    {
        const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
        // A tenth ship would not fit into the hangar.
        if (m_category == Categories::Hull && HangarIsFull(*inventory))
            return false;
        return item.GetPrice() <= inventory->money;
    }

    void BuyHullAndMakeShip(const stable_ptr<Sellable>& item)
    {
        if (item->GetCategory() != Categories::Hull)
            BOOST_THROW_EXCEPTION(LogicError("parameter is not a hull"));
        const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
        const stable_ptr<Hull> hull = dynamic_stable_ptr_cast<Hull>(item->Clone());
        if (HangarIsFull(*inventory))
        {
            *Log(LogLevel::error) << "logic error: the hangar is full, can not buy " << hull->GetName();
            return;
        }
        if (hull->GetPrice() > inventory->money)
        {
            RefuseForMoney(*hull);
            return;
        }
        inventory->AddShip(stable_ptr<PlayerShip>(new PlayerShip(hull.get_shared())));
        Pay(*inventory, *hull);
    }

    void BuyItem(const stable_ptr<Sellable>& item)
    {
        const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
        const stable_ptr<Sellable> copy = item->Clone();
        if (copy->GetPrice() > inventory->money)
        {
            RefuseForMoney(*copy);
            return;
        }
        if (!GetFromRegistry<Saving>()->HasRoomForLooseItem(copy->GetID()))
            return;
        inventory->AddItem(copy);
        Pay(*inventory, *copy);
    }

    stable_ptr<ScrollableLayout> CreateShopLayout(const std::vector<std::shared_ptr<Button>>& buttons)
    {
        const std::vector<sf::Vector2f> slots =
            CreateGrid(sf::Vector2f(102.f, 45.f), sf::Vector2f(277.f, 190.f), 3, 3);
        return stable_ptr<ScrollableLayout>(new ScrollableLayout(buttons, slots, pageSize));
    }

    stable_ptr<ScrollBar> CreateShopScrollBar()
    {
        const float width = static_cast<float>(GetFromRegistry<sf::RenderWindow>()->getSize().x);
        return stable_ptr<ScrollBar>(new ScrollBar(sf::Vector2f(width - 100.f, 100.f), 200.f));
    }
}
