#include "campaign/CategoryScreen.hpp"

#include "campaign/MissionsScreen.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "interface/ComplexButton.hpp"

#include <boost/format.hpp>

namespace Kestrum
{
    namespace
    {
        // The tabs' pictures in category order.
        const char* const tabImages[] = {"weapons.png", "shields.png", "bombs.png",
                                         "engines.png", "hulls.png",   "gadgets.png"};
        const float tabStep = 97.f;
    }

    // One category: its tab and its widget.
    struct CategoryScreen::CategoryGUI
    {
        CategoryGUI(Categories::Equipment category, const stable_ptr<Button>& button, const stable_ptr<Widget>& widget,
                    const Button::ClickSignal::slot_type& slot)
            : category(category), button(button), widget(widget)
        {
            button->GetClickSignal().connect(slot);
        }

        Categories::Equipment category;
        stable_ptr<Button> button;
        stable_ptr<Widget> widget;
    };

    CategoryScreen::CategoryScreen(const std::string& tabFolder, const std::string& missingCategory)
        : ExitableScreen(true), m_tabFolder(tabFolder), m_missingCategory(missingCategory),
          m_current(Categories::Weapon)
    {
    }

    CategoryScreen::~CategoryScreen() = default;

    void CategoryScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<MissionsScreen>());
        if (!m_categories.empty())
            BOOST_THROW_EXCEPTION(LogicError());

        for (int category = Categories::Weapon; category <= Categories::Gadget; ++category)
            AddCategory(static_cast<Categories::Equipment>(category),
                        ComplexButton::Create(m_tabFolder + tabImages[category], m_tabFolder + "click_area.txt",
                                              sf::Vector2f(0.f, 0.f)));

        sf::Vector2f position(0.f, 0.f);
        for (const auto& entry : m_categories)
        {
            entry.second->button->SetPosition(position);
            AddButton(entry.second->button, 0);
            position.y += tabStep;
        }
        Switch(Primary, Categories::Weapon);
    }

    void CategoryScreen::OnExit()
    {
        m_categories.clear();
        ExitableScreen::OnExit();
    }

    void CategoryScreen::Switch(MouseButton, Categories::Equipment category)
    {
        if (!GetChildren().empty())
        {
            const std::shared_ptr<Widget> shown = GetChildren().back().get_shared();
            RemoveChild(shown);
        }
        m_current = category;
        const auto found = m_categories.find(category);
        if (found == m_categories.end())
            BOOST_THROW_EXCEPTION(
                LogicError((boost::format(m_missingCategory) % Categories::EquipmentToString(category)).str()));
        AddChild(found->second->widget);
        for (const auto& entry : m_categories)
            entry.second->button->SetEnabled(entry.first != m_current);
    }

    void CategoryScreen::AddCategory(Categories::Equipment category, const stable_ptr<Button>& button)
    {
        const auto slot = [this, category](MouseButton mouseButton) { Switch(mouseButton, category); };
        const auto gui = std::make_shared<CategoryGUI>(category, button, CreateCategoryWidget(category), slot);
        gui->widget->OnEnter();
        m_categories[category] = gui;
    }
}
