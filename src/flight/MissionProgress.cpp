#include "flight/MissionProgress.hpp"

#include "core/DefaultFont.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/StatisticSystem.hpp"
#include "presentation/GameObject.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <boost/format.hpp>

namespace Kestrum
{
    namespace
    {
        const float completedDelay = 6.f;
        const float failedDelay = 3.f;
        const float lineHeight = 60.f;
        const unsigned characterSize = 40;

        struct Rating
        {
            std::uint32_t threshold;
            const char* text;
        };
        // In ascending order: a percentage gets the last rating it reaches.
        const Rating ratings[] = {{50, "You can do better than that!"},
                                  {75, "Quite good!"},
                                  {90, "Awesome!"},
                                  {100, "PERFECT!!!"}};
    }

    std::vector<std::string> GetCompletionTexts(unsigned long killed, unsigned long available)
    {
        std::vector<std::string> lines{"Mission Complete!"};
        if (available == 0)
            return lines;
        const std::uint32_t percent = std::uint32_t(killed) * 100u / std::uint32_t(available);
        lines.push_back((boost::format("%1%%% killed") % percent).str());
        std::string rating;
        for (const Rating& candidate : ratings)
            if (candidate.threshold <= percent)
                rating = candidate.text;
        lines.push_back(rating);
        return lines;
    }

    MissionProgress::Data::Data() = default;
    MissionProgress::Data::~Data() = default;

    void MissionProgress::Data::OnUpdate()
    {
        if (m_endDelay)
            return;
        if (GetFromRegistry<Inventory>()->GetShip()->IsExpired())
        {
            m_failed = true;
            SetTexts({"Mission Failed!"});
            m_endDelay.emplace(failedDelay);
            return;
        }
        if (m_killConditions > m_killCount)
            return;
        const MissionStatistic& statistic = GetFromRegistry<StatisticSystem>()->GetCurrent();
        const unsigned long available = statistic.GetAvailableEnemies();
        const unsigned long killed = statistic.GetKilledEnemies();
        if (killed > available)
            BOOST_THROW_EXCEPTION(LogicError("more enemies killed than encountered?"));
        m_failed = false;
        SetTexts(GetCompletionTexts(killed, available));
        m_endDelay.emplace(completedDelay);
    }

    void MissionProgress::Data::SetTexts(const std::vector<std::string>& lines)
    {
        if (!m_font)
            m_font = ShareDefaultFont().get_shared();
        const EdgeRect area = GetFlightArea();
        float y = area.top + ((area.bottom - area.top) - float(lines.size()) * lineHeight) * 0.5f;
        m_texts.clear();
        for (const std::string& line : lines)
        {
            sf::Text text(line, *m_font, characterSize);
            const float x = area.left + ((area.right - area.left) - text.getLocalBounds().width) * 0.5f;
            text.setPosition(x, y);
            m_texts.push_back(text);
            y += lineHeight;
        }
    }

    void MissionProgress::Data::Draw()
    {
        if (!m_endDelay)
            return;
        sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
        for (sf::Text& text : m_texts)
        {
            // A dark copy behind keeps the white letters readable on any ground.
            const sf::Vector2f position = text.getPosition();
            text.setFillColor(sf::Color(0, 0, 0, 160));
            text.setPosition(position + sf::Vector2f(2.f, 2.f));
            window.draw(text);
            text.setFillColor(sf::Color::White);
            text.setPosition(position);
            window.draw(text);
        }
    }

    void MissionProgress::Data::IncrementKillCount()
    {
        ++m_killCount;
        if (m_killCount > m_killConditions)
            *Log(LogLevel::error) << "m_killCount <= m_killConditions, m_killCount = " << m_killCount
                                  << ", m_killConditions = " << m_killConditions;
    }

    stable_ptr<MissionProgress> MissionProgress::Create()
    {
        return stable_ptr<MissionProgress>(new MissionProgress());
    }

    MissionProgress::MissionProgress() : m_data(new Data()) {}
    MissionProgress::~MissionProgress() = default;

    bool MissionProgress::IsFinished() const
    {
        return bool(m_data->m_endDelay);
    }

    bool MissionProgress::Completed() const
    {
        return m_data->m_endDelay && m_data->m_endDelay->IsElapsed() && !m_data->m_failed;
    }

    bool MissionProgress::Failed() const
    {
        return m_data->m_endDelay && m_data->m_endDelay->IsElapsed() && m_data->m_failed;
    }
}
